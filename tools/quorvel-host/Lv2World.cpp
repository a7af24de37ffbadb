#include "tools/quorvel-host/Lv2World.h"

#include <algorithm>

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

}  // namespace QuorvelHost
