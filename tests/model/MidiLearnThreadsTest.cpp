#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <thread>

#include "model/ControllerLink.h"
#include "model/Model.h"
#include "tests/model/RecordingModel.h"

namespace {

// A model that records nothing, so that its audio thread can run for as long as it is asked to.
class QuietModel final : public VstToolkit::Model {
 public:
  QuietModel() : Model(QuorvelTest::TestDescription()) {}
  void Process(float**, float**, int32_t, int32_t) override {}
};

// Counts completed learns; the count is published after the binding it reports.
class LearnCounter final : public VstToolkit::ControllerLink {
 public:
  void OnModelMidiLearned() override { learned.fetch_add(1, std::memory_order_release); }
  void OnModelParameterValueChanged(int32_t, float) override {}
  std::atomic<int32_t> learned{0};
};

TEST(MidiLearnThreads, ALearnArmedWhileControlChangesArriveBindsTheArmedParameter) {
  QuietModel model;
  LearnCounter link;
  model.SetController(&link);
  constexpr uint8_t kController = 21;
  std::atomic<bool> stop{false};
  std::thread audio([&] {
    while (!stop.load(std::memory_order_acquire)) {
      model.DispatchController(kController, 64);
    }
  });

  // Each learn arms another parameter than the one the controller drives so far.
  constexpr int32_t kLearns = 2000;
  int32_t wrong = 0;
  for (int32_t learn = 1; learn <= kLearns && wrong == 0; ++learn) {
    const int32_t parameter = learn % model.GetParameterCount();
    model.StartLearningMidi(parameter);
    // Learned, and the learn over, before the next one is armed.
    while (link.learned.load(std::memory_order_acquire) != learn || model.IsLearningMidi()) {
      std::this_thread::yield();
    }
    if (model.ControllerToParameter(kController) != parameter) {
      wrong = learn;
    }
  }
  stop.store(true, std::memory_order_release);
  audio.join();
  EXPECT_EQ(wrong, 0) << "learn " << wrong << " bound the controller to another parameter";
}

}  // namespace
