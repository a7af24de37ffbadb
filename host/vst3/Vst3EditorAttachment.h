#pragma once

namespace VstToolkit {

class Vst3Plugin;

// Gives a new VST3 instance the platform's editor (X11 windows drawn with cairo on Linux,
// Win32 windows on Windows), which its views open in the host's window.
// The host's main thread, while it makes the instance.
void AttachVst3Editor(Vst3Plugin& plugin);

}  // namespace VstToolkit
