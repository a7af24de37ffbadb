#pragma once

#include <atomic>
#include <cstdint>

#include "host/vst3/Vst3PlugView.h"

namespace VstToolkit {

class InstanceCore;
class Vst3Plugin;

// The plug-in's editor as a VST3 view: attaching it opens the core's editor in the host's
// window ("X11EmbedWindowID" on Linux, "HWND" on Windows), removing it closes it. The
// host's content scale factor goes to the core; a view made again at a new factor asks
// the frame for its new size. On Linux the editor's idle work runs from the host's run
// loop, on the X connection's descriptor and a timer; the Windows view keeps a timer of
// its own. It holds a reference to the plug-in, which so outlives it.
// Threads: the host's user-interface thread, for every call.
class Vst3View final : public Steinberg::IPlugView,
                       public Steinberg::IPlugViewContentScaleSupport,
                       public Steinberg::Linux::IEventHandler,
                       public Steinberg::Linux::ITimerHandler {
 public:
  using tresult = Steinberg::tresult;

  // The plug-in's main thread (createView): reference count 1.
  Vst3View(Vst3Plugin& plugin, InstanceCore& core);
  Vst3View(const Vst3View&) = delete;
  Vst3View& operator=(const Vst3View&) = delete;

  tresult queryInterface(const Steinberg::TUID interfaceId, void** obj) override;
  Steinberg::uint32 addRef() override;
  Steinberg::uint32 release() override;

  tresult isPlatformTypeSupported(Steinberg::FIDString type) override;
  tresult attached(void* parent, Steinberg::FIDString type) override;
  tresult removed() override;
  tresult onWheel(float distance) override;
  tresult onKeyDown(Steinberg::char16 key, Steinberg::int16 keyCode, Steinberg::int16 modifiers) override;
  tresult onKeyUp(Steinberg::char16 key, Steinberg::int16 keyCode, Steinberg::int16 modifiers) override;
  tresult getSize(Steinberg::ViewRect* size) override;
  tresult onSize(Steinberg::ViewRect* newSize) override;
  tresult onFocus(Steinberg::TBool state) override;
  tresult setFrame(Steinberg::IPlugFrame* frame) override;
  tresult canResize() override;
  tresult checkSizeConstraint(Steinberg::ViewRect* rect) override;

  tresult setContentScaleFactor(ScaleFactor factor) override;

  // The host's run loop: events on the editor's connection, and the editor's timer.
  void onFDIsSet(Steinberg::Linux::FileDescriptor fd) override;
  void onTimer() override;

  // The editor was made again at another size: asks the frame for it; false where there
  // is no frame or the host keeps its window.
  bool RequestResize(int32_t width, int32_t height);

  // How often the editor's timer fires (the host's idle rate, as VST2 hosts call idle).
  static constexpr Steinberg::uint64 kTimerMilliseconds = 20;

 private:
  ~Vst3View();

  // The platform's part (Vst3ViewX11.cpp, Vst3ViewWin32.cpp).
  static Steinberg::FIDString PlatformType();
  // Starts and stops the editor's idle work once the view is attached.
  void StartIdle();
  void StopIdle();

  std::atomic<Steinberg::uint32> references{1};
  Vst3Plugin& plugin;
  InstanceCore& core;
  Steinberg::IPlugFrame* frame = nullptr;  // not owned: the host keeps it while it is set
  Steinberg::Linux::IRunLoop* runLoop = nullptr;  // a reference held while registered
  bool isAttached = false;
};

}  // namespace VstToolkit
