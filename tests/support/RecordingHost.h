#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "host/vst2/VstInterface.h"

namespace QuorvelTest {

// A host callback that records every call a plug-in makes and answers the
// version and time-information requests as the test arranges. One recorder is
// current at a time: the callback has no context argument of its own.
class RecordingHost final {
 public:
  struct Call {
    AEffect* effect;
    VstInt32 opcode;
    VstInt32 index;
    VstIntPtr value;
    void* ptr;
    float opt;
  };

  RecordingHost() { current = this; }
  ~RecordingHost() { current = nullptr; }
  RecordingHost(const RecordingHost&) = delete;
  RecordingHost& operator=(const RecordingHost&) = delete;

  static VstIntPtr Callback(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr,
                            float opt) {
    RecordingHost* host = current;
    if (host == nullptr) {
      return 0;
    }
    host->calls.push_back(Call{effect, opcode, index, value, ptr, opt});
    switch (opcode) {
      case audioMasterVersion:
        return host->version;
      case audioMasterGetTime:
        return reinterpret_cast<VstIntPtr>(host->timeInfo);
      default:
        return 0;
    }
  }

  std::vector<Call> CallsOf(VstInt32 opcode) const {
    std::vector<Call> found;
    for (const Call& call : calls) {
      if (call.opcode == opcode) {
        found.push_back(call);
      }
    }
    return found;
  }

  // The gestures' begins and ends and the automations, in order: "begin 1", "automate 1", "end 1".
  std::vector<std::string> Edits() const {
    std::vector<std::string> edits;
    for (const Call& call : calls) {
      if (call.opcode == audioMasterBeginEdit) edits.push_back("begin " + std::to_string(call.index));
      if (call.opcode == audioMasterAutomate) edits.push_back("automate " + std::to_string(call.index));
      if (call.opcode == audioMasterEndEdit) edits.push_back("end " + std::to_string(call.index));
    }
    return edits;
  }

  std::vector<Call> calls;
  VstIntPtr version = 2400;
  VstTimeInfo* timeInfo = nullptr;  // what audioMasterGetTime answers

 private:
  static inline RecordingHost* current = nullptr;
};

}  // namespace QuorvelTest
