#include "tools/quorvel-host/ClapInfoCommand.h"

#include <cstdio>
#include <memory>
#include <string>

#include "tools/quorvel-host/ClapModule.h"
#include "tools/quorvel-host/HostedClap.h"
#include "tools/quorvel-host/ToolOutput.h"

namespace QuorvelHost {

namespace {

const char* Text(const char* text) {
  return text != nullptr && text[0] != '\0' ? text : "-";
}

void PrintDescriptor(const ClapModule& module) {
  const clap_plugin_entry_t& entry = module.Entry();
  const clap_plugin_descriptor_t& descriptor = *module.Descriptor();
  std::printf("module:         %s\n", module.Name().c_str());
  std::printf("CLAP version:   %u.%u.%u\n", entry.clap_version.major, entry.clap_version.minor,
              entry.clap_version.revision);
  std::printf("id:             %s\n", Text(descriptor.id));
  std::printf("name:           %s\n", Text(descriptor.name));
  std::printf("vendor:         %s\n", Text(descriptor.vendor));
  std::printf("url:            %s\n", Text(descriptor.url));
  std::printf("version:        %s\n", Text(descriptor.version));
  std::printf("description:    %s\n", Text(descriptor.description));
  std::string features;
  for (const char* const* feature = descriptor.features; feature != nullptr && *feature != nullptr; ++feature) {
    features += (features.empty() ? "" : ", ") + std::string(*feature);
  }
  std::printf("features:       %s\n", Text(features.c_str()));
}

void PrintPorts(const HostedClap& plugin) {
  const auto* audio = static_cast<const clap_plugin_audio_ports_t*>(plugin.Extension(CLAP_EXT_AUDIO_PORTS));
  const auto* notes = static_cast<const clap_plugin_note_ports_t*>(plugin.Extension(CLAP_EXT_NOTE_PORTS));
  for (const bool input : {true, false}) {
    const uint32_t count = audio != nullptr ? audio->count(&plugin.Plugin(), input) : 0;
    for (uint32_t i = 0; i < count; ++i) {
      clap_audio_port_info_t info{};
      if (audio->get(&plugin.Plugin(), i, input, &info)) {
        std::printf("audio %-6s    %u: %s, %u channels, %s, in place with %d\n", input ? "input" : "output", info.id,
                    info.name, info.channel_count, Text(info.port_type),
                    info.in_place_pair == CLAP_INVALID_ID ? -1 : static_cast<int>(info.in_place_pair));
      }
    }
    const uint32_t noteCount = notes != nullptr ? notes->count(&plugin.Plugin(), input) : 0;
    for (uint32_t i = 0; i < noteCount; ++i) {
      clap_note_port_info_t info{};
      if (notes->get(&plugin.Plugin(), i, input, &info)) {
        std::printf("note %-6s     %u: %s, dialects 0x%X\n", input ? "input" : "output", info.id, info.name,
                    info.supported_dialects);
      }
    }
  }
}

void PrintParameters(const HostedClap& plugin) {
  const clap_plugin_params_t* params = plugin.Params();
  const uint32_t count = params != nullptr ? params->count(&plugin.Plugin()) : 0;
  std::printf("parameters:     %u\n", count);
  for (uint32_t i = 0; i < count; ++i) {
    clap_param_info_t info{};
    if (!params->get_info(&plugin.Plugin(), i, &info)) {
      continue;
    }
    double value = 0.0;
    char text[128] = {};
    params->get_value(&plugin.Plugin(), info.id, &value);
    params->value_to_text(&plugin.Plugin(), info.id, value, text, sizeof text);
    std::printf("  %3u  %-28s %-10g %-16s %g..%g%s\n", info.id, info.name, value, text, info.min_value,
                info.max_value, (info.flags & CLAP_PARAM_IS_STEPPED) != 0 ? ", stepped" : "");
  }
}

void PrintExtensions(const HostedClap& plugin) {
  std::string offered;
  for (const char* id : {CLAP_EXT_AUDIO_PORTS, CLAP_EXT_NOTE_PORTS, CLAP_EXT_PARAMS, CLAP_EXT_STATE, CLAP_EXT_LATENCY,
                         CLAP_EXT_TAIL, CLAP_EXT_GUI, CLAP_EXT_TIMER_SUPPORT, CLAP_EXT_POSIX_FD_SUPPORT}) {
    if (plugin.Extension(id) != nullptr) {
      offered += (offered.empty() ? "" : ", ") + std::string(id);
    }
  }
  std::printf("extensions:     %s\n", Text(offered.c_str()));
  const auto* latency = static_cast<const clap_plugin_latency_t*>(plugin.Extension(CLAP_EXT_LATENCY));
  const auto* tail = static_cast<const clap_plugin_tail_t*>(plugin.Extension(CLAP_EXT_TAIL));
  std::printf("latency:        %u frames\n", latency != nullptr ? latency->get(&plugin.Plugin()) : 0u);
  if (tail != nullptr) {
    std::printf("tail:           %u frames\n", tail->get(&plugin.Plugin()));
  }
}

}  // namespace

int ClapInfoCommand::Run(const std::string& path) {
  std::string error;
  std::unique_ptr<HostedClap> plugin = HostedClap::Open(path, error);
  if (plugin == nullptr) {
    return ToolOutput::Error("info", error);
  }
  if (!plugin->Activate(44100.0, 512, error)) {
    return ToolOutput::Error("info", "the plug-in does not activate at 44100 Hz");
  }
  PrintDescriptor(plugin->Module());
  PrintPorts(*plugin);
  PrintExtensions(*plugin);
  PrintParameters(*plugin);
  return ToolOutput::kSuccess;
}

}  // namespace QuorvelHost
