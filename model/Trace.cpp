#include "model/Trace.h"

#include "model/TraceOutput.h"

namespace VstToolkit {

namespace {
TraceSink installedSink = nullptr;
void* installedContext = nullptr;
}  // namespace

void Trace(const char* line) {
  WritePlatformTrace(line);
  if (installedSink != nullptr) {
    installedSink(line, installedContext);
  }
}

void SetTraceSink(TraceSink sink, void* context) {
  installedSink = sink;
  installedContext = context;
}

}  // namespace VstToolkit
