#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tools/quorvel-host/HostedParameter.h"

namespace QuorvelHost {

class HostedClap;
class HostedLv2;
class HostedPlugin;
class HostedVst2;
class HostedVst3;

// quorvel-host info MODULE: everything a host can learn about a plug-in. What every format
// has is printed alike from HostedPlugin; each format adds what is its own (VST2 here, the
// others in Vst3InfoCommand.cpp, ClapInfoCommand.cpp and Lv2InfoCommand.cpp).
// Threads: the main thread.
class InfoCommand final {
 public:
  static int Run(const std::vector<std::string>& args);

 private:
  using Lines = std::vector<std::pair<std::string, std::string>>;
  using FlagNames = std::vector<std::pair<uint32_t, const char*>>;

  // What each format adds, about an activated instance.
  static void PrintVst2(const std::string& path, HostedVst2& plugin);
  static void PrintVst3(HostedVst3& plugin);
  static void PrintClap(HostedClap& plugin);
  static void PrintLv2(HostedLv2& plugin);
  // The format's label/value lines ("-" for an empty value), then the shape every plug-in has.
  static void PrintIdentity(const HostedPlugin& plugin, Lines lines);
  // A row per parameter; `more` adds the format's own facts to a row, before its choices.
  static void PrintParameters(const HostedPlugin& plugin,
                              const std::function<std::string(const HostedParameter&)>& more = nullptr);
  // The names of the flags set ("unknown bits" for the rest); "none" where none is.
  static std::string FlagWords(uint32_t flags, const FlagNames& names);
};

}  // namespace QuorvelHost
