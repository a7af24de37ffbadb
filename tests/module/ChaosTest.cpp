// Host chaos: long random sequences of opcodes, indices, values, pointers and
// block sizes, with audio and parameter calls in between, against the built
// module. Under the sanitizers of the native debug preset any out-of-bounds
// access, leak or undefined behaviour ends the run. Deterministic and bounded.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "host/vst2/VstInterface.h"
#include "tests/support/BuiltModule.h"

namespace {

constexpr std::uint32_t kSeed = 0x51446C79;
constexpr long kSteps = 40000;
constexpr auto kTimeLimit = std::chrono::seconds(60);

// The every-commit run makes kSteps host calls within kTimeLimit. A soak sets
// QUORVEL_CHAOS_STEPS (for example 1000000) and, if it likes, QUORVEL_CHAOS_SEED;
// it then runs every step, however long that takes.
long SettingOr(const char* name, long fallback) {
  const char* text = std::getenv(name);
  if (text == nullptr || *text == 0) return fallback;
  char* end = nullptr;
  const long value = std::strtol(text, &end, 0);
  return *end == 0 && value > 0 ? value : fallback;
}
constexpr int kLongestBlock = 4096;
constexpr std::size_t kEventCapacity = 16;

class Chaos {
 public:
  explicit Chaos(std::uint32_t seed) : random(seed), chunkBytes(70000), text(4096) {
    for (auto& channel : input) channel.resize(kLongestBlock);
    for (auto& channel : output) channel.resize(kLongestBlock);
  }

  std::uint32_t Next() { return static_cast<std::uint32_t>(random()); }
  std::uint32_t Below(std::uint32_t n) { return Next() % n; }
  bool Chance(std::uint32_t percent) { return Below(100) < percent; }

  VstInt32 Index() {
    static const VstInt32 interesting[] = {0, 1, 11, 12, 31, 32, -1, INT32_MIN, INT32_MAX, 127, 128};
    return Chance(70) ? interesting[Below(sizeof(interesting) / sizeof(interesting[0]))]
                      : static_cast<VstInt32>(Next());
  }

  VstIntPtr Value() {
    static const VstIntPtr interesting[] = {0,
                                            1,
                                            -1,
                                            31,
                                            32,
                                            236,
                                            2480,
                                            INT32_MAX,
                                            VstIntPtr{INT32_MAX} + 1,
                                            std::numeric_limits<VstIntPtr>::min(),
                                            VstIntPtr{1} << 40};
    return Chance(70) ? interesting[Below(sizeof(interesting) / sizeof(interesting[0]))]
                      : static_cast<VstIntPtr>((static_cast<std::uint64_t>(Next()) << 32) | Next());
  }

  float Float() {
    static const float interesting[] = {0.0f,
                                        1.0f,
                                        0.5f,
                                        -1.0f,
                                        2.0f,
                                        44100.0f,
                                        1e30f,
                                        -1e-30f,
                                        std::numeric_limits<float>::quiet_NaN(),
                                        std::numeric_limits<float>::infinity(),
                                        -std::numeric_limits<float>::infinity()};
    if (Chance(50)) return interesting[Below(sizeof(interesting) / sizeof(interesting[0]))];
    return static_cast<float>(Next()) / 4294967296.0f * (Chance(80) ? 1.0f : 1000.0f);
  }

  // A random zero-terminated text in the text buffer.
  char* Text() {
    const std::size_t length = Below(300);
    for (std::size_t i = 0; i < length; ++i) text[i] = static_cast<char>(1 + Below(255));
    text[length] = 0;
    if (Chance(20)) std::strcpy(text.data(), "receiveVstMidiEvent");
    return text.data();
  }

