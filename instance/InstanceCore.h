#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "instance/HostTime.h"
#include "instance/InstanceEditor.h"
#include "instance/NativeWindow.h"
#include "instance/ParameterDetails.h"
#include "model/ControllerLink.h"

namespace VstToolkit {

class ChunkBuffer;
class InstanceHost;
class LearnCommands;
class ModelLearnCommands;
class Model;
class UserPrompts;
class ViewLink;
struct MidiMessage;

// One instance of the plug-in, as every format's face sees it: it owns the model and its
// chunk buffer, mediates between the model and an open editor view (the controls, the
// status line, the MIDI-learn menus), keeps MIDI learn, and hands values from thread to
// thread. It names no plug-in format: a face translates its format's calls into these
// operations, and hears back through the InstanceHost it links.
//
// Every index, size and pointer a face passes in is checked here, where it enters; the
// model behind it trusts its callers.
//
// Only the user-interface thread touches the view. A change made on another thread (the
// host's parameters, programs and states, MIDI on the audio thread) only marks what the
// view must show, in marks the core owns for its whole life, and the editor's tick
// applies them (ApplyViewChanges); a change made on the view's own thread shows at once.
//
// Its trace lines keep the names the plug-in's host object always wrote ("Controller::").
class InstanceCore final : public ControllerLink {
 public:
  // Takes ownership of the model (not null). Links nothing yet: see Attach.
  explicit InstanceCore(std::unique_ptr<Model> model);
  ~InstanceCore();
  InstanceCore(const InstanceCore&) = delete;
  InstanceCore& operator=(const InstanceCore&) = delete;

  // Links the face that hosts the core, and the core to its model's notifications.
  void Attach(InstanceHost& host);
  Model& GetModel() { return *model; }

  // Identity and shape (any thread).
  const char* GetEffectName() const;
  const char* GetVendorString() const;
  const char* GetProductString() const;
  int32_t GetUniqueId() const;
  int32_t GetVendorVersion() const;
  int32_t GetPluginCategory() const;
  int32_t GetProgramCount() const { return programCount; }
  int32_t GetParameterCount() const { return parameterCount; }
  int32_t GetInputCount() const;
  int32_t GetOutputCount() const;
  bool IsParameterIndex(int32_t index) const { return index >= 0 && index < parameterCount; }
  bool IsProgramIndex(int32_t index) const { return index >= 0 && index < programCount; }

  // Parameters. Any thread; unknown indices are ignored, a NaN refused, anything else
  // held to 0..1.
  void SetParameter(int32_t index, float value);
  float GetParameter(int32_t index) const;
  // Any thread, as SetParameter (the LV2 face: the audio thread): a value in units (a NaN
  // refused, anything else held to the range). The parameter holds UnitsToValue(units);
  // delay times, gains and frequencies reach the sound as `units` itself, so a host sending
  // the quantity a normalised value stands for (computed in single precision) sounds as one
  // that sent the value.
  void SetParameterInUnits(int32_t index, float units);
  const char* GetParameterShortName(int32_t index) const;
  const char* GetParameterLongName(int32_t index) const;
  const char* GetParameterLabel(int32_t index) const;
  // Copies the current display text (at most `size` - 1 characters) into `text`.
  void GetParameterDisplay(int32_t index, char* text, int32_t size) const;

  // Any value of a parameter, without touching the live state (InstanceCoreParameters.cpp).
  // Any thread. An unknown index gets empty details and no text.
  ParameterDetails GetParameterDetails(int32_t index) const;
  // Any thread, no trace line: a normalised value (held to 0..1; NaN and unknown indices
  // give 0) in the parameter's units (ParameterDetails), and the normalised value nearest
  // to a value in units (held to the range; NaN gives NaN, unknown indices 0).
  float ValueToUnits(int32_t index, float value) const;
  float UnitsToValue(int32_t index, float units) const;
  // The display text of `value`, exactly as the model shows it when the parameter has it.
  void FormatParameterValue(int32_t index, float value, char* text, int32_t size) const;
  // The value a display text stands for; false where the text cannot be read.
  bool ParseParameterValue(int32_t index, const char* text, float& value) const;

