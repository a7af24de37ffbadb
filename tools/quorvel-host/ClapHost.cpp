#include "tools/quorvel-host/ClapHost.h"

#include <algorithm>
#include <cstring>

namespace QuorvelHost {

namespace {

thread_local int audioCalls = 0;

const clap_host_thread_check_t kThreadCheck = {
    [](const clap_host_t* host) { return static_cast<const ClapHost*>(host->host_data)->OnMainThread(); },
    [](const clap_host_t*) { return ClapHost::OnAudioThread(); },
};

}  // namespace

ClapHost::ClapHost() : mainThread_(std::this_thread::get_id()) {
  record_.clap_version = CLAP_VERSION;
  record_.host_data = this;
  record_.name = "quorvel-host";
  record_.vendor = "Quorvel Sound Design";
  record_.url = "https://quorvel.example/delay";
  record_.version = "1";
  record_.get_extension = &ClapHost::GetExtension;
  record_.request_restart = &ClapHost::RequestRestart;
  record_.request_process = &ClapHost::RequestProcess;
  record_.request_callback = &ClapHost::RequestCallback;
}

ClapHost::AudioCall::AudioCall() {
  ++audioCalls;
}

ClapHost::AudioCall::~AudioCall() {
  --audioCalls;
}

bool ClapHost::OnMainThread() const {
  return std::this_thread::get_id() == mainThread_ && audioCalls == 0;
}

bool ClapHost::OnAudioThread() {
  return audioCalls > 0;
}

std::vector<std::string> ClapHost::Violations() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return violations_;
}

std::vector<ClapHost::Size> ClapHost::ResizeRequests() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return resizes_;
}

void ClapHost::Violation(const std::string& what) {
  std::lock_guard<std::mutex> lock(mutex_);
  violations_.push_back(what);
}

ClapHost* ClapHost::From(const clap_host_t* host) {
  return static_cast<ClapHost*>(host->host_data);
}

void ClapHost::RequireMain(const char* call) {
  if (!OnMainThread()) {
    Violation(std::string(call) + " called off the main thread");
  }
}

void ClapHost::RequireNotAudio(const char* call) {
  if (OnAudioThread()) {
    Violation(std::string(call) + " called from the audio thread");
  }
}

const void* ClapHost::GetExtension(const clap_host_t*, const char* id) {
  static const clap_host_params_t params = {&ParamsRescan, &ParamsClear, &ParamsRequestFlush};
  static const clap_host_state_t state = {&StateMarkDirty};
  static const clap_host_gui_t gui = {&GuiResizeHintsChanged, &GuiRequestResize, &GuiRequestShow, &GuiRequestHide,
                                      &GuiClosed};
  static const clap_host_timer_support_t timers = {&RegisterTimer, &UnregisterTimer};
  static const clap_host_posix_fd_support_t fds = {&RegisterFd, &ModifyFd, &UnregisterFd};
  if (id == nullptr) {
    return nullptr;
  }
  const struct {
    const char* id;
    const void* extension;
  } extensions[] = {{CLAP_EXT_PARAMS, &params},        {CLAP_EXT_STATE, &state},
                    {CLAP_EXT_GUI, &gui},              {CLAP_EXT_TIMER_SUPPORT, &timers},
                    {CLAP_EXT_POSIX_FD_SUPPORT, &fds}, {CLAP_EXT_THREAD_CHECK, &kThreadCheck}};
  for (const auto& extension : extensions) {
    if (std::strcmp(id, extension.id) == 0) {
      return extension.extension;
    }
  }
  return nullptr;
}

void ClapHost::RequestRestart(const clap_host_t*) {}

void ClapHost::RequestProcess(const clap_host_t*) {}

void ClapHost::RequestCallback(const clap_host_t* host) {
  ClapHost* self = From(host);
  ++self->callbackRequests_;
  self->callbackPending_.store(true);
}

void ClapHost::ParamsRescan(const clap_host_t* host, clap_param_rescan_flags) {
  From(host)->RequireMain("params.rescan");
}

void ClapHost::ParamsClear(const clap_host_t* host, clap_id, clap_param_clear_flags) {
  From(host)->RequireMain("params.clear");
}

void ClapHost::ParamsRequestFlush(const clap_host_t* host) {
  ClapHost* self = From(host);
  self->RequireNotAudio("params.request_flush");
  ++self->flushRequests_;
}

void ClapHost::StateMarkDirty(const clap_host_t* host) {
  ClapHost* self = From(host);
  self->RequireMain("state.mark_dirty");
  ++self->dirtyMarks_;
}

void ClapHost::GuiResizeHintsChanged(const clap_host_t* host) {
  From(host)->RequireNotAudio("gui.resize_hints_changed");
}

bool ClapHost::GuiRequestResize(const clap_host_t* host, uint32_t width, uint32_t height) {
  ClapHost* self = From(host);
  self->RequireNotAudio("gui.request_resize");
  std::lock_guard<std::mutex> lock(self->mutex_);
  self->resizes_.push_back(Size{width, height});
  return true;
}

bool ClapHost::GuiRequestShow(const clap_host_t* host) {
  From(host)->RequireNotAudio("gui.request_show");
  return false;
}

bool ClapHost::GuiRequestHide(const clap_host_t* host) {
  From(host)->RequireNotAudio("gui.request_hide");
  return false;
}

void ClapHost::GuiClosed(const clap_host_t* host, bool) {
  From(host)->RequireNotAudio("gui.closed");
}

bool ClapHost::RegisterTimer(const clap_host_t* host, uint32_t, clap_id* id) {
  ClapHost* self = From(host);
  self->RequireMain("timer-support.register_timer");
  if (id == nullptr) {
    return false;
  }
  *id = self->nextTimer_++;
  self->timers_.push_back(*id);
  return true;
}

bool ClapHost::UnregisterTimer(const clap_host_t* host, clap_id id) {
  ClapHost* self = From(host);
  self->RequireMain("timer-support.unregister_timer");
  const auto found = std::find(self->timers_.begin(), self->timers_.end(), id);
  if (found == self->timers_.end()) {
    return false;
  }
  self->timers_.erase(found);
  return true;
}

bool ClapHost::RegisterFd(const clap_host_t* host, int fd, clap_posix_fd_flags_t) {
  ClapHost* self = From(host);
  self->RequireMain("posix-fd-support.register_fd");
  if (fd < 0 || std::find(self->descriptors_.begin(), self->descriptors_.end(), fd) != self->descriptors_.end()) {
    return false;
  }
  self->descriptors_.push_back(fd);
  return true;
}

bool ClapHost::ModifyFd(const clap_host_t* host, int fd, clap_posix_fd_flags_t) {
  ClapHost* self = From(host);
  self->RequireMain("posix-fd-support.modify_fd");
  return std::find(self->descriptors_.begin(), self->descriptors_.end(), fd) != self->descriptors_.end();
}

bool ClapHost::UnregisterFd(const clap_host_t* host, int fd) {
  ClapHost* self = From(host);
  self->RequireMain("posix-fd-support.unregister_fd");
  const auto found = std::find(self->descriptors_.begin(), self->descriptors_.end(), fd);
  if (found == self->descriptors_.end()) {
    return false;
  }
  self->descriptors_.erase(found);
  return true;
}

}  // namespace QuorvelHost
