// The Windows view's part: the "HWND" platform. The Win32 view shows other threads'
// changes on a timer of its own, so no host loop is needed.
#include "host/vst3/Vst3View.h"

namespace VstToolkit {

Steinberg::FIDString Vst3View::PlatformType() {
  return Steinberg::kPlatformTypeHWND;
}

void Vst3View::StartIdle() {}

void Vst3View::StopIdle() {}

}  // namespace VstToolkit
