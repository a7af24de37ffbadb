#include "tools/quorvel-host/Vst3PlugFrame.h"

#include <algorithm>

namespace QuorvelHost {

Steinberg::tresult Vst3PlugFrame::queryInterface(const Steinberg::TUID interfaceId, void** obj) {
  if (Steinberg::FUnknown::iid.Equals(interfaceId) || Steinberg::IPlugFrame::iid.Equals(interfaceId)) {
    addRef();
    *obj = static_cast<Steinberg::IPlugFrame*>(this);
    return Steinberg::kResultOk;
  }
  if (Steinberg::Linux::IRunLoop::iid.Equals(interfaceId)) {
    addRef();
    *obj = static_cast<Steinberg::Linux::IRunLoop*>(this);
    return Steinberg::kResultOk;
  }
  *obj = nullptr;
  return Steinberg::kNoInterface;
}

Steinberg::tresult Vst3PlugFrame::resizeView(Steinberg::IPlugView* view, Steinberg::ViewRect* newSize) {
  if (view == nullptr || newSize == nullptr) {
    return Steinberg::kInvalidArgument;
  }
  resizes_.push_back(Resize{newSize->getWidth(), newSize->getHeight()});
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
  const auto end = std::remove_if(handlers_.begin(), handlers_.end(),
                                  [handler](const EventHandler& entry) { return entry.handler == handler; });
  const bool found = end != handlers_.end();
  handlers_.erase(end, handlers_.end());
  return found ? Steinberg::kResultOk : Steinberg::kInvalidArgument;
}

Steinberg::tresult Vst3PlugFrame::registerTimer(Steinberg::Linux::ITimerHandler* handler,
                                                Steinberg::Linux::TimerInterval milliseconds) {
  if (handler == nullptr || milliseconds == 0) {
    return Steinberg::kInvalidArgument;
  }
  timers_.push_back(Timer{handler, milliseconds});
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3PlugFrame::unregisterTimer(Steinberg::Linux::ITimerHandler* handler) {
  const auto end =
      std::remove_if(timers_.begin(), timers_.end(), [handler](const Timer& entry) { return entry.handler == handler; });
  const bool found = end != timers_.end();
  timers_.erase(end, timers_.end());
  return found ? Steinberg::kResultOk : Steinberg::kInvalidArgument;
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
