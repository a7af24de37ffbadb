#pragma once

namespace VstToolkit {

class ClapPlugin;

// Gives a new CLAP instance the platform's editor (X11 windows drawn with cairo on Linux,
// Win32 windows on Windows), which opens in the host's window.
// The host's main thread, while it makes the instance.
void AttachClapEditor(ClapPlugin& plugin);

}  // namespace VstToolkit
