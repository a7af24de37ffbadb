// The bundle's editor as a Windows VST3 host shows it: a view attached to an HWND of the
// host's, scaled by the host's factor, which it asks its frame for, its gestures reported
// to the component handler.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "tests/vst3/Vst3Fixture.h"
#include "tests/support/EditorPixels.h"
#include "tests/support/Win32HostWindow.h"
#include "tools/quorvel-host/Vst3PlugFrame.h"

namespace QuorvelTest {
namespace {

// A host with a top-level window, a frame, and one started instance's view set to it.
class Vst3EditorWin32 : public ::testing::Test {
 protected:
  void SetUp() override {
    host = Win32HostWindow::Create();
    ASSERT_NE(host, nullptr);
    vst3 = StartVst3();
    view = vst3->Controller()->createView("editor");
    ASSERT_NE(view, nullptr);
    view->setFrame(&frame);
  }
  void TearDown() override {
    if (view != nullptr) view->release();
    vst3.reset();
    if (host != nullptr) DestroyWindow(host);
  }

  HWND host = nullptr;
  std::unique_ptr<QuorvelHost::HostedVst3> vst3;
  QuorvelHost::Vst3PlugFrame frame;
  Steinberg::IPlugView* view = nullptr;
};

// Attached in an HWND, the view is one child of 496 x 344 (a 96-dpi prefix); the host's
// factor 2.0 remakes it at 992 x 688 and asks the frame for that size; removed, it leaves
// no window behind; "X11EmbedWindowID" is not this platform's.
TEST_F(Vst3EditorWin32, AttachesInTheHostsWindowAndScales) {
  EXPECT_EQ(view->isPlatformTypeSupported(Steinberg::kPlatformTypeHWND), Steinberg::kResultTrue);
  EXPECT_EQ(view->isPlatformTypeSupported(Steinberg::kPlatformTypeX11EmbedWindowID), Steinberg::kResultFalse);
  ASSERT_EQ(view->attached(host, Steinberg::kPlatformTypeHWND), Steinberg::kResultOk);
  Win32HostWindow::PumpMessages();
  std::vector<SIZE> sizes = Win32HostWindow::ChildSizes(host);
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].cx, 496);
  EXPECT_EQ(sizes[0].cy, 344);

  void* found = nullptr;
  ASSERT_EQ(view->queryInterface(Steinberg::IPlugViewContentScaleSupport::iid.toTUID(), &found), Steinberg::kResultOk);
  auto* scale = static_cast<Steinberg::IPlugViewContentScaleSupport*>(found);
  EXPECT_EQ(scale->setContentScaleFactor(2.0f), Steinberg::kResultOk);
  Win32HostWindow::PumpMessages();
  ASSERT_EQ(frame.Resizes().size(), 1u);
  EXPECT_EQ(frame.Resizes()[0].getWidth(), 992);
  EXPECT_EQ(frame.Resizes()[0].getHeight(), 688);
  sizes = Win32HostWindow::ChildSizes(host);
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].cx, 992);

  EXPECT_EQ(view->removed(), Steinberg::kResultOk);
  Win32HostWindow::PumpMessages();
  EXPECT_TRUE(Win32HostWindow::ChildSizes(host).empty());
  scale->release();
}

// One editor per instance: while a view holds it there is no second view; a view removed
// or released gives it to the next, and a view that was replaced never closes or
// reattaches the editor of the view holding it.
TEST_F(Vst3EditorWin32, OneEditorPerInstance) {
  EXPECT_EQ(vst3->Controller()->createView("editor"), nullptr);
  ASSERT_EQ(view->attached(host, Steinberg::kPlatformTypeHWND), Steinberg::kResultOk);
  EXPECT_EQ(vst3->Controller()->createView("editor"), nullptr);
  view->removed();
  Steinberg::IPlugView* second = vst3->Controller()->createView("editor");
  ASSERT_NE(second, nullptr);
  ASSERT_EQ(second->attached(host, Steinberg::kPlatformTypeHWND), Steinberg::kResultOk);
  EXPECT_EQ(view->attached(host, Steinberg::kPlatformTypeHWND), Steinberg::kResultFalse);
  EXPECT_EQ(view->removed(), Steinberg::kResultFalse);
  view->release();
  view = nullptr;
  Win32HostWindow::PumpMessages();
  EXPECT_EQ(Win32HostWindow::ChildSizes(host).size(), 1u);
  EXPECT_EQ(vst3->Controller()->createView("editor"), nullptr);
  second->release();  // released while attached, as some hosts do
  Win32HostWindow::PumpMessages();
  EXPECT_TRUE(Win32HostWindow::ChildSizes(host).empty());
  view = vst3->Controller()->createView("editor");
  ASSERT_NE(view, nullptr);
}

// Opening the editor tells the handler nothing; a drag on the feedback knob (10 pixels up
// is 0.1), as the mouse's messages reach it, is one gesture for the host: begin, edits and
// end, every call on the user-interface thread, while the host sends every performed edit
// back in its next process, as VST3 hosts may: the knob is not pulled back by its own
// echoes.
TEST_F(Vst3EditorWin32, GesturesReachTheHandlerUnpulledByItsEcho) {
  ASSERT_EQ(view->attached(host, Steinberg::kPlatformTypeHWND), Steinberg::kResultOk);
  Win32HostWindow::PumpMessages();
  EXPECT_TRUE(vst3->Host().Edits().empty());
  HWND knob = Win32HostWindow::ChildAt(GetWindow(host, GW_CHILD), 179, 139);
  ASSERT_NE(knob, nullptr);
  Vst3EchoingHost echoing(*vst3);
  Win32HostWindow::DragUp(knob, [&echoing] { echoing.Process(); });
  echoing.Process();
  ExpectFeedbackDragGesture(*vst3);
  view->removed();
}

// The editor names the format the host loaded: the VST3 editor shows the VST2 one's
// pixels everywhere but in the footer's format name, which differs.
TEST_F(Vst3EditorWin32, TheFooterNamesTheFormatAndNothingElseDiffers) {
  const auto pixelsOfEditor = [this] {
    Win32HostWindow::PumpMessages();
    return Win32HostWindow::Pixels(GetWindow(host, GW_CHILD), EditorPixels::kWidth, EditorPixels::kHeight);
  };
  auto vst2 = StartVst2();
  ASSERT_EQ(vst2->Dispatch(effEditOpen, 0, 0, host), 1);
  const std::vector<uint32_t> named2 = pixelsOfEditor();
  vst2->Dispatch(effEditClose);
  Win32HostWindow::PumpMessages();
  ASSERT_EQ(view->attached(host, Steinberg::kPlatformTypeHWND), Steinberg::kResultOk);
  EditorPixels::ExpectOnlyTheFormatNameDiffers(named2, pixelsOfEditor());
  view->removed();
}

}  // namespace
}  // namespace QuorvelTest
