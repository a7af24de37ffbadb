// The editor opened and closed on the user-interface thread, thousands of times, while
// another thread drives the same instance as a busy host does.
#include "tests/editor-x11/X11EditorFixture.h"
#include "tests/support/BuiltModule.h"
#include "tests/support/BusyHost.h"

namespace QuorvelTest {
namespace {

constexpr int kCycles = 2000;

using X11EditorThreads = X11EditorTest;

TEST_F(X11EditorThreads, TheEditorOpensAndClosesWhileAnotherThreadDrivesEverything) {
  AEffect* busy = QuorvelTest::BuiltModule()->FindEntry("VSTPluginMain")(&BusyHost::Callback);
  ASSERT_NE(busy, nullptr);
  busy->dispatcher(busy, effOpen, 0, 0, nullptr, 0.0f);
  busy->dispatcher(busy, effMainsChanged, 0, 1, nullptr, 0.0f);
  BusyHost automation(busy);
  ASSERT_TRUE(automation.LoadedTheBank());
  int opened = 0;
  void* parent = reinterpret_cast<void*>(static_cast<uintptr_t>(host));
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    opened += busy->dispatcher(busy, effEditOpen, 0, 0, parent, 0.0f) == 1;
    busy->dispatcher(busy, effEditIdle, 0, 0, nullptr, 0.0f);
    busy->dispatcher(busy, effEditClose, 0, 0, nullptr, 0.0f);
  }
  automation.Stop();
  EXPECT_EQ(opened, kCycles);
  EXPECT_GT(BusyHost::Automations(), 0);  // the learned controller moved the feedback and told the host

  // Still whole: what the host sets is what it reads back.
  busy->setParameter(busy, BusyHost::kLearnedParameter, 0.25f);
  EXPECT_EQ(busy->getParameter(busy, BusyHost::kLearnedParameter), 0.25f);
  busy->dispatcher(busy, effClose, 0, 0, nullptr, 0.0f);
}

}  // namespace
}  // namespace QuorvelTest
