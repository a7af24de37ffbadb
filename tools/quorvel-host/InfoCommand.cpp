#include "tools/quorvel-host/InfoCommand.h"

#include <cstdio>

#include "tools/quorvel-host/ClapInfoCommand.h"
#include "tools/quorvel-host/ClapModule.h"
#include "tools/quorvel-host/CommandLine.h"
#include "tools/quorvel-host/HostedPlugin.h"
#include "tools/quorvel-host/HostedVst2.h"
#include "tools/quorvel-host/Lv2InfoCommand.h"
#include "tools/quorvel-host/Lv2Module.h"
#include "tools/quorvel-host/ToolOutput.h"
#include "tools/quorvel-host/Vst3InfoCommand.h"
#include "tools/quorvel-host/Vst3Module.h"

namespace QuorvelHost {

namespace {

constexpr const char* kCanDoNames[] = {"receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo",
                                       "sendVstEvents", "sendVstMidiEvent"};

struct FlagName {
  int32_t flag;
  const char* name;
};
constexpr FlagName kFlagNames[] = {{effFlagsHasEditor, "has editor"},
                                   {effFlagsHasClip, "has clip"},
                                   {effFlagsHasVu, "has VU"},
                                   {effFlagsCanMono, "can mono"},
                                   {effFlagsCanReplacing, "can replace"},
                                   {effFlagsProgramChunks, "program chunks"},
                                   {effFlagsIsSynth, "is synth"},
                                   {effFlagsNoSoundInStop, "no sound in stop"},
                                   {effFlagsExtIsAsync, "is async"},
                                   {effFlagsExtHasBuffer, "has buffer"},
                                   {effFlagsCanDoubleReplacing, "can double replace"}};

constexpr const char* kCategoryNames[] = {"unknown",     "effect",          "synth",       "analysis",
                                          "mastering",   "spatializer",     "room effect", "surround effect",
                                          "restoration", "offline process", "shell",       "generator"};

std::string FlagWords(int32_t flags) {
  std::string words;
  int32_t known = 0;
  for (const FlagName& entry : kFlagNames) {
    known |= entry.flag;
    if ((flags & entry.flag) != 0) {
      words += (words.empty() ? "" : ", ") + std::string(entry.name);
    }
  }
  if ((flags & ~known) != 0) {
    words += (words.empty() ? "" : ", ") + std::string("unknown bits");
  }
  return words.empty() ? "none" : words;
}

std::string CanDoWords(VstIntPtr answer) {
  switch (answer) {
    case 1:
      return "yes (1)";
    case 0:
      return "don't know (0)";
    case -1:
      return "no (-1)";
    default:
      return "unexpected answer (" + std::to_string(answer) + ")";
  }
}

// Hosts read a program's name by selecting it, unless the plug-in answers the
// indexed query; the selection is restored afterwards.
std::vector<std::string> ProgramNames(HostedVst2& plugin) {
  std::vector<std::string> names;
  int32_t selected = plugin.GetProgram();
  for (int32_t i = 0; i < plugin.ProgramCount(); ++i) {
    char buffer[1024] = {};
    if (plugin.Dispatch(effGetProgramNameIndexed, i, -1, buffer) != 0) {
      buffer[sizeof(buffer) - 1] = '\0';
      names.emplace_back(buffer);
    } else {
      plugin.SetProgram(i);
      names.push_back(plugin.GetText(effGetProgramName));
    }
  }
  plugin.SetProgram(selected);
  return names;
}

void PrintIdentity(HostedVst2& plugin, const std::string& path) {
  AEffect* effect = plugin.Effect();
  VstIntPtr category = plugin.Dispatch(effGetPlugCategory);
  std::string categoryName = category >= 0 && category < static_cast<VstIntPtr>(std::size(kCategoryNames))
                                 ? kCategoryNames[category]
                                 : "not a known category";
  std::printf("module:         %s\n", path.c_str());
  std::printf("effect name:    %s\n", plugin.GetText(effGetEffectName).c_str());
  std::printf("vendor:         %s\n", plugin.GetText(effGetVendorString).c_str());
  std::printf("product:        %s\n", plugin.GetText(effGetProductString).c_str());
  std::printf("unique ID:      %s (%s)\n", ToolOutput::FourCharacters(plugin.UniqueId()).c_str(),
              ToolOutput::Hex(static_cast<uint32_t>(plugin.UniqueId())).c_str());
  std::printf("version:        %d\n", effect->version);
  std::printf("vendor version: %lld\n", static_cast<long long>(plugin.Dispatch(effGetVendorVersion)));
  std::printf("VST version:    %lld\n", static_cast<long long>(plugin.Dispatch(effGetVstVersion)));
  std::printf("category:       %s (%lld)\n", categoryName.c_str(), static_cast<long long>(category));
  std::printf("flags:          %s: %s\n", ToolOutput::Hex(static_cast<uint32_t>(plugin.Flags())).c_str(),
              FlagWords(plugin.Flags()).c_str());
  std::printf("inputs:         %d\n", plugin.InputCount());
  std::printf("outputs:        %d\n", plugin.OutputCount());
  std::printf("parameters:     %d\n", plugin.ParameterCount());
  std::printf("programs:       %d\n", plugin.ProgramCount());
  std::printf("initial delay:  %d frames\n", effect->initialDelay);
}

void PrintParameters(HostedVst2& plugin) {
  std::printf("\nparameters:\n  %-5s %-8s %-8s %-10s %-8s %s\n", "index", "name", "label", "value", "display",
              "long name");
  for (int32_t i = 0; i < plugin.ParameterCount(); ++i) {
    std::printf("  %-5d %-8s %-8s %-10.6f %-8s %s\n", i, plugin.ParameterName(i).c_str(),
                plugin.ParameterLabel(i).c_str(), static_cast<double>(plugin.GetParameter(i)),
                plugin.ParameterDisplay(i).c_str(), plugin.Parameters()[static_cast<size_t>(i)].name.c_str());
  }
}

void PrintProgramsAndCapabilities(HostedVst2& plugin) {
  std::printf("\nprograms (selected: %d):\n", plugin.GetProgram());
  std::vector<std::string> names = ProgramNames(plugin);
  for (size_t i = 0; i < names.size(); ++i) {
    std::printf("  %-5zu %s\n", i, names[i].c_str());
  }
  std::printf("\ncan do:\n");
  for (const char* name : kCanDoNames) {
    char text[64] = {};
    std::snprintf(text, sizeof(text), "%s", name);
    std::printf("  %-20s %s\n", name, CanDoWords(plugin.Dispatch(effCanDo, 0, 0, text)).c_str());
  }
  std::printf("\nchunks:\n");
  if (plugin.HasFlag(effFlagsProgramChunks)) {
    std::printf("  program chunk:  %zu bytes\n", plugin.GetChunk(true).size());
    std::printf("  bank chunk:     %zu bytes\n", plugin.GetChunk(false).size());
  } else {
    std::printf("  none (the plug-in keeps its state in its parameters)\n");
  }
}

void PrintVst2(const std::string& path, std::string& error) {
  std::unique_ptr<HostedVst2> plugin = HostedVst2::Open(path, error);
  if (plugin == nullptr) {
    return;
  }
  plugin->Dispatch(effOpen);
  plugin->SetSampleRate(44100.0);
  plugin->SetBlockSize(512);
  PrintIdentity(*plugin, path);
  PrintParameters(*plugin);
  PrintProgramsAndCapabilities(*plugin);
  plugin->Close();
}

// What the host tool describes alike for every format: each parameter as render's and
// bench's settings reach it, in the format's own values.
void PrintSettings(const std::string& path, std::string& error) {
  std::unique_ptr<HostedPlugin> plugin = HostedPlugin::Open(path, error);
  if (plugin == nullptr) {
    return;
  }
  std::printf("\n--param NAME=VALUE (0 to 1) sets, in the format's values:\n  %-10s %-8s %-10s %s\n", "id",
              "name", "kind", "range");
  for (const HostedParameter& parameter : plugin->Parameters()) {
    std::string choices;
    for (const std::string& choice : parameter.choices) {
      choices += (choices.empty() ? "; " : ", ") + choice;
    }
    std::printf("  %-10u %-8s %-10s %g to %g%s\n", parameter.id, parameter.shortName.c_str(),
                HostedParameter::KindName(parameter.kind), parameter.min, parameter.max, choices.c_str());
  }
}

}  // namespace

int InfoCommand::Run(const std::vector<std::string>& args) {
  CommandLine line;
  std::string error;
  if (!line.Parse(args, {}, error)) {
    return ToolOutput::Error("info", error, ToolOutput::kUsageError);
  }
  if (line.Positionals().size() != 1) {
    return ToolOutput::Error("info", "expects exactly one MODULE", ToolOutput::kUsageError);
  }
  const std::string& path = line.Positionals()[0];
  int status = ToolOutput::kSuccess;
  if (ClapModule::IsClapPath(path)) {
    status = ClapInfoCommand::Run(path);
  } else if (Vst3Module::IsVst3Path(path)) {
    status = Vst3InfoCommand::Run(path);
  } else if (Lv2Module::IsLv2Path(path)) {
    status = Lv2InfoCommand::Run(path);
  } else {
    PrintVst2(path, error);
  }
  if (status == ToolOutput::kSuccess && error.empty()) {
    PrintSettings(path, error);
  }
  return error.empty() ? status : ToolOutput::Error("info", error);
}

}  // namespace QuorvelHost
