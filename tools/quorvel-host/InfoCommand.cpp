#include "tools/quorvel-host/InfoCommand.h"

#include <cmath>
#include <cstdio>

#include "tools/quorvel-host/CommandLine.h"
#include "tools/quorvel-host/HostedClap.h"
#include "tools/quorvel-host/HostedLv2.h"
#include "tools/quorvel-host/HostedVst2.h"
#include "tools/quorvel-host/HostedVst3.h"
#include "tools/quorvel-host/ToolOutput.h"

namespace QuorvelHost {

namespace {

constexpr const char* kCategoryNames[] = {"unknown",     "effect",          "synth",       "analysis",
                                          "mastering",   "spatializer",     "room effect", "surround effect",
                                          "restoration", "offline process", "shell",       "generator"};

constexpr const char* kKindNames[] = {"continuous", "switch", "choice", "bypass"};

// A choice's plain value with its decimal point, so that it reads as a value ("2.0").
std::string ChoiceValue(double value) {
  char text[32];
  std::snprintf(text, sizeof text, value == std::floor(value) ? "%.1f" : "%g", value);
  return text;
}

// A unique ID as its four characters ("QDly"), unprintable bytes as '?'.
std::string FourCharacters(int32_t id) {
  auto bits = static_cast<uint32_t>(id);
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    auto c = static_cast<char>((bits >> shift) & 0xFFu);
    text += (c >= 0x20 && c < 0x7F) ? c : '?';
  }
  return text;
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
  std::unique_ptr<HostedPlugin> plugin = HostedPlugin::Open(path, error);
  if (plugin == nullptr || !plugin->Activate(44100.0, 512, error)) {
    return ToolOutput::Error("info", error.empty() ? "the plug-in does not activate at 44100 Hz" : error);
  }
  if (auto* clap = dynamic_cast<HostedClap*>(plugin.get())) {
    PrintClap(*clap);
  } else if (auto* vst3 = dynamic_cast<HostedVst3*>(plugin.get())) {
    PrintVst3(*vst3);
  } else if (auto* lv2 = dynamic_cast<HostedLv2*>(plugin.get())) {
    PrintLv2(*lv2);
  } else {
    PrintVst2(path, static_cast<HostedVst2&>(*plugin));
  }
  return ToolOutput::kSuccess;
}

void InfoCommand::PrintIdentity(const HostedPlugin& plugin, Lines lines) {
  lines.insert(lines.end(), {{"inputs:", std::to_string(plugin.InputCount())},
                             {"outputs:", std::to_string(plugin.OutputCount())},
                             {"parameters:", std::to_string(plugin.Parameters().size())},
                             {"programs:", std::to_string(plugin.ProgramCount())}});
  for (const auto& [label, value] : lines) {
    std::printf("%-15s %s\n", label.c_str(), value.empty() ? "-" : value.c_str());
  }
}

void InfoCommand::PrintParameters(const HostedPlugin& plugin,
                                  const std::function<std::string(const HostedParameter&)>& more) {
  std::printf(
      "\nparameters (--param NAME=VALUE takes 0 to 1 over the range, in the format's values):\n"
      "  %-10s %-8s %-20s %-10s %s\n",
      "id", "short", "name", "kind", "range, default, unit; choices");
  for (const HostedParameter& parameter : plugin.Parameters()) {
    std::string facts =
        (parameter.unit.empty() ? "" : ", unit " + parameter.unit) + (more ? more(parameter) : "");
    // The choices lie evenly over the range, as HostedParameter::PlainOf picks them.
    const double count = static_cast<double>(parameter.choices.size());
    for (size_t k = 0; k < parameter.choices.size(); ++k) {
      const double step = count > 1.0 ? (parameter.max - parameter.min) / (count - 1.0) : 0.0;
      facts += (k == 0 ? "; choices " : ", ") + parameter.choices[k] + " = " +
               ChoiceValue(parameter.min + static_cast<double>(k) * step);
    }
    std::printf("  %-10u %-8s %-20s %-10s %g to %g, default %g%s\n", parameter.id,
                parameter.shortName.c_str(), parameter.name.c_str(),
                kKindNames[static_cast<int>(parameter.kind)], parameter.min, parameter.max,
                parameter.defaultValue, facts.c_str());
  }
}

std::string InfoCommand::FlagWords(uint32_t flags, const FlagNames& names) {
  std::string words;
  for (const auto& [flag, name] : names) {
    words += (flags & flag) != 0 ? (words.empty() ? "" : ", ") + std::string(name) : "";
    flags &= ~flag;
  }
  words += flags != 0 ? (words.empty() ? "" : ", ") + std::string("unknown bits") : "";
  return words.empty() ? "none" : words;
}

void InfoCommand::PrintVst2(const std::string& path, HostedVst2& plugin) {
  const AEffect& effect = *plugin.Effect();
  const VstIntPtr category = plugin.Dispatch(effGetPlugCategory);
  const bool known = category >= 0 && category < static_cast<VstIntPtr>(std::size(kCategoryNames));
  const auto flags = static_cast<uint32_t>(effect.flags);
  PrintIdentity(
      plugin, {{"module:", path},
               {"effect name:", plugin.GetText(effGetEffectName)},
               {"vendor:", plugin.GetText(effGetVendorString)},
               {"product:", plugin.GetText(effGetProductString)},
               {"unique ID:", FourCharacters(effect.uniqueID) + " (" +
                                  ToolOutput::Hex(static_cast<uint32_t>(effect.uniqueID)) + ")"},
               {"version:", std::to_string(effect.version)},
               {"vendor version:", std::to_string(plugin.Dispatch(effGetVendorVersion))},
               {"VST version:", std::to_string(plugin.Dispatch(effGetVstVersion))},
               {"category:", (known ? kCategoryNames[category] : "not a known category") + std::string(" (") +
                                 std::to_string(category) + ")"},
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
  PrintParameters(plugin);
  std::printf("\nvalues as the plug-in shows them:\n");
  for (const HostedParameter& parameter : plugin.Parameters()) {
    const auto i = static_cast<int32_t>(parameter.id);
    std::printf("  %-10d %-10.6f %-16s %s\n", i, static_cast<double>(plugin.GetParameter(i)),
                (plugin.GetText(effGetParamDisplay, i) + " " + parameter.unit).c_str(),
                parameter.name.c_str());
  }
  // Hosts read a program's name by selecting it, unless the plug-in names it by its index.
  const auto selected = static_cast<int32_t>(plugin.Dispatch(effGetProgram));
  std::printf("\nprograms (selected: %d):\n", selected);
  for (int32_t i = 0; i < plugin.ProgramCount(); ++i) {
    std::string name = plugin.GetText(effGetProgramNameIndexed, i, -1);
    if (name.empty()) {
      plugin.SetProgram(i);
      name = plugin.GetText(effGetProgramName);
    }
    std::printf("  %-5d %s\n", i, name.c_str());
  }
  plugin.SetProgram(selected);
  std::printf("\ncan do:\n");
  for (const char* name : {"receiveVstEvents", "receiveVstMidiEvent", "receiveVstTimeInfo", "sendVstEvents",
                           "sendVstMidiEvent"}) {
    std::string text = name;  // the opcode's text argument is not const
    const VstIntPtr answer = plugin.Dispatch(effCanDo, 0, 0, text.data());
    const char* const kAnswers[] = {"no (-1)", "don't know (0)", "yes (1)"};
    std::printf("  %-20s %s\n", name,
                answer >= -1 && answer <= 1 ? kAnswers[answer + 1]
                                            : ("unexpected answer (" + std::to_string(answer) + ")").c_str());
  }
  std::printf("\nchunks:\n");
  if (!plugin.HasFlag(effFlagsProgramChunks)) {
    std::printf("  none (the plug-in keeps its state in its parameters)\n");
    return;
  }
  std::printf("  program chunk:  %zu bytes\n", plugin.GetState(true).size());
  std::printf("  bank chunk:     %zu bytes\n", plugin.GetState(false).size());
}

}  // namespace QuorvelHost
