// An instance without an editor: no menu can be shown, so every menu is dismissed
// and every warning declined.
#include "instance/UserPrompts.h"

namespace VstToolkit {

namespace {

class NoUserPrompts final : public UserPrompts {
 public:
  void ShowPopupMenu(NativeWindow, NativeWindow, int32_t, int32_t, const PopupMenuItem*, int32_t,
                     MenuAnswer answer) override {
    answer(0);
  }
  void ConfirmWarning(NativeWindow, const char*, const char*, WarningAnswer answer) override { answer(false); }
};

}  // namespace

UserPrompts& GetNoUserPrompts() {
  static NoUserPrompts prompts;
  return prompts;
}

}  // namespace VstToolkit
