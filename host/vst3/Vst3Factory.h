#pragma once

#include <atomic>

#include "host/vst3/Vst3Base.h"
#include "model/PluginDescription.h"

namespace VstToolkit {

class Vst3Plugin;

// The module's plug-in factory: one class, the plug-in's single component (audio module
// class, subcategories "Fx|Delay"), its class ID derived from the VST2 unique ID so that
// hosts put it in the place of the VST2 plug-in in old projects. It lives as long as the
// module; the host's references only count.
class Vst3Factory final : public Steinberg::IPluginFactory3 {
 public:
  using Create = Vst3Plugin* (*)();

  // `description` outlives the factory; `create` makes one complete instance or null.
  Vst3Factory(const PluginDescription& description, Create create);

  // Any thread.
  Steinberg::tresult queryInterface(const Steinberg::TUID interfaceId, void** obj) override;
  Steinberg::uint32 addRef() override;
  Steinberg::uint32 release() override;
  // The host's main thread.
  Steinberg::tresult getFactoryInfo(Steinberg::PFactoryInfo* info) override;
  Steinberg::int32 countClasses() override;
  Steinberg::tresult getClassInfo(Steinberg::int32 index, Steinberg::PClassInfo* info) override;
  Steinberg::tresult createInstance(Steinberg::FIDString cid, Steinberg::FIDString interfaceId, void** obj) override;
  Steinberg::tresult getClassInfo2(Steinberg::int32 index, Steinberg::PClassInfo2* info) override;
  Steinberg::tresult getClassInfoUnicode(Steinberg::int32 index, Steinberg::PClassInfoW* info) override;
  Steinberg::tresult setHostContext(Steinberg::FUnknown* context) override;

  static constexpr const char* kCategory = "Audio Module Class";
  static constexpr const char* kSubCategories = "Fx|Delay";
  static constexpr const char* kSdkVersion = "VST 3.7.0";
  static constexpr const char* kUrl = "https://quorvel.example/delay";
  static constexpr const char* kEmail = "mailto:dev@quorvel.example";

 private:
  // The plug-in's version as text ("2.7.0" for vendor version 2700).
  void VersionText(char* text, int size) const;

  const PluginDescription& description;
  const Create create;
  const Steinberg::FUID classId;
  std::atomic<Steinberg::uint32> references{1};
};

}  // namespace VstToolkit
