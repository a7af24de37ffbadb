#pragma once

#include <cstdint>

namespace VstToolkit {

// How hosts should present a parameter.
enum class ParameterKind : int32_t {
  kContinuous,  // any value from 0 to 1
  kSwitch,      // off below 0.5, on from 0.5
  kSelector,    // one of n choices, trunc(value x n) with 1 picking the last
};

}  // namespace VstToolkit
