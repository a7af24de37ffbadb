#pragma once

#include <cstdint>
#include <vector>

namespace QuorvelHost {

// What the tool knows beyond the LV2 interface about this project's own plug-in: its
// LV2 units.
class KnownPlugin final {
 public:
  // Quorvel Delay's LV2 ports hold its parameters in the units a musician reads (seconds
  // as the square of the value, for one), which no range in its Turtle can tell a host:
  // the port value of a VST2 value, and the port values a state (a chunk) holds, as a
  // host restoring a session gives them beside it; empty where the bytes are no state.
  // Threads: any.
  static float Lv2Units(int32_t index, float value);
  static std::vector<float> Lv2UnitsOf(const std::vector<uint8_t>& state);
};

}  // namespace QuorvelHost
