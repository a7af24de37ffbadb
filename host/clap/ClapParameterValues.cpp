#include "host/clap/ClapParameterValues.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "model/Model.h"

namespace VstToolkit {

int32_t ClapParameterValues::ChoicesOf(const ParameterDetails& details) {
  const bool choice = details.kind == ParameterKind::kSwitch || details.kind == ParameterKind::kSelector;
  return choice && details.choiceCount >= 2 ? details.choiceCount : 0;
}

double ClapParameterValues::MaxOf(const ParameterDetails& details) {
  const int32_t choices = ChoicesOf(details);
  return choices > 0 ? static_cast<double>(choices - 1) : 1.0;
}

double ClapParameterValues::PlainOf(const ParameterDetails& details, float normalized) {
  const int32_t choices = ChoicesOf(details);
  if (choices == 0) {
    return static_cast<double>(normalized);
  }
  if (details.kind == ParameterKind::kSwitch) {
    return Model::BoolOf(normalized) ? 1.0 : 0.0;
  }
  return static_cast<double>(Model::SelectionOf(normalized, choices));
}

float ClapParameterValues::NormalizedOf(const ParameterDetails& details, double plain) {
  const int32_t choices = ChoicesOf(details);
  if (choices == 0 || std::isnan(plain)) {
    return static_cast<float>(plain);
  }
  // Halfway between two choices goes up, as a switch is on from 0.5.
  const double last = static_cast<double>(choices - 1);
  const double nearest = std::floor(plain + 0.5);
  const double k = nearest < 0.0 ? 0.0 : (nearest > last ? last : nearest);
  return static_cast<float>(k) / static_cast<float>(choices - 1);
}

bool ClapParameterValues::ReadChoiceNumber(const ParameterDetails& details, const char* text, double& plain) {
  const int32_t choices = ChoicesOf(details);
  if (choices == 0 || text == nullptr) {
    return false;
  }
  const char* first = text;
  while (*first == ' ') {
    ++first;
  }
  const char* last = first + strnlen(first, 16);
  while (last > first && last[-1] == ' ') {
    --last;
  }
  int32_t number = -1;
  const std::from_chars_result read = std::from_chars(first, last, number);
  if (read.ec != std::errc{} || read.ptr != last || number < 0 || number >= choices) {
    return false;
  }
  plain = static_cast<double>(number);
  return true;
}

}  // namespace VstToolkit
