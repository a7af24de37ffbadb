#pragma once

#include <cstdint>
#include <memory>

#include "host/vst2/AudioEffectX.h"
#include "instance/InstanceCore.h"
#include "instance/InstanceHost.h"

namespace VstToolkit {

class Model;

// The VST2 face of the plug-in: the object the host talks to. It translates every VST2
// call into the instance core it owns, and the core's news back into host calls.
// Pointers and buffers from the host are checked here; indices and values in the core.
class Controller final : public AudioEffectX, private InstanceHost {
 public:
  // Takes ownership of the model (not null) and links the core to it.
  Controller(audioMasterCallback audioMaster, std::unique_ptr<Model> model);
  ~Controller() override;

  // The core this face translates into (for the editor's wiring and for tests).
  InstanceCore& Core() { return core; }

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
  // The host's threads: the named program's name, whichever is selected (effGetProgramNameIndexed).
  bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text) override;
  // The host's threads: names and kind of a parameter, from the core's details (effGetParameterProperties).
  bool getParameterProperties(VstInt32 index, VstParameterProperties* properties) override;
  // User-interface thread: takes the factor of the host's vendor call ('PreS', 'AeCs')
  // for the editor; other vendor calls get 0.
  VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt) override;

  // Audio thread: feeds the host's tempo, position, transport and time signature to the core.
  void UpdateTimeInfo();

  // The time-information request: transport playing, song position, tempo, time signature.
  static constexpr VstInt32 kTimeInfoRequest =
      kVstTransportPlaying | kVstPpqPosValid | kVstTempoValid | kVstTimeSigValid;
  // No chunk of this plug-in comes near this size; bytes past it are never read.
  static constexpr VstInt32 kLargestChunkRead = InstanceCore::kLargestStateRead;

 private:
  // What the core tells the host.
  void BeginParameterEdit(int32_t index) override;
  void PerformParameterEdit(int32_t index, float value) override;
  void EndParameterEdit(int32_t index) override;
  void ParameterSetByPlugin(int32_t index, float value) override;
  bool ResizeEditor(int32_t width, int32_t height) override;
  void StateChanged() override;
  bool TakesEditsOutsideGestures() const override { return true; }

  bool HasChannels(float** buffers, VstInt32 count) const;
  // Copies one of the core's identity texts into a host buffer (not null).
  static bool CopyIdentity(char* destination, const char* text, int32_t width);

  InstanceCore core;
};

}  // namespace VstToolkit
