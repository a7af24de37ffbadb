// The editor opened and closed on the user-interface thread, thousands of times, while
// another thread drives the same instance as a busy host does; the view's own timer
// shows the other thread's changes meanwhile.
#include <windows.h>

#include <thread>

#include "tests/editor/EditorFixture.h"
#include "tests/support/BuiltModule.h"
#include "tests/support/BusyHost.h"

namespace QuorvelTest {
namespace {

constexpr int kCycles = 2000;

using EditorThreads = EditorTest;

TEST_F(EditorThreads, TheEditorOpensAndClosesWhileAnotherThreadDrivesEverything) {
  AEffect* busy = BuiltModule()->FindEntry("VSTPluginMain")(&BusyHost::Callback);
  ASSERT_NE(busy, nullptr);
  busy->dispatcher(busy, effOpen, 0, 0, nullptr, 0.0f);
  busy->dispatcher(busy, effMainsChanged, 0, 1, nullptr, 0.0f);
  BusyHost automation(busy);
  ASSERT_TRUE(automation.LoadedTheBank());
  int opened = 0;
  for (int cycle = 0; cycle < kCycles; ++cycle) {
    opened += busy->dispatcher(busy, effEditOpen, 0, 0, parent, 0.0f) == 1;
    busy->dispatcher(busy, effEditIdle, 0, 0, nullptr, 0.0f);
    Pump();
    busy->dispatcher(busy, effEditClose, 0, 0, nullptr, 0.0f);
  }
  automation.Stop();
  EXPECT_EQ(opened, kCycles);
  EXPECT_GT(BusyHost::Automations(), 0);

  // An open view follows the other thread through its timer alone, without idle calls.
  ASSERT_EQ(busy->dispatcher(busy, effEditOpen, 0, 0, parent, 0.0f), 1);
  std::thread([busy] { busy->setParameter(busy, BusyHost::kLearnedParameter, 0.25f); }).join();
  const DWORD start = GetTickCount();
  while (ControlValue(BusyHost::kLearnedParameter) != 0.25f && GetTickCount() - start < 5000) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    Pump();
  }
  EXPECT_EQ(ControlValue(BusyHost::kLearnedParameter), 0.25f);
  busy->dispatcher(busy, effEditClose, 0, 0, nullptr, 0.0f);
  busy->dispatcher(busy, effClose, 0, 0, nullptr, 0.0f);
}

}  // namespace
}  // namespace QuorvelTest
