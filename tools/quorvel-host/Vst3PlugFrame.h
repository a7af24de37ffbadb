#pragma once

#include <algorithm>
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

  void Pump() {
    // Copies: a handler may unregister itself (or another) while it runs.
    const std::vector<EventHandler> handlers = handlers_;
    for (const EventHandler& entry : handlers) {
      entry.handler->onFDIsSet(entry.fd);
    }
    const std::vector<Timer> timers = timers_;
    for (const Timer& entry : timers) {
      entry.handler->onTimer();
    }
  }

  Steinberg::tresult resizeView(Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) override {
    if (view == nullptr || newSize == nullptr) {
      return Steinberg::kInvalidArgument;
    }
    resizes_.push_back(*newSize);
    // As hosts do: the window takes the size, and the view hears it.
    view->onSize(newSize);
    return Steinberg::kResultOk;
  }
  Steinberg::tresult registerEventHandler(Steinberg::Linux::IEventHandler* handler,
                                          Steinberg::Linux::FileDescriptor fd) override {
    if (handler == nullptr || fd < 0) {
      return Steinberg::kInvalidArgument;
    }
    handlers_.push_back(EventHandler{handler, fd});
    return Steinberg::kResultOk;
  }
  Steinberg::tresult unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) override {
    return Unregister(handlers_, handler);
  }
  Steinberg::tresult registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                   Steinberg::Linux::TimerInterval milliseconds) override {
    if (handler == nullptr || milliseconds == 0) {
      return Steinberg::kInvalidArgument;
    }
    timers_.push_back(Timer{handler});
    return Steinberg::kResultOk;
  }
  Steinberg::tresult unregisterTimer(Steinberg::Linux::ITimerHandler* handler) override {
    return Unregister(timers_, handler);
  }

 private:
  struct EventHandler {
    Steinberg::Linux::IEventHandler* handler;
    Steinberg::Linux::FileDescriptor fd;
  };
  struct Timer {
    Steinberg::Linux::ITimerHandler* handler;  // fired at every turn, whatever its interval
  };

  // Forgets a handler's entries; kInvalidArgument where it had none.
  template <typename Entry, typename Handler>
  static Steinberg::tresult Unregister(std::vector<Entry>& entries, Handler* handler) {
    const auto end = std::remove_if(entries.begin(), entries.end(),
                                    [handler](const Entry& entry) { return entry.handler == handler; });
    const bool found = end != entries.end();
    entries.erase(end, entries.end());
    return found ? Steinberg::kResultOk : Steinberg::kInvalidArgument;
  }

  std::vector<Steinberg::ViewRect> resizes_;
  std::vector<EventHandler> handlers_;
  std::vector<Timer> timers_;
};

}  // namespace QuorvelHost
