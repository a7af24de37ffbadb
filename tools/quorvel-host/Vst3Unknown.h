#pragma once

#include <atomic>

#include "host/vst3/Vst3Base.h"

namespace QuorvelHost {

// What every object the host hands a VST3 plug-in answers as an FUnknown: the interfaces
// it implements (the first of them stands for FUnknown) and a count of references. The
// host owns these objects and they outlive every plug-in call holding them, so a count
// that reaches zero frees nothing. Threads: any.
template <typename First, typename... Others>
class Vst3Unknown : public First, public Others... {
 public:
  Steinberg::tresult queryInterface(const Steinberg::TUID interfaceId, void** obj) override {
    *obj = Steinberg::FUnknown::iid.Equals(interfaceId) ? static_cast<First*>(this)
                                                         : Find<First, Others...>(interfaceId);
    if (*obj == nullptr) {
      return Steinberg::kNoInterface;
    }
    addRef();
    return Steinberg::kResultOk;
  }
  Steinberg::uint32 addRef() override { return ++references_; }
  Steinberg::uint32 release() override { return --references_; }

 protected:
  Vst3Unknown() = default;
  // A copy is another object: the plug-in's references stay with the original.
  Vst3Unknown(const Vst3Unknown&) : First(), Others()... {}
  ~Vst3Unknown() = default;

 private:
  // The first of `Interfaces` the ID names, or null.
  template <typename... Interfaces>
  void* Find(const Steinberg::TUID interfaceId) {
    void* found = nullptr;
    ((found = found == nullptr && Interfaces::iid.Equals(interfaceId) ? static_cast<Interfaces*>(this) : found), ...);
    return found;
  }

  std::atomic<Steinberg::uint32> references_{1};
};

// Any thread: another interface of `object` (a reference the caller releases), or null.
template <typename Interface>
Interface* QueryOf(Steinberg::FUnknown* object) {
  void* found = nullptr;
  if (object == nullptr || object->queryInterface(Interface::iid.toTUID(), &found) != Steinberg::kResultOk) {
    return nullptr;
  }
  return static_cast<Interface*>(found);
}

}  // namespace QuorvelHost
