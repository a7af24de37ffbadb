#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace QuorvelHost {

// quorvel-host validate BUNDLE.lv2: the LV2 battery: instances at the usual rates, finite
// sound from noise, the same sound whatever the block size, a run of no frames and runs
// with the audio unconnected, the state's round trip into a fresh instance (same bytes,
// same sound), and a refused state that changes nothing. `bank`, when given, is handed
// over as the state first.
class Lv2ValidateCommand final {
 public:
  static int Run(const std::string& path, const std::vector<uint8_t>& bank);
};

}  // namespace QuorvelHost
