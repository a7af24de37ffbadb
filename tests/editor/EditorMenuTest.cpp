// The MIDI-learn menu of a control, the editor menu behind the title, the warning
// box and the About box, each through its real modal loop.
#include <algorithm>

#include "tests/editor/EditorFixture.h"

namespace QuorvelTest {
namespace {

using Items = std::vector<std::string>;

constexpr int kTitleX = 30, kTitleY = 32;  // the title area's top-left corner

class LearningEditor : public EditorTest {
 protected:
  // Learns `number` for `parameter` through the parameter's menu and one control change.
  void LearnThrough(int32_t parameter, int number) {
    ModalScript script({ModalScript::ChooseMenuItem(1)});
    RightClick(parameter);
    ASSERT_TRUE(script.Finished());
    ProcessControlChange(number, 0);
  }
  Items ParameterMenu(int32_t parameter) {
    Items items;
    ModalScript script({ModalScript::ChooseMenuItem(-1, &items)});
    RightClick(parameter);
    EXPECT_TRUE(script.Finished());
    return items;
  }
  Items TitleMenu(int downs = -1) {
    Items items;
    ModalScript script({ModalScript::ChooseMenuItem(downs, &items)});
    ClickView(kTitleX, kTitleY);
    EXPECT_TRUE(script.Finished());
    return items;
  }
};

TEST_F(LearningEditor, AParameterMenuOffersLearningAndForgettingTheLowestController) {
  ASSERT_TRUE(OpenEditor());
  EXPECT_EQ(ParameterMenu(1), Items{"MIDI Learn"});
  LearnThrough(1, 74);
  EXPECT_EQ(ParameterMenu(1), (Items{"MIDI Learn", "Forget CC: 74"}));

  // Forget: the binding goes, and CC 74 moves nothing any more.
  {
    ModalScript script({ModalScript::ChooseMenuItem(2)});
    RightClick(1);
    ASSERT_TRUE(script.Finished());
  }
  EXPECT_EQ(StatusText(), "");
  EXPECT_EQ(ParameterMenu(1), Items{"MIDI Learn"});
  const float before = GetParameter(1);
  ProcessControlChange(74, 127);
  EXPECT_FLOAT_EQ(GetParameter(1), before);
}

TEST_F(LearningEditor, DismissingAParameterMenuStopsALearnArmedElsewhere) {
  ASSERT_TRUE(OpenEditor());
  {
    ModalScript script({ModalScript::ChooseMenuItem(1)});
    RightClick(2);
    ASSERT_TRUE(script.Finished());
  }
  EXPECT_EQ(StatusText(), "Learning...");
  EXPECT_EQ(ParameterMenu(6), Items{"MIDI Learn"});  // dismissed with Escape
  EXPECT_EQ(StatusText(), "");
  ProcessControlChange(20, 5);  // would have completed the learn
  EXPECT_EQ(ParameterMenu(2), Items{"MIDI Learn"});
}

TEST_F(LearningEditor, TheTitleMenuOffersCancelOnlyWhileLearning) {
  ASSERT_TRUE(OpenEditor());
  EXPECT_EQ(TitleMenu(), (Items{"About", "Clear All MIDI Learn"}));
  {
    ModalScript script({ModalScript::ChooseMenuItem(1)});
    RightClick(6);
    ASSERT_TRUE(script.Finished());
  }
  // Dismissing the title menu leaves learning armed.
  EXPECT_EQ(TitleMenu(), (Items{"About", "Cancel MIDI Learn", "Clear All MIDI Learn"}));
  EXPECT_EQ(StatusText(), "Learning...");
  EXPECT_EQ(TitleMenu(2), (Items{"About", "Cancel MIDI Learn", "Clear All MIDI Learn"}));
  EXPECT_EQ(StatusText(), "");
  EXPECT_EQ(TitleMenu(), (Items{"About", "Clear All MIDI Learn"}));
}

TEST_F(LearningEditor, ClicksOutsideTheTitleAreaOpenNoMenu) {
  ASSERT_TRUE(OpenEditor());
  TraceRecorder traces;
  ClickView(296, 50);  // the right edge is outside
  ClickView(100, 70);  // and so is the bottom edge
  ClickView(29, 40);
  EXPECT_EQ(std::count(traces.lines.begin(), traces.lines.end(), "Controller::OnViewTitleClicked\r\n"), 0);
  ModalScript dismiss({ModalScript::ChooseMenuItem(-1)});
  ClickView(295, 69);  // the last pixel inside
  EXPECT_TRUE(dismiss.Finished());
  EXPECT_EQ(std::count(traces.lines.begin(), traces.lines.end(), "Controller::OnViewTitleClicked\r\n"), 1);
}

TEST_F(LearningEditor, ClearAllAsksFirstAndCancelKeepsEveryBinding) {
  ASSERT_TRUE(OpenEditor());
  LearnThrough(1, 20);
  LearnThrough(8, 21);
  std::string warning;
  {
    ModalScript script(
        {ModalScript::ChooseMenuItem(2), ModalScript::PressInWindow("Warning!", IDCANCEL, &warning)});
    ClickView(kTitleX, kTitleY);
    ASSERT_TRUE(script.Finished());
  }
  EXPECT_EQ(warning, "This will erase all MIDI Learn data for this bank. Are you sure you want to do this?");
  EXPECT_EQ(ParameterMenu(1), (Items{"MIDI Learn", "Forget CC: 20"}));
  EXPECT_EQ(ParameterMenu(8), (Items{"MIDI Learn", "Forget CC: 21"}));

  // OK erases all of them, stops a learn in progress and clears the status line.
  {
    ModalScript script({ModalScript::ChooseMenuItem(1)});
    RightClick(6);
  }
  {
    ModalScript script({ModalScript::ChooseMenuItem(3), ModalScript::PressInWindow("Warning!", IDOK)});
    ClickView(kTitleX, kTitleY);
    ASSERT_TRUE(script.Finished());
  }
  EXPECT_EQ(StatusText(), "");
  EXPECT_EQ(ParameterMenu(1), Items{"MIDI Learn"});
  EXPECT_EQ(ParameterMenu(8), Items{"MIDI Learn"});
  EXPECT_EQ(TitleMenu(), (Items{"About", "Clear All MIDI Learn"}));
}

// The pages Wine's browser launcher was asked to open while the recorder stood in
// for the browser (the launcher runs apart from this process: allow it a while).
std::string OpenedPages(size_t atLeast) {
  const std::string log = std::string("Z:") + QUORVEL_URL_RECORDER + ".log";
  std::string pages;
  for (int i = 0; i < 200 && pages.size() < atLeast; ++i) {
    Sleep(50);
    HANDLE file = CreateFileA(log.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) continue;
    char buffer[512] = {};
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer - 1, &read, nullptr);
    CloseHandle(file);
    pages.assign(buffer, read);
  }
  return pages;
}

TEST_F(LearningEditor, TheAboutBoxStaysOpenForTheWebButtonAndClosesWithOkOrEscape) {
  const std::string browser = QUORVEL_URL_RECORDER;
  ASSERT_EQ(RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\WineBrowser", "Browsers", REG_SZ,
                            browser.c_str(), static_cast<DWORD>(browser.size() + 1)),
            ERROR_SUCCESS);
  DeleteFileA((std::string("Z:") + QUORVEL_URL_RECORDER + ".log").c_str());
  ASSERT_TRUE(OpenEditor());
  std::string buttonText;
  bool stillOpen = false;
  const char caption[] = "About Quorvel Delay";
  {
    ModalScript script({ModalScript::ChooseMenuItem(1),
                        [&]() {
                          HWND about = FindWindowA(nullptr, caption);
                          if (about == nullptr) return false;
                          char text[64] = {};
                          GetDlgItemTextA(about, 55, text, sizeof text);
                          buttonText = text;
                          PostMessageA(about, WM_COMMAND, MAKEWPARAM(55, BN_CLICKED), 0);
                          return true;
                        },
                        [&]() {
                          HWND about = FindWindowA(nullptr, caption);
                          stillOpen = about != nullptr && IsWindowVisible(about);
                          if (about != nullptr) PostMessageA(about, WM_COMMAND, IDOK, 0);
                          return true;
                        }});
    ClickView(kTitleX, kTitleY);
    ASSERT_TRUE(script.Finished());
  }
  EXPECT_EQ(buttonText, "Visit Website");
  EXPECT_TRUE(stillOpen);
  const std::string expectedPage = "https://quorvel.example/delay\n";
  EXPECT_EQ(OpenedPages(expectedPage.size()), expectedPage);
  EXPECT_EQ(FindWindowA(nullptr, caption), nullptr);

  ModalScript escape({ModalScript::ChooseMenuItem(1), ModalScript::PressInWindow(caption, IDCANCEL)});
  ClickView(kTitleX, kTitleY);
  EXPECT_TRUE(escape.Finished());
  EXPECT_EQ(FindWindowA(nullptr, caption), nullptr);
}

}  // namespace
}  // namespace QuorvelTest
