// The delay's parameters as hosts present them: kinds, and the display's text for any value
// and back. Every text comes from the same table rows and display code the model's own
// displays use (QuorvelDelayModel.cpp), so a text shown for a value the parameter does not
// have is the one its display shows once it has it.
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "delay/DelayParameterTable.h"
#include "delay/QuorvelDelayModel.h"

using VstToolkit::DisplayText;
using VstToolkit::ParameterKind;

namespace {

// A choice k of n is read back as k / (n - 1), so a row with choices must have two or more,
// and a switch exactly two.
constexpr bool ChoicesAreReadable() {
  for (const DelayParameterRow& row : kDelayParameterRows) {
    const bool chooses = row.mapping == DelayMapping::kSwitch || row.mapping == DelayMapping::kSelection;
    if ((row.mapping == DelayMapping::kSwitch && row.choices != 2) ||
        (row.mapping == DelayMapping::kSelection && row.choices < 2) || (!chooses && row.choices != 0)) {
      return false;
    }
  }
  return true;
}
static_assert(ChoicesAreReadable(), "switches have two choices, selections two or more, the rest none");

bool IsSpace(char c) {
  return std::isspace(static_cast<unsigned char>(c)) != 0;
}

const char* SkipSpaces(const char* text) {
  while (IsSpace(*text)) {
    ++text;
  }
  return text;
}

// True when `text`, without the spaces around it, is `word` in any case.
bool IsWord(const char* text, const char* word) {
  text = SkipSpaces(text);
  for (; *word != '\0'; ++text, ++word) {
    if (std::tolower(static_cast<unsigned char>(*text)) != std::tolower(static_cast<unsigned char>(*word))) {
      return false;
    }
  }
  return *SkipSpaces(text) == '\0';
}

// A finite number, alone or followed by the label the display stands beside. The point is
// always '.', as the displays write it: a host that set a comma-decimal locale for its own
// texts still reads ours back.
bool ReadNumber(const char* text, const char* label, double& number) {
  const char* first = SkipSpaces(text);
  // from_chars takes a minus but no plus, and the mix's displays write one.
  if (*first == '+' && first[1] != '-' && first[1] != '+') {
    ++first;
  }
  const char* last = first + std::strlen(first);
  const std::from_chars_result read = std::from_chars(first, last, number);
  if (read.ec != std::errc() || !std::isfinite(number)) {
    return false;
  }
  return *SkipSpaces(read.ptr) == '\0' || (label[0] != '\0' && IsWord(read.ptr, label));
}

}  // namespace

ParameterKind QuorvelDelayModel::GetParameterKind(int32_t index) const {
  switch (kDelayParameterRows[index].mapping) {
    case DelayMapping::kSwitch:
      return ParameterKind::kSwitch;
    case DelayMapping::kSelection:
      return ParameterKind::kSelector;
    case DelayMapping::kSquare:
    case DelayMapping::kCutoff:
    case DelayMapping::kMix:
      break;
  }
  return ParameterKind::kContinuous;
}

int32_t QuorvelDelayModel::GetParameterChoiceCount(int32_t index) const {
  return kDelayParameterRows[index].choices;
}

// The arithmetic of OnParameterValueChanged, without its settings and trace lines.
DisplayText QuorvelDelayModel::FormatParameterValue(int32_t index, float value) const {
  const DelayParameterRow& row = kDelayParameterRows[index];
  const float v = ClampNormalized(value);
  switch (row.mapping) {
    case DelayMapping::kSwitch:
      return DisplayOf(OnOffText(BoolOf(v), row.offText));
    case DelayMapping::kSquare:
      return FloatDisplayOf(SquareOf(v));
    case DelayMapping::kSelection:
      return DisplayOf(row.choiceNames[SelectionOf(v, row.choices)]);
    case DelayMapping::kCutoff:
      return FloatDisplayOf(CutoffHertzOf(v));
    case DelayMapping::kMix:
      return MixDisplayOf(v);
  }
  return DisplayText();
}

bool QuorvelDelayModel::ParseParameterValue(int32_t index, const char* text, float& value) const {
  const DelayParameterRow& row = kDelayParameterRows[index];
  double number = 0.0;
  switch (row.mapping) {
    case DelayMapping::kSwitch:
    case DelayMapping::kSelection:
      return ReadChoice(index, text, value);
    case DelayMapping::kSquare:
      if (!ReadNumber(text, row.info.label, number)) {
        return false;
      }
      value = ValueOfSquare(number);
      return true;
    case DelayMapping::kCutoff:
      if (!ReadNumber(text, row.info.label, number)) {
        return false;
      }
      value = ValueOfCutoffHertz(number);
      return true;
    case DelayMapping::kMix:
      if (!ReadNumber(text, row.info.label, number)) {
        return false;
      }
      value = ValueOfMixDisplayNumber(number);
      return true;
  }
  return false;
}

// The choice whose text the display would show, found by formatting each choice's value.
bool QuorvelDelayModel::ReadChoice(int32_t index, const char* text, float& value) const {
  const int32_t count = kDelayParameterRows[index].choices;
  for (int32_t k = 0; k < count; ++k) {
    const float candidate = static_cast<float>(k) / static_cast<float>(count - 1);
    if (IsWord(text, FormatParameterValue(index, candidate))) {
      value = candidate;
      return true;
    }
  }
  return false;
}

DisplayText QuorvelDelayModel::MixDisplayOf(float v) {
  const int32_t n = MixDisplayNumberOf(v);
  char text[16];
  if (n > 0) {
    std::snprintf(text, sizeof text, "+%d", static_cast<int>(n));
  } else {
    std::snprintf(text, sizeof text, "%d", static_cast<int>(n));
  }
  return DisplayOf(text);
}
