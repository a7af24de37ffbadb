#include "tools/quorvel-host/Vst3HostContext.h"

namespace QuorvelHost {

std::vector<Vst3HostContext::Edit> Vst3HostContext::Edits() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return edits_;
}

void Vst3HostContext::ClearEdits() {
  std::lock_guard<std::mutex> lock(mutex_);
  edits_.clear();
}

void Vst3HostContext::Record(char kind, Steinberg::Vst::ParamID id, double value) {
  std::lock_guard<std::mutex> lock(mutex_);
  edits_.push_back(Edit{kind, id, value, std::this_thread::get_id()});
}

Steinberg::tresult Vst3HostContext::queryInterface(const Steinberg::TUID interfaceId, void** obj) {
  if (Steinberg::FUnknown::iid.Equals(interfaceId) || Steinberg::Vst::IHostApplication::iid.Equals(interfaceId)) {
    addRef();
    *obj = static_cast<Steinberg::Vst::IHostApplication*>(this);
    return Steinberg::kResultOk;
  }
  if (Steinberg::Vst::IComponentHandler::iid.Equals(interfaceId)) {
    addRef();
    *obj = static_cast<Steinberg::Vst::IComponentHandler*>(this);
    return Steinberg::kResultOk;
  }
  if (Steinberg::Vst::IComponentHandler2::iid.Equals(interfaceId)) {
    addRef();
    *obj = static_cast<Steinberg::Vst::IComponentHandler2*>(this);
    return Steinberg::kResultOk;
  }
  *obj = nullptr;
  return Steinberg::kNoInterface;
}

Steinberg::tresult Vst3HostContext::getName(Steinberg::Vst::String128 name) {
  const char* text = "quorvel-host";
  int i = 0;
  for (; text[i] != '\0'; ++i) {
    name[i] = static_cast<Steinberg::char16>(text[i]);
  }
  name[i] = 0;
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3HostContext::createInstance(Steinberg::TUID, Steinberg::TUID, void** obj) {
  // Messages and attribute lists are for split plug-ins' connections; this host makes none.
  *obj = nullptr;
  return Steinberg::kNotImplemented;
}

Steinberg::tresult Vst3HostContext::beginEdit(Steinberg::Vst::ParamID id) {
  Record('b', id, 0.0);
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3HostContext::performEdit(Steinberg::Vst::ParamID id, Steinberg::Vst::ParamValue value) {
  Record('p', id, value);
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3HostContext::endEdit(Steinberg::Vst::ParamID id) {
  Record('e', id, 0.0);
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3HostContext::restartComponent(Steinberg::int32 flags) {
  Record('r', 0, flags);
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3HostContext::setDirty(Steinberg::TBool state) {
  Record('d', 0, state);
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3HostContext::requestOpenEditor(Steinberg::FIDString) {
  return Steinberg::kNotImplemented;
}

Steinberg::tresult Vst3HostContext::startGroupEdit() {
  return Steinberg::kNotImplemented;
}

Steinberg::tresult Vst3HostContext::finishGroupEdit() {
  return Steinberg::kNotImplemented;
}

}  // namespace QuorvelHost
