#include "model/TraceOutput.h"

namespace VstToolkit {

// Outside Windows there is no system debug channel: traces reach only the sink.
void WritePlatformTrace(const char*) {}

}  // namespace VstToolkit
