// A module whose gain glides once per processing call instead of once per
// frame, so that its output depends on the host's block size; otherwise sane.
#include "tests/quorvel-host/modules/ModuleExport.h"
#include "tests/quorvel-host/modules/TestEffect.h"

namespace {

class BlockGlide final : public QuorvelHostTest::TestEffect {
 public:
  explicit BlockGlide(audioMasterCallback host) : TestEffect(host, CCONST('T', 'B', 'l', 'k'), {1.0f}) {}

 protected:
  void Process(float** inputs, float** outputs, int32_t frames) override {
    current_ += (values_[0] - current_) * 0.001f;
    for (int32_t c = 0; c < 2; ++c) {
      for (int32_t i = 0; i < frames; ++i) {
        outputs[c][i] = inputs[c][i] * current_;
      }
    }
  }

 private:
  float current_ = 0.0f;
};

}  // namespace

TEST_MODULE_ENTRY VSTPluginMain(audioMasterCallback host) {
  return (new BlockGlide(host))->Effect();
}
