#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/vst2/VstInterface.h"
#include "tools/quorvel-host/HostCallback.h"

namespace QuorvelHost {

// One plug-in instance as a host drives it: every call goes through the AEffect
// record, which was checked when the instance was made, so that a module with
// a null record, a wrong magic number, missing functions or absurd counts ends
// in an error message instead of a crash. Closed (effClose) on destruction.
class PluginInstance final {
 public:
  // Upper limits of what a sane module reports; anything above is refused.
  static constexpr int32_t kMaxChannels = 64;
  static constexpr int32_t kMaxParameters = 10000;
  static constexpr int32_t kMaxPrograms = 10000;
  // Chunks larger than this are taken for garbage.
  static constexpr VstIntPtr kMaxChunkBytes = 256 * 1024 * 1024;

  static std::unique_ptr<PluginInstance> Create(VstPluginMainProc entry, const std::string& moduleName,
                                                std::string& error);
  ~PluginInstance();
  PluginInstance(const PluginInstance&) = delete;
  PluginInstance& operator=(const PluginInstance&) = delete;

  HostCallback& Host() { return host_; }
  AEffect* Effect() const { return effect_; }
  bool IsClosed() const { return closed_; }

  // Shape and identity straight from the record.
  int32_t InputCount() const { return effect_->numInputs; }
  int32_t OutputCount() const { return effect_->numOutputs; }
  int32_t ParameterCount() const { return effect_->numParams; }
  int32_t ProgramCount() const { return effect_->numPrograms; }
  int32_t Flags() const { return effect_->flags; }
  bool HasFlag(int32_t flag) const { return (effect_->flags & flag) != 0; }
  int32_t UniqueId() const { return effect_->uniqueID; }
  bool CanProcessReplacing() const { return effect_->processReplacing != nullptr; }

  // Any opcode; answers 0 once the instance is closed.
  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f);

  // A text opcode (names, labels, displays) read into a generous zeroed buffer,
  // so that a plug-in overrunning the published width does not corrupt memory;
  // the caller can compare the length with the width.
  std::string GetText(VstInt32 opcode, VstInt32 index = 0);

  // The usual start of a host: effOpen, sample rate, block size, switch on.
  void Start(double sampleRate, int32_t blockSize);
  void SetSampleRate(double sampleRate);
  void SetBlockSize(int32_t blockSize);
  void SetMains(bool on) { Dispatch(effMainsChanged, 0, on ? 1 : 0); }

  // Parameter calls ignore indices outside the reported count.
  void SetParameter(int32_t index, float value);
  float GetParameter(int32_t index);
  std::string ParameterName(int32_t index) { return GetText(effGetParamName, index); }
  std::string ParameterDisplay(int32_t index) { return GetText(effGetParamDisplay, index); }
  std::string ParameterLabel(int32_t index) { return GetText(effGetParamLabel, index); }
  void SetProgram(int32_t index) { Dispatch(effSetProgram, 0, index); }
  int32_t GetProgram() { return static_cast<int32_t>(Dispatch(effGetProgram)); }

  // A copy of the plug-in's chunk (empty when it offers none or an absurd one).
  std::vector<uint8_t> GetChunk(bool program);
  // True when the plug-in accepted the chunk.
  bool SetChunk(const std::vector<uint8_t>& chunk, bool program);

  void SendEvents(VstEvents* events) { Dispatch(effProcessEvents, 0, 0, events); }
  // processReplacing; does nothing when the module has none.
  void Process(float** inputs, float** outputs, int32_t frames);

  // effClose; the record must not be touched afterwards.
  void Close();

 private:
  PluginInstance() = default;

  HostCallback host_;
  AEffect* effect_ = nullptr;
  bool closed_ = false;
};

}  // namespace QuorvelHost