  VstEvents* Events() {
    const std::size_t count = Below(kEventCapacity + 1);
    for (std::size_t i = 0; i < kEventCapacity; ++i) {
      VstMidiEvent& event = midiEvents[i];
      std::memset(&event, 0, sizeof(event));
      event.type = Chance(80) ? kVstMidiType : static_cast<VstInt32>(Below(8));
      event.byteSize = static_cast<VstInt32>(sizeof(VstMidiEvent) - 8);
      event.deltaFrames = Chance(80) ? static_cast<VstInt32>(Below(kLongestBlock)) : Index();
      event.midiData[0] = static_cast<char>(Chance(60) ? 0xB0 | Below(16) : Below(256));
      event.midiData[1] = static_cast<char>(Below(256));
      event.midiData[2] = static_cast<char>(Below(256));
      eventList.entries[i] = Chance(10) ? nullptr : reinterpret_cast<VstEvent*>(&event);
    }
    eventList.numEvents = Chance(90) ? static_cast<VstInt32>(count) : -static_cast<VstInt32>(Below(1000));
    return reinterpret_cast<VstEvents*>(&eventList);
  }

  // Arguments a host may legitimately pair with the opcode, or null pointers.
  void Dispatch(AEffect* effect, VstInt32 opcode) {
    VstInt32 index = Index();
    VstIntPtr value = Value();
    void* ptr = nullptr;
    const bool nullPointer = Chance(15);
    switch (opcode) {
      case effGetChunk:
        ptr = nullPointer ? nullptr : &chunkPointer;
        break;
      case effSetChunk:
        // Any claimed size below 2^31 fits the 70000-byte buffer as far as a chunk is ever read.
        if (Chance(40) && !savedChunk.empty()) {
          std::memcpy(chunkBytes.data(), savedChunk.data(), savedChunk.size());
          if (Chance(50))
            chunkBytes[Below(static_cast<std::uint32_t>(savedChunk.size()))] ^=
                static_cast<unsigned char>(1u << Below(8));
          value = Chance(70) ? static_cast<VstIntPtr>(savedChunk.size() - Below(40)) : value;
        } else {
          for (std::size_t i = 0; i < 3000; ++i) chunkBytes[i] = static_cast<unsigned char>(Next());
        }
        ptr = nullPointer ? nullptr : chunkBytes.data();
        break;
      case effProcessEvents:
        ptr = nullPointer ? nullptr : Events();
        break;
      case effSetProgramName:
      case effCanDo:
        ptr = nullPointer ? nullptr : Text();
        break;
      case effEditGetRect:
        ptr = nullPointer ? nullptr : &rectPointer;
        break;
      case effGetSpeakerArrangement:
      case effSetSpeakerArrangement:
        value = Chance(50) ? 0 : reinterpret_cast<VstIntPtr>(&speakerSlots[0]);
        ptr = nullPointer ? nullptr : &speakerSlots[1];
        break;
      default:
        // Room for any text field or record an opcode could write.
        ptr = nullPointer ? nullptr : text.data();
        break;
    }
    effect->dispatcher(effect, opcode, index, value, ptr, Float());
    if (opcode == effGetChunk && ptr != nullptr && chunkPointer != nullptr && Chance(30)) {
      void* data = nullptr;
      const VstIntPtr size = effect->dispatcher(effect, effGetChunk, Below(2), 0, &data, 0.0f);
      if (data != nullptr && size > 0 && static_cast<std::size_t>(size) <= chunkBytes.size()) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        savedChunk.assign(bytes, bytes + size);
      }
    }
  }

  void Process(AEffect* effect) {
    const VstInt32 frames =
        Chance(10) ? -static_cast<VstInt32>(Below(100)) : static_cast<VstInt32>(Below(kLongestBlock + 1));
    for (int c = 0; c < 2; ++c) {
      for (VstInt32 i = 0; i < frames; ++i) {
        input[c][static_cast<std::size_t>(i)] =
            Chance(1) ? Float() : static_cast<float>(static_cast<int32_t>(Next())) * 4.6e-10f;
      }
    }
    float* inputs[2] = {input[0].data(), input[1].data()};
    float* outputs[2] = {output[0].data(), output[1].data()};
    const std::uint32_t shape = Below(20);
    effect->processReplacing(effect, shape == 0 ? nullptr : inputs, shape == 1 ? nullptr : outputs, frames);
  }

