#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/quorvel-host/HostTransport.h"
#include "tools/quorvel-host/HostedPlugin.h"

// lilv's own names, so that this header builds where lilv is not installed.
typedef struct LilvPluginImpl LilvPlugin;
typedef struct LilvInstanceImpl LilvInstance;

namespace QuorvelHost {

class Lv2UiHost;
class Lv2World;

// A time:Position as a host sends one: only the facts given.
struct Lv2Position {
  std::optional<float> tempo;                          // beats per minute
  std::optional<float> speed;                          // 0 stopped, 1 playing
  std::optional<std::pair<int64_t, float>> bar;        // the bar, and the beat within it
  std::optional<std::pair<float, int32_t>> signature;  // beats per bar, and the beat's unit
};

// An LV2 bundle beneath HostedPlugin, and its one instance as hosts drive it through
// lilv: instantiated at a rate with urid:map, activated, its control inputs held by the
// host (from their defaults), its atom inputs filled with the block's MIDI and time
// events, its audio connected per block, its state through the plug-in's state interface.
// Plain values are the control input ports' own, with the ranges, toggles and
// enumerations the bundle declares; a block's values are the port values it runs with,
// its MIDI the atom input's events, the transport a time:Position whenever it changes.
// LV2 has no programs. Linux only; elsewhere Open says so.
// Threads: as HostedPlugin.
class HostedLv2 final : public HostedPlugin {
 public:
  // The bundle at `path` with an instance of its own; null with a one-line reason.
  static std::unique_ptr<HostedLv2> Open(const std::string& path, std::string& error);
  // Whether a path names an LV2 bundle (it ends in ".lv2", a separator or more aside), as
  // the commands tell one from the other formats' modules on every platform.
  static bool IsLv2Path(const std::string& path) {
    const size_t last = path.find_last_not_of("/\\");
    return last != std::string::npos && last >= 4 && path.compare(last - 3, 4, ".lv2") == 0;
  }
  ~HostedLv2() override;

  std::string Name() const override;
  const std::vector<HostedParameter>& Parameters() const override { return parameters_; }
  int32_t ProgramCount() const override { return 0; }
  // The instance is made again for another rate (LV2 fixes the rate at instantiation), or where it failed.
  // An instance not active (new, or deactivated) is activated, as hosts pause and resume one.
  bool Activate(double sampleRate, int32_t maxBlock, std::string& error) override;
  void Deactivate() override;
  void SetValue(size_t index, double plain) override;
  double PlainOf(size_t index, double normalized) const override;
  bool SelectProgram(int32_t program, std::string& error) override;
  // The plug-in reads its control ports only as it runs: a run of no frames first, so that
  // a state saved right after settings holds them.
  std::vector<uint8_t> GetState(bool program) override;
  // The ports then hold what the state does, as a host restoring a session sets them:
  // values the plug-in reads as changed would override the state as the block runs.
  bool SetState(const std::vector<uint8_t>& bytes, bool program) override;
  // A control port holds one value per block.
  void QueueValue(size_t index, double plain, int32_t) override { SetValue(index, plain); }
  void QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) override;
  void Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
               int64_t songFrame) override;
  bool OpenEditor(void* parent, double scale, std::string& error) override;
  // As hosts do between blocks: what the plug-in told its notify port goes to the UI.
  void IdleEditor() override;
  void CloseEditor() override;
  bool TakesUnconnectedAudio() const override { return true; }
  const char* ProcessCallName() const override { return "run"; }

  // What only LV2 has, for the tests, the info command and the UI host.
  // A control input's value, as Parameters() orders them.
  float Value(size_t index) const { return values_[parameters_[index].id]; }
  // A time:Position at frame `frame` of the next block; positions come in frame order.
  void AddPosition(int64_t frame, const Lv2Position& position);
  // An atom a UI wrote for the plug-in's UI input port (the whole atom: header and body),
  // delivered at the next block's start; false where the plug-in has no such port.
  bool AddUiAtom(const void* atom, uint32_t size);
  // The events the plug-in's notify port held after the last block, each a whole atom
  // (header and body) as hosts hand them to the UI.
  std::vector<std::vector<uint8_t>> Notifications() const;
  // The notify port's index; 0 where the plug-in has none.
  uint32_t NotifyPort() const { return notifyPort_.value_or(0); }
  // One block of two channels in and out (null: the audio ports are left unconnected):
  // the atom inputs emptied after it, the notify port holding what the plug-in told.
  void Process(float** inputs, float** outputs, uint32_t frames);
  // The state the plug-in saves: its one property's bytes and type URI (empty on failure).
  std::vector<uint8_t> SaveState(std::string* type = nullptr);
  // Hands the plug-in a state holding `bytes` as its property (of `type`, atom:Chunk
  // when empty); true when it accepted it.
  bool RestoreState(const std::vector<uint8_t>& bytes, const std::string& type = "");
  // The lilv instance, for lilv's own state calls.
  LilvInstance* Lilv() const { return instance_; }
  Lv2World& World() const { return *world_; }
  const LilvPlugin* Plugin() const { return plugin_; }

 private:
  struct Atoms;

  HostedLv2(std::unique_ptr<Lv2World> world, const LilvPlugin* plugin);
  bool ReadPorts(std::string& error);
  // The editor closed and the instance freed, where there is one.
  void Free();
  bool Instantiate(double sampleRate, std::string& error);

  std::unique_ptr<Lv2World> world_;
  const LilvPlugin* plugin_;  // the bundle's first
  std::string uri_;
  std::unique_ptr<Atoms> atoms_;
  LilvInstance* instance_ = nullptr;
  bool quorvelDelay_ = false;
  std::vector<HostedParameter> parameters_;  // the control inputs; id: the port
  std::vector<float> values_;  // the control ports' values, by port index (outputs' connected but not read)
  std::vector<std::pair<uint32_t, void*>> connections_;  // every port but audio, to its room
  std::vector<uint32_t> audioIn_, audioOut_;             // the first two of each
  std::optional<uint32_t> notifyPort_;                   // the first atom output
  double sampleRate_ = 0.0;
  bool active_ = false;
  bool valuesPending_ = false;
  std::optional<HostTransport> sentTransport_;  // none before the first block
  std::unique_ptr<Lv2UiHost> ui_;
};

}  // namespace QuorvelHost
