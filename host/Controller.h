#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>

#include "host/AudioEffectX.h"
#include "model/ControllerLink.h"

namespace VstToolkit {

class ChunkBuffer;
class Model;
class UserPrompts;
class ViewLink;

// The object the host talks to: answers the host from the model it owns, tells
// the host about the user's and MIDI's changes, and keeps an open editor view in
// step. Every index, size and pointer from the host is checked here, where it
// enters; the model behind it trusts its callers.
//
// Only the user-interface thread touches the view. A change made on another thread
// (the host's parameters, programs and chunks, MIDI on the audio thread) only marks
// what the view must show, in marks the Controller owns for its whole life, and the
// editor's tick applies them (ApplyViewChanges); a change made on the view's own
// thread is shown at once.
class Controller final : public AudioEffectX, public ControllerLink {
 public:
  // Takes ownership of the model (not null) and links itself to it.
  Controller(audioMasterCallback audioMaster, std::unique_ptr<Model> model);
  ~Controller() override;

  // Host operations (Controller.cpp, ControllerChunks.cpp).
  void setSampleRate(float rate) override;
  // Audio thread.
  void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) override;
  // Audio thread, before the processReplacing of the block the events belong to.
  VstInt32 processEvents(VstEvents* events) override;
  void setParameter(VstInt32 index, float value) override;
  float getParameter(VstInt32 index) override;
  void setProgram(VstInt32 program) override;
  void setProgramName(char* name) override;
  void getProgramName(char* name) override;
  void getParameterLabel(VstInt32 index, char* label) override;
  void getParameterDisplay(VstInt32 index, char* text) override;
  void getParameterName(VstInt32 index, char* text) override;
  VstInt32 getChunk(void** data, bool isPreset) override;
  VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset) override;
  bool getEffectName(char* name) override;
  bool getVendorString(char* text) override;
  bool getProductString(char* text) override;
  VstInt32 getVendorVersion() override;
  VstInt32 canDo(char* text) override;
  VstPlugCategory getPlugCategory() override;

  // The editor's scale factor as the host tells it (ControllerScale.cpp).
  // User-interface thread: takes the factor of the host's vendor call ('PreS', 'AeCs')
  // and tells the editor; other vendor calls get 0.
  VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
  // User-interface thread: the factor last told, or 0 while the host has told none.
  float GetHostScaleFactor() const { return hostScaleFactor; }

  // Audio thread: feeds the host's tempo, position, transport and time signature to the model.
  void UpdateTimeInfo();

  // The view half (ControllerView.cpp, ControllerMenus.cpp).
  // User-interface thread: the editor attaches its view when it opens and null when it closes.
  void SetView(ViewLink* newView);
  // Any thread: every control is to show the model's values again.
  void UpdateViewParameters();
  // User-interface thread: the status line shows the parameter's name, value and label.
  void UpdateViewStatusText(int32_t index);
  // User-interface thread, from the editor's tick: shows what other threads marked.
  void ApplyViewChanges();
  // User-interface thread: the user edited a parameter's control.
  void OnViewParameterValueChanged(int32_t index, float value);
  // Audio thread: a learned MIDI controller set a parameter, or completed learning.
  void OnModelParameterValueChanged(int32_t index, float value) override;
  void OnModelMidiLearned() override;
  // User-interface thread: the mouse rests on, or left, a parameter's control.
  void OnParameterControlMouseHover(int32_t index);
  void OnParameterControlMouseLeave();
  // User-interface thread: the parameter's MIDI-learn menu at the control's top-left corner.
  void OnParameterControlRightClicked(int32_t index, void* controlWindow);
  // User-interface thread: the editor menu at the view's client point (x, y).
  void OnViewTitleClicked(int32_t x, int32_t y);

  // Replaces the platform's menus and boxes (tests drive the menu logic this way).
  void SetUserPrompts(UserPrompts& newPrompts);

  // The time-information request: transport playing, song position, tempo, time signature.
  static constexpr VstInt32 kTimeInfoRequest =
      kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid;
  // No chunk of this plug-in comes near this size; bytes past it are never read.
  static constexpr VstInt32 kLargestChunkRead = 64 * 1024;

 private:
  bool IsParameterIndex(int32_t index) const { return index >= 0 && index < numParams; }
  bool IsProgramIndex(int32_t index) const { return index >= 0 && index < numPrograms; }
  // A NaN is refused; anything else is limited to the normalised range 0 to 1.
  static bool AcceptParameterValue(float& value);
  bool HasChannels(float** buffers, VstInt32 count) const;
  // Copies one of the model's identity texts into a host buffer; a null buffer gets nothing.
  bool CopyIdentity(char* destination, const char* (Model::*text)() const, int32_t width);
  void SetViewControls();
  // Any thread: marks a parameter's new value for its control and, unless a control is
  // hovered when the mark is applied, for the status line.
  void ShowParameterInView(int32_t index, float value);
  void ShowViewStatus(const char* text);
  // Applies the marks at once when the caller is the view's own thread.
  void ApplyViewChangesOnViewThread();
  // What a menu's answer does, on the user-interface thread.
  void OnParameterMenuAnswered(int32_t index, int32_t command);
  void OnEditorMenuAnswered(int32_t command);

  // A parameter's value waiting for its control; `changed` publishes `value`.
  struct ParameterMark {
    std::atomic<float> value{0.0f};
    std::atomic<bool> changed{false};
  };
  // What the status line waits to show: a parameter's index, or one of these.
  static constexpr int32_t kNoStatusMark = -1;
  static constexpr int32_t kEmptyStatusMark = -2;

  std::unique_ptr<Model> model;
  ViewLink* view = nullptr;  // not owned; user-interface thread only
  std::atomic<std::thread::id> viewThread{};  // the thread that attached the open view
  std::unique_ptr<ParameterMark[]> parameterMarks;
  std::atomic<bool> allParametersMark{false};
  std::atomic<int32_t> statusMark{kNoStatusMark};
  std::unique_ptr<ChunkBuffer> chunkBuffer;
  bool isHoveringControl = false;  // user-interface thread only
  UserPrompts* prompts;  // not owned
  float hostScaleFactor = 0.0f;
};

}  // namespace VstToolkit
