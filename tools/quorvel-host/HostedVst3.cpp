#include "tools/quorvel-host/HostedVst3.h"

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "host/vst3/Vst3Processor.h"

namespace QuorvelHost {

namespace Vst = Steinberg::Vst;

namespace {

constexpr int32_t kChannels = 16;
constexpr int32_t kControllers = 128;

// The host's IBStream over bytes in memory, as hosts hand plug-ins their state. It
// delivers and takes the bytes in pieces of at most `piece` bytes per call, as some hosts'
// streams do. Lives on the stack of its user.
class MemoryStream final : public Vst3Unknown<Steinberg::IBStream> {
 public:
  explicit MemoryStream(std::vector<uint8_t> bytes = {}, int32_t piece = 0x7FFFFFFF)
      : bytes_(std::move(bytes)), piece_(static_cast<size_t>(std::max(piece, 1))) {}

  const std::vector<uint8_t>& Bytes() const { return bytes_; }

  Steinberg::tresult read(void* buffer, Steinberg::int32 numBytes, Steinberg::int32* numBytesRead) override {
    return Move(buffer, numBytes, numBytesRead, true);
  }

  Steinberg::tresult write(void* buffer, Steinberg::int32 numBytes, Steinberg::int32* numBytesWritten) override {
    return Move(buffer, numBytes, numBytesWritten, false);
  }

  Steinberg::tresult seek(Steinberg::int64 pos, Steinberg::int32 mode, Steinberg::int64* result) override {
    const Steinberg::int64 base = mode == kIBSeekSet   ? 0
                                  : mode == kIBSeekCur ? static_cast<Steinberg::int64>(position_)
                                                       : static_cast<Steinberg::int64>(bytes_.size());
    if (base + pos < 0) {
      return Steinberg::kInvalidArgument;
    }
    position_ = static_cast<size_t>(base + pos);
    return result != nullptr ? tell(result) : Steinberg::kResultOk;
  }

  Steinberg::tresult tell(Steinberg::int64* pos) override {
    if (pos == nullptr) {
      return Steinberg::kInvalidArgument;
    }
    *pos = static_cast<Steinberg::int64>(position_);
    return Steinberg::kResultOk;
  }

 private:
  // Reads into `buffer` or writes from it at the position, a piece at most; past the end a
  // read gets no bytes and a write lengthens the stream.
  Steinberg::tresult Move(void* buffer, Steinberg::int32 numBytes, Steinberg::int32* told, bool reading) {
    if (buffer == nullptr || numBytes < 0) {
      return Steinberg::kInvalidArgument;
    }
    size_t count = std::min(static_cast<size_t>(numBytes), piece_);
    if (reading) {
      count = std::min(count, position_ < bytes_.size() ? bytes_.size() - position_ : 0);
    } else if (bytes_.size() < position_ + count) {
      bytes_.resize(position_ + count);
    }
    if (count > 0) {
      uint8_t* stream = bytes_.data() + position_;
      std::memcpy(reading ? buffer : stream, reading ? stream : buffer, count);
    }
    position_ += count;
    if (told != nullptr) {
      *told = static_cast<Steinberg::int32>(count);
    }
    return Steinberg::kResultOk;
  }

  std::vector<uint8_t> bytes_;
  size_t piece_;
  size_t position_ = 0;
};

HostedParameter Describe(Vst::IEditController& controller, const Vst::ParameterInfo& info) {
  HostedParameter parameter;
  parameter.id = info.id;
  parameter.name = HostedVst3::Ascii(info.title);
  parameter.shortName = HostedVst3::Ascii(info.shortTitle);
  parameter.unit = HostedVst3::Ascii(info.units);
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
      parameter.choices.push_back(HostedVst3::Ascii(text));
    }
  }
  return parameter;
}

}  // namespace

std::unique_ptr<HostedVst3> HostedVst3::Open(const std::string& path, std::string& error) {
  std::unique_ptr<Vst3Module> module = Vst3Module::Open(path, error);
  if (module == nullptr) {
    return nullptr;
  }
  std::unique_ptr<HostedVst3> plugin(new HostedVst3(std::move(module)));
  if (!plugin->Make(error)) {
    return nullptr;
  }
  for (const Vst::ParameterInfo& info : plugin->ParameterInfos()) {
    if ((info.flags & Vst::ParameterInfo::kIsProgramChange) != 0 && plugin->programSteps_ < 0) {
      plugin->programId_ = info.id;
      plugin->programSteps_ = std::max(info.stepCount, 0);
    } else if ((info.flags & Vst::ParameterInfo::kIsHidden) == 0) {
      plugin->parameters_.push_back(Describe(*plugin->controller_, info));
    }
  }
  plugin->ReadMidiMapping();
  plugin->changes_.Reserve(static_cast<int32_t>(plugin->parameters_.size()) + 8, 2 * kControllers);
  return plugin;
}

