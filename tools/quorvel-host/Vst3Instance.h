#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/vst3/Vst3EditController.h"
#include "tools/quorvel-host/Vst3HostContext.h"
#include "tools/quorvel-host/Vst3ParameterChanges.h"

namespace QuorvelHost {

class Vst3Module;

// One VST3 plug-in instance as hosts drive it: the component made by the factory and
// initialised with the host's context, its audio processor, and its edit controller (the
// component itself, or a class of its own, initialised and connected). Released in the
// opposite order, after processing and activation are switched off.
class Vst3Instance final {
 public:
  // Null with a one-line reason in `error` when the module makes no usable instance.
  static std::unique_ptr<Vst3Instance> Create(const Vst3Module& module, std::string& error);
  ~Vst3Instance();
  Vst3Instance(const Vst3Instance&) = delete;
  Vst3Instance& operator=(const Vst3Instance&) = delete;

  Steinberg::Vst::IComponent* Component() const { return component_; }
  Steinberg::Vst::IAudioProcessor* Processor() const { return processor_; }
  Steinberg::Vst::IEditController* Controller() const { return controller_; }
  // Another interface of the component or, failing that, of the controller (a reference
  // the caller releases), or null.
  void* Query(const Steinberg::FUID& interfaceId) const;
  Vst3HostContext& Host() { return host_; }
  bool IsSingleComponent() const { return singleComponent_; }

  // The usual start: stereo buses, 32-bit set-up, active, processing. False where the
  // plug-in refuses a step.
  bool Start(double sampleRate, int32_t maxBlock);
  // Processing and activation off (each only when on).
  void Stop();

  // One block of two channels in and out; `changes` and `context` may be null. The
  // plug-in's own changes land in OutputChanges().
  Steinberg::tresult Process(float** inputs, float** outputs, int32_t frames, Vst3ParameterChanges* changes,
                             Steinberg::Vst::ProcessContext* context);
  Vst3ParameterChanges& OutputChanges() { return outputChanges_; }

  // The component's state through a memory stream; empty where the plug-in fails.
  std::vector<uint8_t> GetState();
  // The component's state, delivered in pieces of at most `piece` bytes; the controller
  // gets it too, as hosts do. True when the component accepted it.
  bool SetState(const std::vector<uint8_t>& bytes, int32_t piece = 0x7FFFFFFF);

 private:
  Vst3Instance() = default;

  Vst3HostContext host_;
  Steinberg::Vst::IComponent* component_ = nullptr;
  Steinberg::Vst::IAudioProcessor* processor_ = nullptr;
  Steinberg::Vst::IEditController* controller_ = nullptr;
  bool singleComponent_ = true;
  bool active_ = false;
  bool processing_ = false;
  Vst3ParameterChanges outputChanges_;
  // The block's records, kept between calls so that a block costs the host no more than
  // filling in what changed.
  Steinberg::Vst::AudioBusBuffers inputBus_{};
  Steinberg::Vst::AudioBusBuffers outputBus_{};
  Steinberg::Vst::ProcessData data_{};
};

}  // namespace QuorvelHost
