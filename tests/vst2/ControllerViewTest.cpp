#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "host/vst2/AEffEditor.h"
#include "instance/InstanceCore.h"
#include "host/vst2/Controller.h"
#include "instance/UserPrompts.h"
#include "instance/ViewLink.h"
#include "tests/vst2/TestModel.h"
#include "tests/support/RecordingHost.h"
#include "tests/support/TraceCapture.h"

namespace {

using QuorvelTest::RecordingHost;
using QuorvelTest::TestModel;
using QuorvelTest::TraceCapture;
using VstToolkit::Controller;
using Lines = std::vector<std::string>;

VstToolkit::NativeWindow Handle(const int* window) {
  return VstToolkit::NativeWindow{reinterpret_cast<uintptr_t>(window)};
}

void* Pointer(VstToolkit::NativeWindow window) {
  return reinterpret_cast<void*>(window.value);
}

class FakeView final : public VstToolkit::ViewLink {
 public:
  FakeView() {
    for (int32_t i = 0; i < 12; ++i) controls[i] = -1.0f;
  }
  void SetStatusText(const char* text) override { statusTexts.emplace_back(text); }
  bool HasParameterControl(int32_t index) const override { return controls.count(index) != 0; }
  void SetParameterControlValue(int32_t index, float value) override { controls.at(index) = value; }
  void ShowAboutDialog() override { ++aboutShown; }
  VstToolkit::NativeWindow GetWindowHandle() const override { return Handle(&window); }