  // Programs: the host's threads.
  void SelectProgram(int32_t program);
  int32_t GetSelectedProgram() const;
  void SetSelectedProgramName(const char* name);
  const char* GetSelectedProgramName() const;
  // Any program's name, or null for an index that names none.
  const char* GetProgramName(int32_t program) const;

  // State: the host's threads. Save fills the core's buffer, valid until the next save
  // or the core's end; Load applies all or nothing and answers whether it did.
  const ChunkBuffer& SaveState(bool selectedProgramOnly);
  bool LoadState(const void* data, int32_t size, bool selectedProgramOnly);
  // No chunk of this plug-in comes near this size; bytes past it are never read.
  static constexpr int32_t kLargestStateRead = 64 * 1024;

  // The state every format but VST2 saves (InstanceCoreState.cpp): the bank chunk followed
  // by the selected program (int32, little-endian). The host's threads. Save fills the
  // core's buffer as SaveState does.
  const ChunkBuffer& SaveInstanceState();
  // Takes that form, a bare bank chunk (the selection stays) or a program chunk (into the
  // selected program); anything else is refused with nothing changed.
  bool LoadInstanceState(const void* data, int32_t size);
  // LoadState for exactly one chunk: bytes past it refuse the load too.
  bool LoadWholeChunk(const void* data, int32_t size, bool selectedProgramOnly);

  // Any thread: how long the output goes on after the input stops, in seconds (infinity:
  // for ever).
  double GetTailSeconds() const;

  // Processing: the audio thread. MIDI messages and the host's time belong to the next block.
  void SetSampleRate(float rate);  // the host's thread, while not processing
  void PushMidi(const MidiMessage& message);
  void SetHostTime(const HostTime& time);
  void ProcessBlock(float** inputs, float** outputs, int32_t frames);
  // Any thread: the host activated (or reset) the plug-in again; the next block drops the
  // echoes in flight as a transport stop drops them, the transport reading as the host
  // last gave it.
  void StartAfresh();
  // Audio thread, while a learned controller's change is told (ParameterSetByPlugin): the
  // frame of the ProcessBlock call it acts at.
  int32_t GetMidiDispatchFrame() const;

  // The editor. User-interface thread.
  // Takes ownership of the editor a face made for this instance (null: none).
  void SetEditor(std::unique_ptr<InstanceEditor> newEditor);
  bool HasEditor() const { return editor != nullptr; }
  bool OpenEditor(NativeWindow parent);
  void CloseEditor();
  bool IsEditorOpen() const;
  EditorSize GetEditorSize();
  void IdleEditor();
  // The open view's event descriptor for a host's run loop, or -1 (InstanceEditor).
  int32_t GetEditorEventDescriptor() const;
  // The open view's own window as the host's window system names it, or none (InstanceEditor).
  NativeWindow GetEditorWindow() const;
  // The factor the host told the editor to draw at; an open view is made again at a new
  // one. Non-factors (NaN, zero, negative) are refused: false.
  bool SetHostScaleFactor(float factor);
  // The factor last told, or 0 while the host has told none.
  float GetHostScaleFactor() const { return hostScaleFactor; }
  // The editor asks the host for another size.
  bool RequestEditorResize(int32_t width, int32_t height);

