#include "tools/quorvel-host/Vst3Instance.h"

#include <cstring>

#include "tools/quorvel-host/Vst3MemoryStream.h"
#include "tools/quorvel-host/Vst3Module.h"

namespace QuorvelHost {

namespace Vst = Steinberg::Vst;

namespace {

template <typename Interface>
Interface* QueryOf(Steinberg::FUnknown* object) {
  void* found = nullptr;
  if (object == nullptr || object->queryInterface(Interface::iid.toTUID(), &found) != Steinberg::kResultOk) {
    return nullptr;
  }
  return static_cast<Interface*>(found);
}

}  // namespace

std::unique_ptr<Vst3Instance> Vst3Instance::Create(const Vst3Module& module, std::string& error) {
  Steinberg::PClassInfo info{};
  if (!module.FindAudioClass(info)) {
    error = "module " + module.Name() + " has no audio module class";
    return nullptr;
  }
  std::unique_ptr<Vst3Instance> instance(new Vst3Instance());
  void* made = nullptr;
  if (module.Factory()->createInstance(info.cid, Vst::IComponent::iid.toTUID(), &made) != Steinberg::kResultOk ||
      made == nullptr) {
    error = "module " + module.Name() + " made no component";
    return nullptr;
  }
  instance->component_ = static_cast<Vst::IComponent*>(made);
  if (instance->component_->initialize(static_cast<Vst::IHostApplication*>(&instance->host_)) !=
      Steinberg::kResultOk) {
    error = "the component refused initialize";
    instance->component_->release();
    instance->component_ = nullptr;
    return nullptr;
  }
  instance->processor_ = QueryOf<Vst::IAudioProcessor>(instance->component_);
  if (instance->processor_ == nullptr) {
    error = "the component has no audio processor";
    return nullptr;
  }
  instance->controller_ = QueryOf<Vst::IEditController>(instance->component_);
  if (instance->controller_ == nullptr) {
    // A controller of its own: made, initialised and connected as hosts do.
    Steinberg::TUID controllerId{};
    instance->singleComponent_ = false;
    if (instance->component_->getControllerClassId(controllerId) == Steinberg::kResultOk &&
        module.Factory()->createInstance(controllerId, Vst::IEditController::iid.toTUID(), &made) ==
            Steinberg::kResultOk &&
        made != nullptr) {
      instance->controller_ = static_cast<Vst::IEditController*>(made);
      instance->controller_->initialize(static_cast<Vst::IHostApplication*>(&instance->host_));
      Vst::IConnectionPoint* componentPoint = QueryOf<Vst::IConnectionPoint>(instance->component_);
      Vst::IConnectionPoint* controllerPoint = QueryOf<Vst::IConnectionPoint>(instance->controller_);
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
  }
  if (instance->controller_ != nullptr) {
    instance->controller_->setComponentHandler(&instance->host_);
  }
  // Room for the plug-in's own changes in a block, made before any block.
  instance->outputChanges_.Reserve(64, 256);
  return instance;
}

Vst3Instance::~Vst3Instance() {
  Stop();
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

void* Vst3Instance::Query(const Steinberg::FUID& interfaceId) const {
  void* found = nullptr;
  if (component_->queryInterface(interfaceId.toTUID(), &found) == Steinberg::kResultOk) {
    return found;
  }
  if (controller_ != nullptr && controller_->queryInterface(interfaceId.toTUID(), &found) == Steinberg::kResultOk) {
    return found;
  }
  return nullptr;
}

bool Vst3Instance::Start(double sampleRate, int32_t maxBlock) {
  Vst::SpeakerArrangement in = Vst::SpeakerArr::kStereo;
  Vst::SpeakerArrangement out = Vst::SpeakerArr::kStereo;
  processor_->setBusArrangements(&in, 1, &out, 1);
  Vst::ProcessSetup setup{Vst::kRealtime, Vst::kSample32, maxBlock, sampleRate};
  if (processor_->setupProcessing(setup) != Steinberg::kResultOk) {
    return false;
  }
  active_ = component_->setActive(1) == Steinberg::kResultOk;
  processing_ = active_ && processor_->setProcessing(1) == Steinberg::kResultOk;
  return processing_;
}

void Vst3Instance::Stop() {
  if (processing_) {
    processor_->setProcessing(0);
    processing_ = false;
  }
  if (active_) {
    component_->setActive(0);
    active_ = false;
  }
}

Steinberg::tresult Vst3Instance::Process(float** inputs, float** outputs, int32_t frames,
                                         Vst3ParameterChanges* changes, Vst::ProcessContext* context) {
  inputBus_.numChannels = inputs != nullptr ? 2 : 0;
  inputBus_.channelBuffers32 = inputs;
  outputBus_.numChannels = outputs != nullptr ? 2 : 0;
  outputBus_.channelBuffers32 = outputs;
  data_.processMode = Vst::kRealtime;
  data_.symbolicSampleSize = Vst::kSample32;
  data_.numSamples = frames;
  data_.numInputs = inputs != nullptr ? 1 : 0;
  data_.numOutputs = outputs != nullptr ? 1 : 0;
  data_.inputs = inputs != nullptr ? &inputBus_ : nullptr;
  data_.outputs = outputs != nullptr ? &outputBus_ : nullptr;
  data_.inputParameterChanges = changes;
  outputChanges_.Clear();
  data_.outputParameterChanges = &outputChanges_;
  data_.processContext = context;
  return processor_->process(data_);
}

std::vector<uint8_t> Vst3Instance::GetState() {
  Vst3MemoryStream stream;
  if (component_->getState(&stream) != Steinberg::kResultOk) {
    return {};
  }
  return stream.Bytes();
}

bool Vst3Instance::SetState(const std::vector<uint8_t>& bytes, int32_t piece) {
  Vst3MemoryStream stream(bytes, piece);
  const bool accepted = component_->setState(&stream) == Steinberg::kResultOk;
  if (accepted && controller_ != nullptr) {
    Vst3MemoryStream copy(bytes, piece);
    controller_->setComponentState(&copy);
  }
  return accepted;
}

}  // namespace QuorvelHost
