#include "tests/lv2/Lv2Fixture.h"

#include <cstdlib>
#include <string>

namespace QuorvelTest {

const QuorvelHost::Lv2Module& Bundle() {
  static std::string error;
  static const std::unique_ptr<QuorvelHost::Lv2Module> module = QuorvelHost::Lv2Module::Open(QUORVEL_LV2_BUNDLE, error);
  if (module == nullptr) {
    ADD_FAILURE() << error;
    std::abort();
  }
  return *module;
}

std::unique_ptr<QuorvelHost::Lv2Instance> StartLv2(double rate) {
  std::string error;
  auto instance = QuorvelHost::Lv2Instance::Create(Bundle(), rate, error);
  EXPECT_NE(instance, nullptr) << error;
  return instance;
}

}  // namespace QuorvelTest
