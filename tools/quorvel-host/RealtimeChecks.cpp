#include <cstdint>
#include <string>

#include "tools/audio-buffers/ChannelBuffers.h"
#include "tools/quorvel-host/HostedPlugin.h"
#include "tools/quorvel-host/CheckGroups.h"
#include "tools/quorvel-host/RealtimeProbe.h"
#include "tools/quorvel-host/TestSignal.h"
#include "tools/quorvel-host/Validator.h"

namespace QuorvelHost {

namespace {

constexpr int32_t kBlockSize = 256;
constexpr int32_t kWarmUpBlocks = 8;
// Every on/off pattern of five parameters with distinct indices modulo 5 (for
// the delay: on, sync, filter, filter type and pan among them).
constexpr int32_t kPatterns = 32;
constexpr int32_t kBlocksPerPattern = 12;
constexpr int32_t kControllers = 128;

// One block's MIDI: a control change on every controller, so that whichever the
// plug-in has mapped moves its parameter. The warm-up sends the same number.
void QueueControllers(HostedPlugin& plugin, uint32_t round) {
  for (int32_t controller = 0; controller < kControllers; ++controller) {
    const auto value = static_cast<uint8_t>((round * 37u + static_cast<uint32_t>(controller) * 11u) % 128u);
    plugin.QueueMidi(controller * (kBlockSize / kControllers), static_cast<uint8_t>(0xB0 | (round % 16)),
                     static_cast<uint8_t>(controller), value);
  }
}

// `call` under watch, noting where the first watched call happened: the counts add up over
// the run, so the first watch that finds any holds it.
template <typename Call>
void Watch(std::string& first, const char* where, int64_t block, const Call& call) {
  RealtimeProbe::Arm();
  call();
  RealtimeProbe::Disarm();
  if (first.empty() && RealtimeProbe::Total() > 0) {
    first = std::string(where) + " of block " + std::to_string(block);
  }
}

// Parameter, program and tempo changes between blocks, as a host's other threads make them.
void ChangeSettings(HostedPlugin& plugin, HostTransport& transport, int32_t pattern, int32_t block,
                    uint32_t& random) {
  const auto count = static_cast<uint32_t>(plugin.Parameters().size());
  if (block == 0) {
    for (uint32_t i = 0; i < count; ++i) {
      plugin.SetNormalized(i, ((pattern >> (i % 5)) & 1) != 0 ? 1.0 : 0.0);
    }
    return;
  }
  random = random * 1664525u + 1013904223u;
  if (count > 0) {
    plugin.SetNormalized((random >> 8) % count, static_cast<double>(random >> 16) / 65536.0);
  }
  std::string ignored;
  if (block == kBlocksPerPattern / 2 && plugin.ProgramCount() > 1) {
    plugin.SelectProgram(pattern % plugin.ProgramCount(), ignored);
  }
  transport.tempo = 60.0 + static_cast<double>((random >> 4) % 180u);
  transport.playing = block != kBlocksPerPattern - 2;
}

}  // namespace

void CheckGroups::Realtime(Validator& validator) {
  std::unique_ptr<HostedPlugin> plugin =
      validator.New("the audio path allocates nothing and locks nothing", Validator::kSampleRate, kBlockSize);
  if (plugin == nullptr) {
    return;
  }
  const char* events = plugin->EventsCallName();
  const char* process = plugin->ProcessCallName();
  const std::string check =
      events != nullptr ? std::string(process) + " and " + events + " allocate nothing and lock nothing"
                        : std::string(process) + " allocates nothing and locks nothing";
  if (!RealtimeProbe::Installed()) {
    validator.Skip(check, "this build of the tool cannot watch the allocator");
    return;
  }
  ChannelBuffers input(plugin->InputCount(), kBlockSize);
  ChannelBuffers output(plugin->OutputCount(), kBlockSize);
  TestSignal::Noise(input, 3, 0.5f, 0, kBlockSize);
  HostTransport transport;
  for (int32_t block = 0; block < kWarmUpBlocks; ++block) {
    QueueControllers(*plugin, static_cast<uint32_t>(block));
    plugin->DeliverEvents();
    plugin->Process(input.At(0), output.At(0), kBlockSize, transport, block * kBlockSize);
  }
  RealtimeProbe::Reset();
  std::string first;
  uint32_t random = 20261208u;
  for (int32_t pattern = 0; pattern < kPatterns; ++pattern) {
    for (int32_t block = 0; block < kBlocksPerPattern; ++block) {
      const int64_t number = pattern * kBlocksPerPattern + block;
      ChangeSettings(*plugin, transport, pattern, block, random);
      QueueControllers(*plugin, static_cast<uint32_t>(number));
      // Everything the host itself needs is ready before the watch starts.
      float** inputs = input.At(0);
      float** outputs = output.At(0);
      if (events != nullptr) {
        Watch(first, events, number, [&plugin] { plugin->DeliverEvents(); });
      }
      Watch(first, process, number, [&] {
        plugin->Process(inputs, outputs, kBlockSize, transport, (kWarmUpBlocks + number) * kBlockSize);
      });
    }
  }
  const int64_t calls = RealtimeProbe::Total();
  std::string detail = std::to_string(kPatterns * kBlocksPerPattern) + " blocks after " +
                       std::to_string(kWarmUpBlocks) + " of warm-up, " + std::to_string(kControllers) +
                       " control changes each, " + std::to_string(kPatterns) +
                       " on/off patterns with parameter, program and tempo changes";
  if (calls > 0) {
    detail +=
        "; " + std::to_string(calls) + " calls (" + RealtimeProbe::Summary() + "), the first in " + first;
  }
  validator.Report(check, *plugin, calls == 0, detail);
}

}  // namespace QuorvelHost
