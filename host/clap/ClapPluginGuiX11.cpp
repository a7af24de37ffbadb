// The Linux editor's part: the X11 window API, and idle work on the host's timer and on
// the editor's X connection through the host's file-descriptor support.
#include "host/clap/ClapPlugin.h"

namespace VstToolkit {

namespace {

// The host's idle rate, as VST2 hosts call idle.
constexpr uint32_t kTimerMilliseconds = 20;

}  // namespace

const char* ClapPlugin::WindowApi() {
  return CLAP_WINDOW_API_X11;
}

void ClapPlugin::StartIdle() {
  if (hostTimers != nullptr && hostTimers->register_timer != nullptr) {
    clap_id timer = CLAP_INVALID_ID;
    if (hostTimers->register_timer(host, kTimerMilliseconds, &timer)) {
      idleTimer = timer;
    }
  }
  const int32_t descriptor = core.GetEditorEventDescriptor();
  if (descriptor >= 0 && hostFds != nullptr && hostFds->register_fd != nullptr &&
      hostFds->register_fd(host, descriptor, CLAP_POSIX_FD_READ)) {
    idleDescriptor = descriptor;
  }
}

void ClapPlugin::StopIdle() {
  if (idleTimer != CLAP_INVALID_ID && hostTimers->unregister_timer != nullptr) {
    hostTimers->unregister_timer(host, idleTimer);
  }
  idleTimer = CLAP_INVALID_ID;
  if (idleDescriptor >= 0 && hostFds->unregister_fd != nullptr) {
    hostFds->unregister_fd(host, idleDescriptor);
  }
  idleDescriptor = -1;
}

}  // namespace VstToolkit
