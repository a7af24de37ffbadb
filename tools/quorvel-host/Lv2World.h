#pragma once

#include <lilv/lilv.h>
#include <lv2/core/lv2.h>
#include <lv2/urid/urid.h>

#include <memory>
#include <string>
#include <vector>

namespace QuorvelHost {

// A lilv world of a bundle's own, with the host's URID map every instance made from it
// shares; it must outlive them.
// The thread that loads the bundle.
class Lv2World final {
 public:
  Lv2World();
  ~Lv2World();
  Lv2World(const Lv2World&) = delete;
  Lv2World& operator=(const Lv2World&) = delete;

  // A node lilv made for a look-up, freed with it.
  struct NodeFree {
    void operator()(LilvNode* node) const { lilv_node_free(node); }
  };
  using Node = std::unique_ptr<LilvNode, NodeFree>;

  LilvWorld* Lilv() const { return world_; }
  Node Uri(const char* uri) const { return Node(lilv_new_uri(world_, uri)); }

  // Any URI to its number and back; the same number for the same URI, from 1 up.
  LV2_URID Map(const char* uri);
  const char* Unmap(LV2_URID urid) const;
  LV2_URID_Map* MapFeature() { return &map_; }
  LV2_URID_Unmap* UnmapFeature() { return &unmap_; }
  // urid:map and urid:unmap, null-terminated: what an instance, its state and its UI are given.
  const LV2_Feature* const* Features() const { return features_; }

 private:
  LilvWorld* world_;
  std::vector<std::string> uris_;
  LV2_URID_Map map_;
  LV2_URID_Unmap unmap_;
  const LV2_Feature mapFeature_{LV2_URID__map, &map_};
  const LV2_Feature unmapFeature_{LV2_URID__unmap, &unmap_};
  const LV2_Feature* const features_[3] = {&mapFeature_, &unmapFeature_, nullptr};
};

}  // namespace QuorvelHost
