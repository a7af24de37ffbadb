// The bundle's editor as a Linux VST3 host shows it: a view attached to an X window of
// the host's, idled through the host's run loop, scaled by the host's factor, its
// gestures reported to the component handler on the user-interface thread.
// GoogleTest first: Xlib's None and Bool macros would break its templates.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
// clang-format on

#include <atomic>
#include <thread>

#include "tests/support/EditorPixels.h"
#include "tests/support/X11HostTest.h"
#include "tests/vst3/Vst3Fixture.h"
#include "tools/quorvel-host/Vst3PlugFrame.h"

namespace QuorvelTest {
namespace {

// A host with a top-level window on the virtual display, a frame with its run loop, and
// one started instance whose view it attaches.
class Vst3EditorX11 : public X11HostTest {
 protected:
  void SetUp() override {
    X11HostTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) {
      return;
    }
    vst3 = StartVst3();
  }
  void TearDown() override {
    vst3.reset();
    X11HostTest::TearDown();
  }

  Steinberg::IPlugView* NewView() {
    Steinberg::IPlugView* view = vst3->Controller()->createView("editor");
    EXPECT_NE(view, nullptr);
    view->setFrame(&frame);
    return view;
  }
  Steinberg::tresult Attach(Steinberg::IPlugView* view) {
    return view->attached(reinterpret_cast<void*>(window), Steinberg::kPlatformTypeX11EmbedWindowID);
  }
  // The frame's run loop.
  void HostIdle() override { frame.Pump(); }
  // The host window's children, each with its size.
  std::vector<std::pair<::Window, Steinberg::ViewRect>> Children(::Window parent = 0) {
    std::vector<std::pair<::Window, Steinberg::ViewRect>> found;
    for (const auto& [id, a] : ChildAttributes(parent)) {
      found.push_back({id, Steinberg::ViewRect{a.x, a.y, a.x + a.width, a.y + a.height}});
    }
    return found;
  }
  QuorvelHost::Vst3PlugFrame frame;
  std::unique_ptr<QuorvelHost::HostedVst3> vst3;
};

// Attached, the view is one window of 496 x 344 in the host's; its idle work is the run
// loop's: the X connection's descriptor and a timer, both gone once removed, and the
// window with them.
TEST_F(Vst3EditorX11, AttachesInTheHostsWindowAndIdlesThroughItsRunLoop) {
  Steinberg::IPlugView* view = NewView();
  EXPECT_EQ(view->isPlatformTypeSupported(Steinberg::kPlatformTypeX11EmbedWindowID), Steinberg::kResultTrue);
  EXPECT_EQ(view->isPlatformTypeSupported(Steinberg::kPlatformTypeHWND), Steinberg::kResultFalse);
  Steinberg::ViewRect size{};
  ASSERT_EQ(view->getSize(&size), Steinberg::kResultOk);
  EXPECT_EQ(size.getWidth(), 496);
  EXPECT_EQ(size.getHeight(), 344);
  ASSERT_EQ(Attach(view), Steinberg::kResultOk);
  EXPECT_EQ(frame.EventHandlerCount(), 1u);
  EXPECT_GE(frame.FirstDescriptor(), 0);
  EXPECT_EQ(frame.TimerCount(), 1u);
  Pump();
  const auto children = Children();
  ASSERT_EQ(children.size(), 1u);
  EXPECT_EQ(children[0].second.getWidth(), 496);
  EXPECT_EQ(children[0].second.getHeight(), 344);
  EXPECT_EQ(Attach(view), Steinberg::kResultFalse);  // attached already
  EXPECT_EQ(view->removed(), Steinberg::kResultOk);
  EXPECT_EQ(frame.EventHandlerCount(), 0u);
  EXPECT_EQ(frame.TimerCount(), 0u);
  EXPECT_TRUE(Children().empty());
  view->release();
}

// One editor per instance: while a view holds it there is no second view; a view removed
// or released gives it to the next, and a view that was replaced never closes, rescales
// or reattaches the editor of the view holding it.
TEST_F(Vst3EditorX11, OneEditorPerInstance) {
  Steinberg::IPlugView* first = NewView();
  EXPECT_EQ(vst3->Controller()->createView("editor"), nullptr);
  ASSERT_EQ(Attach(first), Steinberg::kResultOk);
  EXPECT_EQ(vst3->Controller()->createView("editor"), nullptr);
  first->removed();
  Steinberg::IPlugView* second = NewView();
  ASSERT_EQ(Attach(second), Steinberg::kResultOk);
  Pump();
  EXPECT_EQ(Attach(first), Steinberg::kResultFalse);
  EXPECT_EQ(first->removed(), Steinberg::kResultFalse);
  void* found = nullptr;
  ASSERT_EQ(first->queryInterface(Steinberg::IPlugViewContentScaleSupport::iid.toTUID(), &found), Steinberg::kResultOk);
  auto* scale = static_cast<Steinberg::IPlugViewContentScaleSupport*>(found);
  EXPECT_EQ(scale->setContentScaleFactor(2.0f), Steinberg::kResultFalse);
  scale->release();
  first->release();
  Pump();
  ASSERT_EQ(Children().size(), 1u);
  EXPECT_EQ(Children()[0].second.getWidth(), 496);
  EXPECT_EQ(frame.EventHandlerCount(), 1u);
  EXPECT_EQ(frame.TimerCount(), 1u);
  EXPECT_EQ(vst3->Controller()->createView("editor"), nullptr);
  second->release();  // released while attached, as some hosts do
  EXPECT_TRUE(Children().empty());
  Steinberg::IPlugView* third = NewView();
  ASSERT_EQ(Attach(third), Steinberg::kResultOk);
  third->removed();
  third->release();
}

// The host's factor, told before attaching or after: 2.0 draws the editor at 992 x 688,
// and an attached view asks its frame for that size.
TEST_F(Vst3EditorX11, ScaleFactorBeforeOrAfterAttaching) {
  Steinberg::IPlugView* view = NewView();
  void* found = nullptr;
  ASSERT_EQ(view->queryInterface(Steinberg::IPlugViewContentScaleSupport::iid.toTUID(), &found), Steinberg::kResultOk);
  auto* scale = static_cast<Steinberg::IPlugViewContentScaleSupport*>(found);
  ASSERT_EQ(Attach(view), Steinberg::kResultOk);
  Pump();
  EXPECT_EQ(scale->setContentScaleFactor(2.0f), Steinberg::kResultOk);
  Pump();
  ASSERT_EQ(frame.Resizes().size(), 1u);
  EXPECT_EQ(frame.Resizes()[0].getWidth(), 992);
  EXPECT_EQ(frame.Resizes()[0].getHeight(), 688);
  ASSERT_EQ(Children().size(), 1u);
  EXPECT_EQ(Children()[0].second.getWidth(), 992);
  view->removed();
  scale->release();
  view->release();

  auto other = StartVst3();
  Steinberg::IPlugView* before = other->Controller()->createView("editor");
  before->setFrame(&frame);
  ASSERT_EQ(before->queryInterface(Steinberg::IPlugViewContentScaleSupport::iid.toTUID(), &found), Steinberg::kResultOk);
  scale = static_cast<Steinberg::IPlugViewContentScaleSupport*>(found);
  scale->setContentScaleFactor(2.0f);
  Steinberg::ViewRect size{};
  before->getSize(&size);
  EXPECT_EQ(size.getWidth(), 992);
  EXPECT_EQ(size.getHeight(), 688);
  ASSERT_EQ(Attach(before), Steinberg::kResultOk);
  Pump();
  ASSERT_EQ(Children().size(), 1u);
  EXPECT_EQ(Children()[0].second.getHeight(), 688);
  before->removed();
  scale->release();
  before->release();
}

// Opening the editor tells the handler nothing; a drag on the feedback knob (10 pixels up
// is 0.1) reaches it as one gesture, begin, edits and end, every call on the
// user-interface thread, while the host sends every performed edit back in its next
// process, as VST3 hosts may: the knob is not pulled back by its own echoes, and the drag
// ends where the mouse took it.
TEST_F(Vst3EditorX11, GesturesReachTheHandlerUnpulledByItsEcho) {
  Steinberg::IPlugView* view = NewView();
  ASSERT_EQ(Attach(view), Steinberg::kResultOk);
  Pump();
  const ::Window knob = ChildAt(Children().at(0).first, 179, 139);
  ASSERT_NE(knob, 0u);
  // The controls announce their first values as the view is made: no edit of the user's.
  EXPECT_TRUE(vst3->Host().Edits().empty());
  Vst3EchoingHost echoing(*vst3);
  DragUp(knob, [&echoing] { echoing.Process(); });
  echoing.Process();
  Pump();
  ExpectFeedbackDragGesture(*vst3);
  view->removed();
  view->release();
}

// The editor names the format the host loaded: the VST3 editor shows the VST2 one's
// pixels everywhere but in the footer's format name, which differs.
TEST_F(Vst3EditorX11, TheFooterNamesTheFormatAndNothingElseDiffers) {
  const auto pixelsOfEditor = [this] {
    Pump();
    const auto children = Children();
    return children.size() == 1u
               ? Pixels(children[0].first, EditorPixels::kWidth, EditorPixels::kHeight)
               : std::vector<uint32_t>{};
  };
  auto vst2 = StartVst2();
  ASSERT_EQ(vst2->Dispatch(effEditOpen, 0, 0, reinterpret_cast<void*>(window)), 1);
  for (int i = 0; i < 3; ++i) {
    Pump(1);
    vst2->Dispatch(effEditIdle);
  }
  const std::vector<uint32_t> named2 = pixelsOfEditor();
  vst2->Dispatch(effEditClose);
  Steinberg::IPlugView* view = NewView();
  ASSERT_EQ(Attach(view), Steinberg::kResultOk);
  EditorPixels::ExpectOnlyTheFormatNameDiffers(named2, pixelsOfEditor());
  view->removed();
  view->release();
}

// Views attached and removed again and again on this thread while another thread, as a
// host's audio thread, processes with automation and learned controllers: no fault, no
// window left, and the handler never hears from the audio thread.
TEST_F(Vst3EditorX11, ViewsComeAndGoWhileTheAudioThreadAutomates) {
  ASSERT_TRUE(vst3->LoadState(LearnedVst2Bank()));
  std::atomic<bool> running{true};
  std::thread audio([this, &running] {
    StereoBlock input(128);
    StereoBlock output(128);
    QuorvelHost::Vst3ParameterChanges changes;
    changes.Reserve(8, 8);
    for (uint32_t block = 0; running.load(); ++block) {
      changes.Clear();
      changes.Add(block % 12, static_cast<int32_t>(block % 128), (block % 100) / 100.0);
      changes.Add(ControllerId(0, 74), 64, (block % 128) / 127.0);
      vst3->Process(input.Channels(), output.Channels(), 128, &changes, nullptr);
    }
  });
  for (int cycle = 0; cycle < 60; ++cycle) {
    Steinberg::IPlugView* view = NewView();
    ASSERT_EQ(Attach(view), Steinberg::kResultOk);
    Pump(2);
    view->removed();
    view->release();
  }
  running = false;
  audio.join();
  for (const auto& edit : vst3->Host().Edits()) {
    ASSERT_EQ(edit.thread, std::this_thread::get_id());
  }
  EXPECT_TRUE(Children().empty());
}

}  // namespace
}  // namespace QuorvelTest
