#include "host/Controller.h"

#include <cmath>

#include "host/AEffEditor.h"

namespace VstToolkit {

namespace {

// The vendor call by which a host tells its scale factor, as PreSonus published it and
// other hosts send it: index 'PreS', value 'AeCs', the factor in the float argument.
constexpr VstInt32 kScaleVendor = 0x50726553;    // 'P' 50, 'r' 72, 'e' 65, 'S' 53
constexpr VstIntPtr kScaleRequest = 0x41654373;  // 'A' 41, 'e' 65, 'C' 43, 's' 73

}  // namespace

VstIntPtr Controller::vendorSpecific(VstInt32 index, VstIntPtr value, void*, float opt) {
  if (index != kScaleVendor || value != kScaleRequest) {
    return 0;
  }
  // The editor rounds and limits the factor; only what is no factor at all is refused.
  if (!std::isfinite(opt) || opt <= 0.0f) {
    return 0;
  }
  const bool changed = opt != hostScaleFactor;
  hostScaleFactor = opt;
  if (changed && editor != nullptr) {
    editor->hostScaleFactorChanged();
  }
  return 1;
}

}  // namespace VstToolkit
