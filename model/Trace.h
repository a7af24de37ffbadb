#pragma once

namespace VstToolkit {

// Writes one trace line exactly as given (the caller supplies any "\r\n").
// On Windows the line goes to the debug-output channel; everywhere it also goes
// to the installed sink, if any. Any thread; takes no lock and allocates nothing.
void Trace(const char* line);

// A sink receives every trace line; tests install one to capture them.
// Without a sink (the default) traces are silent outside Windows.
using TraceSink = void (*)(const char* line, void* context);

// Installs (or, with null, removes) the sink. Not for use while other threads trace.
void SetTraceSink(TraceSink sink, void* context);

}  // namespace VstToolkit
