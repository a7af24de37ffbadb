#pragma once

#include <lilv/lilv.h>
#include <lv2/atom/forge.h>

#include <cstdint>
#include <vector>

#include "tools/quorvel-host/HostedLv2.h"

namespace QuorvelHost {

class Lv2World;

// The atom ports an LV2 host fills and reads each block: the MIDI, time and UI input
// sequences, written with a forge into room made beforehand, and the notify output, of
// which a block leaves a copy. Nothing on the audio path allocates of the host's own.
// Threads: the audio thread adds events and runs blocks; Notifications between blocks.
class Lv2Sequences final {
 public:
  enum Input { kMidi, kTime, kUi, kInputs };

  explicit Lv2Sequences(Lv2World& world);
  Lv2Sequences(const Lv2Sequences&) = delete;
  Lv2Sequences& operator=(const Lv2Sequences&) = delete;

  // The ports found while the plug-in's ports are read; the first of each kind counts.
  bool Has(Input input) const { return inputs_[input].present; }
  void SetPort(Input input, uint32_t port);
  bool HasNotify() const { return hasNotify_; }
  void SetNotifyPort(uint32_t port);
  uint32_t NotifyPort() const { return hasNotify_ ? notifyPort_ : 0; }
  // Connects every port found to its room, and empties the sequences.
  void Connect(LilvInstance* instance);

  void AddMidi(int64_t frame, const uint8_t* bytes, uint32_t size);
  void AddPosition(int64_t frame, const Lv2Position& position);
  bool AddUiAtom(const void* atom, uint32_t size);
  // Around a block: the notify port's capacity told beforehand; its events copied, and
  // the inputs emptied, after.
  void BeforeRun();
  void AfterRun();
  std::vector<std::vector<uint8_t>> Notifications() const;

 private:
  struct AtomInput {
    uint32_t port = 0;
    bool present = false;
    std::vector<uint64_t> buffer;
    LV2_Atom_Forge forge{};
    LV2_Atom_Forge_Frame frame{};
    bool hasEvents = false;
  };
  static void Reset(AtomInput& input);

  AtomInput inputs_[kInputs];
  uint32_t notifyPort_ = 0;
  bool hasNotify_ = false;
  std::vector<uint64_t> notifyBuffer_;
  std::vector<uint64_t> notifyCopy_;  // the last block's notify sequence, when it left one
  bool notified_ = false;
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
