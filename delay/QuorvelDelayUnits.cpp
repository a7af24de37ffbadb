// The delay's parameters in the units a musician reads: seconds, a gain, hertz, -100..+100,
// switches 0/1 and choices by number. The settings are the mappings' own single-precision
// arithmetic (DelayParameterTable.h), so a value in units sent by a host is the very
// quantity the model makes of the normalised value it came from.
#include <cmath>

#include "delay/DelayParameterTable.h"
#include "delay/QuorvelDelayModel.h"

using VstToolkit::ParameterUnits;

namespace {

float Held(float units, const ParameterUnits& range) {
  return units > range.minimum ? (units < range.maximum ? units : range.maximum) : range.minimum;
}

// The mapping of a continuous row (the rows with choices have none).
float SettingOf(DelayMapping mapping, float v) {
  switch (mapping) {
    case DelayMapping::kSquare:
      return SquareOf(v);
    case DelayMapping::kCutoff:
      return CutoffHertzOf(v);
    case DelayMapping::kMix:
      return MixUnitsOf(v);
    case DelayMapping::kSwitch:
    case DelayMapping::kSelection:
      break;
  }
  return v;
}

// The float within a few steps of `guess` whose setting comes nearest `target` (the first of
// equals): the inverse worked in double precision lands within a step of it, and the
// settings rise with the value, so no nearer one lies further out.
float NearestValue(DelayMapping mapping, float guess, float target) {
  constexpr int kSteps = 2;
  float candidate = ClampNormalized(guess);
  for (int i = 0; i < kSteps; ++i) {
    candidate = std::nextafter(candidate, 0.0f);
  }
  float best = candidate;
  float bestDistance = std::fabs(SettingOf(mapping, candidate) - target);
  for (int i = 0; i < 2 * kSteps && candidate < 1.0f; ++i) {
    candidate = std::nextafter(candidate, 1.0f);
    const float distance = std::fabs(SettingOf(mapping, candidate) - target);
    if (distance < bestDistance) {
      best = candidate;
      bestDistance = distance;
    }
  }
  return best;
}

}  // namespace

ParameterUnits QuorvelDelayModel::GetParameterUnits(int32_t index) const {
  const DelayParameterRow& row = kDelayParameterRows[index];
  switch (row.mapping) {
    case DelayMapping::kSwitch:
    case DelayMapping::kSelection:
      return ParameterUnits{0.0f, static_cast<float>(row.choices - 1), row.unit};
    case DelayMapping::kSquare:
      return ParameterUnits{0.0f, 1.0f, row.unit};
    case DelayMapping::kCutoff:
      return ParameterUnits{kLowestCutoffHertz, kLowestCutoffHertz + kCutoffHertzSpan, row.unit};
    case DelayMapping::kMix:
      return ParameterUnits{static_cast<float>(-kMixDisplayReach), static_cast<float>(kMixDisplayReach),
                            row.unit};
  }
  return ParameterUnits{};
}

float QuorvelDelayModel::ValueToUnits(int32_t index, float value) const {
  const DelayParameterRow& row = kDelayParameterRows[index];
  const float v = ClampNormalized(value);
  switch (row.mapping) {
    case DelayMapping::kSwitch:
      return BoolOf(v) ? 1.0f : 0.0f;
    case DelayMapping::kSelection:
      return static_cast<float>(SelectionOf(v, row.choices));
    case DelayMapping::kSquare:
    case DelayMapping::kCutoff:
    case DelayMapping::kMix:
      break;
  }
  return SettingOf(row.mapping, v);
}

// A choice's number is taken at the nearest whole number, a switch on from 0.5.
float QuorvelDelayModel::UnitsToValue(int32_t index, float units) const {
  if (std::isnan(units)) {
    return units;
  }
  const DelayParameterRow& row = kDelayParameterRows[index];
  const float held = Held(units, GetParameterUnits(index));
  const double u = held;
  switch (row.mapping) {
    case DelayMapping::kSwitch:
      return BoolOf(held) ? 1.0f : 0.0f;
    case DelayMapping::kSelection:
      return static_cast<float>(std::nearbyint(u) / static_cast<double>(row.choices - 1));
    case DelayMapping::kSquare:
      return NearestValue(row.mapping, static_cast<float>(std::sqrt(u)), held);
    case DelayMapping::kCutoff:
      return NearestValue(
          row.mapping,
          static_cast<float>(std::sqrt((u - kLowestCutoffHertz) / static_cast<double>(kCutoffHertzSpan))),
          held);
    case DelayMapping::kMix:
      return NearestValue(row.mapping, static_cast<float>((u + kMixDisplayReach) / (2.0 * kMixDisplayReach)),
                          held);
  }
  return 0.0f;
}
