#pragma once

#include <lilv/lilv.h>
#include <lv2/atom/forge.h>

#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

namespace QuorvelHost {

class Lv2World;

// A time:Position as a host sends one: only the facts given.
struct Lv2Position {
  std::optional<float> tempo;                          // beats per minute
  std::optional<float> speed;                          // 0 stopped, 1 playing
  std::optional<std::pair<int64_t, float>> bar;        // the bar, and the beat within it
  std::optional<std::pair<float, int32_t>> signature;  // beats per bar, and the beat's unit
};

// The atom ports an LV2 host fills and reads each block: the MIDI, time and UI input
// sequences, written with a forge into room made beforehand, and the notify output.
// Nothing on the audio path allocates of the host's own.
// Threads: the audio thread adds events and runs blocks; Notifications between blocks.
class Lv2Sequences final {
 public:
  enum Input { kMidi, kTime, kUi, kInputs };

  explicit Lv2Sequences(Lv2World& world);
  Lv2Sequences(const Lv2Sequences&) = delete;
  Lv2Sequences& operator=(const Lv2Sequences&) = delete;

  // The ports found while the plug-in's ports are read: the first of each kind counts
  // (Claim is false for the others).
  bool Claim(Input input, uint32_t port);
  void SetNotifyPort(uint32_t port) { notifyPort_ = notifyPort_.value_or(port); }
  // The notify port's index; 0 where the plug-in has none.
  uint32_t NotifyPort() const { return notifyPort_.value_or(0); }
  // Connects every port found to its room, and empties the sequences.
  void Connect(LilvInstance* instance);

  // Events of the next block at frame `frame`, in frame order.
  void AddMidi(int64_t frame, const uint8_t* bytes, uint32_t size);
  void AddPosition(int64_t frame, const Lv2Position& position);
  // An atom a UI wrote for the plug-in's UI input port (the whole atom: header and body),
  // delivered at the next block's start; false where the plug-in has no such port.
  bool AddUiAtom(const void* atom, uint32_t size);
  // One block of the instance: the notify port's capacity told beforehand, the inputs
  // emptied after.
  void Run(LilvInstance* instance, uint32_t frames);
  // The events the notify port held after the last block, each a whole atom (header and
  // body) as hosts hand them to the UI.
  std::vector<std::vector<uint8_t>> Notifications() const;

 private:
  struct AtomInput {
    uint32_t port = 0;
    bool present = false;
    std::vector<uint64_t> buffer;
    LV2_Atom_Forge forge{};
    LV2_Atom_Forge_Frame frame{};
  };
  static void Reset(AtomInput& input);
  // An event of `input` at `frame`: an atom of `type` holding `size` bytes of `body`,
  // where the sequence has room for it.
  void Add(Input input, int64_t frame, LV2_URID type, const void* body, uint32_t size);

  AtomInput inputs_[kInputs];
  std::optional<uint32_t> notifyPort_;
  std::vector<uint64_t> notifyBuffer_;
  LV2_URID atomSequence_ = 0;
  LV2_URID atomChunk_ = 0;
  LV2_URID midiEvent_ = 0;
  LV2_URID timePosition_ = 0;
  LV2_URID beatsPerMinute_ = 0;
  LV2_URID speed_ = 0;
  LV2_URID bar_ = 0;
  LV2_URID barBeat_ = 0;
  LV2_URID beatsPerBar_ = 0;
  LV2_URID beatUnit_ = 0;
};

}  // namespace QuorvelHost
