#include "tools/quorvel-host/Vst3InfoCommand.h"

#include <cstdio>
#include <string>

#include "tools/quorvel-host/HostedVst3.h"
#include "tools/quorvel-host/ToolOutput.h"
#include "tools/quorvel-host/Vst3Module.h"
#include "tools/quorvel-host/Vst3Text.h"

namespace QuorvelHost {

namespace {

namespace Vst = Steinberg::Vst;

// A class ID as hosts write it: 32 hex digits in the order of its four numbers (on Windows
// the first three fields of the GUID are stored little-endian).
std::string ClassIdText(const Steinberg::TUID cid) {
  const Steinberg::FUID probe(0x00010203, 0x04050607, 0x08090A0B, 0x0C0D0E0F);
  std::string text;
  char digits[3];
  for (int written = 0; written < 16; ++written) {
    int stored = 0;
    while (probe.data[stored] != written) {
      ++stored;
    }
    std::snprintf(digits, sizeof digits, "%02X", static_cast<unsigned>(static_cast<unsigned char>(cid[stored])));
    text += digits;
  }
  return text;
}

std::string ParameterFlags(Steinberg::int32 flags) {
  std::string words;
  const struct {
    Steinberg::int32 flag;
    const char* name;
  } names[] = {{Vst::ParameterInfo::kCanAutomate, "automate"}, {Vst::ParameterInfo::kIsReadOnly, "read-only"},
               {Vst::ParameterInfo::kIsList, "list"},          {Vst::ParameterInfo::kIsHidden, "hidden"},
               {Vst::ParameterInfo::kIsProgramChange, "program change"}, {Vst::ParameterInfo::kIsBypass, "bypass"}};
  for (const auto& entry : names) {
    if ((flags & entry.flag) != 0) {
      words += (words.empty() ? "" : ", ") + std::string(entry.name);
    }
  }
  return words.empty() ? "-" : words;
}

void PrintFactory(const Vst3Module& module) {
  Steinberg::PFactoryInfo factory{};
  module.Factory()->getFactoryInfo(&factory);
  std::printf("bundle:         %s\n", module.Name().c_str());
  std::printf("module:         %s\n", module.ModulePath().c_str());
  std::printf("vendor:         %s\n", factory.vendor);
  std::printf("url:            %s\n", factory.url);
  std::printf("e-mail:         %s\n", factory.email);
  std::printf("classes:        %d\n", module.Factory()->countClasses());
  for (Steinberg::int32 i = 0; i < module.Factory()->countClasses(); ++i) {
    Steinberg::PClassInfo2 info{};
    if (module.Factory2() == nullptr || module.Factory2()->getClassInfo2(i, &info) != Steinberg::kResultOk) {
      Steinberg::PClassInfo basic{};
      module.Factory()->getClassInfo(i, &basic);
      std::printf("  %s  %s (%s)\n", ClassIdText(basic.cid).c_str(), basic.name, basic.category);
      continue;
    }
    std::printf("  %s  %s (%s; %s), version %s, %s\n", ClassIdText(info.cid).c_str(), info.name, info.category,
                info.subCategories, info.version, info.sdkVersion);
  }
}

void PrintProcessor(HostedVst3& plugin) {
  Vst::IComponent* component = plugin.Component();
  std::printf("\nbuses:\n");
  for (Vst::MediaType type : {Vst::kAudio, Vst::kEvent}) {
    for (Vst::BusDirection direction : {Vst::kInput, Vst::kOutput}) {
      for (Steinberg::int32 i = 0; i < component->getBusCount(type, direction); ++i) {
        Vst::BusInfo bus{};
        component->getBusInfo(type, direction, i, bus);
        std::printf("  %-5s %-6s %-12s %d channels\n", type == Vst::kAudio ? "audio" : "event",
                    direction == Vst::kInput ? "input" : "output", Vst3Text::Ascii(bus.name).c_str(), bus.channelCount);
      }
    }
  }
  std::printf("single component: %s\n", plugin.IsSingleComponent() ? "yes" : "no");
  std::printf("32-bit samples: %s, 64-bit samples: %s\n",
              plugin.Processor()->canProcessSampleSize(Vst::kSample32) == Steinberg::kResultTrue ? "yes" : "no",
              plugin.Processor()->canProcessSampleSize(Vst::kSample64) == Steinberg::kResultTrue ? "yes" : "no");
  std::printf("latency:        %u frames\n", plugin.Processor()->getLatencySamples());
  const Steinberg::uint32 tail = plugin.Processor()->getTailSamples();
  if (tail == Vst::kInfiniteTail) {
    std::printf("tail:           infinite\n");
  } else {
    std::printf("tail:           %u frames\n", tail);
  }
  std::printf("state:          %zu bytes\n", plugin.SaveState().size());
}

void PrintParameters(HostedVst3& plugin) {
  Vst::IEditController* controller = plugin.Controller();
  if (controller == nullptr) {
    std::printf("\nno edit controller\n");
    return;
  }
  const Steinberg::int32 count = controller->getParameterCount();
  Steinberg::int32 hidden = 0;
  std::printf("\nparameters: %d\n  %-6s %-16s %-8s %-6s %-5s %-10s %-10s %s\n", count, "id", "title", "short",
              "units", "steps", "value", "display", "flags");
  for (Steinberg::int32 i = 0; i < count; ++i) {
    Vst::ParameterInfo info{};
    if (controller->getParameterInfo(i, info) != Steinberg::kResultOk) {
      continue;
    }
    if ((info.flags & Vst::ParameterInfo::kIsHidden) != 0) {
      ++hidden;
      continue;
    }
    const Vst::ParamValue value = controller->getParamNormalized(info.id);
    Vst::String128 display{};
    controller->getParamStringByValue(info.id, value, display);
    std::printf("  %-6u %-16s %-8s %-6s %-5d %-10.6f %-10s %s\n", info.id, Vst3Text::Ascii(info.title).c_str(),
                Vst3Text::Ascii(info.shortTitle).c_str(), Vst3Text::Ascii(info.units).c_str(), info.stepCount, value,
                Vst3Text::Ascii(display).c_str(), ParameterFlags(info.flags).c_str());
  }
  std::printf("  and %d hidden parameters\n", hidden);
  void* found = plugin.Query(Vst::IUnitInfo::iid);
  if (found == nullptr) {
    return;
  }
  auto* units = static_cast<Vst::IUnitInfo*>(found);
  for (Steinberg::int32 list = 0; list < units->getProgramListCount(); ++list) {
    Vst::ProgramListInfo info{};
    units->getProgramListInfo(list, info);
    std::printf("\nprogram list %d, %s: %d programs\n", info.id, Vst3Text::Ascii(info.name).c_str(), info.programCount);
    for (Steinberg::int32 p = 0; p < info.programCount; ++p) {
      Vst::String128 name{};
      units->getProgramName(info.id, p, name);
      std::printf("  %-5d %s\n", p, Vst3Text::Ascii(name).c_str());
    }
  }
  units->release();
}

}  // namespace

int Vst3InfoCommand::Run(const std::string& path) {
  std::string error;
  std::unique_ptr<HostedVst3> plugin = HostedVst3::Open(path, error);
  if (plugin == nullptr) {
    return ToolOutput::Error("info", error);
  }
  plugin->Activate(44100.0, 512, error);
  PrintFactory(plugin->Module());
  PrintProcessor(*plugin);
  PrintParameters(*plugin);
  plugin.reset();
  return ToolOutput::kSuccess;
}

}  // namespace QuorvelHost
