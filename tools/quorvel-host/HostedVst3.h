#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/vst3/Vst3EditController.h"
#include "tools/quorvel-host/HostedPlugin.h"
#include "tools/quorvel-host/Vst3HostContext.h"
#include "tools/quorvel-host/Vst3Module.h"
#include "tools/quorvel-host/Vst3ParameterChanges.h"
#include "tools/quorvel-host/Vst3PlugFrame.h"
#include "tools/quorvel-host/Vst3Unknown.h"

namespace QuorvelHost {

// A VST3 bundle beneath HostedPlugin, and its one instance as hosts drive it: the
// component made by the factory and initialised with the host's context, its audio
// processor, and its edit controller (the component itself, or a class of its own,
// initialised and connected), released in the opposite order after processing and
// activation are switched off. Plain values are 0..stepCount (0..1 where the parameter is
// continuous) and travel normalized in the block's parameter changes, or in a block of no
// frames outside playing; a program is the program-change parameter's step; a MIDI
// control change becomes the change of the parameter the plug-in's MIDI mapping names
// (other MIDI does not reach a VST3 plug-in); the transport is the process context.
// Threads: as HostedPlugin.
class HostedVst3 final : public HostedPlugin {
 public:
  // The bundle at `path` with an instance of its own; null with a one-line reason.
  static std::unique_ptr<HostedVst3> Open(const std::string& path, std::string& error);
  ~HostedVst3() override;

  std::string Name() const override { return name_; }
  const std::vector<HostedParameter>& Parameters() const override { return parameters_; }
  int32_t ProgramCount() const override { return programSteps_ + 1; }
  // The usual start: stereo buses, 32-bit set-up, active, processing. Deactivate switches
  // processing and activation off (each only when on).
  bool Activate(double sampleRate, int32_t maxBlock, std::string& error) override;
  void Deactivate() override;
  void SetValue(size_t index, double plain) override;
  bool SelectProgram(int32_t program, std::string& error) override;
  // The component's state (VST3 keeps no program's apart); empty where the plug-in fails.
  std::vector<uint8_t> GetState(bool) override;
  bool SetState(const std::vector<uint8_t>& bytes, bool) override { return LoadState(bytes); }
  void QueueValue(size_t index, double plain, int32_t offset) override;
  void QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) override;
  void Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
               int64_t songFrame) override;
  // The view attaches to whichever window type the plug-in supports; the frame is its run loop.
  bool OpenEditor(void* parent, double scale, std::string& error) override;
  void IdleEditor() override { frame_.Pump(); }
  void CloseEditor() override;
  const char* ProcessCallName() const override { return "process"; }

  // What only VST3 has, for the checks and tests that drive the format itself.
  const Vst3Module& Module() const { return *module_; }
  Steinberg::Vst::IComponent* Component() const { return component_; }
  Steinberg::Vst::IAudioProcessor* Processor() const { return processor_; }
  Steinberg::Vst::IEditController* Controller() const { return controller_; }
  // Any thread: a text the plug-in hands its host (a title, unit or name in a String128) as
  // ASCII, up to its terminator or the String128's end (its 128 units, the terminator among
  // them), whichever comes first; every character past ASCII as '?', a null pointer as "".
  static std::string Ascii(const Steinberg::char16* text);
  // Every parameter the controller lists, hidden ones included.
  std::vector<Steinberg::Vst::ParameterInfo> ParameterInfos() const;
  Vst3HostContext& Host() { return host_; }
  bool IsSingleComponent() const { return singleComponent_; }

  // One block of two channels in and out; `changes` and `context` may be null. The
  // plug-in's own changes land in OutputChanges().
  Steinberg::tresult Process(float** inputs, float** outputs, int32_t frames, Vst3ParameterChanges* changes,
                             Steinberg::Vst::ProcessContext* context);
  Vst3ParameterChanges& OutputChanges() { return outputChanges_; }
  // A block of no frames carrying one change: how a host sets a value outside playing.
  void Flush(Steinberg::Vst::ParamID id, double normalized);
  // The parameter each channel's controller maps to (at channel * 128 + number), or kUnmapped.
  static constexpr Steinberg::Vst::ParamID kUnmapped = 0xFFFFFFFFu;
  const std::vector<Steinberg::Vst::ParamID>& ControllerMap() const { return controllers_; }

  // The component's state, delivered in pieces of at most `piece` bytes; the controller
  // gets it too, as hosts do. True when the component accepted it.
  bool LoadState(const std::vector<uint8_t>& bytes, int32_t piece = 0x7FFFFFFF);

 private:
  explicit HostedVst3(std::unique_ptr<Vst3Module> module) : module_(std::move(module)) {}
  bool Make(std::string& error);
  void ReadMidiMapping();

  std::unique_ptr<Vst3Module> module_;
  Vst3HostContext host_;
  Steinberg::Vst::IComponent* component_ = nullptr;
  Steinberg::Vst::IAudioProcessor* processor_ = nullptr;
  Steinberg::Vst::IEditController* controller_ = nullptr;
  bool singleComponent_ = true;
  bool active_ = false;
  bool processing_ = false;
  std::string name_;
  std::vector<HostedParameter> parameters_;
  Steinberg::Vst::ParamID programId_ = 0;
  int32_t programSteps_ = -1;  // the program-change parameter's stepCount; -1 where it has none
  std::vector<Steinberg::Vst::ParamID> controllers_;
  Vst3ParameterChanges changes_;
  Vst3ParameterChanges outputChanges_;
  // The block's records, kept between calls so that a block costs the host no more than
  // filling in what changed (a bus is read only where the block has one).
  Steinberg::Vst::ProcessContext context_{};  // its sample rate: the one activated at
  Steinberg::Vst::AudioBusBuffers inputBus_{2, 0, {}};
  Steinberg::Vst::AudioBusBuffers outputBus_{2, 0, {}};
  Steinberg::Vst::ProcessData data_{Steinberg::Vst::kRealtime, Steinberg::Vst::kSample32, 0, 0, 0, nullptr, nullptr,
                                    nullptr, &outputChanges_, nullptr, nullptr, nullptr};
  Vst3PlugFrame frame_;
  Steinberg::IPlugView* view_ = nullptr;
  bool attached_ = false;
};

}  // namespace QuorvelHost
