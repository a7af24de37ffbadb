// Opening and closing the Linux editor the ways hosts do, and the ways they fail to.
#include <dirent.h>
#include <malloc.h>

#include <cstddef>

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
