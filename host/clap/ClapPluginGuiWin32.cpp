// The Windows editor's part: the Win32 window API. The Win32 editor shows other threads'
// changes on a timer of its own, so it needs no host timer.
#include "host/clap/ClapPlugin.h"

namespace VstToolkit {

const char* ClapPlugin::WindowApi() {
  return CLAP_WINDOW_API_WIN32;
}

void ClapPlugin::StartIdle() {}

void ClapPlugin::StopIdle() {}

}  // namespace VstToolkit
