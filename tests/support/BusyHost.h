#pragma once

#include <atomic>
#include <cstdint>
#include <thread>
#include <vector>

#include "host/vst2/VstInterface.h"

namespace QuorvelTest {

// A host that drives one instance from a thread of its own as a busy host does,
// while the test's thread works the editor: every parameter automated, programs
// changed, a bank with a learned controller loaded again and again, and blocks
// processed with control changes for that controller. Its callback may be called
// from any thread: it only counts what it is told.
class BusyHost final {
 public:
  static constexpr int kParameters = 12;
  static constexpr int kLearnedParameter = 6;  // the feedback
  static constexpr int kController = 74;

  static VstIntPtr Callback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float) {
    if (opcode == audioMasterAutomate) automations.fetch_add(1, std::memory_order_relaxed);
    return opcode == audioMasterVersion ? 2400 : 0;
  }

  // Starts driving `effect`, made with Callback, after loading the learned bank into it.
  explicit BusyHost(AEffect* effect_) : effect(effect_), bank(LearnedBank(effect_)) {
    loaded = Dispatch(effSetChunk, static_cast<VstIntPtr>(bank.size()), bank.data()) == 1;
    worker = std::thread([this] { Run(); });
  }
  ~BusyHost() { Stop(); }
  BusyHost(const BusyHost&) = delete;
  BusyHost& operator=(const BusyHost&) = delete;

  void Stop() {
    stop.store(true, std::memory_order_relaxed);
    if (worker.joinable()) worker.join();
  }
  bool LoadedTheBank() const { return loaded; }
  static int Automations() { return automations.load(std::memory_order_relaxed); }

 private:
  VstIntPtr Dispatch(VstInt32 opcode, VstIntPtr value, void* ptr, VstInt32 index = 0) {
    return effect->dispatcher(effect, opcode, index, value, ptr, 0.0f);
  }

  // The instance's own bank with the controller learned: a bank ends with one flag
  // byte per parameter, and the controller's number after a set flag.
  static std::vector<char> LearnedBank(AEffect* effect) {
    void* data = nullptr;
    const auto size = static_cast<std::size_t>(effect->dispatcher(effect, effGetChunk, 0, 0, &data, 0.0f));
    std::vector<char> bytes(static_cast<const char*>(data), static_cast<const char*>(data) + size);
    bytes.resize(bytes.size() - kParameters);
    for (int i = 0; i < kParameters; ++i) {
      bytes.push_back(i == kLearnedParameter ? 1 : 0);
      if (i == kLearnedParameter) bytes.push_back(kController);
    }
    return bytes;
  }

  void Run() {
    for (int round = 0; !stop.load(std::memory_order_relaxed); ++round) {
      for (int i = 0; i < kParameters; ++i) {
        effect->setParameter(effect, i, static_cast<float>((round + i) % 8) / 7.0f);
      }
      if (round % 16 == 0) Dispatch(effSetProgram, round / 16 % 32, nullptr);
      if (round % 64 == 0) Dispatch(effSetChunk, static_cast<VstIntPtr>(bank.size()), bank.data());
      ProcessControlChange(round % 128);
    }
  }

  void ProcessControlChange(int value) {
    VstMidiEvent change{};
    change.type = kVstMidiType;
    change.byteSize = sizeof(VstMidiEvent);
    change.deltaFrames = 16;
    change.midiData[0] = static_cast<char>(0xB0);
    change.midiData[1] = static_cast<char>(kController);
    change.midiData[2] = static_cast<char>(value);
    VstEvents events{};
    events.numEvents = 1;
    events.events[0] = reinterpret_cast<VstEvent*>(&change);
    Dispatch(effProcessEvents, 0, &events);
    float left[64] = {};
    float right[64] = {};
    float* channels[] = {left, right};
    effect->processReplacing(effect, channels, channels, 64);
  }

  static inline std::atomic<int> automations{0};
  AEffect* effect;
  std::vector<char> bank;
  bool loaded = false;
  std::atomic<bool> stop{false};
  std::thread worker;
};

}  // namespace QuorvelTest
