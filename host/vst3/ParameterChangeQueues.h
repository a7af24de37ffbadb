#pragma once

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <memory>

#include "host/vst3/Vst3ParameterIds.h"
#include "host/vst3/Vst3Processor.h"

namespace VstToolkit {

// The host's parameter changes for one block, read in the order of their sample offsets
// without a copy: one cursor per queue, into storage made once. A host's queue is read
// forwards only; a point whose offset lies before one already taken counts at the place
// reached, so a block never runs backwards.
// Threads: made on the host's thread, used on the audio thread.
class ParameterChangeQueues final {
 public:
  enum class Kind : uint8_t { kParameter, kProgram, kController };
  static constexpr int32_t kNone = std::numeric_limits<int32_t>::max();

  // Room for one queue per ID the face knows: `parameterCount` parameters, the program, the
  // bypass (a parameter's kind), the controllers. A host that sends more queues than that
  // has the rest ignored.
  explicit ParameterChangeQueues(int32_t parameterCount);
  ParameterChangeQueues(const ParameterChangeQueues&) = delete;
  ParameterChangeQueues& operator=(const ParameterChangeQueues&) = delete;

  // Audio thread: takes the block's queues (null: none); queues of unknown IDs are skipped.
  void Begin(Steinberg::Vst::IParameterChanges* changes);
  // Audio thread: the smallest offset of a parameter or program change not yet taken, or kNone.
  int32_t NextChangeOffset() const;
  // Audio thread: whether the block brought no change at all (the common case).
  bool Empty() const { return count == 0; }

  // Audio thread: takes every parameter and program change at or before `offset` (kNone:
  // all), calling apply(kind, id, value) once per queue with its last value there, the
  // program's queue first, so that the block's parameter values override the program's.
  template <typename Apply>
  void TakeChangesUpTo(int32_t offset, Apply&& apply) {
    for (Kind kind : {Kind::kProgram, Kind::kParameter}) {
      for (int32_t i = 0; i < count; ++i) {
        Cursor& cursor = cursors[i];
        if (cursor.kind != kind || cursor.offset == kNone || cursor.offset > offset) {
          continue;
        }
        double value = cursor.value;
        while (Advance(cursor) && cursor.offset <= offset) {
          value = cursor.value;
        }
        apply(kind, cursor.id, value);
      }
    }
  }

  // Audio thread: takes the controller changes before `end` (kNone: all), in the order of
  // their offsets (equal offsets in the host's order of queues): take(id, offset, value).
  template <typename Take>
  void TakeControllersBefore(int32_t end, Take&& take) {
    for (;;) {
      Cursor* first = nullptr;
      for (int32_t i = 0; i < count; ++i) {
        Cursor& cursor = cursors[i];
        if (cursor.kind == Kind::kController && cursor.offset != kNone && (end == kNone || cursor.offset < end) &&
            (first == nullptr || cursor.offset < first->offset)) {
          first = &cursor;
        }
      }
      if (first == nullptr) {
        return;
      }
      take(first->id, first->offset, first->value);
      const int32_t taken = first->offset;
      if (Advance(*first) && first->offset < taken) {
        first->offset = taken;
      }
    }
  }

 private:
  struct Cursor {
    Steinberg::Vst::IParamValueQueue* queue = nullptr;
    Steinberg::Vst::ParamID id = 0;
    Kind kind = Kind::kParameter;
    int32_t points = 0;
    int32_t next = 0;        // the point after the one below
    int32_t offset = kNone;  // the current point's offset; kNone once all are taken
    double value = 0.0;
  };

  // Moves to the cursor's next point; false (offset kNone) when there is none.
  static bool Advance(Cursor& cursor);
  bool Classify(Steinberg::Vst::ParamID id, Kind& kind) const;

  const int32_t parameterCount;
  const int32_t capacity;
  std::unique_ptr<Cursor[]> cursors;
  int32_t count = 0;
};

}  // namespace VstToolkit
