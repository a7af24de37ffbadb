#include "toolkit/core/XftDpi.h"

#include <cstring>

namespace Toolkit {

namespace {

constexpr char kName[] = "Xft.dpi";
constexpr double kHighest = 9600.0;

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The value of one line after the name: blanks, ':', blanks, digits with an optional
// fraction, then only blanks up to the end of the line. 0 for anything else.
double ValueAfterName(const char* p) {
  while (IsBlank(*p)) ++p;
  if (*p++ != ':') return 0.0;
  while (IsBlank(*p)) ++p;
  double value = 0.0;
  bool anyDigit = false;
  for (; IsDigit(*p); ++p) {
    anyDigit = true;
    if (value <= kHighest) value = value * 10.0 + (*p - '0');
  }
  if (*p == '.') {
    double unit = 0.1;
    for (++p; IsDigit(*p); ++p) {
      anyDigit = true;
      value += (*p - '0') * unit;
      unit *= 0.1;
    }
  }
  while (IsBlank(*p)) ++p;
  const bool lineEnds = *p == '\0' || *p == '\n' || *p == '\r';
  return anyDigit && lineEnds && value > 0.0 && value <= kHighest ? value : 0.0;
}

}  // namespace

double XftDpi(const char* resources) {
  if (resources == nullptr) return 0.0;
  double dpi = 0.0;
  for (const char* line = resources; *line != '\0';) {
    const char* start = line;
    while (IsBlank(*start)) ++start;
    if (std::strncmp(start, kName, sizeof kName - 1) == 0) {
      const double value = ValueAfterName(start + sizeof kName - 1);
      if (value > 0.0) dpi = value;
    }
    const char* end = std::strchr(line, '\n');
    if (end == nullptr) break;
    line = end + 1;
  }
  return dpi;
}

}  // namespace Toolkit
