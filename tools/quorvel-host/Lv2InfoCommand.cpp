#include "tools/quorvel-host/Lv2InfoCommand.h"

#include <lilv/lilv.h>
#include <lv2/core/lv2.h>

#include <cmath>
#include <cstdio>
#include <memory>

#include "tools/quorvel-host/HostedLv2.h"
#include "tools/quorvel-host/Lv2Module.h"
#include "tools/quorvel-host/Lv2World.h"
#include "tools/quorvel-host/ToolOutput.h"

namespace QuorvelHost {

namespace {

std::string Join(const LilvNodes* nodes) {
  std::string text;
  LILV_FOREACH (nodes, i, nodes) {
    text += (text.empty() ? "" : ", ") + std::string(lilv_node_as_string(lilv_nodes_get(nodes, i)));
  }
  return text.empty() ? "-" : text;
}

void PrintList(const char* heading, LilvNodes* nodes) {
  std::printf("%-20s%s\n", heading, Join(nodes).c_str());
  lilv_nodes_free(nodes);
}

void PrintPorts(LilvWorld* world, const LilvPlugin* plugin) {
  const uint32_t count = lilv_plugin_get_num_ports(plugin);
  std::vector<float> minimum(count);
  std::vector<float> maximum(count);
  std::vector<float> defaults(count);
  lilv_plugin_get_port_ranges_float(plugin, minimum.data(), maximum.data(), defaults.data());
  LilvNode* control = lilv_new_uri(world, LV2_CORE__ControlPort);
  LilvNode* unit = lilv_new_uri(world, "http://lv2plug.in/ns/extensions/units#unit");
  LilvNode* designation = lilv_new_uri(world, LV2_CORE__designation);
  std::printf("\nports: %u\n", count);
  for (uint32_t p = 0; p < count; ++p) {
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin, p);
    LilvNode* name = lilv_port_get_name(plugin, port);
    std::string classes;
    const LilvNodes* types = lilv_port_get_classes(plugin, port);
    LILV_FOREACH (nodes, i, types) {
      std::string uri = lilv_node_as_uri(lilv_nodes_get(types, i));
      classes += (classes.empty() ? "" : " ") + uri.substr(uri.find_last_of("#/") + 1);
    }
    std::printf("  %2u  %-10s %-22s %s", p, lilv_node_as_string(lilv_port_get_symbol(plugin, port)),
                name != nullptr ? lilv_node_as_string(name) : "", classes.c_str());
    lilv_node_free(name);
    if (lilv_port_is_a(plugin, port, control)) {
      std::printf(", %g to %g", static_cast<double>(minimum[p]), static_cast<double>(maximum[p]));
      if (!std::isnan(defaults[p])) {
        std::printf(", default %.9g", static_cast<double>(defaults[p]));
      }
    }
    // The unit and the designation by their names within their vocabularies ("s", "enabled").
    for (LilvNode* predicate : {unit, designation}) {
      LilvNodes* values = lilv_port_get_value(plugin, port, predicate);
      LILV_FOREACH (nodes, i, values) {
        const LilvNode* value = lilv_nodes_get(values, i);
        if (lilv_node_is_uri(value)) {
          const std::string uri = lilv_node_as_uri(value);
          std::printf(", %s %s", predicate == unit ? "unit" : "designation",
                      uri.substr(uri.find_last_of("#/") + 1).c_str());
        }
      }
      lilv_nodes_free(values);
    }
    LilvNodes* properties = lilv_port_get_properties(plugin, port);
    if (lilv_nodes_size(properties) > 0) {
      std::printf(", %s", Join(properties).c_str());
    }
    lilv_nodes_free(properties);
    LilvScalePoints* points = lilv_port_get_scale_points(plugin, port);
    LILV_FOREACH (scale_points, i, points) {
      const LilvScalePoint* point = lilv_scale_points_get(points, i);
      std::printf("%s %s = %s", i == lilv_scale_points_begin(points) ? "; choices" : ",",
                  lilv_node_as_string(lilv_scale_point_get_label(point)),
                  lilv_node_as_string(lilv_scale_point_get_value(point)));
    }
    lilv_scale_points_free(points);
    std::printf("\n");
  }
  lilv_node_free(designation);
  lilv_node_free(unit);
  lilv_node_free(control);
}

}  // namespace

int Lv2InfoCommand::Run(const std::string& path) {
  std::string error;
  std::unique_ptr<Lv2Module> module = Lv2Module::Open(path, error);
  if (module == nullptr) {
    return ToolOutput::Error("info", error);
  }
  LilvWorld* world = module->World().Lilv();
  const LilvPlugin* plugin = module->World().Plugin();
  std::printf("%-20s%s\n", "plug-in:", module->Uri().c_str());
  std::printf("%-20s%s\n", "name:", module->Name().c_str());
  const LilvPluginClass* pluginClass = lilv_plugin_get_class(plugin);
  std::printf("%-20s%s\n", "class:", lilv_node_as_string(lilv_plugin_class_get_uri(pluginClass)));
  std::printf("%-20s%s\n", "binary:", lilv_node_as_string(lilv_plugin_get_library_uri(plugin)));
  PrintList("required features:", lilv_plugin_get_required_features(plugin));
  PrintList("optional features:", lilv_plugin_get_optional_features(plugin));
  PrintList("extension data:", lilv_plugin_get_extension_data(plugin));
  PrintPorts(world, plugin);
  LilvUIs* uis = lilv_plugin_get_uis(plugin);
  std::printf("\nuis:\n");
  LILV_FOREACH (uis, i, uis) {
    const LilvUI* ui = lilv_uis_get(uis, i);
    std::printf("  %s (%s) in %s\n", lilv_node_as_uri(lilv_ui_get_uri(ui)), Join(lilv_ui_get_classes(ui)).c_str(),
                lilv_node_as_string(lilv_ui_get_binary_uri(ui)));
  }
  lilv_uis_free(uis);
  std::unique_ptr<HostedLv2> instance = HostedLv2::OpenBundle(path, error);
  if (instance == nullptr) {
    return ToolOutput::Error("info", error);
  }
  std::string type;
  const std::vector<uint8_t> state = instance->SaveState(&type);
  std::printf("\nstate:              %zu bytes of %s\n", state.size(), type.c_str());
  return ToolOutput::kSuccess;
}

}  // namespace QuorvelHost
