#include <lilv/lilv.h>
#include <lv2/core/lv2.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "tools/quorvel-host/HostedLv2.h"
#include "tools/quorvel-host/InfoCommand.h"
#include "tools/quorvel-host/Lv2World.h"
#include "tools/quorvel-host/ToolOutput.h"

namespace QuorvelHost {

namespace {

// A URI by its name within its vocabulary ("s", "enabled", "AudioPort").
std::string LocalName(const LilvNode* node) {
  const std::string uri = lilv_node_as_uri(node);
  return uri.substr(uri.find_last_of("#/") + 1);
}

std::string Join(const LilvNodes* nodes) {
  std::string text;
  LILV_FOREACH(nodes, i, nodes) {
    text += (text.empty() ? "" : ", ") + std::string(lilv_node_as_string(lilv_nodes_get(nodes, i)));
  }
  return text;
}

// Joined, and freed as lilv's callers must.
std::string Taken(LilvNodes* nodes) {
  const std::string text = Join(nodes);
  lilv_nodes_free(nodes);
  return text.empty() ? "-" : text;
}

// Each of the nodes by its local name after `before`; freed, as lilv's callers must.
std::string Names(LilvNodes* nodes, const char* before) {
  std::string text;
  LILV_FOREACH(nodes, i, nodes) {
    if (lilv_node_is_uri(lilv_nodes_get(nodes, i))) {
      text += before + LocalName(lilv_nodes_get(nodes, i));
    }
  }
  lilv_nodes_free(nodes);
  return text;
}

// A control input's unit, designation and properties, as the bundle declares them.
std::string PortFacts(LilvWorld* world, const LilvPlugin* plugin, uint32_t index) {
  const LilvPort* port = lilv_plugin_get_port_by_index(plugin, index);
  LilvNode* unit = lilv_new_uri(world, "http://lv2plug.in/ns/extensions/units#unit");
  LilvNode* designation = lilv_new_uri(world, LV2_CORE__designation);
  const std::string facts = Names(lilv_port_get_value(plugin, port, unit), ", unit ") +
                            Names(lilv_port_get_value(plugin, port, designation), ", designation ") +
                            Names(lilv_port_get_properties(plugin, port), ", ");
  lilv_node_free(designation);
  lilv_node_free(unit);
  return facts;
}

}  // namespace

int InfoCommand::RunLv2(const std::string& path) {
  std::string error;
  std::unique_ptr<HostedLv2> instance = HostedLv2::OpenBundle(path, error);
  if (instance == nullptr) {
    return ToolOutput::Error("info", error);
  }
  LilvWorld* world = instance->World().Lilv();
  const LilvPlugin* plugin = instance->Plugin();
  PrintIdentity(*instance,
                {{"plug-in:", lilv_node_as_uri(lilv_plugin_get_uri(plugin))},
                 {"name:", instance->Name()},
                 {"class:", lilv_node_as_string(lilv_plugin_class_get_uri(lilv_plugin_get_class(plugin)))},
                 {"binary:", lilv_node_as_string(lilv_plugin_get_library_uri(plugin))},
                 {"required features:", Taken(lilv_plugin_get_required_features(plugin))},
                 {"optional features:", Taken(lilv_plugin_get_optional_features(plugin))},
                 {"extension data:", Taken(lilv_plugin_get_extension_data(plugin))}});
  const uint32_t count = lilv_plugin_get_num_ports(plugin);
  std::printf("\nports: %u (the control inputs are the parameters; the other ports follow them)\n", count);
  const std::vector<HostedParameter>& parameters = instance->Parameters();
  PrintParameters(*instance,
                  [&](const HostedParameter& parameter) { return PortFacts(world, plugin, parameter.id); });
  std::printf("\nother ports:\n");
  for (uint32_t p = 0; p < count; ++p) {
    if (std::any_of(parameters.begin(), parameters.end(),
                    [p](const HostedParameter& parameter) { return parameter.id == p; })) {
      continue;
    }
    const LilvPort* port = lilv_plugin_get_port_by_index(plugin, p);
    LilvNode* name = lilv_port_get_name(plugin, port);
    std::string classes;
    const LilvNodes* types = lilv_port_get_classes(plugin, port);
    LILV_FOREACH(nodes, i, types) {
      classes += (classes.empty() ? "" : " ") + LocalName(lilv_nodes_get(types, i));
    }
    std::printf("  %-10u %-8s %-20s %s\n", p, lilv_node_as_string(lilv_port_get_symbol(plugin, port)),
                name != nullptr ? lilv_node_as_string(name) : "", classes.c_str());
    lilv_node_free(name);
  }
  LilvUIs* uis = lilv_plugin_get_uis(plugin);
  std::printf("\nuis:\n");
  LILV_FOREACH(uis, i, uis) {
    const LilvUI* ui = lilv_uis_get(uis, i);
    std::printf("  %s (%s) in %s\n", lilv_node_as_uri(lilv_ui_get_uri(ui)),
                Join(lilv_ui_get_classes(ui)).c_str(), lilv_node_as_string(lilv_ui_get_binary_uri(ui)));
  }
  lilv_uis_free(uis);
  std::string type;
  const std::vector<uint8_t> state = instance->SaveState(&type);
  std::printf("\nstate:          %s of %s\n", Bytes(state).c_str(), type.c_str());
  return ToolOutput::kSuccess;
}

}  // namespace QuorvelHost