  std::map<int32_t, float> controls;
  std::vector<std::string> statusTexts;
  int aboutShown = 0;
  int window = 0;
};

// Answers each menu with the next scripted command and records what it was shown.
class ScriptedPrompts final : public VstToolkit::UserPrompts {
 public:
  struct Menu {
    void* owner;
    void* anchor;
    int32_t x, y;
    std::vector<std::string> texts;
    std::vector<int32_t> commands;
  };
  void ShowPopupMenu(VstToolkit::NativeWindow owner, VstToolkit::NativeWindow anchor, int32_t x, int32_t y,
                     const VstToolkit::PopupMenuItem* items, int32_t count, VstToolkit::MenuAnswer answer) override {
    Menu menu{Pointer(owner), Pointer(anchor), x, y, {}, {}};
    for (int32_t i = 0; i < count; ++i) {
      menu.texts.emplace_back(items[i].text);
      menu.commands.push_back(items[i].command);
    }
    menus.push_back(menu);
    if (duringMenu) duringMenu();
    answer(menuAnswer);
  }
  void ConfirmWarning(VstToolkit::NativeWindow owner, const char* text, const char* caption,
                      VstToolkit::WarningAnswer answer) override {
    warnings.push_back({Pointer(owner), std::string(caption) + "|" + text});
    answer(warningAnswer);
  }
  std::vector<Menu> menus;
  std::vector<std::pair<void*, std::string>> warnings;
  int32_t menuAnswer = 0;
  bool warningAnswer = false;
  std::function<void()> duringMenu;
};

struct Fixture {
  Fixture()
      : model(new TestModel),
        controller(new Controller(&RecordingHost::Callback, std::unique_ptr<VstToolkit::Model>(model))) {
    controller->Core().SetUserPrompts(prompts);
  }
  ~Fixture() {
    AEffect* record = controller->getAeffect();
    record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
  }
  void Open() { controller->Core().SetView(&view); }
  RecordingHost host;
  FakeView view;
  ScriptedPrompts prompts;
  TestModel* model;
  Controller* controller;
};

TEST(ControllerView, AttachingAViewSetsEveryControlWithoutTouchingTheStatusLine) {
  Fixture f;
  f.model->SetParameterValue(4, 0.75f);
  TraceCapture trace;
  f.Open();
  EXPECT_EQ(trace.Lines(), Lines{"Controller::SetView\r\n"});
  EXPECT_EQ(f.view.controls[4], 0.75f);
  EXPECT_EQ(f.view.controls[1], 0.25f);
  EXPECT_TRUE(f.view.statusTexts.empty());

  f.controller->Core().SetView(nullptr);
  f.controller->getAeffect()->setParameter(f.controller->getAeffect(), 4, 0.5f);
  f.controller->Core().OnModelMidiLearned();
  f.controller->Core().UpdateViewStatusText(4);
  EXPECT_EQ(f.view.controls[4], 0.75f);
  EXPECT_TRUE(f.view.statusTexts.empty());
}

TEST(ControllerView, HostChangesMoveTheControlAndShowTheParameterUnlessOneIsHovered) {
  Fixture f;
  f.Open();
  AEffect* record = f.controller->getAeffect();
  TraceCapture trace;
  record->setParameter(record, 1, 0.5f);
  EXPECT_EQ(f.view.controls[1], 0.5f);
  ASSERT_EQ(f.view.statusTexts.size(), 1u);
  EXPECT_EQ(f.view.statusTexts[0], "Left Delay: 0.50 Secs");
  EXPECT_EQ(trace.Lines().back(), "Model::GetParameterLongName\r\n");

  f.controller->Core().OnParameterControlMouseHover(0);
  EXPECT_EQ(f.view.statusTexts.back(), "Enabled: On ");  // an empty label leaves a final blank
  record->setParameter(record, 2, 0.125f);
  EXPECT_EQ(f.view.controls[2], 0.125f);
  EXPECT_EQ(f.view.statusTexts.back(), "Enabled: On ");
  EXPECT_TRUE(f.host.calls.empty());
}

TEST(ControllerView, AViewWithoutSomeControlsIsNeverAskedToMoveThem) {
  Fixture f;
  f.view.controls.erase(11);
  f.Open();
  AEffect* record = f.controller->getAeffect();
  record->setParameter(record, 11, 0.25f);
  f.controller->Core().OnModelParameterValueChanged(11, 0.5f);
  f.controller->Core().UpdateViewParameters();
  EXPECT_EQ(f.view.controls.count(11), 0u);
  EXPECT_EQ(f.model->GetParameterValue(11), 0.25f);
}

TEST(ControllerView, UserEditsTellTheHostOnceAndShowTheParameter) {
  Fixture f;
  f.Open();
  f.controller->Core().OnParameterControlMouseHover(3);
  f.controller->Core().OnViewParameterValueChanged(1, 0.75f);
  EXPECT_EQ(f.model->GetParameterValue(1), 0.75f);
  ASSERT_EQ(f.host.calls.size(), 1u);
  EXPECT_EQ(f.host.calls[0].opcode, audioMasterAutomate);
  EXPECT_EQ(f.host.calls[0].index, 1);
  EXPECT_EQ(f.host.calls[0].opt, 0.75f);
  EXPECT_EQ(f.view.statusTexts.back(), "Left Delay: 0.75 Secs");  // shown even while hovering

  f.controller->Core().OnViewParameterValueChanged(12, 0.5f);
  f.controller->Core().OnViewParameterValueChanged(-1, 0.5f);
  f.controller->Core().OnViewParameterValueChanged(2, std::nanf(""));
  EXPECT_EQ(f.host.calls.size(), 1u);
}

TEST(ControllerView, GesturesReachTheHostOnceEachAndDetachingEndsThoseLeftOpen) {
  Fixture f;
  VstToolkit::InstanceCore& core = f.controller->Core();
  core.OnViewGestureBegan(1);  // no view: no gesture
  f.Open();
  for (int32_t index : {2, 2, 12, 5}) core.OnViewGestureBegan(index);  // 2 again, 12 no parameter
  for (int32_t index : {2, 2, 3}) core.OnViewGestureEnded(index);      // 2 again, 3 never begun
  core.SetView(nullptr);
  EXPECT_EQ(f.host.Edits(), (Lines{"begin 2", "begin 5", "end 2", "end 5"}));
}

TEST(ControllerView, MidiDrivenChangesAlwaysTellTheHost) {
  Fixture f;
  f.controller->Core().OnModelParameterValueChanged(6, 1.0f);  // editor closed
  ASSERT_EQ(f.host.CallsOf(audioMasterAutomate).size(), 1u);
  f.Open();
  f.controller->Core().OnModelParameterValueChanged(6, 0.5f);
  EXPECT_EQ(f.view.controls[6], 0.5f);
  EXPECT_EQ(f.host.CallsOf(audioMasterAutomate).size(), 2u);
  EXPECT_EQ(f.host.CallsOf(audioMasterAutomate)[1].opt, 0.5f);
  f.controller->Core().OnModelParameterValueChanged(40, 0.5f);
  EXPECT_EQ(f.host.CallsOf(audioMasterAutomate).size(), 2u);
}

TEST(ControllerView, LeavingAControlShowsTheLearningStateOrNothing) {
  Fixture f;
  f.Open();
  f.controller->Core().OnParameterControlMouseHover(1);
  f.controller->Core().OnParameterControlMouseLeave();
  EXPECT_EQ(f.view.statusTexts.back(), "");
  f.model->StartLearningMidi(1);
  f.controller->Core().OnParameterControlMouseLeave();
  EXPECT_EQ(f.view.statusTexts.back(), "Learning...");
  // After leaving, host changes show on the status line again.
  AEffect* record = f.controller->getAeffect();
  record->setParameter(record, 11, 0.5f);
  EXPECT_EQ(f.view.statusTexts.back(), "Mix: 0.50 %");
}

TEST(ControllerMenus, ParameterMenuOffersForgetOnlyForABoundParameter) {
  Fixture f;
  f.Open();
  int controlWindow = 0;
  f.controller->Core().OnParameterControlRightClicked(6, Handle(&controlWindow));
  ASSERT_EQ(f.prompts.menus.size(), 1u);
  EXPECT_EQ(f.prompts.menus[0].texts, Lines{"MIDI Learn"});
  EXPECT_EQ(f.prompts.menus[0].anchor, &controlWindow);
  EXPECT_EQ(f.prompts.menus[0].owner, &f.view.window);
  EXPECT_EQ(f.prompts.menus[0].x, 0);
  EXPECT_EQ(f.prompts.menus[0].y, 0);

  f.model->RegisterMidiControllerMapping(74, 6);
  f.model->RegisterMidiControllerMapping(90, 6);
  f.controller->Core().OnParameterControlRightClicked(6, Handle(&controlWindow));
  EXPECT_EQ(f.prompts.menus[1].texts, (Lines{"MIDI Learn", "Forget CC: 74"}));
  EXPECT_EQ(f.prompts.menus[1].commands, (std::vector<int32_t>{1, 2}));
}

TEST(ControllerMenus, ParameterMenuResults) {
  Fixture f;
  f.Open();
  int controlWindow = 0;

  f.prompts.menuAnswer = 1;
  f.controller->Core().OnParameterControlRightClicked(3, Handle(&controlWindow));
  EXPECT_TRUE(f.model->IsLearningMidi());
  EXPECT_EQ(f.view.statusTexts.back(), "Learning...");

  // Dismissing another parameter's menu ends the learn armed from parameter 3.
  f.prompts.menuAnswer = 0;
  f.controller->Core().OnParameterControlRightClicked(5, Handle(&controlWindow));
  EXPECT_FALSE(f.model->IsLearningMidi());
  EXPECT_EQ(f.view.statusTexts.back(), "");

  f.model->RegisterMidiControllerMapping(74, 5);
  f.model->StartLearningMidi(2);
  f.prompts.menuAnswer = 2;
  f.controller->Core().OnParameterControlRightClicked(5, Handle(&controlWindow));
  EXPECT_FALSE(f.model->HasMidiControllerMapping(5));
  EXPECT_FALSE(f.model->IsLearningMidi());
  EXPECT_EQ(f.view.statusTexts.back(), "");

  f.controller->Core().OnParameterControlRightClicked(12, Handle(&controlWindow));  // no such parameter: no menu
  EXPECT_EQ(f.prompts.menus.size(), 3u);
}

TEST(ControllerMenus, EditorMenuOffersCancelOnlyWhileLearning) {
  Fixture f;
  f.Open();
  f.controller->Core().OnViewTitleClicked(30, 12);
  ASSERT_EQ(f.prompts.menus.size(), 1u);
  EXPECT_EQ(f.prompts.menus[0].texts, (Lines{"About", "Clear All MIDI Learn"}));
  EXPECT_EQ(f.prompts.menus[0].commands, (std::vector<int32_t>{1, 3}));
  EXPECT_EQ(f.prompts.menus[0].anchor, &f.view.window);
  EXPECT_EQ(f.prompts.menus[0].x, 30);
  EXPECT_EQ(f.prompts.menus[0].y, 12);

  f.model->StartLearningMidi(4);
  f.controller->Core().OnViewTitleClicked(0, 0);
  EXPECT_EQ(f.prompts.menus[1].texts, (Lines{"About", "Cancel MIDI Learn", "Clear All MIDI Learn"}));
  EXPECT_TRUE(f.model->IsLearningMidi());  // dismissed: nothing changes
  EXPECT_TRUE(f.view.statusTexts.empty());

  f.prompts.menuAnswer = 2;
  f.controller->Core().OnViewTitleClicked(0, 0);
  EXPECT_FALSE(f.model->IsLearningMidi());
  EXPECT_EQ(f.view.statusTexts.back(), "");

  f.prompts.menuAnswer = 1;
  f.controller->Core().OnViewTitleClicked(0, 0);
  EXPECT_EQ(f.view.aboutShown, 1);
}

TEST(ControllerMenus, ClearingAllBindingsNeedsTheWarningConfirmed) {
  Fixture f;
  f.Open();
  f.model->RegisterMidiControllerMapping(74, 6);
  f.model->StartLearningMidi(1);
  f.prompts.menuAnswer = 3;
  f.controller->Core().OnViewTitleClicked(0, 0);
  ASSERT_EQ(f.prompts.warnings.size(), 1u);
  EXPECT_EQ(f.prompts.warnings[0].first, &f.view.window);
  EXPECT_EQ(f.prompts.warnings[0].second,
            "Warning!|This will erase all MIDI Learn data for this bank. Are you sure you want to do this?");
  EXPECT_TRUE(f.model->HasMidiControllerMapping(6));
  EXPECT_TRUE(f.model->IsLearningMidi());

  f.prompts.warningAnswer = true;
  f.controller->Core().OnViewTitleClicked(0, 0);
  EXPECT_FALSE(f.model->HasMidiControllerMapping(6));
  EXPECT_FALSE(f.model->IsLearningMidi());
  EXPECT_EQ(f.view.statusTexts.back(), "");
}

TEST(ControllerMenus, AnEditorClosedDuringAMenuIsNotTouchedAfterwards) {
  Fixture f;
  f.Open();
  f.prompts.duringMenu = [&] { f.controller->Core().SetView(nullptr); };
  int controlWindow = 0;
  f.prompts.menuAnswer = 1;
  f.controller->Core().OnParameterControlRightClicked(2, Handle(&controlWindow));
  EXPECT_TRUE(f.model->IsLearningMidi());
  EXPECT_TRUE(f.view.statusTexts.empty());

  f.Open();
  f.prompts.menuAnswer = 3;
  f.prompts.warningAnswer = true;
  f.model->RegisterMidiControllerMapping(10, 2);
  f.controller->Core().OnViewTitleClicked(0, 0);
  EXPECT_TRUE(f.prompts.warnings.empty());
  EXPECT_TRUE(f.model->HasMidiControllerMapping(2));

  f.controller->Core().OnViewTitleClicked(0, 0);  // the editor is closed: no menu at all
  EXPECT_EQ(f.prompts.menus.size(), 2u);
}

TEST(ControllerMidiLearn, LearningCompletesThroughTheAudioPathAndDrivesTheParameter) {
  Fixture f;
  f.Open();
  int controlWindow = 0;
  f.prompts.menuAnswer = 1;
  f.controller->Core().OnParameterControlRightClicked(6, Handle(&controlWindow));
  ASSERT_EQ(f.view.statusTexts.back(), "Learning...");

  AEffect* record = f.controller->getAeffect();
  VstMidiEvent cc{};
  cc.type = kVstMidiType;
  cc.midiData[0] = static_cast<char>(0xB3);  // control change on channel 4
  cc.midiData[1] = 74;
  cc.midiData[2] = 127;
  VstEvents list{1, 0, {reinterpret_cast<VstEvent*>(&cc), nullptr}};
  float samples[8] = {};
  float* channels[2] = {samples, samples};
  record->dispatcher(record, effProcessEvents, 0, 0, &list, 0.0f);
  record->processReplacing(record, channels, channels, 8);
  EXPECT_EQ(f.view.statusTexts.back(), "");
  EXPECT_FALSE(f.model->IsLearningMidi());
  EXPECT_EQ(f.model->GetParameterValue(6), 0.5f);  // the learning message does not move it
  EXPECT_TRUE(f.host.CallsOf(audioMasterAutomate).empty());

  record->dispatcher(record, effProcessEvents, 0, 0, &list, 0.0f);
  record->processReplacing(record, channels, channels, 8);
  EXPECT_EQ(f.model->GetParameterValue(6), 1.0f);  // 127 x (1/127) is exactly 1
  EXPECT_EQ(f.view.controls[6], 1.0f);
  ASSERT_EQ(f.host.CallsOf(audioMasterAutomate).size(), 1u);
  EXPECT_EQ(f.host.CallsOf(audioMasterAutomate)[0].index, 6);
}

// An editor whose teardown detaches its view from the Controller, as the real one does.
class DetachingEditor final : public AEffEditor {
 public:
  DetachingEditor(Controller* owner, Lines* events) : AEffEditor(owner), controller(owner), log(events) {}
  ~DetachingEditor() override { close(); }
  bool open(void* parent) override {
    AEffEditor::open(parent);
    return true;
  }
  void close() override {
    AEffEditor::close();
    if (attached) {
      attached = false;
      log->push_back("detach");
      controller->Core().SetView(nullptr);
    }
  }
  bool attached = true;
  Controller* controller;
  Lines* log;
};

TEST(ControllerLifetime, AnOpenEditorIsClosedBeforeTheModelGoes) {
  Lines log;
  RecordingHost host;
  auto* model = new TestModel;
  auto* controller = new Controller(&RecordingHost::Callback, std::unique_ptr<VstToolkit::Model>(model));
  controller->setEditor(new DetachingEditor(controller, &log));
  EXPECT_EQ(controller->getAeffect()->flags, 0x31);
  TraceCapture trace;
  AEffect* record = controller->getAeffect();
  record->dispatcher(record, effClose, 0, 0, nullptr, 0.0f);
  EXPECT_EQ(log, Lines{"detach"});
  EXPECT_EQ(trace.Lines(),
            (Lines{"Controller::~Controller", "Controller::SetView\r\n", "Model::~Model\r\n"}));
}

}  // namespace
