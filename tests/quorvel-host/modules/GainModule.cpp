// A well-behaved module: output = input × parameter 0 (default 1).
#include "tests/quorvel-host/modules/ModuleExport.h"
#include "tests/quorvel-host/modules/TestEffect.h"

namespace {

class Gain final : public QuorvelHostTest::TestEffect {
 public:
  explicit Gain(audioMasterCallback host) : TestEffect(host, CCONST('T', 'G', 'a', 'i'), {1.0f, 0.5f}) {}

 protected:
  void Process(float** inputs, float** outputs, int32_t frames) override {
    for (int32_t c = 0; c < 2; ++c) {
      for (int32_t i = 0; i < frames; ++i) {
        outputs[c][i] = inputs[c][i] * values_[0];
      }
    }
  }
};

}  // namespace

TEST_MODULE_ENTRY VSTPluginMain(audioMasterCallback host) {
  return (new Gain(host))->Effect();
}
