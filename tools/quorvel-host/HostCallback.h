#pragma once

#include <array>
#include <cstdint>

#include "host/vst2/VstInterface.h"
#include "tools/quorvel-host/HostTransport.h"

namespace QuorvelHost {

// The host half of one plug-in instance: answers the plug-in's audioMaster calls
// from the transport and settings below, and counts every call so that tests
// can see what the plug-in asked. The plug-in passes no host context of its
// own, so instances are found by their AEffect address (single-threaded tool).
class HostCallback final {
 public:
  HostCallback();
  ~HostCallback();
  HostCallback(const HostCallback&) = delete;
  HostCallback& operator=(const HostCallback&) = delete;

  // The function handed to the module's entry point.
  static VstIntPtr VSTCALLBACK Entry(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                     void* ptr, float opt);

  // While an entry point runs, calls from the not yet known effect come here.
  void BeginCreation();
  void EndCreation(AEffect* effect);

  // Transport and settings reported to the plug-in.
  void SetSampleRate(double rate) { sampleRate_ = rate; }
  void SetBlockSize(int32_t frames) { blockSize_ = frames; }
  // The next block's transport, its first frame at `songFrame` of the song.
  void SetTransport(const HostTransport& transport, int64_t songFrame);
  // Without time information the plug-in gets a null record, as from a minimal host.
  void SetTimeInfoAvailable(bool available) { timeInfoAvailable_ = available; }

  int32_t CallCount(VstInt32 opcode) const;
  int32_t LastAutomatedIndex() const { return lastAutomatedIndex_; }

 private:
  static constexpr int32_t kCountedOpcodes = 64;

  VstIntPtr Answer(AEffect* effect, VstInt32 opcode, VstInt32 index, void* ptr);
  VstTimeInfo* FillTimeInfo();

  double sampleRate_ = 44100.0;
  int32_t blockSize_ = 512;
  HostTransport transport_;
  bool transportChanged_ = true;
  int64_t samplePosition_ = 0;
  bool timeInfoAvailable_ = true;
  AEffect* effect_ = nullptr;
  VstTimeInfo timeInfo_{};
  std::array<int32_t, kCountedOpcodes> callCounts_{};
  int32_t lastAutomatedIndex_ = -1;
};

}  // namespace QuorvelHost
