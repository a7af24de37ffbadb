// An editor's core mirroring an instance across a channel: the MIDI-learn menus act on the
// instance through the messages, and the instance's snapshots bring back what they show.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "delay/QuorvelDelayModel.h"
#include "instance/InstanceCore.h"
#include "instance/InstanceHost.h"
#include "instance/RemoteChannel.h"
#include "instance/RemoteInstanceLink.h"
#include "instance/RemoteMessages.h"
#include "instance/RemoteViewServer.h"
#include "instance/UserPrompts.h"
#include "instance/ViewLink.h"
#include "model/Model.h"

namespace {

using namespace VstToolkit;

constexpr int32_t kFeedback = 6;

// The instance's face, as the LV2 one: what the core tells it marks a snapshot due.
class MarkingHost final : public InstanceHost {
 public:
  explicit MarkingHost(RemoteViewServer& server_) : server(server_) {}
  void BeginParameterEdit(int32_t) override {}
  void PerformParameterEdit(int32_t, float) override {}
  void EndParameterEdit(int32_t) override {}
  void ParameterSetByPlugin(int32_t, float) override { server.MarkChanged(); }
  bool ResizeEditor(int32_t, int32_t) override { return false; }
  void StateChanged() override { server.MarkChanged(); }

 private:
  RemoteViewServer& server;
};

class QuietHost final : public InstanceHost {
 public:
  void BeginParameterEdit(int32_t) override {}
  void PerformParameterEdit(int32_t, float) override {}
  void EndParameterEdit(int32_t) override {}
  void ParameterSetByPlugin(int32_t, float) override {}
  bool ResizeEditor(int32_t, int32_t) override { return false; }
  void StateChanged() override {}
};

class StatusView final : public ViewLink {
 public:
  void SetStatusText(const char* text) override { status = text; }
  bool HasParameterControl(int32_t) const override { return true; }
  void SetParameterControlValue(int32_t index, float value) override { controls[index] = value; }
  void ShowAboutDialog() override {}
  NativeWindow GetWindowHandle() const override { return NativeWindow{1}; }
  std::string status;
  float controls[12] = {};
};

// Answers every menu with `answer`, keeping the texts it showed.
class AnsweringPrompts final : public UserPrompts {
 public:
  void ShowPopupMenu(NativeWindow, NativeWindow, int32_t, int32_t, const PopupMenuItem* items, int32_t count,
                     MenuAnswer reply) override {
    texts.clear();
    for (int32_t i = 0; i < count; ++i) {
      texts.emplace_back(items[i].text);
    }
    reply(answer);
  }
  void ConfirmWarning(NativeWindow, const char*, const char*, WarningAnswer reply) override { reply(true); }
  int32_t answer = 0;
  std::vector<std::string> texts;
};

class Wire final : public RemoteChannel {
 public:
  explicit Wire(RemoteViewServer& server_) : server(server_) {}
  void SendToInstance(const uint8_t* bytes, uint32_t size) override { server.Receive(bytes, size); }

 private:
  RemoteViewServer& server;
};

class RemoteInstanceLinkTest : public ::testing::Test {
 protected:
  RemoteInstanceLinkTest() {
    instance.Attach(instanceHost);
    mirror.Attach(mirrorHost);
    mirror.SetUserPrompts(prompts);
    mirror.SetView(&view);
  }
  ~RemoteInstanceLinkTest() override { mirror.SetView(nullptr); }
  // The instance's next notification, delivered to the mirror; false where none was due.
  bool Deliver() {
    uint8_t bytes[RemoteMessages::kLargestSnapshot];
    const uint32_t size = server.TakeSnapshot(bytes, sizeof bytes);
    return size != 0 && link.Receive(bytes, size);
  }

