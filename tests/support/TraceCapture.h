#pragma once

#include <string>
#include <vector>

#include "model/Trace.h"

namespace QuorvelTest {

// Captures every trace line written while it is alive.
class TraceCapture final {
 public:
  TraceCapture() { VstToolkit::SetTraceSink(&TraceCapture::Receive, this); }
  ~TraceCapture() { VstToolkit::SetTraceSink(nullptr, nullptr); }
  TraceCapture(const TraceCapture&) = delete;
  TraceCapture& operator=(const TraceCapture&) = delete;

  const std::vector<std::string>& Lines() const { return lines; }
  void Clear() { lines.clear(); }

 private:
  static void Receive(const char* line, void* context) {
    static_cast<TraceCapture*>(context)->lines.emplace_back(line);
  }
  std::vector<std::string> lines;
};

}  // namespace QuorvelTest
