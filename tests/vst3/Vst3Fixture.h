#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/vst3/Vst3EditController.h"
#include "tests/support/StereoBlock.h"
#include "tests/support/Vst2Reference.h"
#include "tools/quorvel-host/HostedVst3.h"
#include "tools/quorvel-host/Vst3Module.h"

namespace QuorvelTest {

// The parameter IDs past the plug-in's own, as the bundle lists them (checked by the
// parameter tests): the program, the bypass, and one hidden parameter per channel and
// controller.
constexpr Steinberg::Vst::ParamID kProgramId = 0x100;
constexpr Steinberg::Vst::ParamID kBypassId = 0x101;
constexpr Steinberg::Vst::ParamID ControllerId(int channel, int controller) {
  return 0x1000 + static_cast<Steinberg::Vst::ParamID>(channel * 128 + controller);
}

// The built bundle (QUORVEL_VST3_BUNDLE), loaded once per test process through
// quorvel-host, the project's test host.
const QuorvelHost::Vst3Module& Bundle();

// A fresh VST3 instance of the bundle, started at `rate`.
std::unique_ptr<QuorvelHost::HostedVst3> StartVst3(double rate = 44100.0, int32_t maxBlock = 4096);

// The editor tests' drag on the feedback knob, 10 pixels up, as the host heard it: one
// gesture (begin first, end last) on parameter 6 that ends at 0.1, every call on this
// thread, and the controller holding the value.
void ExpectFeedbackDragGesture(QuorvelHost::HostedVst3& vst3);

// A host that sends every edit performed since its last block back as a change of its
// next one, as VST3 hosts may: Process runs that block (64 silent frames).
class Vst3EchoingHost final {
 public:
  explicit Vst3EchoingHost(QuorvelHost::HostedVst3& vst3_) : vst3(vst3_) {}
  void Process();

 private:
  QuorvelHost::HostedVst3& vst3;
  QuorvelHost::Vst3ParameterChanges echo;
  StereoBlock block{64};
  std::size_t echoed = 0;
};

}  // namespace QuorvelTest