  InstanceCore instance{std::make_unique<QuorvelDelayModel>()};
  RemoteViewServer server{instance.GetModel()};
  MarkingHost instanceHost{server};
  InstanceCore mirror{std::make_unique<QuorvelDelayModel>()};
  QuietHost mirrorHost;
  Wire wire{server};
  RemoteInstanceLink link{mirror, wire};
  StatusView view;
  AnsweringPrompts prompts;
};

// "MIDI Learn" in the mirror's menu arms the instance; a controller the instance hears
// completes it there, and the snapshots show it in the mirror (status cleared, the value
// the controller then moves, "Forget CC: 74" offered); "Forget" then unmaps it in the instance.
TEST_F(RemoteInstanceLinkTest, MidiLearnGoesThereAndBack) {
  link.AskForSnapshot();
  EXPECT_TRUE(Deliver());
  EXPECT_FALSE(Deliver());  // nothing new

  prompts.answer = 1;  // MIDI Learn
  mirror.OnParameterControlRightClicked(kFeedback, NativeWindow{2});
  EXPECT_EQ(view.status, "Learning...");
  EXPECT_EQ(instance.GetModel().LearningParameter(), kFeedback);

  instance.GetModel().DispatchMidiMessage(0, 0xB0, 74, 127);
  EXPECT_EQ(instance.GetModel().MappedParameter(74), kFeedback);
  ASSERT_TRUE(Deliver());
  EXPECT_EQ(view.status, "");
  instance.GetModel().DispatchMidiMessage(0, 0xB0, 74, 127);  // now it moves the value
  ASSERT_TRUE(Deliver());
  EXPECT_EQ(view.controls[kFeedback], 1.0f);
  EXPECT_EQ(mirror.GetParameter(kFeedback), 1.0f);

  prompts.answer = 2;  // Forget CC: 74
  mirror.OnParameterControlRightClicked(kFeedback, NativeWindow{2});
  ASSERT_EQ(prompts.texts.size(), 2u);
  EXPECT_EQ(prompts.texts[1], "Forget CC: 74");
  EXPECT_EQ(instance.GetModel().MappedParameter(74), -1);
  ASSERT_TRUE(Deliver());
  EXPECT_FALSE(mirror.GetModel().HasMidiControllerMapping(kFeedback));
}

// Bytes from across the channel are checked whole: a short, long, or out-of-range
// message changes nothing on either side.
TEST_F(RemoteInstanceLinkTest, RefusesBytesThatAreNoMessage) {
  const uint8_t learnTooFar[] = {'L', 64};
  const uint8_t forgetTooFar[] = {'F', 128};
  const uint8_t learnLong[] = {'L', 1, 0};
  const uint8_t unknown[] = {'Q'};
  for (const auto& [bytes, size] : {std::pair<const uint8_t*, uint32_t>{learnTooFar, 2}, {forgetTooFar, 2},
                                    {learnLong, 3}, {unknown, 1}, {nullptr, 0}}) {
    EXPECT_FALSE(server.Receive(bytes, size));
  }
  EXPECT_FALSE(Deliver());

  instance.SetParameter(kFeedback, 0.5f);
  server.MarkChanged();
  uint8_t bytes[RemoteMessages::kLargestSnapshot];
  const uint32_t size = server.TakeSnapshot(bytes, sizeof bytes);
  ASSERT_GT(size, 0u);
  EXPECT_FALSE(link.Receive(bytes, size - 1));
  uint8_t bad[RemoteMessages::kLargestSnapshot];
  std::memcpy(bad, bytes, size);
  const float nan = std::nanf("");
  std::memcpy(bad + 3 + 4 * kFeedback, &nan, sizeof nan);
  EXPECT_FALSE(link.Receive(bad, size));
  std::memcpy(bad, bytes, size);
  bad[size - 1] = 12;  // controller 127 drives no such parameter
  EXPECT_FALSE(link.Receive(bad, size));
  EXPECT_EQ(mirror.GetParameter(kFeedback), 0.0f);
  EXPECT_TRUE(link.Receive(bytes, size));
  EXPECT_EQ(mirror.GetParameter(kFeedback), 0.5f);
}

}  // namespace