bool HostedVst3::Make(std::string& error) {
  component_ = module_->NewComponent(error);
  if (component_ == nullptr) {
    return false;
  }
  if (component_->initialize(static_cast<Vst::IHostApplication*>(&host_)) != Steinberg::kResultOk) {
    error = "the component refused initialize";
    component_->release();
    component_ = nullptr;
    return false;
  }
  processor_ = QueryOf<Vst::IAudioProcessor>(component_);
  if (processor_ == nullptr) {
    error = "the component has no audio processor";
    return false;
  }
  controller_ = QueryOf<Vst::IEditController>(component_);
  singleComponent_ = controller_ != nullptr;
  Steinberg::TUID controllerId{};
  if (!singleComponent_ && component_->getControllerClassId(controllerId) == Steinberg::kResultOk) {
    controller_ = module_->Create<Vst::IEditController>(controllerId);
  }
  if (!singleComponent_ && controller_ != nullptr) {
    // A controller of its own: initialised and connected as hosts do.
    controller_->initialize(static_cast<Vst::IHostApplication*>(&host_));
    Vst::IConnectionPoint* componentPoint = QueryOf<Vst::IConnectionPoint>(component_);
    Vst::IConnectionPoint* controllerPoint = QueryOf<Vst::IConnectionPoint>(controller_);
    if (componentPoint != nullptr && controllerPoint != nullptr) {
      componentPoint->connect(controllerPoint);
      controllerPoint->connect(componentPoint);
    }
    for (Vst::IConnectionPoint* point : {componentPoint, controllerPoint}) {
      if (point != nullptr) {
        point->release();
      }
    }
  }
  if (controller_ != nullptr) {
    controller_->setComponentHandler(&host_);
  }
  // Room for the plug-in's own changes in a block, made before any block.
  outputChanges_.Reserve(64, 256);
  Steinberg::PClassInfo info{};
  module_->FindAudioClass(info);
  name_ = info.name;
  return true;
}

HostedVst3::~HostedVst3() {
  CloseEditor();
  Deactivate();
  if (controller_ != nullptr) {
    controller_->setComponentHandler(nullptr);
    if (!singleComponent_) {
      controller_->terminate();
    }
    controller_->release();
  }
  if (processor_ != nullptr) {
    processor_->release();
  }
  if (component_ != nullptr) {
    component_->terminate();
    component_->release();
  }
}

std::string HostedVst3::Ascii(const Steinberg::char16* text) {
  std::string ascii;
  for (int i = 0; text != nullptr && i < 128 && text[i] != 0; ++i) {
    ascii.push_back(text[i] < 0x80 ? static_cast<char>(text[i]) : '?');
  }
  return ascii;
}

std::vector<Vst::ParameterInfo> HostedVst3::ParameterInfos() const {
  std::vector<Vst::ParameterInfo> infos;
  for (Steinberg::int32 i = 0; controller_ != nullptr && i < controller_->getParameterCount(); ++i) {
    Vst::ParameterInfo info{};
    if (controller_->getParameterInfo(i, info) == Steinberg::kResultOk) {
      infos.push_back(info);
    }
  }
  return infos;
}

bool HostedVst3::Activate(double sampleRate, int32_t maxBlock, std::string& error) {
  context_.sampleRate = sampleRate;
  Vst::SpeakerArrangement stereo = Vst::SpeakerArr::kStereo;
  processor_->setBusArrangements(&stereo, 1, &stereo, 1);
  Vst::ProcessSetup setup{Vst::kRealtime, Vst::kSample32, maxBlock, sampleRate};
  if (processor_->setupProcessing(setup) == Steinberg::kResultOk) {
    active_ = component_->setActive(1) == Steinberg::kResultOk;
    processing_ = active_ && processor_->setProcessing(1) == Steinberg::kResultOk;
  }
  if (!processing_) {
    error = "the plug-in refused a stereo 32-bit set-up at " + std::to_string(sampleRate) + " Hz";
  }
  return processing_;
}

void HostedVst3::Deactivate() {
  if (processing_) {
    processor_->setProcessing(0);
    processing_ = false;
  }
  if (active_) {
    component_->setActive(0);
    active_ = false;
  }
}

