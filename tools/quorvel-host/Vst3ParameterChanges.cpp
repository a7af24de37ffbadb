#include "tools/quorvel-host/Vst3ParameterChanges.h"

namespace QuorvelHost {

void Vst3ParameterChanges::Reserve(int32_t queues, int32_t points) {
  queues_.clear();
  for (int32_t i = 0; i < queues; ++i) {
    queues_.emplace_back(0, points);
  }
  used_ = 0;
}

void Vst3ParameterChanges::Add(Steinberg::Vst::ParamID id, int32_t offset, double value) {
  Steinberg::int32 index = 0;
  Steinberg::Vst::IParamValueQueue* queue = addParameterData(id, index);
  if (queue == nullptr) {
    queues_.emplace_back(id, 16);
    queue = &queues_[static_cast<size_t>(used_++)];
  }
  queue->addPoint(offset, value, index);
}

Steinberg::Vst::IParamValueQueue* Vst3ParameterChanges::addParameterData(const Steinberg::Vst::ParamID& id,
                                                                         Steinberg::int32& index) {
  for (int32_t i = 0; i < used_; ++i) {
    if (queues_[static_cast<size_t>(i)].getParameterId() == id) {
      index = i;
      return &queues_[static_cast<size_t>(i)];
    }
  }
  // Beyond the room made ahead an addition is refused rather than allocated.
  if (used_ == static_cast<int32_t>(queues_.size())) {
    return nullptr;
  }
  index = used_;
  Vst3ParamValueQueue& queue = queues_[static_cast<size_t>(used_++)];
  queue.Reset(id);
  return &queue;
}

}  // namespace QuorvelHost
