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

std::unique_ptr<QuorvelHost::HostedVst3> StartVst3(double rate, int32_t maxBlock) {
  std::string error;
  auto instance = QuorvelHost::HostedVst3::Open(QUORVEL_VST3_BUNDLE, error);
  EXPECT_NE(instance, nullptr) << error;
  if (instance != nullptr) {
    EXPECT_TRUE(instance->Activate(rate, maxBlock, error)) << error;
  }
  return instance;
}

void ExpectFeedbackDragGesture(QuorvelHost::HostedVst3& vst3) {
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

void Vst3EchoingHost::Process() {
  echo.Clear();
  const auto edits = vst3.Host().Edits();
  for (; echoed < edits.size(); ++echoed) {
    if (edits[echoed].kind == 'p') echo.Add(edits[echoed].id, 0, edits[echoed].value);
  }
  vst3.Process(block.Channels(), block.Channels(), 64, &echo, nullptr);
}

}  // namespace QuorvelTest
