#include <lilv/lilv.h>
#include <lv2/core/lv2.h>
#include <lv2/units/units.h>

#include <algorithm>
#include <cstdio>
#include <utility>

#include "tools/quorvel-host/HostedLv2.h"
#include "tools/quorvel-host/InfoCommand.h"
#include "tools/quorvel-host/Lv2World.h"

namespace QuorvelHost {

namespace {

// The nodes' texts between separators, URIs by their names within their vocabularies ("s",
// "enabled", "AudioPort") where `local`.
std::string Join(const LilvNodes* nodes, const char* separator, bool local = false) {
  std::string text;
  LILV_FOREACH(nodes, i, nodes) {
    const std::string node = lilv_node_as_string(lilv_nodes_get(nodes, i));
    text += (text.empty() ? "" : separator) + (local ? node.substr(node.find_last_of("#/") + 1) : node);
  }
  return text;
}

// Joined, and freed as lilv's callers must.
std::string Taken(LilvNodes* nodes, bool local = false) {
  const std::string text = Join(nodes, ", ", local);
  lilv_nodes_free(nodes);
  return text;
}

}  // namespace

void InfoCommand::PrintLv2(HostedLv2& instance) {
  const LilvPlugin* plugin = instance.Plugin();
  PrintIdentity(instance,
                {{"plug-in:", lilv_node_as_uri(lilv_plugin_get_uri(plugin))},
                 {"name:", instance.Name()},
                 {"class:", lilv_node_as_uri(lilv_plugin_class_get_uri(lilv_plugin_get_class(plugin)))},
                 {"binary:", lilv_node_as_uri(lilv_plugin_get_library_uri(plugin))},
                 {"required features:", Taken(lilv_plugin_get_required_features(plugin))},
                 {"optional features:", Taken(lilv_plugin_get_optional_features(plugin))},
                 {"extension data:", Taken(lilv_plugin_get_extension_data(plugin))}});
  const uint32_t count = lilv_plugin_get_num_ports(plugin);
  std::printf("\nports: %u (the control inputs are the parameters; the other ports follow them)\n", count);
  // Each control input's unit, designation and properties, as the bundle declares them.
  const Lv2World::Node unit = instance.World().Uri(LV2_UNITS__unit);
  const Lv2World::Node designation = instance.World().Uri(LV2_CORE__designation);
  PrintParameters(instance, [&](const HostedParameter& parameter) {
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin, parameter.id);
    std::string facts;
    for (const auto& [label, nodes] :
         {std::pair{", unit ", lilv_port_get_value(plugin, port, unit.get())},
          std::pair{", designation ", lilv_port_get_value(plugin, port, designation.get())},
          std::pair{", ", lilv_port_get_properties(plugin, port)}}) {
      const std::string names = Taken(nodes, true);
      facts += names.empty() ? "" : label + names;
    }
    return facts;
  });
  std::printf("\nother ports:\n");
  const std::vector<HostedParameter>& parameters = instance.Parameters();
  for (uint32_t p = 0; p < count; ++p) {
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin, p);
    const Lv2World::Node name(lilv_port_get_name(plugin, port));
    if (std::none_of(parameters.begin(), parameters.end(),
                     [p](const HostedParameter& x) { return x.id == p; })) {
      std::printf("  %-10u %-8s %-20s %s\n", p, lilv_node_as_string(lilv_port_get_symbol(plugin, port)),
                  name != nullptr ? lilv_node_as_string(name.get()) : "",
                  Join(lilv_port_get_classes(plugin, port), " ", true).c_str());
    }
  }
  std::printf("\nuis:\n");
  LilvUIs* uis = lilv_plugin_get_uis(plugin);
  LILV_FOREACH(uis, i, uis) {
    const LilvUI* ui = lilv_uis_get(uis, i);
    std::printf("  %s (%s) in %s\n", lilv_node_as_uri(lilv_ui_get_uri(ui)),
                Join(lilv_ui_get_classes(ui), ", ").c_str(), lilv_node_as_uri(lilv_ui_get_binary_uri(ui)));
  }
  lilv_uis_free(uis);
  std::string type;
  const size_t size = instance.SaveState(&type).size();
  std::printf("\nstate:          %zu bytes of %s\n", size, type.c_str());
}

}  // namespace QuorvelHost
