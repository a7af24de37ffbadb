#pragma once

#include <cmath>
#include <cstdint>

#include "model/PluginDescription.h"

// The delay's parameters: this table is the one place that names them and gives their
// defaults, their mappings and what their displays show. The model's strings, the
// programs' defaults and the display texts all come from here.

// Parameter indices, in the order hosts, programs and state chunks use.
namespace DelayParameter {
enum : int32_t {
  kEnabled,
  kLeftDelay,
  kRightDelay,
  kSync,
  kLeftSync,
  kRightSync,
  kFeedback,
  kFilter,
  kCutoff,
  kFilterType,
  kPan,
  kMix,
  kCount
};
}  // namespace DelayParameter

// How a normalised value v becomes a setting, and so what the display shows.
enum class DelayMapping {
  kSwitch,     // on from 0.5; "On" or the row's off text
  kSquare,     // v * v (seconds or a gain); two decimals
  kSelection,  // one of the row's choices, trunc(v * choices) with 1.0 picking the last; its name
  kCutoff,     // v * v * 9980 + 20 hertz (20 to 10000); two decimals
  kMix,        // v from input only (0) to echoes only (1); shown as -100 to +100
};

struct DelayParameterRow {
  VstToolkit::ParameterInfo info;  // long name, short name, label, default
  DelayMapping mapping;
  int32_t choices;                 // switches 2, selections their number of choices, else 0
  const char* const* choiceNames;  // selections only
  const char* offText;             // switches only
  const char* unit;                // the setting's SI symbol where it has one, else ""
};

// The note values of the tempo-synced delays: the note's length is 60 / tempo / divisor seconds.
inline constexpr int32_t kNoteValueCount = 5;
inline constexpr const char* kNoteNames[kNoteValueCount] = {"1/32", "1/16", "1/8", "1/4", "1/2"};
inline constexpr double kNoteDivisors[kNoteValueCount] = {8.0, 4.0, 2.0, 1.0, 0.5};

inline constexpr const char* kFilterTypeNames[] = {"Low", "High"};

inline constexpr DelayParameterRow kDelayParameterRows[DelayParameter::kCount] = {
    // long name, short name, label, default;     mapping, choices, choice names, off text, unit
    {{"Enabled", "On", "", 1.0f}, DelayMapping::kSwitch, 2, nullptr, "Bypass", ""},
    {{"Left Delay", "LDT", "Secs", 1.0f}, DelayMapping::kSquare, 0, nullptr, nullptr, "s"},
    {{"Right Delay", "RDT", "Secs", 0.5f}, DelayMapping::kSquare, 0, nullptr, nullptr, "s"},
    {{"Sync", "SOn", "", 0.0f}, DelayMapping::kSwitch, 2, nullptr, "Off", ""},
    {{"Left Sync", "LSRes", "", 0.5f}, DelayMapping::kSelection, kNoteValueCount, kNoteNames, nullptr, ""},
    {{"Right Sync", "RSRes", "", 0.5f}, DelayMapping::kSelection, kNoteValueCount, kNoteNames, nullptr, ""},
    {{"Feedback Level", "FB", "", 0.0f}, DelayMapping::kSquare, 0, nullptr, nullptr, ""},
    {{"Filter", "FOn", "", 0.0f}, DelayMapping::kSwitch, 2, nullptr, "Off", ""},
    {{"Cutoff Freq", "CFreq", "Hz", 0.5f}, DelayMapping::kCutoff, 0, nullptr, nullptr, "Hz"},
    {{"Filter Type", "FType", "", 0.0f}, DelayMapping::kSelection, 2, kFilterTypeNames, nullptr, ""},
    {{"Pan", "POn", "", 0.0f}, DelayMapping::kSwitch, 2, nullptr, "Off", ""},
    {{"Wet/Dry Mix", "Mix", "", 0.5f}, DelayMapping::kMix, 0, nullptr, nullptr, ""},
};

// The mappings' arithmetic, in single precision. Values outside 0..1 reach the delay only
// from a damaged state chunk or a careless host; they are held to 0..1 first (NaN counts
// as 0), so every setting, selection and display stays within its range.
inline float ClampNormalized(float v) {
  if (!(v > 0.0f)) {
    return 0.0f;
  }
  return v < 1.0f ? v : 1.0f;
}

inline float SquareOf(float v) { return v * v; }

inline constexpr float kLowestCutoffHertz = 20.0f;
inline constexpr float kCutoffHertzSpan = 9980.0f;  // up to 10000 hertz
inline float CutoffHertzOf(float v) { return v * v * kCutoffHertzSpan + kLowestCutoffHertz; }

// -100 (input only) to +100 (echoes only).
inline constexpr int32_t kMixDisplayReach = 100;
inline int32_t MixDisplayNumberOf(float v) {
  return -kMixDisplayReach - static_cast<int32_t>(v * static_cast<float>(-2 * kMixDisplayReach));
}

// Mix in units: -100 (input only) to +100 (echoes only), unrounded.
inline float MixUnitsOf(float v) {
  return v * static_cast<float>(2 * kMixDisplayReach) - static_cast<float>(kMixDisplayReach);
}

// The inverses, for texts read back: a value in 0..1 that the mapping takes to the setting,
// or as near to it as the range allows. Worked in double precision, so the value found
// maps back (in single precision) to the same two-decimal text.
inline float ValueOfSquare(double square) {
  return square > 0.0 ? ClampNormalized(static_cast<float>(std::sqrt(square))) : 0.0f;
}

inline float ValueOfCutoffHertz(double hertz) {
  return ValueOfSquare((hertz - static_cast<double>(kLowestCutoffHertz)) /
                       static_cast<double>(kCutoffHertzSpan));
}

// The middle of the values a whole number shows, where no rounding tips it into a
// neighbour's; only 1 shows +100.
inline float ValueOfMixDisplayNumber(double number) {
  if (number >= kMixDisplayReach) {
    return 1.0f;
  }
  return ClampNormalized(
      static_cast<float>((std::floor(number) + kMixDisplayReach + 0.5) / (2.0 * kMixDisplayReach)));
}
