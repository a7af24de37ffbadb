// A module that takes fresh scratch memory in every process call and is
// otherwise sound: validate must catch the allocation on the audio path.
#include <cstdlib>

#include "tests/quorvel-host/modules/ModuleExport.h"
#include "tests/quorvel-host/modules/TestEffect.h"

namespace {

class Allocating final : public QuorvelHostTest::TestEffect {
 public:
  explicit Allocating(audioMasterCallback host) : TestEffect(host, CCONST('T', 'A', 'l', 'c'), {1.0f}) {}
  ~Allocating() override { std::free(scratch_); }

 protected:
  void Process(float** inputs, float** outputs, int32_t frames) override {
    // Kept in a member, so the compiler cannot drop the allocation.
    std::free(scratch_);
    scratch_ = static_cast<float*>(std::malloc(sizeof(float) * static_cast<size_t>(frames > 0 ? frames : 1)));
    for (int32_t c = 0; c < 2; ++c) {
      for (int32_t i = 0; i < frames; ++i) {
        outputs[c][i] = inputs[c][i] * values_[0];
      }
    }
  }

 private:
  float* scratch_ = nullptr;
};

}  // namespace

TEST_MODULE_ENTRY VSTPluginMain(audioMasterCallback host) {
  return (new Allocating(host))->Effect();
}
