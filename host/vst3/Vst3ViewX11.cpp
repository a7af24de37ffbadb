// The Linux view's part: the "X11EmbedWindowID" platform and the host's run loop, which
// the frame offers (IRunLoop) and which calls the editor's idle work on the X connection's
// events and on a timer.
#include "host/vst3/Vst3View.h"
#include "instance/InstanceCore.h"

namespace VstToolkit {

Steinberg::FIDString Vst3View::PlatformType() {
  return Steinberg::kPlatformTypeX11EmbedWindowID;
}

void Vst3View::StartIdle() {
  void* found = nullptr;
  if (frame == nullptr ||
      frame->queryInterface(Steinberg::Linux::IRunLoop::iid.toTUID(), &found) != Steinberg::kResultOk ||
      found == nullptr) {
    return;
  }
  runLoop = static_cast<Steinberg::Linux::IRunLoop*>(found);
  const int32_t descriptor = core.GetEditorEventDescriptor();
  if (descriptor >= 0) {
    runLoop->registerEventHandler(this, descriptor);
  }
  runLoop->registerTimer(this, kTimerMilliseconds);
}

void Vst3View::StopIdle() {
  if (runLoop == nullptr) {
    return;
  }
  runLoop->unregisterTimer(this);
  runLoop->unregisterEventHandler(this);
  runLoop->release();
  runLoop = nullptr;
}

}  // namespace VstToolkit
