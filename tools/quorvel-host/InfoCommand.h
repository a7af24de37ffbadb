#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tools/quorvel-host/HostedParameter.h"

namespace QuorvelHost {

class HostedPlugin;

// quorvel-host info MODULE: everything a host can learn about a plug-in. What every
// format has is printed alike from HostedPlugin; each format adds what is its own
// (VST2 here, the others in Vst3InfoCommand.cpp, ClapInfoCommand.cpp, Lv2InfoCommand.cpp).
// Threads: the main thread.
class InfoCommand final {
 public:
  static int Run(const std::vector<std::string>& args);

 private:
  using Lines = std::vector<std::pair<std::string, std::string>>;
  struct FlagName {
    uint32_t flag;
    const char* name;
  };

  static int RunVst2(const std::string& path);
  static int RunVst3(const std::string& path);
  static int RunClap(const std::string& path);
  static int RunLv2(const std::string& path);

  // The identity block: the format's label/value lines, then the shape every plug-in has.
  static void PrintIdentity(const HostedPlugin& plugin, const Lines& lines);
  // One row per parameter as HostedPlugin describes it; `more` adds the format's own
  // facts to a row (after the range, default and unit, before the choices).
  static void PrintParameters(const HostedPlugin& plugin,
                              const std::function<std::string(const HostedParameter&)>& more = nullptr);
  // "N bytes".
  static std::string Bytes(const std::vector<uint8_t>& bytes);
  // The names of the set flags, "unknown bits" for the rest, "none" where none is set.
  static std::string FlagWords(uint32_t flags, const std::vector<FlagName>& names);
};

}  // namespace QuorvelHost
