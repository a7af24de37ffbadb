#include "tools/quorvel-host/Vst3PlugFrame.h"

#include <algorithm>

namespace QuorvelHost {

namespace {

// Forgets a handler's entries; kInvalidArgument where it had none.
template <typename Entry, typename Handler>
Steinberg::tresult Unregister(std::vector<Entry>& entries, Handler* handler) {
  const auto end =
      std::remove_if(entries.begin(), entries.end(), [handler](const Entry& entry) { return entry.handler == handler; });
  const bool found = end != entries.end();
  entries.erase(end, entries.end());
  return found ? Steinberg::kResultOk : Steinberg::kInvalidArgument;
}

}  // namespace

Steinberg::tresult Vst3PlugFrame::resizeView(Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) {
  if (view == nullptr || newSize == nullptr) {
    return Steinberg::kInvalidArgument;
  }
  resizes_.push_back(*newSize);
  // As hosts do: the window takes the size, and the view hears it.
  view->onSize(newSize);
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3PlugFrame::registerEventHandler(Steinberg::Linux::IEventHandler* handler,
                                                       Steinberg::Linux::FileDescriptor fd) {
  if (handler == nullptr || fd < 0) {
    return Steinberg::kInvalidArgument;
  }
  handlers_.push_back(EventHandler{handler, fd});
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3PlugFrame::unregisterEventHandler(Steinberg::Linux::IEventHandler* handler) {
  return Unregister(handlers_, handler);
}

Steinberg::tresult Vst3PlugFrame::registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                                Steinberg::Linux::TimerInterval milliseconds) {
  if (handler == nullptr || milliseconds == 0) {
    return Steinberg::kInvalidArgument;
  }
  timers_.push_back(Timer{handler});
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3PlugFrame::unregisterTimer(Steinberg::Linux::ITimerHandler* handler) {
  return Unregister(timers_, handler);
}

void Vst3PlugFrame::Pump() {
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

}  // namespace QuorvelHost
