#pragma once

#include <cstdint>
#include <vector>

#include "host/vst2/VstInterface.h"

namespace QuorvelHostTest {

// A deliberately small VST2 plug-in for testing the host tool: stereo in and
// out, float parameters, a program chunk that is the parameter values, and
// control change 7 driving parameter 0. Subclasses decide what processing
// does and where they misbehave.
class TestEffect {
 public:
  TestEffect(audioMasterCallback host, int32_t uniqueId, std::vector<float> defaults);
  virtual ~TestEffect() = default;
  TestEffect(const TestEffect&) = delete;
  TestEffect& operator=(const TestEffect&) = delete;

  AEffect* Effect() { return &effect_; }

 protected:
  virtual void Process(float** inputs, float** outputs, int32_t frames) = 0;
  virtual VstIntPtr Dispatch(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
  // True when the chunk was taken; the default takes exactly the values' bytes.
  virtual bool LoadChunk(const uint8_t* data, size_t size);

  std::vector<float> values_;
  double sampleRate_ = 44100.0;

 private:
  static VstIntPtr VSTCALLBACK DispatchEntry(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                             VstIntPtr value, void* ptr, float opt);
  static void VSTCALLBACK ProcessEntry(AEffect* effect, float** inputs, float** outputs, VstInt32 frames);
  static void VSTCALLBACK SetParameterEntry(AEffect* effect, VstInt32 index, float value);
  static float VSTCALLBACK GetParameterEntry(AEffect* effect, VstInt32 index);

  AEffect effect_{};
  audioMasterCallback host_;
  std::vector<uint8_t> chunk_;
  std::vector<VstMidiEvent> pending_;
};

}  // namespace QuorvelHostTest
