#include "tools/quorvel-host/InfoCommand.h"

#include <cmath>
#include <cstdio>

#include "tools/quorvel-host/ClapModule.h"
#include "tools/quorvel-host/CommandLine.h"
#include "tools/quorvel-host/HostedPlugin.h"
#include "tools/quorvel-host/HostedVst2.h"
#include "tools/quorvel-host/Lv2Module.h"
#include "tools/quorvel-host/PluginModule.h"
#include "tools/quorvel-host/ToolOutput.h"
#include "tools/quorvel-host/Vst3Module.h"

namespace QuorvelHost {

namespace {

constexpr const char* kCanDoNames[] = {"receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo",
                                       "sendVstEvents", "sendVstMidiEvent"};

constexpr const char* kCategoryNames[] = {"unknown",     "effect",          "synth",       "analysis",
                                          "mastering",   "spatializer",     "room effect", "surround effect",
                                          "restoration", "offline process", "shell",       "generator"};

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

// A choice's value with its decimal point, so that it reads as the value it is.
std::string ChoiceValue(double value) {
  char text[32];
  std::snprintf(text, sizeof text, value == std::floor(value) ? "%.1f" : "%g", value);
  return text;
}

}  // namespace

void InfoCommand::PrintIdentity(const HostedPlugin& plugin, const Lines& lines) {
  Lines all = lines;
  all.insert(all.end(), {{"inputs:", std::to_string(plugin.InputCount())},
                         {"outputs:", std::to_string(plugin.OutputCount())},
                         {"parameters:", std::to_string(plugin.Parameters().size())},
                         {"programs:", std::to_string(plugin.ProgramCount())}});
  for (const auto& [label, value] : all) {
    std::printf("%-15s %s\n", label.c_str(), value.c_str());
  }
}

void InfoCommand::PrintParameters(const HostedPlugin& plugin,
                                  const std::function<std::string(const HostedParameter&)>& more) {
  std::printf(
      "\nparameters (--param NAME=VALUE takes 0 to 1 over the range, in the format's values):\n"
      "  %-10s %-8s %-20s %-10s %s\n",
      "id", "short", "name", "kind", "range, default, unit; choices");
  for (const HostedParameter& parameter : plugin.Parameters()) {
    std::string facts = parameter.unit.empty() ? "" : ", unit " + parameter.unit;
    facts += more ? more(parameter) : "";
    const size_t count = parameter.choices.size();
    for (size_t k = 0; k < count; ++k) {
      const double value = count > 1
                               ? parameter.min + static_cast<double>(k) * (parameter.max - parameter.min) /
                                                     static_cast<double>(count - 1)
                               : parameter.min;
      facts += (k == 0 ? "; choices " : ", ") + parameter.choices[k] + " = " + ChoiceValue(value);
    }
    std::printf("  %-10u %-8s %-20s %-10s %g to %g, default %g%s\n", parameter.id,
                parameter.shortName.c_str(), parameter.name.c_str(),
                HostedParameter::KindName(parameter.kind), parameter.min, parameter.max,
                parameter.defaultValue, facts.c_str());
  }
}

std::string InfoCommand::Bytes(const std::vector<uint8_t>& bytes) {
  return std::to_string(bytes.size()) + " bytes";
}

std::string InfoCommand::FlagWords(uint32_t flags, const std::vector<FlagName>& names) {
  std::string words;
  uint32_t known = 0;
  for (const FlagName& entry : names) {
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

int InfoCommand::RunVst2(const std::string& path) {
  std::string error;
  std::unique_ptr<PluginModule> module = PluginModule::Open(path, error);
  std::unique_ptr<HostedVst2> plugin = module ? module->CreateInstance(error) : nullptr;
  if (plugin == nullptr) {
    return ToolOutput::Error("info", error);
  }
  plugin->Activate(44100.0, 512, error);
  const AEffect& effect = *plugin->Effect();
  const VstIntPtr category = plugin->Dispatch(effGetPlugCategory);
  const auto flags = static_cast<uint32_t>(effect.flags);
  PrintIdentity(*plugin,
                {{"module:", path},
                 {"effect name:", plugin->GetText(effGetEffectName)},
                 {"vendor:", plugin->GetText(effGetVendorString)},
                 {"product:", plugin->GetText(effGetProductString)},
                 {"unique ID:", ToolOutput::FourCharacters(effect.uniqueID) + " (" +
                                    ToolOutput::Hex(static_cast<uint32_t>(effect.uniqueID)) + ")"},
                 {"version:", std::to_string(effect.version)},
                 {"vendor version:", std::to_string(plugin->Dispatch(effGetVendorVersion))},
                 {"VST version:", std::to_string(plugin->Dispatch(effGetVstVersion))},
                 {"category:", (category >= 0 && category < static_cast<VstIntPtr>(std::size(kCategoryNames))
                                    ? kCategoryNames[category]
                                    : "not a known category") +
                                   std::string(" (") + std::to_string(category) + ")"},
                 {"flags:", ToolOutput::Hex(flags) + ": " +
                                FlagWords(flags, {{effFlagsHasEditor, "has editor"},
                                                  {effFlagsHasClip, "has clip"},
                                                  {effFlagsHasVu, "has VU"},
                                                  {effFlagsCanMono, "can mono"},
                                                  {effFlagsCanReplacing, "can replace"},
                                                  {effFlagsProgramChunks, "program chunks"},
                                                  {effFlagsIsSynth, "is synth"},
                                                  {effFlagsNoSoundInStop, "no sound in stop"},
                                                  {effFlagsExtIsAsync, "is async"},
                                                  {effFlagsExtHasBuffer, "has buffer"},
                                                  {effFlagsCanDoubleReplacing, "can double replace"}})},
                 {"initial delay:", std::to_string(effect.initialDelay) + " frames"}});
  PrintParameters(*plugin);
  // What a VST2 host shows of each value: the plug-in's own text and label.
  std::printf("\nvalues as the plug-in shows them:\n");
  for (int32_t i = 0; i < plugin->ParameterCount(); ++i) {
    std::printf("  %-5d %-10.6f %-16s %s\n", i, static_cast<double>(plugin->GetParameter(i)),
                (plugin->ParameterDisplay(i) + " " + plugin->ParameterLabel(i)).c_str(),
                plugin->Parameters()[static_cast<size_t>(i)].name.c_str());
  }
  std::printf("\nprograms (selected: %d):\n", plugin->GetProgram());
  std::vector<std::string> names = ProgramNames(*plugin);
  for (size_t i = 0; i < names.size(); ++i) {
    std::printf("  %-5zu %s\n", i, names[i].c_str());
  }
  std::printf("\ncan do:\n");
  for (const char* name : kCanDoNames) {
    char text[64] = {};
    std::snprintf(text, sizeof(text), "%s", name);
    std::printf("  %-20s %s\n", name, CanDoWords(plugin->Dispatch(effCanDo, 0, 0, text)).c_str());
  }
  std::printf("\nchunks:\n");
  if (plugin->HasFlag(effFlagsProgramChunks)) {
    std::printf("  program chunk:  %s\n", Bytes(plugin->GetChunk(true)).c_str());
    std::printf("  bank chunk:     %s\n", Bytes(plugin->GetChunk(false)).c_str());
  } else {
    std::printf("  none (the plug-in keeps its state in its parameters)\n");
  }
  return ToolOutput::kSuccess;
}

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
  if (ClapModule::IsClapPath(path)) {
    return RunClap(path);
  }
  if (Vst3Module::IsVst3Path(path)) {
    return RunVst3(path);
  }
  return Lv2Module::IsLv2Path(path) ? RunLv2(path) : RunVst2(path);
}

}  // namespace QuorvelHost
