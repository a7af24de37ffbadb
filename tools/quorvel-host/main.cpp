// quorvel-host: a command-line VST2, VST3, CLAP and LV2 host for rendering, inspecting, validating
// and measuring plug-ins.
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "tools/quorvel-host/Commands.h"
#include "tools/quorvel-host/InfoCommand.h"
#include "tools/quorvel-host/ToolOutput.h"

namespace {

constexpr char kUsage[] =
    "usage: quorvel-host COMMAND ...\n"
    "\n"
    "  MODULE is a VST2 module, a VST3 bundle (a path ending in .vst3), a CLAP module (.clap)\n"
    "  or, on Linux, an LV2 bundle (a path ending in .lv2, loaded through lilv)\n"
    "  info MODULE                 identity, flags, parameters, programs, capabilities, chunk sizes\n"
    "  render MODULE IN OUT [options]\n"
    "      --param NAME=VALUE      set a parameter (index, short or long name; value 0 to 1), repeatable\n"
    "      --program N             select a program\n"
    "      --chunk FILE            load a bank chunk; --program-chunk FILE loads a program chunk\n"
    "                              (VST3 and LV2 bundles and CLAP modules take either file as their state)\n"
    "      --tempo BPM             host tempo (default 120); --stopped reports a stopped transport\n"
    "      --time-signature N/D    (default 4/4); --position PPQ song position of the first frame\n"
    "      --cc SECONDS,CC,VALUE[,CHANNEL]  a MIDI control change, repeatable\n"
    "      --block FRAMES          block size (default 512); --tail SECONDS of silence after the input\n"
    "  validate MODULE [--bank FILE]  a battery of host checks; exit status 0 only when all pass\n"
    "  bench MODULE [--vs OTHER_MODULE]...  cost per frame at 44100 Hz for block sizes 32, 256, 4096\n"
    "  --version                   the release this tool belongs to\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "help") == 0) {
    std::fputs(kUsage, argc < 2 ? stderr : stdout);
    return argc < 2 ? QuorvelHost::ToolOutput::kUsageError : QuorvelHost::ToolOutput::kSuccess;
  }
  if (std::strcmp(argv[1], "--version") == 0) {
    std::puts("quorvel-host " QUORVEL_VERSION);
    return QuorvelHost::ToolOutput::kSuccess;
  }
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  using Run = int (*)(const std::vector<std::string>&);
  for (const auto& [name, run] : {std::pair<const char*, Run>{"info", &QuorvelHost::InfoCommand::Run},
                                  {"render", &QuorvelHost::RunRender},
                                  {"validate", &QuorvelHost::RunValidate},
                                  {"bench", &QuorvelHost::RunBench}}) {
    if (command == name) {
      return run(args);
    }
  }
  std::fprintf(stderr, "quorvel-host: unknown command '%s'\n%s", command.c_str(), kUsage);
  return QuorvelHost::ToolOutput::kUsageError;
}
