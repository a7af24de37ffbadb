#pragma once

namespace VstToolkit {

// The platform's debug-output channel; chosen by the build (Win32 or none).
void WritePlatformTrace(const char* line);

}  // namespace VstToolkit
