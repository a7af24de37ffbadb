// Platforms without a native editor: no menu can be shown, so every menu is
// dismissed and every warning declined.
#include "host/UserPrompts.h"

namespace VstToolkit {

namespace {

class NoUserPrompts final : public UserPrompts {
 public:
  int32_t ShowPopupMenu(void*, void*, int32_t, int32_t, const PopupMenuItem*, int32_t) override { return 0; }
  bool ConfirmWarning(void*, const char*, const char*) override { return false; }
};

}  // namespace

UserPrompts& GetPlatformUserPrompts() {
  static NoUserPrompts prompts;
  return prompts;
}

}  // namespace VstToolkit
