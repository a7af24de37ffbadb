#include "tools/quorvel-host/HostedVst3.h"

#include <algorithm>
#include <vector>

#include "host/vst3/Vst3Processor.h"

#include "tools/quorvel-host/Vst3Instance.h"
#include "tools/quorvel-host/Vst3Module.h"
#include "tools/quorvel-host/Vst3ParameterChanges.h"
#include "tools/quorvel-host/Vst3PlugFrame.h"
#include "tools/quorvel-host/Vst3Text.h"

namespace QuorvelHost {

namespace Vst = Steinberg::Vst;

namespace {

constexpr int32_t kChannels = 16;
constexpr int32_t kControllers = 128;

HostedParameter Describe(Vst::IEditController& controller, const Vst::ParameterInfo& info) {
  HostedParameter parameter;
  parameter.id = info.id;
  parameter.name = Vst3Text::Ascii(info.title);
  parameter.shortName = Vst3Text::Ascii(info.shortTitle);
  parameter.unit = Vst3Text::Ascii(info.units);
  const int32_t steps = std::max(info.stepCount, 0);
  parameter.max = steps > 0 ? steps : 1.0;
  parameter.defaultValue = info.defaultNormalizedValue * parameter.max;
  if ((info.flags & Vst::ParameterInfo::kIsBypass) != 0) {
    parameter.kind = HostedParameter::Kind::kBypass;
  } else if (steps == 1) {
    parameter.kind = HostedParameter::Kind::kSwitch;
  } else if (steps > 1) {
    parameter.kind = HostedParameter::Kind::kChoice;
    // Texts for a list a person reads; a longer one is counted by its steps alone.
    for (int32_t k = 0; steps < 128 && k <= steps; ++k) {
      Vst::String128 text{};
      controller.getParamStringByValue(info.id, static_cast<double>(k) / steps, text);
      parameter.choices.push_back(Vst3Text::Ascii(text));
    }
  }
  return parameter;
}

class Vst3Adapter final : public HostedPlugin {
 public:
  Vst3Adapter(std::unique_ptr<Vst3Module> module, std::unique_ptr<Vst3Instance> owned)
      : module_(std::move(module)), owned_(std::move(owned)), instance_(*owned_) {
    Vst::IEditController* controller = instance_.Controller();
    for (Steinberg::int32 i = 0; controller != nullptr && i < controller->getParameterCount(); ++i) {
      Vst::ParameterInfo info{};
      if (controller->getParameterInfo(i, info) != Steinberg::kResultOk) {
        continue;
      }
      if ((info.flags & Vst::ParameterInfo::kIsProgramChange) != 0 && !hasProgram_) {
        hasProgram_ = true;
        programId_ = info.id;
        programSteps_ = std::max(info.stepCount, 0);
      } else if ((info.flags & Vst::ParameterInfo::kIsHidden) == 0) {
        parameters_.push_back(Describe(*controller, info));
        steps_.push_back(std::max(info.stepCount, 0));
      }
    }
    ReadMidiMapping();
    changes_.Reserve(static_cast<int32_t>(parameters_.size()) + 8, 2 * kControllers);
    flushed_.Reserve(1, 1);
    Steinberg::PClassInfo info{};
    module_->FindAudioClass(info);
    name_ = info.name;
  }

  ~Vst3Adapter() override { CloseEditor(); }

  std::string Name() const override { return name_; }
  const std::vector<HostedParameter>& Parameters() const override { return parameters_; }
  int32_t ProgramCount() const override { return hasProgram_ ? programSteps_ + 1 : 0; }

  bool Activate(double sampleRate, int32_t maxBlock, std::string& error) override {
    sampleRate_ = sampleRate;
    if (!instance_.Start(sampleRate, maxBlock)) {
      error = "the plug-in refused a stereo 32-bit set-up at " + std::to_string(sampleRate) + " Hz";
      return false;
    }
    return true;
  }

  void Deactivate() override { instance_.Stop(); }

  void SetValue(size_t index, double plain) override {
    if (index < parameters_.size()) {
      Flush(parameters_[index].id, Normalized(index, plain));
    }
  }

  bool SelectProgram(int32_t program, std::string& error) override {
    if (!hasProgram_ || program < 0 || program > programSteps_) {
      error = "the plug-in has no program " + std::to_string(program);
      return false;
    }
    Flush(programId_, static_cast<double>(program) / (programSteps_ > 0 ? programSteps_ : 1));
    return true;
  }

  std::vector<uint8_t> GetState(bool) override { return instance_.GetState(); }
  bool SetState(const std::vector<uint8_t>& bytes, bool) override { return instance_.SetState(bytes); }

  void QueueValue(size_t index, double plain, int32_t offset) override {
    if (index < parameters_.size()) {
      changes_.Add(parameters_[index].id, offset, Normalized(index, plain));
    }
  }

  void QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) override {
    if ((status & 0xF0) != 0xB0 || data1 >= kControllers) {
      return;
    }
    const Vst::ParamID id = controllers_[static_cast<size_t>((status & 0x0F) * kControllers + data1)];
    if (id != kUnmapped) {  // a controller the plug-in does not map has no effect, as a VST2 plug-in ignoring it
      changes_.Add(id, offset, data2 / 127.0);
    }
  }

