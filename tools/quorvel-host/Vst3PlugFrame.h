#pragma once

#include <vector>

#include "host/vst3/Vst3PlugView.h"
#include "tools/quorvel-host/Vst3Unknown.h"

namespace QuorvelHost {

// The host's side of a VST3 view: the frame it sits in (which records the sizes the view
// asks for) and, on Linux, the run loop the frame offers, which keeps the handlers the
// view registers. Pump stands for a turn of the host's loop: every registered descriptor
// is reported ready (a spurious report costs a plug-in one look) and every timer fires.
// Threads: the user-interface thread; references are only counted.
class Vst3PlugFrame final : public Vst3Unknown<Steinberg::IPlugFrame, Steinberg::Linux::IRunLoop> {
 public:
  const std::vector<Steinberg::ViewRect>& Resizes() const { return resizes_; }
  size_t EventHandlerCount() const { return handlers_.size(); }
  size_t TimerCount() const { return timers_.size(); }
  // The descriptor the first event handler watches, or -1.
  int FirstDescriptor() const { return handlers_.empty() ? -1 : handlers_.front().fd; }
  void Pump();

  Steinberg::tresult resizeView(Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) override;
  Steinberg::tresult registerEventHandler(Steinberg::Linux::IEventHandler* handler,
                                          Steinberg::Linux::FileDescriptor fd) override;
  Steinberg::tresult unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override;
  Steinberg::tresult registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                   Steinberg::Linux::TimerInterval milliseconds) override;
  Steinberg::tresult unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override;

 private:
  struct EventHandler {
    Steinberg::Linux::IEventHandler* handler;
    Steinberg::Linux::FileDescriptor fd;
  };
  struct Timer {
    Steinberg::Linux::ITimerHandler* handler;  // fired at every turn, whatever its interval
  };

  std::vector<Steinberg::ViewRect> resizes_;
  std::vector<EventHandler> handlers_;
  std::vector<Timer> timers_;
};

}  // namespace QuorvelHost
