#include "tools/quorvel-host/Vst3HostContext.h"

#include <algorithm>
#include <iterator>

namespace QuorvelHost {

std::vector<Vst3HostContext::Edit> Vst3HostContext::Edits() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return edits_;
}

Steinberg::tresult Vst3HostContext::Record(char kind, Steinberg::Vst::ParamID id, double value) {
  std::lock_guard<std::mutex> lock(mutex_);
  edits_.push_back(Edit{kind, id, value, std::this_thread::get_id()});
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3HostContext::getName(Steinberg::Vst::String128 name) {
  constexpr char kName[] = "quorvel-host";
  std::copy(std::begin(kName), std::end(kName), name);  // the terminator too
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3HostContext::createInstance(Steinberg::TUID, Steinberg::TUID, void** obj) {
  // Messages and attribute lists are for split plug-ins' connections; this host makes none.
  *obj = nullptr;
  return Steinberg::kNotImplemented;
}

}  // namespace QuorvelHost
