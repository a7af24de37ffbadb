// Platforms without a native editor: no menu can be shown, so every menu is
// dismissed and every warning declined.
#include "host/UserPrompts.h"

namespace VstToolkit {

namespace {

class NoUserPrompts final : public UserPrompts {
 public:
  void ShowPopupMenu(void*, void*, int32_t, int32_t, const PopupMenuItem*, int32_t, MenuAnswer answer) override {
    answer(0);
  }
  void ConfirmWarning(void*, const char*, const char*, WarningAnswer answer) override { answer(false); }
};

}  // namespace

UserPrompts& GetPlatformUserPrompts() {
  static NoUserPrompts prompts;
  return prompts;
}

}  // namespace VstToolkit
