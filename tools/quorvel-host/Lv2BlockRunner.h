#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "tools/quorvel-host/ChannelBuffers.h"
#include "tools/quorvel-host/EventList.h"
#include "tools/quorvel-host/HostTransport.h"

namespace QuorvelHost {

class Lv2Instance;
class Lv2Module;

// An LV2 instance driven over whole buffers the way a host's audio thread does: block by
// block, the first block carrying a time:Position with the tempo, transport, position and
// time signature, each block the MIDI messages that fall in it at their frames. The LV2
// counterpart of BlockRunner; it owns its instance.
class Lv2BlockRunner final : public HostTransport {
 public:
  // Null with a one-line reason in `error` when the bundle makes no instance at `sampleRate`.
  static std::unique_ptr<Lv2BlockRunner> Create(const Lv2Module& module, double sampleRate, int32_t blockSize,
                                                std::string& error);
  ~Lv2BlockRunner();
  Lv2BlockRunner(const Lv2BlockRunner&) = delete;
  Lv2BlockRunner& operator=(const Lv2BlockRunner&) = delete;

  Lv2Instance& Instance() { return *instance_; }
  // A control input by number, symbol or name, set as the host's port value; false where
  // none has that name. Quorvel Delay's ports take the VST2 value `value` in their units.
  bool SetParameter(const std::string& name, float value);
  // Hands the plug-in a state (Lv2Instance::RestoreState); for Quorvel Delay the ports
  // then take the values it holds, as a host restoring a session gives them. False where
  // the plug-in refused it.
  bool RestoreState(const std::vector<uint8_t>& bytes);
  // Whether the first block carries the time:Position (off: the plug-in hears no time).
  void SetSendsTime(bool sends) { sendsTime_ = sends; }
  // Messages sorted by frame; each is sent in the block that holds its frame.
  void SetMidi(std::vector<TimedMidiMessage> messages) { midi_ = std::move(messages); }
  using BlockHook = std::function<void(int64_t firstFrame, int32_t frames)>;
  void SetBlockHook(BlockHook hook) { hook_ = std::move(hook); }

  // Processes every frame of `input` (two channels) into `output`.
  void Run(ChannelBuffers& input, ChannelBuffers& output, int64_t songFrame = 0);

 private:
  Lv2BlockRunner() = default;

  std::unique_ptr<Lv2Instance> instance_;
  bool isQuorvelDelay_ = false;
  int32_t blockSize_ = 512;
  double sampleRate_ = 44100.0;
  bool sendsTime_ = true;
  bool timeSent_ = false;
  std::vector<TimedMidiMessage> midi_;
  size_t nextMidi_ = 0;
  BlockHook hook_;
};

}  // namespace QuorvelHost
