#include <windows.h>

#include "model/TraceOutput.h"

namespace VstToolkit {

void WritePlatformTrace(const char* line) { OutputDebugStringA(line); }

}  // namespace VstToolkit
