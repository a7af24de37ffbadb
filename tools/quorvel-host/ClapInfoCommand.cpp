#include <cstdio>
#include <string>

#include "tools/quorvel-host/HostedClap.h"
#include "tools/quorvel-host/InfoCommand.h"
#include "tools/quorvel-host/ToolOutput.h"

namespace QuorvelHost {

void InfoCommand::PrintClap(HostedClap& plugin) {
  const auto shown = [](const char* text) { return text != nullptr && text[0] != '\0' ? text : "-"; };
  const clap_plugin_t& instance = plugin.Plugin();
  const clap_version_t& version = plugin.Entry().clap_version;
  const clap_plugin_descriptor_t& descriptor = *plugin.Descriptor();
  std::string features;
  for (const char* const* feature = descriptor.features; feature != nullptr && *feature != nullptr;
       ++feature) {
    features += (features.empty() ? "" : ", ") + std::string(*feature);
  }
  Lines lines = {{"module:", plugin.Path()},
                 {"CLAP version:", std::to_string(version.major) + "." + std::to_string(version.minor) + "." +
                                       std::to_string(version.revision)},
                 {"id:", shown(descriptor.id)},
                 {"name:", shown(descriptor.name)},
                 {"vendor:", shown(descriptor.vendor)},
                 {"url:", shown(descriptor.url)},
                 {"version:", shown(descriptor.version)},
                 {"description:", shown(descriptor.description)},
                 {"features:", features}};
  const auto* audio = static_cast<const clap_plugin_audio_ports_t*>(plugin.Extension(CLAP_EXT_AUDIO_PORTS));
  const auto* notes = static_cast<const clap_plugin_note_ports_t*>(plugin.Extension(CLAP_EXT_NOTE_PORTS));
  for (const bool input : {true, false}) {
    const std::string direction = input ? "input" : "output";
    for (uint32_t i = 0; audio != nullptr && i < audio->count(&instance, input); ++i) {
      clap_audio_port_info_t port{};
      if (audio->get(&instance, i, input, &port)) {
        port.name[sizeof port.name - 1] = '\0';
        const int pair = port.in_place_pair == CLAP_INVALID_ID ? -1 : static_cast<int>(port.in_place_pair);
        lines.emplace_back("audio " + direction, std::to_string(port.id) + ": " + port.name + ", " +
                                                     std::to_string(port.channel_count) + " channels, " +
                                                     shown(port.port_type) + ", in place with " +
                                                     std::to_string(pair));
      }
    }
    for (uint32_t i = 0; notes != nullptr && i < notes->count(&instance, input); ++i) {
      clap_note_port_info_t port{};
      if (notes->get(&instance, i, input, &port)) {
        port.name[sizeof port.name - 1] = '\0';
        lines.emplace_back("note " + direction, std::to_string(port.id) + ": " + port.name + ", dialects " +
                                                    ToolOutput::Hex(port.supported_dialects));
      }
    }
  }
  std::string offered;
  for (const char* id :
       {CLAP_EXT_AUDIO_PORTS, CLAP_EXT_NOTE_PORTS, CLAP_EXT_PARAMS, CLAP_EXT_STATE, CLAP_EXT_LATENCY,
        CLAP_EXT_TAIL, CLAP_EXT_GUI, CLAP_EXT_TIMER_SUPPORT, CLAP_EXT_POSIX_FD_SUPPORT}) {
    offered += plugin.Extension(id) != nullptr ? (offered.empty() ? "" : ", ") + std::string(id) : "";
  }
  const auto* latency = static_cast<const clap_plugin_latency_t*>(plugin.Extension(CLAP_EXT_LATENCY));
  const auto* tail = static_cast<const clap_plugin_tail_t*>(plugin.Extension(CLAP_EXT_TAIL));
  lines.insert(lines.end(),
               {{"extensions:", offered},
                {"latency:", std::to_string(latency != nullptr ? latency->get(&instance) : 0) + " frames"},
                {"tail:", tail != nullptr ? std::to_string(tail->get(&instance)) + " frames" : "-"},
                {"state:", std::to_string(plugin.GetState(false).size()) + " bytes"}});
  PrintIdentity(plugin, lines);
  PrintParameters(plugin);
  std::printf("\nparameter flags:\n");
  for (uint32_t i = 0; plugin.Params() != nullptr && i < plugin.Params()->count(&instance); ++i) {
    clap_param_info_t info{};
    if (plugin.Params()->get_info(&instance, i, &info)) {
      info.name[sizeof info.name - 1] = '\0';
      std::printf("  %-10u %-20s %s\n", info.id, info.name,
                  FlagWords(info.flags, {{CLAP_PARAM_IS_STEPPED, "stepped"},
                                         {CLAP_PARAM_IS_PERIODIC, "periodic"},
                                         {CLAP_PARAM_IS_HIDDEN, "hidden"},
                                         {CLAP_PARAM_IS_READONLY, "read-only"},
                                         {CLAP_PARAM_IS_BYPASS, "bypass"},
                                         {CLAP_PARAM_IS_AUTOMATABLE, "automatable"},
                                         {CLAP_PARAM_REQUIRES_PROCESS, "requires process"},
                                         {CLAP_PARAM_IS_ENUM, "enum"}})
                      .c_str());
    }
  }
}

}  // namespace QuorvelHost
