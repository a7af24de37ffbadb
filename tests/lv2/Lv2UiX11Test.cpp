// The bundle's UI as a Linux LV2 host shows it: instantiated in an X window of the host's
// without instance-access, its widget its own window, idled through the idle interface,
// sized through ui:resize at the host's scale, the user's gestures reported through
// ui:touch and the write function on the user-interface thread, the host's writes and
// the plug-in's notifications relayed between it and a real instance.
// GoogleTest and the LV2 headers first: Xlib's None and Bool macros would break them.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "tests/lv2/Lv2Fixture.h"
#include "tools/quorvel-host/Lv2UiHost.h"
// clang-format off
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
// clang-format on

#include "tests/support/X11HostTest.h"

namespace QuorvelTest {
namespace {

constexpr uint32_t kFeedbackPort = 10;
constexpr int32_t kFeedbackIndex = 6;

class Lv2UiX11 : public X11HostTest {
 protected:
  void SetUp() override {
    X11HostTest::SetUp();
    if (IsSkipped() || HasFatalFailure()) {
      return;
    }
    lv2 = StartLv2();
    std::string error;
    ui = QuorvelHost::Lv2UiHost::Open(*lv2, error);
    ASSERT_NE(ui, nullptr) << error;
  }
  void TearDown() override {
    ui.reset();
    lv2.reset();
    X11HostTest::TearDown();
  }

  // The UI's idle interface.
  void HostIdle() override { EXPECT_EQ(ui->Idle(), 0); }
  struct Child {
    ::Window id;
    XWindowAttributes attributes;
  };
  std::vector<Child> Children(::Window parent = 0) {
    std::vector<Child> found;
    for (const auto& [id, attributes] : ChildAttributes(parent)) {
      found.push_back(Child{id, attributes});
    }
    return found;
  }
  std::unique_ptr<QuorvelHost::HostedLv2> lv2;
  std::unique_ptr<QuorvelHost::Lv2UiHost> ui;
};

std::vector<QuorvelHost::Lv2UiHost::Message> OfKind(const std::vector<QuorvelHost::Lv2UiHost::Message>& all,
                                                     char kind) {
  std::vector<QuorvelHost::Lv2UiHost::Message> found;
  for (const auto& message : all) {
    if (message.kind == kind) {
      found.push_back(message);
    }
  }
  return found;
}

// Shown, the UI's widget is the editor's own window, the one child of the host's, of
// 496 x 344, asked of the host through ui:resize; making it writes no control port; the
// idle call answers 0 while it is open; cleaned up, the window is gone. At the host's
// scale 2 it asks for 992 x 688; a host without ui:resize gets the same window.
TEST_F(Lv2UiX11, ShowsItsOwnWindowInTheHostsAtItsScale) {
  ASSERT_TRUE(ui->Show(window));
  Pump();
  const auto children = Children();
  ASSERT_EQ(children.size(), 1u);
  EXPECT_EQ(ui->Widget(), reinterpret_cast<void*>(children[0].id));
  EXPECT_EQ(children[0].attributes.width, 496);
  EXPECT_EQ(children[0].attributes.height, 344);
  const auto sizes = OfKind(ui->Messages(), 'r');
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].port, 496u);
  EXPECT_EQ(sizes[0].value, 344.0f);
  EXPECT_TRUE(OfKind(ui->Messages(), 'w').empty());
  ui->Hide();
  EXPECT_TRUE(Children().empty());

  ui->ClearMessages();
  ASSERT_TRUE(ui->Show(window, 2.0f));
  Pump();
  ASSERT_EQ(OfKind(ui->Messages(), 'r').size(), 1u);
  EXPECT_EQ(OfKind(ui->Messages(), 'r')[0].port, 992u);
  EXPECT_EQ(OfKind(ui->Messages(), 'r')[0].value, 688.0f);
  ASSERT_EQ(Children().size(), 1u);
  EXPECT_EQ(Children()[0].attributes.height, 688);
  ui->Hide();

