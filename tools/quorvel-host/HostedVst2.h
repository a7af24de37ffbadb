#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/vst2/VstInterface.h"
#include "tools/module-library/ModuleLibrary.h"
#include "tools/quorvel-host/EventList.h"
#include "tools/quorvel-host/HostCallback.h"
#include "tools/quorvel-host/HostedPlugin.h"

namespace QuorvelHost {

// A VST2 module beneath HostedPlugin, and one instance as a host drives it: every call
// goes through the AEffect record, which was checked when the instance was made, so that
// a module with a null record, a wrong magic number, missing functions or absurd counts
// ends in an error message instead of a crash. Values are the normalized values VST2
// knows (it has no kinds of parameters a host could rely on), the events go over in
// effProcessEvents before processReplacing, the transport is what the host callback
// answers for audioMasterGetTime, and a state is a bank or a program chunk. Switched off
// (when opened) and closed (effClose) on destruction.
// Threads: as HostedPlugin; the raw calls below on the thread their opcode belongs to.
class HostedVst2 final : public HostedPlugin {
 public:
  // Main thread: the module at `path` with an instance of its own; null with a one-line
  // reason.
  static std::unique_ptr<HostedVst2> Open(const std::string& path, std::string& error);
  // Main thread: an instance from an entry point the caller keeps loaded (tests hand in
  // their own); null with a one-line reason.
  static std::unique_ptr<HostedVst2> Create(VstPluginMainProc entry, const std::string& moduleName,
                                            std::string& error);
  ~HostedVst2() override;

  std::string Name() const override { return GetText(effGetEffectName); }
  // Described on first use, so that an instance made for a check of call orders gets no
  // calls before the check's own.
  const std::vector<HostedParameter>& Parameters() const override;
  int32_t ProgramCount() const override { return effect_->numPrograms; }
  int32_t InputCount() const override { return effect_->numInputs; }
  int32_t OutputCount() const override { return effect_->numOutputs; }
  // effOpen once in an instance's life, then rate, block size and switched on, as hosts
  // start a plug-in again at another rate.
  bool Activate(double sampleRate, int32_t maxBlock, std::string& error) override;
  void Deactivate() override { SetMains(false); }
  // Ignores indices outside the reported count, as GetParameter does.
  void SetValue(size_t index, double plain) override;
  bool SelectProgram(int32_t program, std::string& error) override;
  // A copy of the plug-in's chunk (empty when it offers none or an absurd one).
  std::vector<uint8_t> GetState(bool program) override;
  bool SetState(const std::vector<uint8_t>& bytes, bool program) override;
  // VST2 automation has no frame: a value takes effect for the whole next block.
  void QueueValue(size_t index, double plain, int32_t) override { SetValue(index, plain); }
  void QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) override {
    events_.AddMidi(offset, status, data1, data2);
  }
  void DeliverEvents() override {
    if (events_.Count() > 0) {
      Dispatch(effProcessEvents, 0, 0, events_.Events());
    }
  }
  void Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
               int64_t songFrame) override;
  // VST2 has no scale a host could hand over.
  bool OpenEditor(void* parent, double scale, std::string& error) override;
  void IdleEditor() override;
  void CloseEditor() override;
  const char* ProcessCallName() const override { return "processReplacing"; }
  const char* EventsCallName() const override { return "processEvents"; }

  // What only VST2 has, for the checks and tests that drive the format itself.
  HostCallback& Host() { return host_; }
  AEffect* Effect() const { return effect_; }
  int32_t ParameterCount() const { return effect_->numParams; }
  bool HasFlag(int32_t flag) const { return (effect_->flags & flag) != 0; }

  // Any opcode; answers 0 once the instance is closed (the record forgotten).
  VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0, void* ptr = nullptr,
                     float opt = 0.0f) const;
  // A text opcode (names, labels, displays) read into a generous zeroed buffer,
  // so that a plug-in overrunning the published width does not corrupt memory;
  // the caller can compare the length with the width.
  std::string GetText(VstInt32 opcode, VstInt32 index = 0, VstIntPtr value = 0) const;

  void SetSampleRate(double sampleRate);
  void SetMains(bool on) { Dispatch(effMainsChanged, 0, on ? 1 : 0); }

  float GetParameter(int32_t index) const;
  void SetProgram(int32_t index) { Dispatch(effSetProgram, 0, index); }

  // effClose; the record is forgotten, so that later calls reach nothing.
  void Close();

 private:
  HostedVst2() = default;

  // Declared first, so that the module is unloaded after everything else is gone.
  std::unique_ptr<ModuleLibrary> library_;
  HostCallback host_;
  AEffect* effect_ = nullptr;
  bool opened_ = false;
  bool editorOpen_ = false;
  mutable std::vector<HostedParameter> parameters_;
  EventList events_;
};

}  // namespace QuorvelHost
