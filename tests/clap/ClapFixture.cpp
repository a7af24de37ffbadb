#include "tests/clap/ClapFixture.h"

#include <cstdlib>
#include <string>

namespace QuorvelTest {

const QuorvelHost::ClapModule& ClapModule() {
  static std::string error;
  static const std::unique_ptr<QuorvelHost::ClapModule> module =
      QuorvelHost::ClapModule::Open(QUORVEL_CLAP_MODULE, error);
  if (module == nullptr) {
    ADD_FAILURE() << error;
    std::abort();
  }
  return *module;
}

std::unique_ptr<QuorvelHost::ClapInstance> StartClap(double rate, int32_t maxBlock) {
  std::string error;
  auto instance = QuorvelHost::ClapInstance::Create(ClapModule(), error);
  EXPECT_NE(instance, nullptr) << error;
  if (instance != nullptr) {
    EXPECT_TRUE(instance->Start(rate, maxBlock));
  }
  return instance;
}

}  // namespace QuorvelTest
