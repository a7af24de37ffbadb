#pragma once

#include <cstddef>

namespace ToolkitCore {

// The text of the status line: at most 511 characters. Set is also called from the
// host's audio and parameter threads while the user-interface thread draws it; the
// last byte is never written, so a reader racing a writer still finds an end.
class StatusText final {
 public:
  static constexpr size_t kMaxLength = 511;
  // How the line looks on every platform: white "Arial" with a 15-pixel cell,
  // resting on the bottom of the control less one pixel.
  static constexpr const char* kFontFace = "Arial";
  static constexpr int kFontHeight = 15;
  static constexpr unsigned char kColour[3] = {255, 255, 255};
  static constexpr int kBottomInset = 1;

  // Shows `newText` (null shows nothing), cut to its first 511 characters.
  void Set(const char* newText);
  const char* Get() const { return text; }

 private:
  char text[kMaxLength + 1] = {};
};

}  // namespace ToolkitCore
