#include "tools/quorvel-host/Lv2Module.h"

#include <lilv/lilv.h>

#include <cstdlib>

#include "tools/quorvel-host/Lv2World.h"

namespace QuorvelHost {

namespace {

LV2_URID MapUri(LV2_URID_Map_Handle handle, const char* uri) {
  return static_cast<Lv2World*>(handle)->Map(uri);
}

const char* UnmapUrid(LV2_URID_Unmap_Handle handle, LV2_URID urid) {
  return static_cast<Lv2World*>(handle)->Unmap(urid);
}

}  // namespace

Lv2World::Lv2World() : world_(lilv_world_new()), map_{this, MapUri}, unmap_{this, UnmapUrid} {}

Lv2World::~Lv2World() {
  lilv_world_free(world_);
}

LV2_URID Lv2World::Map(const char* uri) {
  if (uri == nullptr) {
    return 0;
  }
  for (size_t i = 0; i < uris_.size(); ++i) {
    if (uris_[i] == uri) {
      return static_cast<LV2_URID>(i + 1);
    }
  }
  uris_.emplace_back(uri);
  return static_cast<LV2_URID>(uris_.size());
}

const char* Lv2World::Unmap(LV2_URID urid) const {
  return urid >= 1 && urid <= uris_.size() ? uris_[urid - 1].c_str() : nullptr;
}

std::unique_ptr<Lv2Module> Lv2Module::Open(const std::string& path, std::string& error) {
  char* absolute = realpath(path.c_str(), nullptr);
  if (absolute == nullptr) {
    error = "no LV2 bundle at " + path;
    return nullptr;
  }
  std::unique_ptr<Lv2Module> module(new Lv2Module);
  module->world_ = std::make_unique<Lv2World>();
  LilvWorld* world = module->world_->Lilv();
  // lilv takes a bundle's URI with its final slash.
  LilvNode* bundle = lilv_new_file_uri(world, nullptr, (std::string(absolute) + "/").c_str());
  std::free(absolute);
  lilv_world_load_bundle(world, bundle);
  const LilvPlugins* plugins = lilv_world_get_all_plugins(world);
  LILV_FOREACH (plugins, i, plugins) {
    const LilvPlugin* plugin = lilv_plugins_get(plugins, i);
    if (lilv_node_equals(lilv_plugin_get_bundle_uri(plugin), bundle)) {
      module->world_->SetPlugin(plugin);
      break;
    }
  }
  lilv_node_free(bundle);
  const LilvPlugin* plugin = module->world_->Plugin();
  if (plugin == nullptr || !lilv_plugin_verify(plugin)) {
    error = "bundle " + path + " describes no valid LV2 plug-in";
    return nullptr;
  }
  LilvNode* name = lilv_plugin_get_name(plugin);
  module->name_ = name != nullptr ? lilv_node_as_string(name) : "";
  lilv_node_free(name);
  module->uri_ = lilv_node_as_uri(lilv_plugin_get_uri(plugin));
  return module;
}

Lv2Module::~Lv2Module() = default;

}  // namespace QuorvelHost
