#include "tests/lv2/Lv2Fixture.h"

#include <string>

#include "delay/QuorvelDelayModel.h"

namespace QuorvelTest {

std::unique_ptr<QuorvelHost::HostedLv2> StartLv2(double rate) {
  std::string error;
  auto instance = QuorvelHost::HostedLv2::Open(QUORVEL_LV2_BUNDLE, error);
  EXPECT_NE(instance, nullptr) << error;
  if (instance != nullptr) {
    EXPECT_TRUE(instance->Activate(rate, 4096, error)) << error;
  }
  return instance;
}

namespace {

const QuorvelDelayModel& Units() {
  static const QuorvelDelayModel model;
  return model;
}

}  // namespace

float PortUnits(int32_t index, float value) {
  return Units().ValueToUnits(index, value);
}

float ValueOfPort(int32_t index, float units) {
  return Units().UnitsToValue(index, units);
}

}  // namespace QuorvelTest
