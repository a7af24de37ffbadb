#include "tools/quorvel-host/HostedParameter.h"

#include <algorithm>
#include <cmath>

namespace QuorvelHost {

double HostedParameter::PlainOf(double normalized) const {
  if (kind == Kind::kContinuous) {
    return min + std::clamp(normalized, 0.0, 1.0) * (max - min);
  }
  const double count =
      choices.empty() ? std::floor(std::max(max - min, 0.0)) + 1.0 : static_cast<double>(choices.size());
  // In single precision, as a VST2 plug-in picks its choice from the value.
  const float scaled = static_cast<float>(normalized) * static_cast<float>(count);
  double choice = 0.0;
  if (scaled >= static_cast<float>(count)) {
    choice = count - 1.0;
  } else if (scaled >= 1.0f) {
    choice = std::floor(static_cast<double>(scaled));
  }
  return count > 1.0 ? min + choice * (max - min) / (count - 1.0) : min;
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
