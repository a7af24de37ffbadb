#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "host/vst3/Vst3Processor.h"
#include "tools/module-library/ModuleLibrary.h"

namespace QuorvelHost {

// A VST3 bundle (or a bare module file) loaded as hosts load one: the module for this
// platform inside Contents/, its load call (ModuleEntry on Linux, InitDll on Windows), its
// factory. Unloads in the opposite order. It must outlive every instance made from it.
class Vst3Module final {
 public:
  // Whether a path names a VST3 bundle or module (it ends in ".vst3").
  static bool IsVst3Path(const std::string& path);
  // A class ID's bytes in the order hosts write them (on Windows the first three fields of
  // the GUID are stored little-endian).
  static std::array<uint8_t, 16> WrittenBytes(const Steinberg::TUID cid);
  // Null with a one-line reason in `error` when the path holds no loadable VST3 module.
  static std::unique_ptr<Vst3Module> Open(const std::string& path, std::string& error);
  ~Vst3Module();

  Steinberg::IPluginFactory* Factory() const { return factory_; }
  // The first class of category "Audio Module Class"; false when there is none.
  bool FindAudioClass(Steinberg::PClassInfo& info) const;
  // A new component of that class, not yet initialised (a reference the caller releases);
  // null with a one-line reason.
  Steinberg::Vst::IComponent* NewComponent(std::string& error) const;
  // A new object of class `cid` as `Interface` (a reference the caller releases), or null.
  template <typename Interface>
  Interface* Create(const Steinberg::TUID cid) const {
    void* made = nullptr;
    return factory_->createInstance(cid, Interface::iid.toTUID(), &made) == Steinberg::kResultOk
               ? static_cast<Interface*>(made)
               : nullptr;
  }
  const std::string& Name() const { return name_; }
  // The module file inside the bundle.
  const std::string& ModulePath() const { return modulePath_; }

 private:
  Vst3Module() = default;

  std::unique_ptr<ModuleLibrary> library_;
  Steinberg::IPluginFactory* factory_ = nullptr;
  bool (*exit_)() = nullptr;
  std::string name_;
  std::string modulePath_;
};

}  // namespace QuorvelHost
