#include "tools/quorvel-host/ClapHost.h"

#include <algorithm>
#include <cstring>

namespace QuorvelHost {

namespace {

// Takes `value` out of `values`; false where it was not there.
template <typename T>
bool Remove(std::vector<T>& values, T value) {
  const auto found = std::find(values.begin(), values.end(), value);
  if (found == values.end()) {
    return false;
  }
  values.erase(found);
  return true;
}

ClapHost* From(const clap_host_t* host) {
  return static_cast<ClapHost*>(host->host_data);
}

}  // namespace

ClapHost::ClapHost() : mainThread_(std::this_thread::get_id()) {
  record_.clap_version = CLAP_VERSION;
  record_.host_data = this;
  record_.name = "quorvel-host";
  record_.vendor = "Quorvel Sound Design";
  record_.url = "https://quorvel.example/delay";
  record_.version = "1";
  record_.get_extension = &ClapHost::GetExtension;
  record_.request_restart = [](const clap_host_t*) {};
  record_.request_process = [](const clap_host_t*) {};
  record_.request_callback = [](const clap_host_t* host) {
    ++From(host)->requests_[kCallback];
    From(host)->callbackPending_.store(true);
  };
}

bool ClapHost::OnMainThread() const {
  return std::this_thread::get_id() == mainThread_ && !OnAudioThread();
}

std::string ClapHost::Violations() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return violations_;
}

std::vector<ClapHost::Size> ClapHost::ResizeRequests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return resizes_;
}

void ClapHost::Violation(const std::string& what) {
  std::lock_guard<std::mutex> lock(mutex_);
  violations_ += (violations_.empty() ? "" : "; ") + what;
}

void ClapHost::Require(Allowed allowed, const char* call) {
  const bool main = allowed == kMainThread;
  if (main ? !OnMainThread() : OnAudioThread()) {
    Violation(call + std::string(main ? " called off the main thread" : " called from the audio thread"));
  }
}

// Each call checks its thread first: on the main thread, or anywhere but the audio thread.
const void* ClapHost::GetExtension(const clap_host_t*, const char* id) {
  static const clap_host_thread_check_t threadCheck = {
      [](const clap_host_t* host) { return From(host)->OnMainThread(); },
      [](const clap_host_t*) { return OnAudioThread(); },
  };
  static const clap_host_params_t params = {
      [](const clap_host_t* host, clap_param_rescan_flags) {
        From(host)->Require(kMainThread, "params.rescan");
        ++From(host)->requests_[kRescan];
      },
      [](const clap_host_t* host, clap_id, clap_param_clear_flags) {
        From(host)->Require(kMainThread, "params.clear");
      },
      [](const clap_host_t* host) {
        From(host)->Require(kNotAudioThread, "params.request_flush");
        ++From(host)->requests_[kFlush];
      },
  };
  static const clap_host_state_t state = {[](const clap_host_t* host) {
    From(host)->Require(kMainThread, "state.mark_dirty");
    ++From(host)->requests_[kDirty];
  }};
  static const clap_host_gui_t gui = {
      [](const clap_host_t* host) { From(host)->Require(kNotAudioThread, "gui.resize_hints_changed"); },
      [](const clap_host_t* host, uint32_t width, uint32_t height) {
        ClapHost* self = From(host);
        self->Require(kNotAudioThread, "gui.request_resize");
        std::lock_guard<std::mutex> lock(self->mutex_);
        self->resizes_.push_back(Size{width, height});
        return true;
      },
      [](const clap_host_t* host) {
        From(host)->Require(kNotAudioThread, "gui.request_show");
        return false;
      },
      [](const clap_host_t* host) {
        From(host)->Require(kNotAudioThread, "gui.request_hide");
        return false;
      },
      [](const clap_host_t* host, bool) { From(host)->Require(kNotAudioThread, "gui.closed"); },
  };
  static const clap_host_timer_support_t timers = {
      [](const clap_host_t* host, uint32_t, clap_id* timer) {
        ClapHost* self = From(host);
        self->Require(kMainThread, "timer-support.register_timer");
        if (timer == nullptr) {
          return false;
        }
        *timer = self->nextTimer_++;
        self->timers_.push_back(*timer);
        return true;
      },
      [](const clap_host_t* host, clap_id timer) {
        From(host)->Require(kMainThread, "timer-support.unregister_timer");
        return Remove(From(host)->timers_, timer);
      },
  };
  static const clap_host_posix_fd_support_t fds = {
      [](const clap_host_t* host, int fd, clap_posix_fd_flags_t) {
        ClapHost* self = From(host);
        self->Require(kMainThread, "posix-fd-support.register_fd");
        if (fd < 0 || std::count(self->descriptors_.begin(), self->descriptors_.end(), fd) > 0) {
          return false;
        }
        self->descriptors_.push_back(fd);
        return true;
      },
      [](const clap_host_t* host, int fd, clap_posix_fd_flags_t) {
        From(host)->Require(kMainThread, "posix-fd-support.modify_fd");
        return std::count(From(host)->descriptors_.begin(), From(host)->descriptors_.end(), fd) > 0;
      },
      [](const clap_host_t* host, int fd) {
        From(host)->Require(kMainThread, "posix-fd-support.unregister_fd");
        return Remove(From(host)->descriptors_, fd);
      },
  };
  const struct {
    const char* id;
    const void* extension;
  } extensions[] = {
      {CLAP_EXT_PARAMS, &params},        {CLAP_EXT_STATE, &state},          {CLAP_EXT_GUI, &gui},
      {CLAP_EXT_TIMER_SUPPORT, &timers}, {CLAP_EXT_POSIX_FD_SUPPORT, &fds}, {CLAP_EXT_THREAD_CHECK, &threadCheck}};
  for (const auto& extension : extensions) {
    if (id != nullptr && std::strcmp(id, extension.id) == 0) {
      return extension.extension;
    }
  }
  return nullptr;
}

}  // namespace QuorvelHost
