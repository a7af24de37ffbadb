#include <gtest/gtest.h>

#include "tools/quorvel-host/CommandLine.h"

namespace QuorvelHost {
namespace {

const std::vector<CommandLine::Option> kOptions = {
    {"param", true, true}, {"block", true, false}, {"stopped", false, false}};

TEST(CommandLineTest, SeparatesOptionsFromPositionalsInEitherSpelling) {
  CommandLine line;
  std::string error;
  ASSERT_TRUE(line.Parse({"a.so", "--param", "FB=0.5", "in.wav", "--param=Mix=1", "--stopped", "out.wav"},
                         kOptions, error))
      << error;
  EXPECT_EQ(line.Positionals(), (std::vector<std::string>{"a.so", "in.wav", "out.wav"}));
  EXPECT_EQ(line.Values("param"), (std::vector<std::string>{"FB=0.5", "Mix=1"}));
  EXPECT_TRUE(line.Has("stopped"));
  EXPECT_EQ(line.Value("block", "512"), "512");
}

TEST(CommandLineTest, DoubleDashEndsTheOptions) {
  CommandLine line;
  std::string error;
  ASSERT_TRUE(line.Parse({"--", "--stopped"}, kOptions, error));
  EXPECT_EQ(line.Positionals(), (std::vector<std::string>{"--stopped"}));
  EXPECT_FALSE(line.Has("stopped"));
}

TEST(CommandLineTest, RejectsWhatTheCommandDoesNotTake) {
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const Case cases[] = {{{"--blocks", "4"}, "unknown option --blocks"},
                        {{"--block"}, "option --block needs a value"},
                        {{"--stopped=yes"}, "option --stopped takes no value"},
                        {{"--block", "4", "--block=8"}, "option --block given more than once"}};
  for (const Case& c : cases) {
    CommandLine line;
    std::string error;
    EXPECT_FALSE(line.Parse(c.args, kOptions, error));
    EXPECT_EQ(error, c.error);
  }
}

TEST(CommandLineTest, NumbersMustBeWholeFiniteAndInRange) {
  int64_t integer = -1;
  EXPECT_TRUE(CommandLine::ParseInteger("4096", 1, 65536, integer));
  EXPECT_EQ(integer, 4096);
  for (const char* bad : {"", "0", "65537", "12ab", " 5", "5 ", "1e3", "-3"}) {
    EXPECT_FALSE(CommandLine::ParseInteger(bad, 1, 65536, integer)) << bad;
  }
  double real = -1.0;
  EXPECT_TRUE(CommandLine::ParseReal("0.25", 0.0, 1.0, real));
  EXPECT_EQ(real, 0.25);
  for (const char* bad : {"", "nan", "inf", "1.5", "-0.1", "0.5x", "1e400"}) {
    EXPECT_FALSE(CommandLine::ParseReal(bad, 0.0, 1.0, real)) << bad;
  }
}

}  // namespace
}  // namespace QuorvelHost
