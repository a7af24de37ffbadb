#include "tests/clap/ClapFixture.h"

#include <string>

namespace QuorvelTest {

std::unique_ptr<QuorvelHost::HostedClap> StartClap(double rate, int32_t maxBlock) {
  std::string error;
  auto instance = QuorvelHost::HostedClap::Open(QUORVEL_CLAP_MODULE, error);
  EXPECT_NE(instance, nullptr) << error;
  if (instance != nullptr) {
    EXPECT_TRUE(instance->Activate(rate, maxBlock, error)) << error;
  }
  return instance;
}

void ClapEchoingHost::Process() {
  echo.Clear();
  const QuorvelHost::ClapEventList& out = clap.OutputEvents();
  for (uint32_t i = 0; i < out.Size(); ++i) {
    if (out.At(i)->type == CLAP_EVENT_PARAM_VALUE) {
      const auto* value = reinterpret_cast<const clap_event_param_value_t*>(out.At(i));
      echo.AddParameter(0, value->param_id, value->value);
      last = value->value;
    }
  }
  clap.OutputEvents().Clear();
  clap.Process(block.Channels(), block.Channels(), 64, &echo, nullptr);
}

}  // namespace QuorvelTest
