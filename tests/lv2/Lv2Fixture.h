#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "tests/support/StereoBlock.h"
#include "tests/support/Vst2Reference.h"
#include "tools/quorvel-host/HostedLv2.h"
#include "tools/quorvel-host/Lv2World.h"

namespace QuorvelTest {

// A fresh LV2 instance of the built bundle (QUORVEL_LV2_BUNDLE) at `rate`, through
// quorvel-host, the project's test host.
std::unique_ptr<QuorvelHost::HostedLv2> StartLv2(double rate = 44100.0);

// A parameter's VST2 value in its control port's units, and the VST2 value a port's
// units stand for.
float PortUnits(int32_t index, float value);
float ValueOfPort(int32_t index, float units);

}  // namespace QuorvelTest
