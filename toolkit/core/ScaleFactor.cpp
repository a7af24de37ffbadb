#include "toolkit/core/ScaleFactor.h"

#include <cmath>

namespace Toolkit {

namespace {

// Rounds down, also for negative numerators (C++ division truncates towards zero).
int64_t FloorDivide(int64_t numerator, int64_t denominator) {
  const int64_t quotient = numerator / denominator;
  return (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) ? quotient - 1 : quotient;
}

int32_t ToInt32(int64_t value) {
  constexpr int64_t kLowest = INT32_MIN, kHighest = INT32_MAX;
  return static_cast<int32_t>(value < kLowest ? kLowest : (value > kHighest ? kHighest : value));
}

}  // namespace

ScaleFactor::ScaleFactor(double factor) {
  // Compared before converting: NaN, infinities and huge values never reach the cast.
  const double steps = factor * kQuartersPerUnit;
  if (!(steps >= kFewestQuarters)) {
    quarters = kFewestQuarters;
  } else if (steps >= kMostQuarters) {
    quarters = kMostQuarters;
  } else {
    quarters = static_cast<int32_t>(std::floor(steps + 0.5));
  }
}

ScaleFactor ScaleFactor::FromDpi(double dpi) {
  return ScaleFactor(dpi > 0.0 ? dpi / kLogicalDpi : 1.0);
}

ScaleFactor ScaleFactor::Choose(float hostFactor, double measuredDpi) {
  return hostFactor > 0.0f ? ScaleFactor(static_cast<double>(hostFactor)) : FromDpi(measuredDpi);
}

int32_t ScaleFactor::Scale(int32_t logical) const {
  return ToInt32(FloorDivide(int64_t{logical} * quarters + kQuartersPerUnit / 2, kQuartersPerUnit));
}

PixelBounds ScaleFactor::Scale(const PixelBounds& logical) const {
  const int32_t left = Scale(logical.x), top = Scale(logical.y);
  const int32_t right = Scale(ToInt32(int64_t{logical.x} + logical.width));
  const int32_t bottom = Scale(ToInt32(int64_t{logical.y} + logical.height));
  return PixelBounds{left, top, ToInt32(int64_t{right} - left), ToInt32(int64_t{bottom} - top)};
}

int32_t ScaleFactor::ToLogical(int32_t device) const {
  // The logical pixel under the device pixel's centre, (4 device + 2) / q, where a centre
  // right on a boundary belongs to the lower one, as Scale rounds halves upwards.
  return ToInt32(FloorDivide(int64_t{device} * kQuartersPerUnit + 1, quarters));
}

float ScaleFactor::LogicalDistance(float devicePixels) const {
  return devicePixels * static_cast<float>(kQuartersPerUnit) / static_cast<float>(quarters);
}

}  // namespace Toolkit
