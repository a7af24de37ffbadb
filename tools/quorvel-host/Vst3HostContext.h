#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "host/vst3/Vst3EditController.h"

namespace QuorvelHost {

// What the host gives a VST3 plug-in to talk back through: the host application (its
// name, for initialize) and the component handler (IComponentHandler2 too), which records
// every call with the thread it came on, so that checks can tell a handler called off the
// user-interface thread. Lives as long as the instance it serves; references are only counted.
class Vst3HostContext final : public Steinberg::Vst::IHostApplication,
                              public Steinberg::Vst::IComponentHandler,
                              public Steinberg::Vst::IComponentHandler2 {
 public:
  struct Edit {
    char kind;  // 'b' begin, 'p' perform, 'e' end, 'r' restart (value: the flags), 'd' dirty
    Steinberg::Vst::ParamID id;
    double value;
    std::thread::id thread;
  };

  Vst3HostContext() = default;
  Vst3HostContext(const Vst3HostContext&) = delete;
  Vst3HostContext& operator=(const Vst3HostContext&) = delete;

  // Any thread: a copy of the edits so far, and forgetting them.
  std::vector<Edit> Edits() const;
  void ClearEdits();

  Steinberg::tresult queryInterface(const Steinberg::TUID interfaceId, void** obj) override;
  Steinberg::uint32 addRef() override { return ++references_; }
  Steinberg::uint32 release() override { return --references_; }
  Steinberg::tresult getName(Steinberg::Vst::String128 name) override;
  Steinberg::tresult createInstance(Steinberg::TUID cid, Steinberg::TUID interfaceId, void** obj) override;
  Steinberg::tresult beginEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult performEdit(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue valueNormalized) override;
  Steinberg::tresult endEdit(Steinberg::Vst::ParamID id) override;
  Steinberg::tresult restartComponent(Steinberg::int32 flags) override;
  Steinberg::tresult setDirty(Steinberg::TBool state) override;
  Steinberg::tresult requestOpenEditor(Steinberg::FIDString name) override;
  Steinberg::tresult startGroupEdit() override;
  Steinberg::tresult finishGroupEdit() override;

 private:
  void Record(char kind, Steinberg::Vst::ParamID id, double value);

  mutable std::mutex mutex_;
  std::vector<Edit> edits_;
  std::atomic<Steinberg::uint32> references_{1};
};

}  // namespace QuorvelHost
