#include <cstdio>
#include <string>
#include <vector>

#include "tools/quorvel-host/HostedVst3.h"
#include "tools/quorvel-host/InfoCommand.h"
#include "tools/quorvel-host/Vst3Module.h"

namespace QuorvelHost {

namespace {

namespace Vst = Steinberg::Vst;

// A class ID as hosts write it: 32 hex digits.
std::string ClassIdText(const Steinberg::TUID cid) {
  std::string text;
  for (const uint8_t byte : Vst3Module::WrittenBytes(cid)) {
    text += {"0123456789ABCDEF"[byte >> 4], "0123456789ABCDEF"[byte & 15]};
  }
  return text;
}

// A class as the factory's second version tells it, where the module offers that version.
std::string ClassText(Steinberg::IPluginFactory& factory, Steinberg::IPluginFactory2* factory2,
                      Steinberg::int32 index) {
  Steinberg::PClassInfo2 info{};
  if (factory2 == nullptr || factory2->getClassInfo2(index, &info) != Steinberg::kResultOk) {
    Steinberg::PClassInfo basic{};
    factory.getClassInfo(index, &basic);
    return ClassIdText(basic.cid) + " " + basic.name + " (" + basic.category + ")";
  }
  return ClassIdText(info.cid) + " " + info.name + " (" + info.category + "; " + info.subCategories +
         "), version " + info.version + ", " + info.sdkVersion;
}

}  // namespace

void InfoCommand::PrintVst3(HostedVst3& plugin) {
  const Vst3Module& module = plugin.Module();
  Steinberg::PFactoryInfo factory{};
  module.Factory()->getFactoryInfo(&factory);
  Lines lines = {{"bundle:", module.Name()}, {"module:", module.ModulePath()},
                 {"name:", plugin.Name()},   {"vendor:", factory.vendor},
                 {"url:", factory.url},      {"e-mail:", factory.email}};
  auto* factory2 = QueryOf<Steinberg::IPluginFactory2>(module.Factory());
  for (Steinberg::int32 i = 0; i < module.Factory()->countClasses(); ++i) {
    lines.emplace_back("class:", ClassText(*module.Factory(), factory2, i));
  }
  if (factory2 != nullptr) {
    factory2->release();
  }
  for (Vst::MediaType type : {Vst::kAudio, Vst::kEvent}) {
    for (Vst::BusDirection direction : {Vst::kInput, Vst::kOutput}) {
      for (Steinberg::int32 i = 0; i < plugin.Component()->getBusCount(type, direction); ++i) {
        Vst::BusInfo bus{};
        plugin.Component()->getBusInfo(type, direction, i, bus);
        lines.emplace_back(std::string(type == Vst::kAudio ? "audio " : "event ") +
                               (direction == Vst::kInput ? "input" : "output"),
                           HostedVst3::Ascii(bus.name) + " " + std::to_string(bus.channelCount) + " channels");
      }
    }
  }
  Vst::IAudioProcessor& processor = *plugin.Processor();
  const Steinberg::uint32 tail = processor.getTailSamples();
  const auto yes = [&](Vst::SymbolicSampleSizes size) {
    return processor.canProcessSampleSize(size) == Steinberg::kResultTrue ? "yes" : "no";
  };
  lines.insert(lines.end(),
               {{"single component:", plugin.IsSingleComponent() ? "yes" : "no"},
                {"32-bit samples:", yes(Vst::kSample32)},
                {"64-bit samples:", yes(Vst::kSample64)},
                {"latency:", std::to_string(processor.getLatencySamples()) + " frames"},
                {"tail:", tail == Vst::kInfiniteTail ? "infinite" : std::to_string(tail) + " frames"},
                {"state:", std::to_string(plugin.GetState(false).size()) + " bytes"}});
  PrintIdentity(plugin, lines);
  PrintParameters(plugin);
  // The controller's own list, with the program change and the hidden parameters that the
  // shared table leaves out, and the flags that tell them apart.
  const std::vector<Vst::ParameterInfo> infos = plugin.ParameterInfos();
  Steinberg::int32 hidden = 0;
  std::printf("\nparameters: %zu in the edit controller\n  %-10s %-16s %-8s %s\n", infos.size(), "id", "title",
              "short", "flags");
  for (const Vst::ParameterInfo& info : infos) {
    if ((info.flags & Vst::ParameterInfo::kIsHidden) != 0) {
      ++hidden;
    } else {
      std::printf("  %-10u %-16s %-8s %s\n", info.id, HostedVst3::Ascii(info.title).c_str(),
                  HostedVst3::Ascii(info.shortTitle).c_str(),
                  FlagWords(static_cast<uint32_t>(info.flags),
                            {{Vst::ParameterInfo::kCanAutomate, "automate"},
                             {Vst::ParameterInfo::kIsReadOnly, "read-only"},
                             {Vst::ParameterInfo::kIsWrapAround, "wrap around"},
                             {Vst::ParameterInfo::kIsList, "list"},
                             {Vst::ParameterInfo::kIsProgramChange, "program change"},
                             {Vst::ParameterInfo::kIsBypass, "bypass"}})
                      .c_str());
    }
  }
  std::printf("  and %d hidden parameters\n", hidden);
  auto* units = QueryOf<Vst::IUnitInfo>(plugin.Controller());
  for (Steinberg::int32 list = 0; units != nullptr && list < units->getProgramListCount(); ++list) {
    Vst::ProgramListInfo info{};
    units->getProgramListInfo(list, info);
    std::printf("\nprogram list %d, %s: %d programs\n", info.id, HostedVst3::Ascii(info.name).c_str(),
                info.programCount);
    for (Steinberg::int32 p = 0; p < info.programCount; ++p) {
      Vst::String128 name{};
      units->getProgramName(info.id, p, name);
      std::printf("  %-5d %s\n", p, HostedVst3::Ascii(name).c_str());
    }
  }
  if (units != nullptr) {
    units->release();
  }
}

}  // namespace QuorvelHost
