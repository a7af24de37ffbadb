#include "model/BoundedCopy.h"

namespace VstToolkit {

void BoundedCopy(char* destination, const char* source, std::size_t width) {
  if (destination == nullptr || width == 0) {
    return;
  }
  std::size_t i = 0;
  if (source != nullptr) {
    for (; i < width && source[i] != '\0'; ++i) {
      destination[i] = source[i];
    }
  }
  for (; i < width; ++i) {
    destination[i] = '\0';
  }
  destination[width - 1] = '\0';
}

}  // namespace VstToolkit
