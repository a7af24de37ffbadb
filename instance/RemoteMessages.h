#pragma once

#include <cstdint>

namespace VstToolkit {

// The small messages between an editor showing an instance from across a channel (another
// binary, another process) and the instance itself. The view sends commands; the instance
// answers with snapshots of what the view shows beyond what the host's own channel carries:
// every value, the learned controller map and the parameter being learned. Format-free:
// a face carries the bytes in its own containers. Every decoder checks the bytes it is
// given, which may come from anywhere.
// Any thread: nothing here allocates or keeps state.
class RemoteMessages final {
 public:
  enum class Kind : uint8_t {
    kNone = 0,
    kHello = 'H',            // view to instance: send a snapshot
    kStartLearning = 'L',    // view to instance: one byte, the parameter
    kStopLearning = 'S',     // view to instance
    kForgetController = 'F', // view to instance: one byte, the controller
    kClearControllers = 'X', // view to instance
    kSnapshot = 'V',         // instance to view
  };

  static constexpr int32_t kMaxParameters = 64;
  static constexpr int32_t kControllerCount = 128;
  // A controller that drives no parameter, in a snapshot's map.
  static constexpr uint8_t kUnmapped = 0xFF;
  // A command never needs more than this.
  static constexpr uint32_t kCommandSize = 2;
  static constexpr uint32_t kLargestSnapshot = 3 + 4 * kMaxParameters + kControllerCount;

  struct Command {
    Kind kind = Kind::kNone;
    uint8_t argument = 0;
  };
  struct Snapshot {
    int32_t parameterCount = 0;
    float values[kMaxParameters] = {};
    int32_t learning = -1;  // the parameter being learned, or -1
    uint8_t controllerMap[kControllerCount] = {};  // per controller: its parameter, or kUnmapped
  };

  // The bytes of a command into `out` (kCommandSize at least); their count.
  static uint32_t EncodeCommand(const Command& command, uint8_t* out);
  // A command of a known kind with the argument it needs; kNone for anything else.
  static Command DecodeCommand(const uint8_t* bytes, uint32_t size);

  // The bytes of a snapshot into `out` of `capacity`; their count, 0 where they do not fit.
  static uint32_t EncodeSnapshot(const Snapshot& snapshot, uint8_t* out, uint32_t capacity);
  // False, leaving `snapshot` unspecified, unless the bytes are exactly one snapshot of
  // `parameterCount` values, each a number in 0..1, and parameters in range.
  static bool DecodeSnapshot(const uint8_t* bytes, uint32_t size, int32_t parameterCount, Snapshot& snapshot);
};

}  // namespace VstToolkit
