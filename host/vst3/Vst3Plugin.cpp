#include "host/vst3/Vst3Plugin.h"

#include <utility>

#include "host/vst3/Utf16Text.h"
#include "model/Model.h"

namespace VstToolkit {

namespace Vst = Steinberg::Vst;

namespace {

// One stereo input, one stereo output, one event input for MIDI (through IMidiMapping).
constexpr Steinberg::int32 kAudioChannels = 2;
constexpr Steinberg::int32 kMidiChannels = 16;

}  // namespace

Vst3Plugin::Vst3Plugin(std::unique_ptr<Model> model)
    : core(std::move(model)),
      changes(core.GetParameterCount()),
      valuesBeforeProgram(new float[static_cast<size_t>(core.GetParameterCount())]()),
      setByHost(new bool[static_cast<size_t>(core.GetParameterCount())]()) {
  core.Attach(*this);
}

Vst3Plugin::~Vst3Plugin() {
  // The view goes first, while everything it reaches is alive.
  core.CloseEditor();
  ReleaseComponentHandler();
}

Steinberg::tresult Vst3Plugin::queryInterface(const Steinberg::TUID interfaceId, void** obj) {
  if (obj == nullptr) {
    return Steinberg::kInvalidArgument;
  }
  void* found = nullptr;
  if (Steinberg::FUnknown::iid.Equals(interfaceId) || Steinberg::IPluginBase::iid.Equals(interfaceId) ||
      Vst::IComponent::iid.Equals(interfaceId)) {
    found = static_cast<Vst::IComponent*>(this);
  } else if (Vst::IAudioProcessor::iid.Equals(interfaceId)) {
    found = static_cast<Vst::IAudioProcessor*>(this);
  } else if (Vst::IEditController::iid.Equals(interfaceId)) {
    found = static_cast<Vst::IEditController*>(this);
  } else if (Vst::IMidiMapping::iid.Equals(interfaceId)) {
    found = static_cast<Vst::IMidiMapping*>(this);
  } else if (Vst::IUnitInfo::iid.Equals(interfaceId)) {
    found = static_cast<Vst::IUnitInfo*>(this);
  } else if (Vst::IProcessContextRequirements::iid.Equals(interfaceId)) {
    found = static_cast<Vst::IProcessContextRequirements*>(this);
  }
  *obj = found;
  if (found == nullptr) {
    return Steinberg::kNoInterface;
  }
  addRef();
  return Steinberg::kResultOk;
}

Steinberg::uint32 Vst3Plugin::addRef() {
  return references.fetch_add(1, std::memory_order_relaxed) + 1;
}

Steinberg::uint32 Vst3Plugin::release() {
  const uint32 left = references.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (left == 0) {
    delete this;
  }
  return left;
}

Steinberg::tresult Vst3Plugin::initialize(Steinberg::FUnknown*) {
  // Everything was made with the object; the host context offers nothing this plug-in uses.
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3Plugin::terminate() {
  core.CloseEditor();
  ReleaseComponentHandler();
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3Plugin::getControllerClassId(Steinberg::TUID) {
  // The component is its own edit controller.
  return Steinberg::kResultFalse;
}

Steinberg::tresult Vst3Plugin::setIoMode(Vst::IoMode) {
  return Steinberg::kResultOk;
}

Steinberg::int32 Vst3Plugin::getBusCount(Vst::MediaType type, Vst::BusDirection dir) {
  if (type == Vst::kAudio && (dir == Vst::kInput || dir == Vst::kOutput)) {
    return 1;
  }
  return type == Vst::kEvent && dir == Vst::kInput ? 1 : 0;
}

Steinberg::tresult Vst3Plugin::getBusInfo(Vst::MediaType type, Vst::BusDirection dir, int32 index,
                                          Vst::BusInfo& bus) {
  if (index != 0 || getBusCount(type, dir) == 0) {
    return Steinberg::kInvalidArgument;
  }
  bus.mediaType = type;
  bus.direction = dir;
  bus.channelCount = type == Vst::kAudio ? kAudioChannels : kMidiChannels;
  const char* name = type == Vst::kEvent ? "MIDI Input" : (dir == Vst::kInput ? "Input" : "Output");
  Utf16Text::FromAscii(bus.name, 128, name);
  bus.busType = Vst::kMain;
  bus.flags = Vst::BusInfo::kDefaultActive;
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3Plugin::getRoutingInfo(Vst::RoutingInfo&, Vst::RoutingInfo&) {
  return Steinberg::kNotImplemented;
}

Steinberg::tresult Vst3Plugin::activateBus(Vst::MediaType type, Vst::BusDirection dir, int32 index, TBool) {
  // Every bus is processed whether the host activates it or not.
  return index == 0 && getBusCount(type, dir) != 0 ? Steinberg::kResultOk : Steinberg::kInvalidArgument;
}

Steinberg::tresult Vst3Plugin::setActive(TBool state) {
  // Nothing is set up or torn down here: hosts activate twice, or delete without deactivating.
  // Activated again after a deactivation, the plug-in starts afresh: the audio thread drops
  // the old echoes before its next block, so none comes back from before the pause.
  if (state == 0) {
    deactivated = true;
  } else if (deactivated) {
    deactivated = false;
    core.StartAfresh();
  }
  return Steinberg::kResultOk;
}

Steinberg::uint32 Vst3Plugin::getProcessContextRequirements() {
  using Requirements = Vst::IProcessContextRequirements;
  return Requirements::kNeedTempo | Requirements::kNeedTimeSignature | Requirements::kNeedProjectTimeMusic |
         Requirements::kNeedTransportState;
}

}  // namespace VstToolkit
