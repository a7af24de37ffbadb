#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "tools/quorvel-host/HostedVst2.h"

namespace QuorvelTest {

// The VST2 module every other format must sound, load and learn like. Test thread only.

// A fresh VST2 instance of the built module (QUORVEL_VST2_MODULE, loaded once per test
// process) through quorvel-host, the project's test host, started at `rate`.
std::unique_ptr<QuorvelHost::HostedVst2> StartVst2(double rate = 44100.0, int32_t maxBlock = 4096);

// The VST2 module's bank chunk with controller 74 learned for Feedback and 21 for Mix.
std::vector<uint8_t> LearnedVst2Bank();

}  // namespace QuorvelTest
