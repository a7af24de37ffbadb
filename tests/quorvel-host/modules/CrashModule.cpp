// A module that crashes when the host hands it a block of 7 frames and is
// otherwise sound: validate must report the crash and carry on.
#include <cstdlib>

#include "tests/quorvel-host/modules/ModuleExport.h"
#include "tests/quorvel-host/modules/TestEffect.h"

namespace {

class Crash final : public QuorvelHostTest::TestEffect {
 public:
  explicit Crash(audioMasterCallback host) : TestEffect(host, CCONST('T', 'C', 'r', 'h'), {1.0f}) {}

 protected:
  void Process(float** inputs, float** outputs, int32_t frames) override {
    if (frames == 7) {
      std::abort();
    }
    for (int32_t c = 0; c < 2; ++c) {
      for (int32_t i = 0; i < frames; ++i) {
        outputs[c][i] = inputs[c][i] * values_[0];
      }
    }
  }
};

}  // namespace

TEST_MODULE_ENTRY VSTPluginMain(audioMasterCallback host) {
  return (new Crash(host))->Effect();
}
