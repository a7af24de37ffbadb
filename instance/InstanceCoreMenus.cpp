// The two popup menus of the editor: a parameter's MIDI-learn menu and the
// editor menu behind the title. The host may close the editor before a menu
// answers, so the answers look at the view again.
#include <cstdio>

#include "instance/InstanceCore.h"
#include "instance/InstanceHost.h"
#include "instance/LearnCommands.h"
#include "instance/UserPrompts.h"
#include "instance/ViewLink.h"
#include "model/Model.h"
#include "model/Trace.h"

namespace VstToolkit {

namespace {

enum ParameterMenuCommand : int32_t { kMidiLearn = 1, kForgetController = 2 };
enum EditorMenuCommand : int32_t { kAbout = 1, kCancelMidiLearn = 2, kClearAllMidiLearn = 3 };

constexpr const char* kClearAllWarning =
    "This will erase all MIDI Learn data for this bank. Are you sure you want to do this?";

}  // namespace

void InstanceCore::OnParameterControlRightClicked(int32_t index, NativeWindow controlWindow) {
  Trace("Controller::OnParameterControlRightClicked\r\n");
  if (view == nullptr || !IsParameterIndex(index)) {
    return;
  }
  char forgetText[128];
  PopupMenuItem items[2] = {{"MIDI Learn", kMidiLearn}, {forgetText, kForgetController}};
  int32_t count = 1;
  if (model->HasMidiControllerMapping(index)) {
    std::snprintf(forgetText, sizeof(forgetText), "Forget CC: %d",
                  static_cast<int>(model->ParameterToController(index)));
    count = 2;
  }
  prompts->ShowPopupMenu(view->GetWindowHandle(), controlWindow, 0, 0, items, count,
                         [this, index](int32_t command) { OnParameterMenuAnswered(index, command); });
}

void InstanceCore::OnParameterMenuAnswered(int32_t index, int32_t command) {
  switch (command) {
    case 0:
      // Dismissing the menu also ends a learn armed from another control.
      learn->StopLearning();
      ShowViewStatus("");
      break;
    case kMidiLearn:
      learn->StartLearning(index);
      ShowViewStatus("Learning...");
      break;
    case kForgetController:
      if (model->HasMidiControllerMapping(index)) {
        const uint8_t controller = model->ParameterToController(index);
        learn->StopLearning();
        learn->ForgetController(controller);
        if (host != nullptr) {
          host->StateChanged();
        }
      } else {
        // MIDI learn on the audio thread moved the binding while the menu was open.
        learn->StopLearning();
      }
      ShowViewStatus("");
      break;
    default:
      break;
  }
}

void InstanceCore::OnViewTitleClicked(int32_t x, int32_t y) {
  Trace("Controller::OnViewTitleClicked\r\n");
  if (view == nullptr) {
    return;
  }
  PopupMenuItem items[3];
  int32_t count = 0;
  items[count++] = {"About", kAbout};
  if (model->IsLearningMidi()) {
    items[count++] = {"Cancel MIDI Learn", kCancelMidiLearn};
  }
  items[count++] = {"Clear All MIDI Learn", kClearAllMidiLearn};
  const NativeWindow window = view->GetWindowHandle();
  prompts->ShowPopupMenu(window, window, x, y, items, count,
                         [this](int32_t command) { OnEditorMenuAnswered(command); });
}

void InstanceCore::OnEditorMenuAnswered(int32_t command) {
  switch (command) {
    case kAbout:
      if (view != nullptr) {
        view->ShowAboutDialog();
      }
      break;
    case kCancelMidiLearn:
      learn->StopLearning();
      ShowViewStatus("");
      break;
    case kClearAllMidiLearn:
      if (view != nullptr) {
        prompts->ConfirmWarning(view->GetWindowHandle(), kClearAllWarning, "Warning!", [this](bool confirmed) {
          if (confirmed) {
            learn->ClearControllers();
            learn->StopLearning();
            ShowViewStatus("");
            if (host != nullptr) {
              host->StateChanged();
            }
          }
        });
      }
      break;
    default:
      break;
  }
}

}  // namespace VstToolkit
