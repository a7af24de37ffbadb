#include "tests/support/Vst2Reference.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace QuorvelTest {

namespace {

// Kept loaded for the whole test process, as a host keeps a module its session uses.
void PinVst2Module() {
  static std::string error;
  static const std::unique_ptr<QuorvelHost::ModuleLibrary> library =
      QuorvelHost::ModuleLibrary::Open(QUORVEL_VST2_MODULE, error);
  if (library == nullptr) {
    ADD_FAILURE() << error;
    std::abort();
  }
}

}  // namespace

std::unique_ptr<QuorvelHost::HostedVst2> StartVst2(double rate, int32_t maxBlock) {
  PinVst2Module();
  std::string error;
  auto instance = QuorvelHost::HostedVst2::Open(QUORVEL_VST2_MODULE, error);
  EXPECT_NE(instance, nullptr) << error;
  if (instance != nullptr) {
    instance->Activate(rate, maxBlock, error);
  }
  return instance;
}

std::vector<uint8_t> LearnedVst2Bank() {
  auto vst2 = StartVst2();
  std::vector<uint8_t> bank = vst2->GetState(false);
  // The bank ends with its MIDI map: per parameter a flag, and the controller after a set
  // one. A fresh bank maps nothing: twelve zero flags.
  bank.resize(bank.size() - 12);
  for (int parameter = 0; parameter < 12; ++parameter) {
    const int controller = parameter == 6 ? 74 : (parameter == 11 ? 21 : -1);
    bank.push_back(controller >= 0 ? 1 : 0);
    if (controller >= 0) {
      bank.push_back(static_cast<uint8_t>(controller));
    }
  }
  return bank;
}

}  // namespace QuorvelTest
