#include "host/vst3/ParameterChangeQueues.h"

namespace VstToolkit {

ParameterChangeQueues::ParameterChangeQueues(int32_t parameters)
    : parameterCount(parameters),
      capacity(parameters + 2 + Vst3ParameterIds::kControllerIdCount),
      cursors(new Cursor[static_cast<std::size_t>(capacity)]) {}

bool ParameterChangeQueues::Classify(Steinberg::Vst::ParamID id, Kind& kind) const {
  if (id < static_cast<Steinberg::Vst::ParamID>(parameterCount) || id == Vst3ParameterIds::kBypass) {
    kind = Kind::kParameter;
  } else if (id == Vst3ParameterIds::kProgram) {
    kind = Kind::kProgram;
  } else if (Vst3ParameterIds::IsController(id)) {
    kind = Kind::kController;
  } else {
    return false;
  }
  return true;
}

void ParameterChangeQueues::Begin(Steinberg::Vst::IParameterChanges* changes) {
  count = 0;
  const int32_t queues = changes != nullptr ? changes->getParameterCount() : 0;
  for (int32_t i = 0; i < queues && count < capacity; ++i) {
    Steinberg::Vst::IParamValueQueue* queue = changes->getParameterData(i);
    Kind kind = Kind::kParameter;
    if (queue == nullptr || !Classify(queue->getParameterId(), kind)) {
      continue;
    }
    Cursor& cursor = cursors[count];
    cursor = Cursor{queue, queue->getParameterId(), kind, queue->getPointCount(), 0, kNone, 0.0};
    if (Advance(cursor)) {
      // A negative offset counts as the block's start.
      cursor.offset = cursor.offset < 0 ? 0 : cursor.offset;
      ++count;
    }
  }
}

bool ParameterChangeQueues::Advance(Cursor& cursor) {
  cursor.offset = kNone;
  while (cursor.next < cursor.points) {
    int32_t offset = 0;
    double value = 0.0;
    const bool read = cursor.queue->getPoint(cursor.next++, offset, value) == Steinberg::kResultOk;
    // A NaN is no value at all: the point is skipped.
    if (read && value == value) {
      cursor.offset = offset < 0 ? 0 : (offset == kNone ? kNone - 1 : offset);
      cursor.value = value;
      return true;
    }
  }
  return false;
}

int32_t ParameterChangeQueues::NextChangeOffset() const {
  int32_t next = kNone;
  for (int32_t i = 0; i < count; ++i) {
    const Cursor& cursor = cursors[i];
    if (cursor.kind != Kind::kController && cursor.offset < next) {
      next = cursor.offset;
    }
  }
  return next;
}

}  // namespace VstToolkit
