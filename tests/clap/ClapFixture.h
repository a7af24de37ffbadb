#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "tests/support/StereoBlock.h"
#include "tests/support/Vst2Reference.h"
#include "tools/quorvel-host/HostedClap.h"

namespace QuorvelTest {

// A fresh CLAP instance, activated and processing at `rate`.
std::unique_ptr<QuorvelHost::HostedClap> StartClap(double rate = 44100.0, int32_t maxBlock = 4096);

// A host that sends every value the plug-in gave in a block back as an event of its next
// one, as CLAP hosts may: Process runs that block (64 silent frames).
class ClapEchoingHost final {
 public:
  explicit ClapEchoingHost(QuorvelHost::HostedClap& clap_) : clap(clap_) {}
  void Process();
  // The last value sent back; -1 before any.
  double LastEcho() const { return last; }

 private:
  QuorvelHost::HostedClap& clap;
  QuorvelHost::ClapEventList echo;
  StereoBlock block{64};
  double last = -1.0;
};

}  // namespace QuorvelTest