  void Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
               int64_t songFrame) override {
    context_.state = Vst::ProcessContext::kTempoValid | Vst::ProcessContext::kProjectTimeMusicValid |
                     Vst::ProcessContext::kTimeSigValid |
                     (transport.playing ? uint32_t{Vst::ProcessContext::kPlaying} : 0u);
    context_.sampleRate = sampleRate_;
    context_.projectTimeSamples = songFrame;
    context_.projectTimeMusic = transport.QuarterNotesAt(songFrame, sampleRate_);
    context_.tempo = transport.tempo;
    context_.timeSigNumerator = transport.numerator;
    context_.timeSigDenominator = transport.denominator;
    instance_.Process(inputs, outputs, frames, &changes_, &context_);
    changes_.Clear();
  }

  // The view attaches to whichever window type the plug-in supports; the frame is its run loop.
  bool OpenEditor(void* parent, double scale, std::string& error) override {
    view_ = instance_.Controller() != nullptr ? instance_.Controller()->createView("editor") : nullptr;
    if (view_ == nullptr) {
      error = "the plug-in makes no editor view";
      return false;
    }
    Steinberg::FIDString type = nullptr;
    for (Steinberg::FIDString candidate : {Steinberg::kPlatformTypeX11EmbedWindowID, Steinberg::kPlatformTypeHWND}) {
      if (type == nullptr && view_->isPlatformTypeSupported(candidate) == Steinberg::kResultTrue) {
        type = candidate;
      }
    }
    view_->setFrame(&frame_);
    void* scaling = nullptr;
    if (view_->queryInterface(Steinberg::IPlugViewContentScaleSupport::iid.toTUID(), &scaling) == Steinberg::kResultOk) {
      static_cast<Steinberg::IPlugViewContentScaleSupport*>(scaling)->setContentScaleFactor(static_cast<float>(scale));
      static_cast<Steinberg::IPlugViewContentScaleSupport*>(scaling)->release();
    }
    attached_ = type != nullptr && view_->attached(parent, type) == Steinberg::kResultOk;
    if (!attached_) {
      error = "the view attaches to no window of this platform";
      CloseEditor();
    }
    return attached_;
  }

  void IdleEditor() override { frame_.Pump(); }

  void CloseEditor() override {
    if (view_ != nullptr) {
      if (attached_) {
        view_->removed();
      }
      view_->setFrame(nullptr);
      view_->release();
      view_ = nullptr;
      attached_ = false;
    }
  }

  const char* ProcessCallName() const override { return "process"; }

 private:
  static constexpr Vst::ParamID kUnmapped = 0xFFFFFFFFu;

  // The parameter each channel's controller drives, asked once rather than on the audio thread.
  void ReadMidiMapping() {
    controllers_.assign(kChannels * kControllers, kUnmapped);
    auto* mapping = static_cast<Vst::IMidiMapping*>(instance_.Query(Vst::IMidiMapping::iid));
    for (int32_t channel = 0; mapping != nullptr && channel < kChannels; ++channel) {
      for (Vst::CtrlNumber number = 0; number < kControllers; ++number) {
        Vst::ParamID id = 0;
        if (mapping->getMidiControllerAssignment(0, static_cast<Steinberg::int16>(channel), number, id) ==
            Steinberg::kResultTrue) {
          controllers_[static_cast<size_t>(channel * kControllers + number)] = id;
        }
      }
    }
    if (mapping != nullptr) {
      mapping->release();
    }
  }

  double Normalized(size_t index, double plain) const {
    const int32_t steps = steps_[index];
    return steps > 0 ? plain / steps : plain;
  }

  // A block of no frames carrying one change: how a host sets a value outside playing.
  void Flush(Vst::ParamID id, double normalized) {
    flushed_.Clear();
    flushed_.Add(id, 0, normalized);
    instance_.Process(nullptr, nullptr, 0, &flushed_, nullptr);
  }

  std::unique_ptr<Vst3Module> module_;
  std::unique_ptr<Vst3Instance> owned_;
  Vst3Instance& instance_;
  std::string name_;
  std::vector<HostedParameter> parameters_;
  std::vector<int32_t> steps_;  // each parameter's stepCount
  bool hasProgram_ = false;
  Vst::ParamID programId_ = 0;
  int32_t programSteps_ = 0;
  std::vector<Vst::ParamID> controllers_;
  double sampleRate_ = 44100.0;
  Vst3ParameterChanges changes_;
  Vst3ParameterChanges flushed_;
  Vst::ProcessContext context_{};
  Vst3PlugFrame frame_;
  Steinberg::IPlugView* view_ = nullptr;
  bool attached_ = false;
};

}  // namespace

std::unique_ptr<HostedPlugin> HostedVst3::Open(const std::string& path, std::string& error) {
  std::unique_ptr<Vst3Module> module = Vst3Module::Open(path, error);
  std::unique_ptr<Vst3Instance> instance = module ? Vst3Instance::Create(*module, error) : nullptr;
  if (instance == nullptr) {
    return nullptr;
  }
  return std::make_unique<Vst3Adapter>(std::move(module), std::move(instance));
}

}  // namespace QuorvelHost
