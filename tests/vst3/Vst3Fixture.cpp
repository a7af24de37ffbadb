#include "tests/vst3/Vst3Fixture.h"

#include <thread>

namespace QuorvelTest {

const QuorvelHost::Vst3Module& Bundle() {
  static std::string error;
  static const std::unique_ptr<QuorvelHost::Vst3Module> module =
      QuorvelHost::Vst3Module::Open(QUORVEL_VST3_BUNDLE, error);
  if (module == nullptr) {
    ADD_FAILURE() << error;
    std::abort();
  }
  return *module;
}

const QuorvelHost::PluginModule& Vst2Module() {
  static std::string error;
  static const std::unique_ptr<QuorvelHost::PluginModule> module =
      QuorvelHost::PluginModule::Open(QUORVEL_VST2_MODULE, error);
  if (module == nullptr) {
    ADD_FAILURE() << error;
    std::abort();
  }
  return *module;
}

std::unique_ptr<QuorvelHost::Vst3Instance> StartVst3(double rate, int32_t maxBlock) {
  std::string error;
  auto instance = QuorvelHost::Vst3Instance::Create(Bundle(), error);
  EXPECT_NE(instance, nullptr) << error;
  if (instance != nullptr) {
    EXPECT_TRUE(instance->Start(rate, maxBlock));
  }
  return instance;
}

std::unique_ptr<QuorvelHost::PluginInstance> StartVst2(double rate, int32_t maxBlock) {
  std::string error;
  auto instance = Vst2Module().CreateInstance(error);
  EXPECT_NE(instance, nullptr) << error;
  if (instance != nullptr) {
    instance->Start(rate, maxBlock);
  }
  return instance;
}

void ExpectFeedbackDragGesture(QuorvelHost::Vst3Instance& vst3) {
  const auto edits = vst3.Host().Edits();
  ASSERT_GE(edits.size(), 12u);
  EXPECT_EQ(edits.front().kind, 'b');
  EXPECT_EQ(edits.back().kind, 'e');
  double last = -1.0;
  for (const auto& edit : edits) {
    EXPECT_EQ(edit.id, 6u);
    EXPECT_EQ(edit.thread, std::this_thread::get_id());
    last = edit.kind == 'p' ? edit.value : last;
  }
  EXPECT_NEAR(last, 0.1, 1e-6);
  EXPECT_NEAR(vst3.Controller()->getParamNormalized(6), 0.1, 1e-6);
}

std::vector<uint8_t> LearnedVst2Bank() {
  auto vst2 = StartVst2();
  std::vector<uint8_t> bank = vst2->GetChunk(false);
  // The bank ends with its MIDI map: per parameter a flag, and the controller after a set
  // one. A fresh bank maps nothing: twelve zero flags.
  bank.resize(bank.size() - 12);
  for (int parameter = 0; parameter < 12; ++parameter) {
    const int controller = parameter == 6 ? 74 : (parameter == 11 ? 21 : -1);
    bank.push_back(controller >= 0 ? 1 : 0);
    if (controller >= 0) {
      bank.push_back(static_cast<uint8_t>(controller));
    }
  }
  return bank;
}

}  // namespace QuorvelTest
