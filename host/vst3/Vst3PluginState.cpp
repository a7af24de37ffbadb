// The component's state: the core's own bytes, or a VST2 plug-in's state a host hands over.
#include "host/vst3/StateStream.h"
#include "host/vst3/Vst2StateImage.h"
#include "host/vst3/Vst3Plugin.h"
#include "model/ChunkBuffer.h"

namespace VstToolkit {

namespace {

// The largest state read: the core's limit and the longest VST2 file image's headers
// ('VstW' header, bank header) before it.
constexpr int32_t kLargestStream = InstanceCore::kLargestStateRead + 256;

}  // namespace

Steinberg::tresult Vst3Plugin::SetComponentState(Steinberg::IBStream* state) {
  if (!StateStream::ReadAll(state, stateBytes, kLargestStream)) {
    return Steinberg::kResultFalse;
  }
  return LoadState(stateBytes.data(), static_cast<uint32_t>(stateBytes.size())) ? Steinberg::kResultOk
                                                                                 : Steinberg::kResultFalse;
}

bool Vst3Plugin::LoadState(const uint8_t* bytes, uint32_t size) {
  const Vst2StateImage image = Vst2StateImage::Read(bytes, size, core.GetUniqueId());
  switch (image.GetKind()) {
    case Vst2StateImage::Kind::kNotImage:
      return core.LoadInstanceState(bytes, static_cast<int32_t>(size));
    case Vst2StateImage::Kind::kBank:
      if (!core.LoadWholeChunk(image.GetChunk(), image.GetChunkSize(), false)) {
        return false;
      }
      // A version-2 bank names its current program; one that names none is loaded as is.
      if (core.IsProgramIndex(image.GetCurrentProgram())) {
        core.SelectProgram(image.GetCurrentProgram());
      }
      return true;
    case Vst2StateImage::Kind::kProgram:
      return core.LoadWholeChunk(image.GetChunk(), image.GetChunkSize(), true);
    case Vst2StateImage::Kind::kInvalid:
      break;
  }
  return false;
}

Steinberg::tresult Vst3Plugin::GetComponentState(Steinberg::IBStream* state) {
  const ChunkBuffer& chunk = core.SaveInstanceState();
  return StateStream::WriteAll(state, chunk.GetData(), static_cast<int32_t>(chunk.GetSize()))
             ? Steinberg::kResultOk
             : Steinberg::kResultFalse;
}

// The controller keeps nothing of its own: the component's state holds everything.
Steinberg::tresult Vst3Plugin::SetControllerState(Steinberg::IBStream*) {
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3Plugin::GetControllerState(Steinberg::IBStream*) {
  return Steinberg::kResultOk;
}

}  // namespace VstToolkit
