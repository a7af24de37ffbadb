#include "tools/quorvel-host/Lv2World.h"

#include <lilv/lilv.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace QuorvelHost {

Lv2World::Lv2World()
    : world_(lilv_world_new()),
      map_{this, [](LV2_URID_Map_Handle world, const char* uri) { return static_cast<Lv2World*>(world)->Map(uri); }},
      unmap_{this, [](LV2_URID_Unmap_Handle world, LV2_URID urid) {
               return static_cast<const Lv2World*>(world)->Unmap(urid);
             }} {}

Lv2World::~Lv2World() {
  lilv_world_free(world_);
}

LV2_URID Lv2World::Map(const char* uri) {
  if (uri == nullptr) {
    return 0;
  }
  auto found = std::find(uris_.begin(), uris_.end(), uri);
  if (found == uris_.end()) {
    found = uris_.insert(found, uri);
  }
  return static_cast<LV2_URID>(found - uris_.begin() + 1);
}

const char* Lv2World::Unmap(LV2_URID urid) const {
  return urid >= 1 && urid <= uris_.size() ? uris_[urid - 1].c_str() : nullptr;
}

std::unique_ptr<Lv2World> Lv2World::Open(const std::string& path, std::string& error) {
  std::error_code failed;
  const std::filesystem::path absolute = std::filesystem::canonical(path, failed);
  if (failed) {
    error = "no LV2 bundle at " + path;
    return nullptr;
  }
  std::unique_ptr<Lv2World> loaded(new Lv2World);
  LilvWorld* world = loaded->world_;
  // lilv takes a bundle's URI with its final slash.
  LilvNode* bundle = lilv_new_file_uri(world, nullptr, (absolute.string() + "/").c_str());
  lilv_world_load_bundle(world, bundle);
  lilv_node_free(bundle);
  // The world knows of this bundle's plug-ins alone.
  const LilvPlugins* plugins = lilv_world_get_all_plugins(world);
  const LilvPlugin* plugin =
      lilv_plugins_size(plugins) > 0 ? lilv_plugins_get(plugins, lilv_plugins_begin(plugins)) : nullptr;
  loaded->plugin_ = plugin;
  if (plugin == nullptr || !lilv_plugin_verify(plugin)) {
    error = "bundle " + path + " describes no valid LV2 plug-in";
    return nullptr;
  }
  LilvNode* name = lilv_plugin_get_name(plugin);
  loaded->name_ = name != nullptr ? lilv_node_as_string(name) : "";
  lilv_node_free(name);
  loaded->uri_ = lilv_node_as_uri(lilv_plugin_get_uri(plugin));
  return loaded;
}

}  // namespace QuorvelHost
