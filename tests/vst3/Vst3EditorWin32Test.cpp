// The bundle's editor as a Windows VST3 host shows it: a view attached to an HWND of the
// host's, scaled by the host's factor, which it asks its frame for.
#include <gtest/gtest.h>
#include <windows.h>

#include "tests/vst3/Vst3Fixture.h"
#include "tools/quorvel-host/Vst3PlugFrame.h"

namespace QuorvelTest {
namespace {

// The host's window's child windows, with their sizes.
std::vector<SIZE> ChildSizes(HWND parent) {
  std::vector<SIZE> sizes;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT rect{};
    GetWindowRect(child, &rect);
    sizes.push_back(SIZE{rect.right - rect.left, rect.bottom - rect.top});
  }
  return sizes;
}

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Attached in an HWND, the view is one child of 496 x 344 (a 96-dpi prefix); the host's
// factor 2.0 remakes it at 992 x 688 and asks the frame for that size; removed, it leaves
// no window behind; "X11EmbedWindowID" is not this platform's.
TEST(Vst3EditorWin32, AttachesInTheHostsWindowAndScales) {
  HWND host = CreateWindowExW(0, L"STATIC", L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1200, 900, nullptr,
                              nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(host, nullptr);
  auto vst3 = StartVst3();
  QuorvelHost::Vst3PlugFrame frame;
  Steinberg::IPlugView* view = vst3->Controller()->createView("editor");
  ASSERT_NE(view, nullptr);
  view->setFrame(&frame);
  EXPECT_EQ(view->isPlatformTypeSupported(Steinberg::kPlatformTypeHWND), Steinberg::kResultTrue);
  EXPECT_EQ(view->isPlatformTypeSupported(Steinberg::kPlatformTypeX11EmbedWindowID), Steinberg::kResultFalse);
  ASSERT_EQ(view->attached(host, Steinberg::kPlatformTypeHWND), Steinberg::kResultOk);
  PumpMessages();
  std::vector<SIZE> sizes = ChildSizes(host);
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].cx, 496);
  EXPECT_EQ(sizes[0].cy, 344);

  void* found = nullptr;
  ASSERT_EQ(view->queryInterface(Steinberg::IPlugViewContentScaleSupport::iid.toTUID(), &found), Steinberg::kResultOk);
  auto* scale = static_cast<Steinberg::IPlugViewContentScaleSupport*>(found);
  EXPECT_EQ(scale->setContentScaleFactor(2.0f), Steinberg::kResultOk);
  PumpMessages();
  ASSERT_EQ(frame.Resizes().size(), 1u);
  EXPECT_EQ(frame.Resizes()[0].width, 992);
  EXPECT_EQ(frame.Resizes()[0].height, 688);
  sizes = ChildSizes(host);
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].cx, 992);

  EXPECT_EQ(view->removed(), Steinberg::kResultOk);
  PumpMessages();
  EXPECT_TRUE(ChildSizes(host).empty());
  scale->release();
  view->release();
  DestroyWindow(host);
}

}  // namespace
}  // namespace QuorvelTest
