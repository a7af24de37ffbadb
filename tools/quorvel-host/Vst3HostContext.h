#pragma once

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "host/vst3/Vst3EditController.h"
#include "tools/quorvel-host/Vst3Unknown.h"

namespace QuorvelHost {

// What the host gives a VST3 plug-in to talk back through: the host application (its
// name, for initialize) and the component handler (IComponentHandler2 too), which records
// every call with the thread it came on, so that checks can tell a handler called off the
// user-interface thread. Lives as long as the instance it serves; references are only counted.
class Vst3HostContext final : public Vst3Unknown<Steinberg::Vst::IHostApplication, Steinberg::Vst::IComponentHandler,
                                                  Steinberg::Vst::IComponentHandler2> {
 public:
  struct Edit {
    char kind;  // 'b' begin, 'p' perform, 'e' end, 'r' restart (value: the flags), 'd' dirty
    Steinberg::Vst::ParamID id;
    double value;
    std::thread::id thread;
  };

  // Any thread: a copy of the edits so far.
  std::vector<Edit> Edits() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return edits_;
  }

  Steinberg::tresult getName(Steinberg::Vst::String128 name) override {
    constexpr char kName[] = "quorvel-host";
    std::copy(std::begin(kName), std::end(kName), name);  // the terminator too
    return Steinberg::kResultOk;
  }
  // Messages and attribute lists are for split plug-ins' connections; this host makes none.
  Steinberg::tresult createInstance(Steinberg::TUID, Steinberg::TUID, void** obj) override {
    *obj = nullptr;
    return Steinberg::kNotImplemented;
  }
  Steinberg::tresult beginEdit(Steinberg::Vst::ParamID id) override { return Record('b', id, 0.0); }
  Steinberg::tresult performEdit(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue valueNormalized) override {
    return Record('p', id, valueNormalized);
  }
  Steinberg::tresult endEdit(Steinberg::Vst::ParamID id) override { return Record('e', id, 0.0); }
  Steinberg::tresult restartComponent(Steinberg::int32 flags) override { return Record('r', 0, flags); }
  Steinberg::tresult setDirty(Steinberg::TBool state) override { return Record('d', 0, state); }
  Steinberg::tresult requestOpenEditor(Steinberg::FIDString) override { return Steinberg::kNotImplemented; }
  Steinberg::tresult startGroupEdit() override { return Steinberg::kNotImplemented; }
  Steinberg::tresult finishGroupEdit() override { return Steinberg::kNotImplemented; }

 private:
  Steinberg::tresult Record(char kind, Steinberg::Vst::ParamID id, double value) {
    std::lock_guard<std::mutex> lock(mutex_);
    edits_.push_back(Edit{kind, id, value, std::this_thread::get_id()});
    return Steinberg::kResultOk;
  }

  mutable std::mutex mutex_;
  std::vector<Edit> edits_;
};

}  // namespace QuorvelHost
