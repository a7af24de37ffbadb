// A module with two classic faults: a feedback path without protection from
// subnormal numbers (silence after sound decays through them), and a chunk
// load that answers success but keeps nothing.
#include "tests/quorvel-host/modules/ModuleExport.h"
#include "tests/quorvel-host/modules/TestEffect.h"

namespace {

class Broken final : public QuorvelHostTest::TestEffect {
 public:
  explicit Broken(audioMasterCallback host) : TestEffect(host, CCONST('T', 'B', 'r', 'k'), {0.5f}) {}

 protected:
  void Process(float** inputs, float** outputs, int32_t frames) override {
    for (int32_t c = 0; c < 2; ++c) {
      for (int32_t i = 0; i < frames; ++i) {
        state_[c] = inputs[c][i] + state_[c] * values_[0];
        outputs[c][i] = state_[c];
      }
    }
  }
  bool LoadChunk(const uint8_t*, size_t) override { return true; }

 private:
  float state_[2] = {0.0f, 0.0f};
};

}  // namespace

TEST_MODULE_ENTRY VSTPluginMain(audioMasterCallback host) {
  return (new Broken(host))->Effect();
}