  ui->ClearMessages();
  ASSERT_TRUE(ui->Show(window, 0.0f, false));
  Pump();
  ASSERT_EQ(Children().size(), 1u);
  EXPECT_EQ(ui->Widget(), reinterpret_cast<void*>(Children()[0].id));
  EXPECT_EQ(Children()[0].attributes.width, 496);
  EXPECT_TRUE(OfKind(ui->Messages(), 'r').empty());
}

// A drag on the feedback knob (10 pixels up is 0.1 on the knob) reaches the host as one touch
// gesture around the port's writes, on the user-interface thread, while the host echoes
// each write a block late (into the control port, then back to the UI as a port event):
// the knob is not pulled back, each write is above the one before. A value the host then
// sets while the plug-in does not run shows at once: the next drag starts from it.
TEST_F(Lv2UiX11, DragsReachTheHostUnpulledByItsEchoAndFollowThePorts) {
  ASSERT_TRUE(ui->Show(window));
  Pump();
  // The host's window holds the UI's frame, the frame the editor's view.
  const ::Window knob = ChildAt(Children(Children().at(0).id).at(0).id, 179, 139);
  ASSERT_NE(knob, 0u);
  ui->ClearMessages();
  // The host's block: the UI's writes into the ports, a run, the previous run's port
  // value echoed back to the UI.
  StereoBlock block(64);
  float echo = -1.0f;
  size_t relayed = 0;
  const auto hostBlock = [&] {
    if (echo >= 0.0f) {
      ui->PortEvent(kFeedbackPort, echo);
    }
    // The UI's writes since the last block: control values into the control inputs,
    // atoms into the UI input.
    for (; relayed < ui->Messages().size(); ++relayed) {
      const auto& message = ui->Messages()[relayed];
      if (message.kind == 'a') {
        lv2->AddUiAtom(message.atom.data(), static_cast<uint32_t>(message.atom.size()));
      }
      for (size_t i = 0; message.kind == 'w' && i < lv2->Parameters().size(); ++i) {
        if (lv2->Parameters()[i].id == message.port) {
          lv2->SetValue(i, message.value);
        }
      }
    }
    lv2->Process(block.Channels(), block.Channels(), 64);
    echo = lv2->Value(kFeedbackIndex);
    ui->DeliverNotifications();
  };
  DragUp(knob, hostBlock);
  hostBlock();
  const auto messages = ui->Messages();
  ASSERT_GE(messages.size(), 12u);
  EXPECT_EQ(messages.front().kind, 't');
  EXPECT_EQ(messages.front().value, 1.0f);
  EXPECT_EQ(messages.back().kind, 't');
  EXPECT_EQ(messages.back().value, 0.0f);
  float last = -1.0f;
  for (const auto& message : messages) {
    EXPECT_EQ(message.port, kFeedbackPort);
    EXPECT_EQ(message.thread, std::this_thread::get_id());
    if (message.kind == 'w') {
      EXPECT_GT(message.value, last);
      last = message.value;
    }
  }
  EXPECT_NEAR(last, 0.01f, 1e-6f);  // the level's port in units: 0.1 * 0.1

  ui->ClearMessages();
  ui->PortEvent(kFeedbackPort, 0.25f);  // 0.5 on the knob
  ui->PortEvent(5, 0.3f);
  Pump();
  EXPECT_TRUE(ui->Messages().empty());
  MoveTo(knob, 16, 20);
  XTestFakeButtonEvent(display, 1, True, 0);
  Pump();
  MoveTo(knob, 16, 10);
  Pump();
  XTestFakeButtonEvent(display, 1, False, 0);
  Pump();
  const auto writes = OfKind(ui->Messages(), 'w');
  ASSERT_FALSE(writes.empty());
  EXPECT_NEAR(writes.back().value, 0.36f, 1e-6f);  // 0.6 on the knob
}

