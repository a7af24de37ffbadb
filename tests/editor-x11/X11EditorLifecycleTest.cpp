// Opening and closing the Linux editor the ways hosts do, and the ways they fail to.
#include <dirent.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <functional>

#include "tests/editor-x11/X11EditorFixture.h"

// The allocator's own count under AddressSanitizer, whose quarantine hides frees from malloc's.
extern "C" size_t __sanitizer_get_current_allocated_bytes() __attribute__((weak));

namespace QuorvelTest {
namespace {

using X11EditorLifecycle = X11EditorTest;

size_t OpenFiles() {
  size_t count = 0;
  DIR* folder = opendir("/proc/self/fd");
  if (folder == nullptr) return 0;
  while (readdir(folder) != nullptr) ++count;
  closedir(folder);
  return count;
}

size_t AllocatedBytes() {
  if (__sanitizer_get_current_allocated_bytes != nullptr) return __sanitizer_get_current_allocated_bytes();
  return mallinfo2().uordblks;
}

// Runs `host` in a child process, which ends with status 0 unless something ends it
// first; the test's own connection stays the parent's alone.
int ExitStatusOf(const std::function<void()>& host) {
  const pid_t child = fork();
  if (child == 0) {
    host();
    _exit(0);  // no leak check of the parent's copies
  }
  int status = 0;
  if (child < 0 || waitpid(child, &status, 0) != child) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

TEST_F(X11EditorLifecycle, TwoHundredOpensAndClosesLeaveNoWindowNoFileAndNoMemoryBehind) {
  for (int i = 0; i < 10; ++i) {  // caches of fonts and the like fill once
    ASSERT_TRUE(OpenEditor());
    Dispatch(effEditClose);
  }
  recorder.calls.reserve(64);
  const size_t files = OpenFiles();
  const size_t bytes = AllocatedBytes();
  for (int i = 0; i < 200; ++i) {
    ASSERT_TRUE(OpenEditor());
    effect->setParameter(effect, 6, static_cast<float>(i % 10) / 10.0f);
    Dispatch(effEditClose);
    recorder.calls.clear();  // the host's own record is not the plug-in's memory
  }
  XSync(display, False);
  EXPECT_TRUE(ChildrenOf(host).empty());
  EXPECT_EQ(OpenFiles(), files);
  EXPECT_LT(AllocatedBytes(), bytes + 64 * 1024) << "memory grew by " << AllocatedBytes() - bytes;
}

TEST_F(X11EditorLifecycle, AHostThatDestroysItsWindowFirstSurvivesTheClose) {
  ::Window parent = XCreateSimpleWindow(display, host, 0, 0, 496, 344, 0, 0, 0);
  XMapWindow(display, parent);
  ASSERT_TRUE(OpenEditor(nullptr, parent));
  XDestroyWindow(display, parent);
  XSync(display, False);
  effect->setParameter(effect, 6, 0.3f);  // the controller may no longer hold the view
  Dispatch(effEditClose);
  // And again without an idle between the destruction and the close.
  parent = XCreateSimpleWindow(display, host, 0, 0, 496, 344, 0, 0, 0);
  XMapWindow(display, parent);
  ASSERT_TRUE(OpenEditor(nullptr, parent));
  Idle();
  XDestroyWindow(display, parent);
  XSync(display, False);
  Idle();
  Dispatch(effEditClose);
  ASSERT_TRUE(OpenEditor());
  EXPECT_EQ(ChildrenOf(View()).size(), 15u);
}

TEST_F(X11EditorLifecycle, AHostWithXlibsDefaultErrorHandlerSurvivesDestroyingItsWindowWithoutASync) {
  // Xlib's own handler ends the process at the first error it hears of. The host keeps
  // the server busy with drawing of its own (holding it, so that nothing comes between)
  // and only flushes its XDestroyWindow, so the editor cannot have heard of the
  // destruction when it paints the knob that waits to be repainted. Then the host
  // idles and closes, closes at once, or tells a new factor first.
  const int status = ExitStatusOf([this] {
    Display* own = XOpenDisplay(nullptr);
    if (own == nullptr) _exit(2);
    XSetErrorHandler(nullptr);
    const ::Window root = DefaultRootWindow(own);
    const Pixmap canvas =
        XCreatePixmap(own, root, 2000, 2000, static_cast<unsigned>(DefaultDepth(own, DefaultScreen(own))));
    const GC pen = XCreateGC(own, canvas, 0, nullptr);
    for (int order = 0; order < 3; ++order) {
      const ::Window parent = XCreateSimpleWindow(own, root, 0, 0, 496, 344, 0, 0, 0);
      XMapWindow(own, parent);
      XSync(own, False);
      if (Dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(static_cast<uintptr_t>(parent))) != 1) _exit(3);
      for (int i = 0; i < 3; ++i) Dispatch(effEditIdle);
      effect->setParameter(effect, 6, 0.2f * static_cast<float>(order + 1));
      XGrabServer(own);
      for (int i = 0; i < 50; ++i) XFillRectangle(own, canvas, pen, 0, 0, 2000, 2000);
      XDestroyWindow(own, parent);
      XUngrabServer(own);
      XFlush(own);
      // A factor told by the host ('PreS', 'AeCs') rebuilds the view.
      if (order == 2) effect->dispatcher(effect, effVendorSpecific, 0x50726553, 0x41654373, nullptr, 2.0f);
      if (order != 1) Dispatch(effEditIdle);
      Dispatch(effEditClose);
    }
    XCloseDisplay(own);
  });
  EXPECT_EQ(status, 0) << "the host's process ended: an X error of the editor's reached Xlib's default handler";
}

TEST_F(X11EditorLifecycle, AParentThatIsNoWindowFailsTheOpen) {
  EXPECT_EQ(Dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(uintptr_t{0x7fffff0})), 0);
  EXPECT_EQ(Dispatch(effEditOpen, 0, 0, nullptr), 0);
  Dispatch(effEditIdle);
  Dispatch(effEditClose);
}

TEST_F(X11EditorLifecycle, EffCloseWithTheEditorOpenTakesItsWindowsAlong) {
  ASSERT_TRUE(OpenEditor());
  Dispatch(effClose);
  instances.clear();
  XSync(display, False);
  EXPECT_TRUE(ChildrenOf(host).empty());
}

TEST_F(X11EditorLifecycle, TwoInstancesShowTheirEditorsAtOnceEachDrivingItsOwnParameters) {
  AEffect* second = NewInstance();
  ASSERT_TRUE(OpenEditor());
  ::Window otherParent = XCreateSimpleWindow(display, host, 0, 0, 496, 344, 0, 0, 0);
  XMapWindow(display, otherParent);
  ASSERT_TRUE(OpenEditor(second, otherParent));
  // The second editor covers the first; drag its feedback knob.
  const ::Window secondView = ChildrenOf(otherParent).at(0);
  const float first = Parameter(6);
  const float before = Parameter(6, second);
  ::Window knob = 0;
  for (::Window child : ChildrenOf(secondView)) {
    const Place place = PlaceOf(child);
    if (place.x == 179 && place.y == 139) knob = child;
  }
  ASSERT_NE(knob, 0u);
  MoveTo(knob, 16, 20);
  Button(1, true);
  Idle(2, second);
  MoveTo(knob, 16, 15);
  Idle(2, second);
  Idle(2);
  Button(1, false);
  Idle(2, second);
  EXPECT_NEAR(Parameter(6, second), before + 0.05f, 1e-6);
  EXPECT_FLOAT_EQ(Parameter(6), first);
  Dispatch(effEditClose, 0, 0, nullptr, second);
  EXPECT_TRUE(ChildrenOf(otherParent).empty());
  EXPECT_EQ(ChildrenOf(ChildrenOf(host).at(0)).size(), 15u);  // the first editor stays
}

}  // namespace
}  // namespace QuorvelTest
