#include <gtest/gtest.h>

#include "tests/support/TraceCapture.h"

TEST(Trace, SinkReceivesLinesOnlyWhileInstalled) {
  VstToolkit::Trace("before\r\n");
  std::vector<std::string> seen;
  {
    QuorvelTest::TraceCapture capture;
    VstToolkit::Trace("Model::Model\r\n");
    VstToolkit::Trace("Controller::setParameter");
    seen = capture.Lines();
  }
  VstToolkit::Trace("after\r\n");
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], "Model::Model\r\n");
  EXPECT_EQ(seen[1], "Controller::setParameter");
}