  // The view half (InstanceCoreView.cpp, InstanceCoreMenus.cpp).
  // User-interface thread: the editor attaches its view when it opens and null when it closes.
  void SetView(ViewLink* newView);
  // Any thread: every control is to show the model's values again.
  void UpdateViewParameters();
  // User-interface thread: the status line shows the parameter's name, value and label.
  void UpdateViewStatusText(int32_t index);
  // User-interface thread, from the editor's tick: shows what other threads marked. A
  // control in a gesture keeps its marks until the gesture ends, then shows the latest: a
  // host's echo of the drag's own edits would pull the control back under the mouse.
  void ApplyViewChanges();
  // User-interface thread: the editor's periodic tick, after ApplyViewChanges and outside
  // any platform error trap: the host's turn (InstanceHost::EditorTicked).
  void OnEditorTick();
  // User-interface thread: the user began or ended a gesture on a parameter's control (a
  // drag, a click); the edits between them belong to it. The host hears each gesture
  // begin and end once: a begin while one is open, an end without one, and any without
  // a view are ignored; SetView ends the gestures the old view left open.
  void OnViewGestureBegan(int32_t index);
  void OnViewGestureEnded(int32_t index);
  // User-interface thread: the user edited a parameter's control (outside a gesture only
  // where the host takes such edits: InstanceHost::TakesEditsOutsideGestures).
  void OnViewParameterValueChanged(int32_t index, float value);
  // Audio thread: a learned MIDI controller set a parameter, or completed learning.
  void OnModelParameterValueChanged(int32_t index, float value) override;
  void OnModelMidiLearned() override;
  // User-interface thread: the mouse rests on, or left, a parameter's control.
  void OnParameterControlMouseHover(int32_t index);
  void OnParameterControlMouseLeave();
  // User-interface thread: the parameter's MIDI-learn menu at the control's top-left corner.
  void OnParameterControlRightClicked(int32_t index, NativeWindow controlWindow);
  // User-interface thread: the editor menu at the view's client point (x, y).
  void OnViewTitleClicked(int32_t x, int32_t y);
  // Replaces the menus and boxes (each editor gives its platform's; tests their own).
  void SetUserPrompts(UserPrompts& newPrompts);
  // User-interface thread: where the MIDI-learn menus' commands go instead of this core's
  // model (a model that mirrors an instance across a channel passes them on).
  void SetLearnCommands(LearnCommands& commands);

 private:
  // A NaN is refused; anything else is limited to the normalised range 0 to 1.
  static bool AcceptParameterValue(float& value);
  void SetViewControls();
  // User-interface thread: whether the user is in a gesture on the parameter's control.
  bool InViewGesture(int32_t index) const;
  // Any thread: marks a parameter's new value for its control and, unless a control is
  // hovered when the mark is applied, for the status line.
  void ShowParameterInView(int32_t index, float value);
  void ShowViewStatus(const char* text);
  // Applies the marks at once when the caller is the view's own thread.
  void ApplyViewChangesOnViewThread();
  // Tells the host the end of every gesture still open, in the order they began.
  void EndViewGestures();
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
  const int32_t programCount;
  const int32_t parameterCount;
  InstanceHost* host = nullptr;  // not owned
  std::unique_ptr<ChunkBuffer> chunkBuffer;
  std::unique_ptr<InstanceEditor> editor;
  ViewLink* view = nullptr;  // not owned; user-interface thread only
  std::atomic<std::thread::id> viewThread{};  // the thread that attached the open view
  std::unique_ptr<ParameterMark[]> parameterMarks;
  std::atomic<bool> allParametersMark{false};
  std::atomic<int32_t> statusMark{kNoStatusMark};
  bool isHoveringControl = false;  // user-interface thread only
  std::vector<int32_t> openGestures;  // the parameters in a gesture; user-interface thread only
  UserPrompts* prompts;                           // not owned
  std::unique_ptr<ModelLearnCommands> ownLearn;  // the model's own
  LearnCommands* learn;                          // not owned
  float hostScaleFactor = 0.0f;                  // user-interface thread only
  bool hostPlaying = true;                        // the transport as last given; audio thread only
  std::atomic<bool> startAfreshMark{false};       // set by StartAfresh, taken by the next block
};

}  // namespace VstToolkit
