// The module's editor as a Linux CLAP host shows it: embedded in an X window of the host's,
// idled through the host's timer and its descriptor support, scaled by the host's factor,
// its gestures reaching the host as events after a flush request.
// GoogleTest first: Xlib's None and Bool macros would break its templates.
#include <gtest/gtest.h>
// clang-format off
#include <X11/Xlib.h>
// clang-format on

#include <atomic>
#include <thread>

#include "tests/clap/ClapFixture.h"
#include "tests/support/X11HostTest.h"

namespace QuorvelTest {
namespace {

class ClapEditorX11 : public X11HostTest {
 protected:
  void SetUp() override {
    X11HostTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) {
      return;
    }
    clap = StartClap();
    gui = clap->Gui();
    ASSERT_NE(gui, nullptr);
  }
  void TearDown() override {
    clap.reset();
    X11HostTest::TearDown();
  }

  const clap_plugin_t* Plugin() { return &clap->Plugin(); }
  bool Open(double scale = 0.0) {
    clap_window_t parent{};
    parent.api = CLAP_WINDOW_API_X11;
    parent.x11 = window;
    return gui->create(Plugin(), CLAP_WINDOW_API_X11, false) && (scale == 0.0 || gui->set_scale(Plugin(), scale)) &&
           gui->set_parent(Plugin(), &parent) && gui->show(Plugin());
  }
  // The host's timers and descriptors.
  void HostIdle() override { clap->IdleEditor(); }
  std::vector<std::pair<::Window, XWindowAttributes>> Children(::Window parent = 0) {
    return ChildAttributes(parent);
  }
  std::unique_ptr<QuorvelHost::HostedClap> clap;
  const clap_plugin_gui_t* gui = nullptr;
};

// Embedded only, X11 only; at scale 2 the editor is 992 x 688 before and after it opens,
// idles on one timer and one descriptor of the host's, both gone with the window once
// destroyed. A new factor while open asks the host for the new size.
TEST_F(ClapEditorX11, OpensScaledAndIdlesOnTheHostsTimerAndDescriptor) {
  EXPECT_TRUE(gui->is_api_supported(Plugin(), CLAP_WINDOW_API_X11, false));
  EXPECT_FALSE(gui->is_api_supported(Plugin(), CLAP_WINDOW_API_X11, true));
  EXPECT_FALSE(gui->is_api_supported(Plugin(), CLAP_WINDOW_API_WIN32, false));
  ASSERT_TRUE(gui->create(Plugin(), CLAP_WINDOW_API_X11, false));
  EXPECT_FALSE(gui->can_resize(Plugin()));
  EXPECT_TRUE(gui->set_scale(Plugin(), 2.0));
  uint32_t width = 0;
  uint32_t height = 0;
  ASSERT_TRUE(gui->get_size(Plugin(), &width, &height));
  EXPECT_EQ(width, 992u);
  EXPECT_EQ(height, 688u);
  clap_window_t parent{};
  parent.api = CLAP_WINDOW_API_X11;
  parent.x11 = window;
  ASSERT_TRUE(gui->set_parent(Plugin(), &parent));
  EXPECT_TRUE(gui->show(Plugin()));
  EXPECT_EQ(clap->Host().Timers().size(), 1u);
  EXPECT_EQ(clap->Host().Descriptors().size(), 1u);
  Pump();
  ASSERT_EQ(Children().size(), 1u);
  EXPECT_EQ(Children()[0].second.width, 992);
  EXPECT_EQ(Children()[0].second.height, 688);

  EXPECT_TRUE(gui->set_scale(Plugin(), 1.0));
  Pump();
  ASSERT_EQ(clap->Host().ResizeRequests().size(), 1u);
  EXPECT_EQ(clap->Host().ResizeRequests()[0].width, 496u);
  EXPECT_EQ(clap->Host().ResizeRequests()[0].height, 344u);
  EXPECT_TRUE(gui->hide(Plugin()));
  gui->destroy(Plugin());
  EXPECT_TRUE(clap->Host().Timers().empty());
  EXPECT_TRUE(clap->Host().Descriptors().empty());
  EXPECT_TRUE(Children().empty());
  EXPECT_TRUE(clap->Host().Violations().empty());
}

// A drag on the feedback knob (10 pixels up is 0.1) asks the host for a flush and reaches
// it in the next process as one gesture: begin, values, end; opening the editor itself
// sends nothing.
TEST_F(ClapEditorX11, GesturesReachTheHostAsEventsOfTheNextProcess) {
  ASSERT_TRUE(Open());
  Pump();
  const ::Window knob = ChildAt(Children().at(0).first, 179, 139);
  ASSERT_NE(knob, 0u);
  StereoBlock block(64);
  clap->OutputEvents().Clear();
  clap->Process(block.Channels(), block.Channels(), 64, nullptr, nullptr);
  EXPECT_EQ(clap->OutputEvents().Size(), 0u);
  EXPECT_EQ(clap->Host().Requests(QuorvelHost::ClapHost::kFlush), 0);

  DragUp(knob);
  EXPECT_GE(clap->Host().Requests(QuorvelHost::ClapHost::kFlush), 3);
  clap->Process(block.Channels(), block.Channels(), 64, nullptr, nullptr);
  const QuorvelHost::ClapEventList& events = clap->OutputEvents();
  ASSERT_GE(events.Size(), 3u);
  EXPECT_EQ(events.At(0)->type, CLAP_EVENT_PARAM_GESTURE_BEGIN);
  EXPECT_EQ(events.At(events.Size() - 1)->type, CLAP_EVENT_PARAM_GESTURE_END);
  double last = -1.0;
  for (uint32_t i = 0; i < events.Size(); ++i) {
    const auto* event = reinterpret_cast<const clap_event_param_gesture_t*>(events.At(i));
    EXPECT_EQ(event->param_id, 6u);
    if (event->header.type == CLAP_EVENT_PARAM_VALUE) {
      last = reinterpret_cast<const clap_event_param_value_t*>(event)->value;
    }
  }
  EXPECT_NEAR(last, 0.1, 1e-6);
  EXPECT_NEAR(clap->ParameterValue(6), 0.1, 1e-6);
  gui->destroy(Plugin());
  EXPECT_TRUE(clap->Host().Violations().empty());
}

// A host that sends every value the editor gave back as an event of its next process, as
// CLAP hosts may: the knob being dragged is not pulled back by its own echoes, and the
// drag ends where the mouse took it.
TEST_F(ClapEditorX11, ADragIsNotPulledBackByTheHostsEcho) {
  ASSERT_TRUE(Open());
  Pump();
  const ::Window knob = ChildAt(Children().at(0).first, 179, 139);
  ASSERT_NE(knob, 0u);
  ClapEchoingHost echoing(*clap);
  DragUp(knob, [&echoing] { echoing.Process(); });
  echoing.Process();
  echoing.Process();
  Pump();
  EXPECT_NEAR(echoing.LastEcho(), 0.1, 1e-6);
  EXPECT_NEAR(clap->ParameterValue(6), 0.1, 1e-6);
  gui->destroy(Plugin());
  EXPECT_TRUE(clap->Host().Violations().empty());
}

// Editors opened and destroyed again and again on this thread while another thread, as
// the host's audio thread, processes with automation and learned controllers: no fault,
// no window left, and no host call on a thread the format forbids.
TEST_F(ClapEditorX11, EditorsComeAndGoWhileTheAudioThreadAutomates) {
  ASSERT_TRUE(clap->SetState(LearnedVst2Bank(), false));
  std::atomic<bool> running{true};
  std::thread audio([this, &running] {
    StereoBlock block(128);
    QuorvelHost::ClapEventList events;
    for (uint32_t n = 0; running.load(); ++n) {
      events.Clear();
      events.AddParameter(n % 128, n % 12, (n % 100) / 100.0);
      events.AddMidi(64, 0xB0, 74, static_cast<uint8_t>(n % 128));
      clap->Process(block.Channels(), block.Channels(), 128, &events, nullptr);
    }
  });
  for (int cycle = 0; cycle < 40; ++cycle) {
    ASSERT_TRUE(Open(cycle % 2 == 0 ? 1.0 : 2.0));
    Pump(2);
    if (clap->Host().TakeCallbackRequest()) {
      Plugin()->on_main_thread(Plugin());
    }
    gui->destroy(Plugin());
  }
  running = false;
  audio.join();
  EXPECT_TRUE(Children().empty());
  EXPECT_TRUE(clap->Host().Violations().empty());
}

}  // namespace
}  // namespace QuorvelTest
