// The editor opened and closed on the user-interface thread, thousands of times, while
// another thread drives the same instance as a busy host does.
#include "tests/editor-x11/X11EditorFixture.h"
#include "tests/support/BuiltModule.h"
#include "tests/support/BusyHost.h"

#include <thread>

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

// Xlib's error handler is the process's: a host thread with a connection of its own
// (a renderer, another plug-in's view) hears its errors through whatever handler is set,
// also while the editor's thread has its errors trapped. Those errors are the host's.
TEST_F(X11EditorThreads, AnotherHostThreadsXErrorsReachTheHostWhileTheEditorTrapsItsOwn) {
  constexpr int kFailures = 300;
  Display* own = XOpenDisplay(nullptr);
  ASSERT_NE(own, nullptr);
  const ::Window gone = XCreateSimpleWindow(own, DefaultRootWindow(own), 0, 0, 1, 1, 0, 0, 0);
  XDestroyWindow(own, gone);
  XSync(own, False);
  std::thread renderer([own, gone] {
    for (int i = 0; i < kFailures; ++i) {
      XWindowAttributes attributes;
      XGetWindowAttributes(own, gone, &attributes);
    }
  });
  for (int cycle = 0; cycle < 40; ++cycle) {
    ASSERT_TRUE(OpenEditor());
    Idle(2);
    Dispatch(effEditClose);
  }
  renderer.join();
  XCloseDisplay(own);
  EXPECT_EQ(hostErrors, kFailures);
  hostErrors = 0;
}

}  // namespace
}  // namespace QuorvelTest
