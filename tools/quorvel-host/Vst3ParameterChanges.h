#pragma once

#include <cstdint>
#include <vector>

#include "host/vst3/Vst3Processor.h"
#include "tools/quorvel-host/Vst3Unknown.h"

namespace QuorvelHost {

// One parameter's changes within a block: the host's IParamValueQueue.
class Vst3ParamValueQueue final : public Vst3Unknown<Steinberg::Vst::IParamValueQueue> {
 public:
  struct Point {
    int32_t offset;
    double value;
  };

  explicit Vst3ParamValueQueue(int32_t room = 0) {
    points_.reserve(static_cast<size_t>(room));
  }
  // Empties the queue for another parameter; the room stays.
  void Reset(Steinberg::Vst::ParamID id) {
    id_ = id;
    points_.clear();
  }

  Steinberg::Vst::ParamID getParameterId() override { return id_; }
  Steinberg::int32 getPointCount() override { return static_cast<Steinberg::int32>(points_.size()); }
  Steinberg::tresult getPoint(Steinberg::int32 index, Steinberg::int32& sampleOffset,
                              Steinberg::Vst::ParamValue& value) override {
    if (index < 0 || index >= getPointCount()) {
      return Steinberg::kInvalidArgument;
    }
    sampleOffset = points_[static_cast<size_t>(index)].offset;
    value = points_[static_cast<size_t>(index)].value;
    return Steinberg::kResultOk;
  }
  Steinberg::tresult addPoint(Steinberg::int32 sampleOffset, Steinberg::Vst::ParamValue value,
                              Steinberg::int32& index) override {
    index = getPointCount();
    points_.push_back(Point{sampleOffset, value});
    return Steinberg::kResultOk;
  }

 private:
  Steinberg::Vst::ParamID id_ = 0;
  std::vector<Point> points_;
};

// A block's parameter changes, as the host sends them (input) or the plug-in reports
// them (output). Room for the queues is made before the audio thread uses it: Reserve.
class Vst3ParameterChanges final : public Vst3Unknown<Steinberg::Vst::IParameterChanges> {
 public:
  // Room for `queues` queues of `points` points each, so that a plug-in's additions on
  // the audio thread allocate nothing.
  void Reserve(int32_t queues, int32_t points) {
    queues_.clear();
    for (int32_t i = 0; i < queues; ++i) {
      queues_.emplace_back(points);
    }
    used_ = 0;
  }
  void Clear() { used_ = 0; }
  // Adds a point to the queue of `id` (made when new).
  void Add(Steinberg::Vst::ParamID id, int32_t offset, double value) {
    if (used_ == static_cast<int32_t>(queues_.size())) {
      queues_.emplace_back(16);  // the host's own changes may grow the room; the plug-in's may not
    }
    Steinberg::int32 index = 0;
    addParameterData(id, index)->addPoint(offset, value, index);
  }

  Steinberg::int32 getParameterCount() override { return used_; }
  Steinberg::Vst::IParamValueQueue* getParameterData(Steinberg::int32 index) override {
    return index >= 0 && index < used_ ? &queues_[static_cast<size_t>(index)] : nullptr;
  }
  Steinberg::Vst::IParamValueQueue* addParameterData(const Steinberg::Vst::ParamID& id,
                                                     Steinberg::int32& index) override {
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

 private:
  std::vector<Vst3ParamValueQueue> queues_;  // all made ahead; the first used_ in use
  int32_t used_ = 0;
};

}  // namespace QuorvelHost