// A desktop's new Xft.dpi while the UI is open makes the view again at the new scale;
// the widget the host was given stays, the one child of its window, now around the new
// view at 992 x 688, which it asks of ui:resize and gives as its size hints (which
// embedding hosts read).
TEST_F(Lv2UiX11, KeepsItsWidgetWhenTheViewIsMadeAgainAtAnotherScale) {
  std::string saved;
  if (FILE* pipe = popen("xrdb -query", "r")) {
    char buffer[256];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) saved.append(buffer, n);
    pclose(pipe);
  }
  ASSERT_EQ(std::system("echo 'Xft.dpi: 96' | xrdb -nocpp -merge"), 0) << "the tests need xrdb";
  ASSERT_TRUE(ui->Show(window));
  Pump();
  ASSERT_EQ(Children().size(), 1u);
  const ::Window widget = Children()[0].id;
  EXPECT_EQ(ui->Widget(), reinterpret_cast<void*>(widget));
  const ::Window firstView = Children(widget).at(0).id;
  ui->ClearMessages();

  ASSERT_EQ(std::system("echo 'Xft.dpi: 192' | xrdb -nocpp -merge"), 0);
  Pump(5);
  const auto children = Children();
  ASSERT_EQ(children.size(), 1u);
  EXPECT_EQ(children[0].id, widget);
  EXPECT_EQ(children[0].attributes.width, 992);
  EXPECT_EQ(children[0].attributes.height, 688);
  const auto views = Children(widget);
  ASSERT_EQ(views.size(), 1u);
  EXPECT_NE(views[0].id, firstView);
  EXPECT_EQ(views[0].attributes.width, 992);
  const auto sizes = OfKind(ui->Messages(), 'r');
  ASSERT_EQ(sizes.size(), 1u);
  EXPECT_EQ(sizes[0].port, 992u);
  XSizeHints hints{};
  long supplied = 0;
  ASSERT_NE(XGetWMNormalHints(display, widget, &hints, &supplied), 0);
  EXPECT_EQ(hints.flags & (PBaseSize | PMinSize), PBaseSize | PMinSize);
  EXPECT_EQ(hints.base_width, 992);
  EXPECT_EQ(hints.min_height, 688);

  if (saved.empty()) {
    EXPECT_EQ(std::system("xrdb -remove"), 0);
  } else if (FILE* pipe = popen("xrdb -nocpp -load", "w")) {
    fputs(saved.c_str(), pipe);
    pclose(pipe);
  }
}

// UIs shown and cleaned up again and again on this thread while another thread, as a
// host's audio thread, runs the instance with its ports automated and learned
// controllers moving parameters: no fault, no window left, and the host hears nothing
// from the audio thread.
TEST_F(Lv2UiX11, UisComeAndGoWhileTheAudioThreadAutomates) {
  ASSERT_TRUE(lv2->RestoreState(LearnedVst2Bank()));
  std::atomic<bool> running{true};
  std::thread audio([this, &running] {
    StereoBlock input(128);
    StereoBlock output(128);
    for (uint32_t block = 0; running.load(); ++block) {
      lv2->SetValue(block % 12, static_cast<float>(block % 100) / 100.0f);
      const uint8_t controller[3] = {0xB0, 74, static_cast<uint8_t>(block % 128)};
      lv2->QueueMidi(64, controller[0], controller[1], controller[2]);
      lv2->Process(input.Channels(), output.Channels(), 128);
    }
  });
  for (int cycle = 0; cycle < 60; ++cycle) {
    ASSERT_TRUE(ui->Show(window));
    Pump(2);
    ui->Hide();
  }
  running = false;
  audio.join();
  for (const auto& message : ui->Messages()) {
    ASSERT_EQ(message.thread, std::this_thread::get_id());
    ASSERT_TRUE(message.kind == 'r' || message.kind == 'a');
  }
  EXPECT_TRUE(Children().empty());
}

}  // namespace
}  // namespace QuorvelTest
