#include "tools/quorvel-host/HostedParameter.h"

#include <algorithm>
#include <cmath>

namespace QuorvelHost {

double HostedParameter::PlainOf(double normalized) const {
  const double v = std::clamp(normalized, 0.0, 1.0);
  switch (kind) {
    case Kind::kSwitch:
    case Kind::kBypass:
      return v >= 0.5 ? max : min;
    case Kind::kChoice: {
      const double count = choices.empty() ? std::max(std::round(max - min), 0.0) + 1.0
                                           : static_cast<double>(choices.size());
      const double choice = std::min(std::floor(v * count), count - 1.0);
      return count > 1.0 ? min + choice * (max - min) / (count - 1.0) : min;
    }
    case Kind::kContinuous:
      break;
  }
  return min + v * (max - min);
}

double HostedParameter::NormalizedOf(double plain) const {
  return max > min ? std::clamp((plain - min) / (max - min), 0.0, 1.0) : 0.0;
}

const char* HostedParameter::KindName(Kind kind) {
  switch (kind) {
    case Kind::kSwitch:
      return "switch";
    case Kind::kChoice:
      return "choice";
    case Kind::kBypass:
      return "bypass";
    case Kind::kContinuous:
      break;
  }
  return "continuous";
}

}  // namespace QuorvelHost