  // The host's time information changes from block to block, sometimes absent.
  void ShakeTime() {
    timeInfoPresent = !Chance(10);
    timeInfo.tempo = Chance(70) ? 60.0 + Below(180) : static_cast<double>(Float());
    timeInfo.ppqPos = static_cast<double>(Float()) * 100.0;
    timeInfo.timeSigNumerator = Chance(80) ? 4 : Index();
    timeInfo.timeSigDenominator = Chance(80) ? 4 : Index();
    timeInfo.flags = static_cast<VstInt32>(Next());
  }

  static VstIntPtr HostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    if (opcode == audioMasterVersion) return 2400;
    if (opcode == audioMasterGetTime && current != nullptr && current->timeInfoPresent) {
      return reinterpret_cast<VstIntPtr>(&current->timeInfo);
    }
    return 0;
  }

  static inline Chaos* current = nullptr;

 private:
  struct EventList {
    VstInt32 numEvents;
    VstIntPtr reserved;
    VstEvent* entries[kEventCapacity];
  };

  std::mt19937 random;
  std::vector<unsigned char> chunkBytes;
  std::vector<unsigned char> savedChunk;
  std::vector<char> text;
  std::vector<float> input[2];
  std::vector<float> output[2];
  VstMidiEvent midiEvents[kEventCapacity] = {};
  EventList eventList = {};
  void* chunkPointer = nullptr;
  ERect* rectPointer = nullptr;
  VstSpeakerArrangement* speakerSlots[2] = {};
  VstTimeInfo timeInfo = {};
  bool timeInfoPresent = false;
};

TEST(ModuleChaos, RandomHostTrafficNeverCrashesLeaksOrTrips) {
  const QuorvelHost::ModuleLibrary* module = QuorvelTest::BuiltModule();
  ASSERT_NE(module, nullptr);
  VstPluginMainProc entry = module->FindEntry("VSTPluginMain");
  ASSERT_NE(entry, nullptr);

  const long soakSteps = SettingOr("QUORVEL_CHAOS_STEPS", 0);
  const long stepLimit = soakSteps > 0 ? soakSteps : kSteps;
  Chaos chaos(static_cast<std::uint32_t>(SettingOr("QUORVEL_CHAOS_SEED", kSeed)));
  Chaos::current = &chaos;
  AEffect* effect = entry(&Chaos::HostCallback);
  ASSERT_NE(effect, nullptr);
  const auto start = std::chrono::steady_clock::now();
  int instances = 1;
  long steps = 0;
  for (; steps < stepLimit; ++steps) {
    if (soakSteps == 0 && (steps & 255) == 0 && std::chrono::steady_clock::now() - start > kTimeLimit) break;
    const std::uint32_t action = chaos.Below(1000);
    if (action < 450) {
      VstInt32 opcode = static_cast<VstInt32>(chaos.Below(90)) - 3;
      if (opcode == effClose) opcode = effGetProgram;
      chaos.Dispatch(effect, opcode);
    } else if (action < 650) {
      chaos.ShakeTime();
      chaos.Process(effect);
    } else if (action < 850) {
      effect->setParameter(effect, chaos.Index() % 16, chaos.Float());
    } else if (action < 997) {
      const float value = effect->getParameter(effect, chaos.Index());
      (void)value;
    } else {
      // The host ends this instance and opens a new one.
      EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
      effect = entry(&Chaos::HostCallback);
      ASSERT_NE(effect, nullptr);
      ++instances;
    }
  }
  EXPECT_EQ(effect->dispatcher(effect, effGetVstVersion, 0, 0, nullptr, 0.0f), 2400);
  EXPECT_EQ(effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f), 1);
  Chaos::current = nullptr;
  EXPECT_GT(steps, 1000);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("chaos: %ld steps (one host call or more each) over %d instances in %.1f s\n", steps, instances,
              seconds);
}

}  // namespace
