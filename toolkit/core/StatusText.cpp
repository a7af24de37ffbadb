#include "toolkit/core/StatusText.h"

namespace ToolkitCore {

void StatusText::Set(const char* newText) {
  size_t length = 0;
  if (newText != nullptr) {
    while (length < kMaxLength && newText[length] != '\0') {
      text[length] = newText[length];
      ++length;
    }
  }
  text[length] = '\0';
}

}  // namespace ToolkitCore
