#pragma once

#include <lilv/lilv.h>
#include <lv2/atom/forge.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace QuorvelHost {

class Lv2Module;
class Lv2World;

// A time:Position as a host sends one: only the facts marked as given.
struct Lv2Position {
  bool hasTempo = false;
  float tempo = 120.0f;  // beats per minute
  bool hasSpeed = false;
  float speed = 1.0f;  // 0 stopped, 1 playing
  bool hasBar = false;
  int64_t bar = 0;
  float barBeat = 0.0f;
  bool hasSignature = false;
  float beatsPerBar = 4.0f;
  int32_t beatUnit = 4;
};

// One LV2 plug-in instance as hosts drive it through lilv: instantiated at a rate with
// urid:map, activated, its control inputs held by the host (from their defaults), its atom
// inputs filled with the block's MIDI and time events, its audio connected per block.
// Its state goes through the plug-in's state interface. The host's threads as a host's:
// Process on the audio thread, everything else on one other.
class Lv2Instance final {
 public:
  // Null with a one-line reason in `error` when the bundle makes no usable instance.
  static std::unique_ptr<Lv2Instance> Create(const Lv2Module& module, double sampleRate, std::string& error);
  ~Lv2Instance();
  Lv2Instance(const Lv2Instance&) = delete;
  Lv2Instance& operator=(const Lv2Instance&) = delete;

  // The control inputs in port order.
  int32_t ParameterCount() const { return static_cast<int32_t>(controls_.size()); }
  const std::string& ParameterSymbol(int32_t index) const { return controls_[Slot(index)].symbol; }
  const std::string& ParameterName(int32_t index) const { return controls_[Slot(index)].name; }
  void SetParameter(int32_t index, float value) { controls_[Slot(index)].value = value; }
  float Parameter(int32_t index) const { return controls_[Slot(index)].value; }
  uint32_t PortOfParameter(int32_t index) const { return controls_[Slot(index)].port; }

  // Events of the next block at frame `frame`, in frame order.
  void AddMidi(int64_t frame, const uint8_t* bytes, uint32_t size);
  void AddPosition(int64_t frame, const Lv2Position& position);
  // An atom a UI wrote for the plug-in's UI input port (the whole atom: header and body),
  // delivered at the next block's start; false where the plug-in has no such port.
  bool AddUiAtom(const void* atom, uint32_t size);
  // The events the plug-in's notify port held after the last block, each a whole atom
  // (header and body) as hosts hand them to the UI. Read from a copy the block made into
  // room made beforehand, so that the audio path allocates nothing of the host's own.
  std::vector<std::vector<uint8_t>> Notifications() const;
  // The notify port's index; 0 where the plug-in has none.
  uint32_t NotifyPort() const { return hasNotify_ ? notifyPort_ : 0; }
  // One block of two channels in and out (null: the audio ports are left unconnected).
  void Process(float** inputs, float** outputs, uint32_t frames);
  // The host pauses the instance (deactivate) and resumes it (activate).
  void Pause();

  // The state the plug-in saves: its one property's bytes and type URI (empty on failure).
  std::vector<uint8_t> SaveState(std::string* type = nullptr);
  // Hands the plug-in a state holding `bytes` as its property (of `type`, atom:Chunk
  // when empty); true when it accepted it.
  bool RestoreState(const std::vector<uint8_t>& bytes, const std::string& type = "");

  // The handle a UI reaches through instance-access.
  void* Handle() const;
  // The lilv instance, for lilv's own state calls.
  LilvInstance* Lilv() const { return instance_; }
  Lv2World& World() const { return world_; }
  const LilvPlugin* Plugin() const;

 private:
  struct ControlPort {
    uint32_t port = 0;
    std::string symbol;
    std::string name;
    float value = 0.0f;
  };
  struct AtomInput {
    uint32_t port = 0;
    std::vector<uint64_t> buffer;
    LV2_Atom_Forge forge{};
    LV2_Atom_Forge_Frame frame{};
    bool hasEvents = false;
  };

  explicit Lv2Instance(Lv2World& world) : world_(world) {}
  static size_t Slot(int32_t index) { return static_cast<size_t>(index); }
  void ResetSequence(AtomInput& input);

  Lv2World& world_;
  LilvInstance* instance_ = nullptr;
  std::vector<ControlPort> controls_;
  std::vector<ControlPort> outputs_;  // control outputs, connected but not read
  uint32_t audioIn_[2] = {};
  uint32_t audioOut_[2] = {};
  AtomInput midi_;
  AtomInput time_;
  AtomInput ui_;
  bool hasMidi_ = false;
  bool hasTime_ = false;
  bool hasUi_ = false;
  uint32_t notifyPort_ = 0;
  bool hasNotify_ = false;
  std::vector<uint64_t> notifyBuffer_;
  std::vector<uint64_t> notifyCopy_;  // the last block's notify sequence, when it left one
  bool notified_ = false;
  LV2_URID atomSequence_ = 0;
  LV2_URID midiEvent_ = 0;
  LV2_URID atomChunk_ = 0;
  LV2_URID timePosition_ = 0;
  LV2_URID beatsPerMinute_ = 0;
  LV2_URID speed_ = 0;
  LV2_URID bar_ = 0;
  LV2_URID barBeat_ = 0;
  LV2_URID beatsPerBar_ = 0;
  LV2_URID beatUnit_ = 0;
  LV2_Feature mapFeature_{};
  LV2_Feature unmapFeature_{};
};

}  // namespace QuorvelHost
