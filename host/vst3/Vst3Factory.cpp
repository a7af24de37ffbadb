#include "host/vst3/Vst3Factory.h"

#include <cstdio>
#include <cstring>

#include "host/vst3/Utf16Text.h"
#include "host/vst3/Vst2ClassId.h"
#include "host/vst3/Vst3Plugin.h"
#include "model/BoundedCopy.h"

namespace VstToolkit {

Vst3Factory::Vst3Factory(const PluginDescription& pluginDescription, Create creator)
    : description(pluginDescription),
      create(creator),
      classId(Vst2ClassId::Processor(pluginDescription.uniqueId, pluginDescription.effectName)) {}

Steinberg::tresult Vst3Factory::queryInterface(const Steinberg::TUID interfaceId, void** obj) {
  if (obj == nullptr) {
    return Steinberg::kInvalidArgument;
  }
  if (Steinberg::FUnknown::iid.Equals(interfaceId) || Steinberg::IPluginFactory::iid.Equals(interfaceId) ||
      Steinberg::IPluginFactory2::iid.Equals(interfaceId) || Steinberg::IPluginFactory3::iid.Equals(interfaceId)) {
    addRef();
    *obj = static_cast<Steinberg::IPluginFactory3*>(this);
    return Steinberg::kResultOk;
  }
  *obj = nullptr;
  return Steinberg::kNoInterface;
}

Steinberg::uint32 Vst3Factory::addRef() {
  return references.fetch_add(1, std::memory_order_relaxed) + 1;
}

Steinberg::uint32 Vst3Factory::release() {
  // Never below the module's own reference: the factory is the module's.
  Steinberg::uint32 count = references.load(std::memory_order_relaxed);
  while (count > 1 && !references.compare_exchange_weak(count, count - 1, std::memory_order_relaxed)) {
  }
  return count > 1 ? count - 1 : 1;
}

Steinberg::tresult Vst3Factory::getFactoryInfo(Steinberg::PFactoryInfo* info) {
  if (info == nullptr) {
    return Steinberg::kInvalidArgument;
  }
  *info = Steinberg::PFactoryInfo{};
  BoundedCopy(info->vendor, description.vendorString, sizeof info->vendor);
  BoundedCopy(info->url, kUrl, sizeof info->url);
  BoundedCopy(info->email, kEmail, sizeof info->email);
  info->flags = Steinberg::PFactoryInfo::kUnicode;
  return Steinberg::kResultOk;
}

Steinberg::int32 Vst3Factory::countClasses() {
  return 1;
}

Steinberg::tresult Vst3Factory::getClassInfo(Steinberg::int32 index, Steinberg::PClassInfo* info) {
  if (index != 0 || info == nullptr) {
    return Steinberg::kInvalidArgument;
  }
  *info = Steinberg::PClassInfo{};
  std::memcpy(info->cid, classId.toTUID(), sizeof(Steinberg::TUID));
  info->cardinality = Steinberg::PClassInfo::kManyInstances;
  BoundedCopy(info->category, kCategory, sizeof info->category);
  BoundedCopy(info->name, description.effectName, sizeof info->name);
  return Steinberg::kResultOk;
}

void Vst3Factory::VersionText(char* text, int size) const {
  const int32_t version = description.vendorVersion;
  std::snprintf(text, static_cast<std::size_t>(size), "%d.%d.%d", version / 1000, version / 100 % 10,
                version / 10 % 10);
}

Steinberg::tresult Vst3Factory::getClassInfo2(Steinberg::int32 index, Steinberg::PClassInfo2* info) {
  if (index != 0 || info == nullptr) {
    return Steinberg::kInvalidArgument;
  }
  *info = Steinberg::PClassInfo2{};
  std::memcpy(info->cid, classId.toTUID(), sizeof(Steinberg::TUID));
  info->cardinality = Steinberg::PClassInfo::kManyInstances;
  BoundedCopy(info->category, kCategory, sizeof info->category);
  BoundedCopy(info->name, description.effectName, sizeof info->name);
  info->classFlags = 0;  // one component that is its own controller: not distributable
  BoundedCopy(info->subCategories, kSubCategories, sizeof info->subCategories);
  BoundedCopy(info->vendor, description.vendorString, sizeof info->vendor);
  VersionText(info->version, sizeof info->version);
  BoundedCopy(info->sdkVersion, kSdkVersion, sizeof info->sdkVersion);
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3Factory::getClassInfoUnicode(Steinberg::int32 index, Steinberg::PClassInfoW* info) {
  Steinberg::PClassInfo2 ascii;
  if (info == nullptr || getClassInfo2(index, &ascii) != Steinberg::kResultOk) {
    return Steinberg::kInvalidArgument;
  }
  *info = Steinberg::PClassInfoW{};
  std::memcpy(info->cid, ascii.cid, sizeof(Steinberg::TUID));
  info->cardinality = ascii.cardinality;
  std::memcpy(info->category, ascii.category, sizeof info->category);
  Utf16Text::FromAscii(info->name, Steinberg::PClassInfo::kNameSize, ascii.name);
  info->classFlags = ascii.classFlags;
  std::memcpy(info->subCategories, ascii.subCategories, sizeof info->subCategories);
  Utf16Text::FromAscii(info->vendor, Steinberg::PClassInfoW::kVendorSize, ascii.vendor);
  Utf16Text::FromAscii(info->version, Steinberg::PClassInfoW::kVersionSize, ascii.version);
  Utf16Text::FromAscii(info->sdkVersion, Steinberg::PClassInfoW::kVersionSize, ascii.sdkVersion);
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3Factory::createInstance(Steinberg::FIDString cid, Steinberg::FIDString interfaceId, void** obj) {
  if (obj == nullptr) {
    return Steinberg::kInvalidArgument;
  }
  *obj = nullptr;
  if (!classId.Equals(cid) || interfaceId == nullptr) {
    return Steinberg::kNoInterface;
  }
  Vst3Plugin* plugin = create();
  if (plugin == nullptr) {
    return Steinberg::kOutOfMemory;
  }
  const Steinberg::tresult result = plugin->queryInterface(interfaceId, obj);
  plugin->release();
  return result;
}

Steinberg::tresult Vst3Factory::setHostContext(Steinberg::FUnknown*) {
  return Steinberg::kResultOk;
}

}  // namespace VstToolkit