Steinberg::tresult HostedVst3::Process(float** inputs, float** outputs, int32_t frames,
                                       Vst3ParameterChanges* changes, Vst::ProcessContext* context) {
  inputBus_.channelBuffers32 = inputs;
  outputBus_.channelBuffers32 = outputs;
  data_.numSamples = frames;
  data_.numInputs = inputs != nullptr ? 1 : 0;
  data_.numOutputs = outputs != nullptr ? 1 : 0;
  data_.inputs = inputs != nullptr ? &inputBus_ : nullptr;
  data_.outputs = outputs != nullptr ? &outputBus_ : nullptr;
  data_.inputParameterChanges = changes;
  outputChanges_.Clear();
  data_.processContext = context;
  return processor_->process(data_);
}

std::vector<uint8_t> HostedVst3::GetState(bool) {
  MemoryStream stream;
  return component_->getState(&stream) == Steinberg::kResultOk ? stream.Bytes() : std::vector<uint8_t>{};
}

bool HostedVst3::LoadState(const std::vector<uint8_t>& bytes, int32_t piece) {
  MemoryStream stream(bytes, piece);
  const bool accepted = component_->setState(&stream) == Steinberg::kResultOk;
  if (accepted && controller_ != nullptr) {
    MemoryStream copy(bytes, piece);
    controller_->setComponentState(&copy);
  }
  return accepted;
}

void HostedVst3::SetValue(size_t index, double plain) {
  if (index < parameters_.size()) {
    Flush(parameters_[index].id, parameters_[index].NormalizedOf(plain));
  }
}

bool HostedVst3::SelectProgram(int32_t program, std::string& error) {
  if (program < 0 || program > programSteps_) {
    error = "the plug-in has no program " + std::to_string(program);
    return false;
  }
  Flush(programId_, static_cast<double>(program) / (programSteps_ > 0 ? programSteps_ : 1));
  return true;
}

void HostedVst3::QueueValue(size_t index, double plain, int32_t offset) {
  if (index < parameters_.size()) {
    changes_.Add(parameters_[index].id, offset, parameters_[index].NormalizedOf(plain));
  }
}

void HostedVst3::QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) {
  if ((status & 0xF0) != 0xB0 || data1 >= kControllers) {
    return;
  }
  const Vst::ParamID id = controllers_[static_cast<size_t>((status & 0x0F) * kControllers + data1)];
  if (id != kUnmapped) {  // a controller the plug-in does not map has no effect, as a VST2 plug-in ignoring it
    changes_.Add(id, offset, data2 / 127.0);
  }
}

void HostedVst3::Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
                         int64_t songFrame) {
  context_.state = Vst::ProcessContext::kTempoValid | Vst::ProcessContext::kProjectTimeMusicValid |
                   Vst::ProcessContext::kTimeSigValid |
                   (transport.playing ? uint32_t{Vst::ProcessContext::kPlaying} : 0u);
  context_.projectTimeSamples = songFrame;
  context_.projectTimeMusic = transport.QuarterNotesAt(songFrame, context_.sampleRate);
  context_.tempo = transport.tempo;
  context_.timeSigNumerator = transport.numerator;
  context_.timeSigDenominator = transport.denominator;
  Process(inputs, outputs, frames, &changes_, &context_);
  changes_.Clear();
}

bool HostedVst3::OpenEditor(void* parent, double scale, std::string& error) {
  view_ = controller_ != nullptr ? controller_->createView("editor") : nullptr;
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
  if (auto* scaling = QueryOf<Steinberg::IPlugViewContentScaleSupport>(view_)) {
    scaling->setContentScaleFactor(static_cast<float>(scale));
    scaling->release();
  }
  attached_ = type != nullptr && view_->attached(parent, type) == Steinberg::kResultOk;
  if (!attached_) {
    error = "the view attaches to no window of this platform";
    CloseEditor();
  }
  return attached_;
}

void HostedVst3::CloseEditor() {
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

// The parameter each channel's controller drives, asked once rather than on the audio thread.
void HostedVst3::ReadMidiMapping() {
  controllers_.assign(kChannels * kControllers, kUnmapped);
  auto* mapping = QueryOf<Vst::IMidiMapping>(controller_);
  for (size_t slot = 0; mapping != nullptr && slot < controllers_.size(); ++slot) {
    const auto channel = static_cast<Steinberg::int16>(slot / kControllers);
    const auto number = static_cast<Vst::CtrlNumber>(slot % kControllers);
    Vst::ParamID id = 0;
    if (mapping->getMidiControllerAssignment(0, channel, number, id) == Steinberg::kResultTrue) {
      controllers_[slot] = id;
    }
  }
  if (mapping != nullptr) {
    mapping->release();
  }
}

void HostedVst3::Flush(Vst::ParamID id, double normalized) {
  Vst3ParameterChanges flushed;
  flushed.Add(id, 0, normalized);
  Process(nullptr, nullptr, 0, &flushed, nullptr);
}

}  // namespace QuorvelHost
