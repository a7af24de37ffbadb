// render through the gain test module: the samples that come out, MIDI timing,
// the tail, and the output file appearing whole or not at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "tools/audio-buffers/AudioFile.h"
#include "tools/audio-buffers/ChannelBuffers.h"
#include "tools/quorvel-host/Commands.h"

namespace QuorvelHost {
namespace {

namespace fs = std::filesystem;

class RenderCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ =
        fs::temp_directory_path() /
        ("quorvel-render-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // A file of `frames` frames of constant `value` per channel (values exact in 24 bits).
  std::string WriteInput(const std::string& name, int32_t channels, int64_t frames,
                         std::vector<float> values) {
    ChannelBuffers buffers(channels, frames);
    for (int32_t c = 0; c < channels; ++c) {
      std::fill(buffers.Channel(c), buffers.Channel(c) + frames, values[static_cast<size_t>(c)]);
    }
    AudioFile file;
    file.CopyFrom(buffers);
    file.SetSampleRate(44100);
    std::string path = (folder_ / name).string();
    std::string error;
    EXPECT_TRUE(file.Save(path, path, error)) << error;
    return path;
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  size_t FilesInFolder() const {
    return static_cast<size_t>(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  fs::path folder_;
};

TEST_F(RenderCommandTest, ScalesEverySampleAndFeedsMonoToBothInputs) {
  std::string input = WriteInput("in.wav", 1, 1000, {0.5f});
  ASSERT_EQ(RunRender({QUORVEL_GAIN_MODULE, input, Path("out.wav"), "--param", "P0=0.5", "--block", "7"}), 0);
  AudioFile output;
  std::string error;
  ASSERT_TRUE(output.Load(Path("out.wav"), error)) << error;
  ASSERT_EQ(output.Channels(), 2);
  ASSERT_EQ(output.Frames(), 1000);
  ChannelBuffers samples(2, 1000);
  output.CopyTo(samples);
  // 0.5 × 0.5 on both channels, exact in 24-bit samples.
  for (int32_t c = 0; c < 2; ++c) {
    EXPECT_EQ(samples.Channel(c)[0], 0.25f);
    EXPECT_EQ(samples.Channel(c)[999], 0.25f);
  }
}

TEST_F(RenderCommandTest, ControlChangeActsAtItsFrameAndTheTailAddsSilence) {
  std::string input = WriteInput("in.wav", 2, 44100, {0.5f, -0.25f});
  // CC 7 value 0 at 0.5 s silences the gain module from frame 22050 on.
  ASSERT_EQ(RunRender({QUORVEL_GAIN_MODULE, input, Path("out.flac"), "--cc", "0.5,7,0", "--tail", "0.25"}),
            0);
  AudioFile output;
  std::string error;
  ASSERT_TRUE(output.Load(Path("out.flac"), error)) << error;
  ASSERT_EQ(output.Frames(), 44100 + 11025);
  ChannelBuffers samples(2, output.Frames());
  output.CopyTo(samples);
  EXPECT_EQ(samples.Channel(0)[22049], 0.5f);
  EXPECT_EQ(samples.Channel(1)[22049], -0.25f);
  EXPECT_EQ(samples.Channel(0)[22050], 0.0f);
  EXPECT_EQ(samples.Channel(1)[44100 + 11024], 0.0f);
}

TEST_F(RenderCommandTest, AFailedRenderingLeavesTheOldOutputAndNoTemporaryFile) {
  std::string input = WriteInput("in.wav", 2, 100, {0.5f, 0.5f});
  {
    std::ofstream old(Path("out.wav"));
    old << "previous rendering";
  }
  const std::vector<std::vector<std::string>> failing = {
      {QUORVEL_GAIN_MODULE, input, Path("out.wav"), "--param", "Drive=0.5"},
      {QUORVEL_GAIN_MODULE, input, Path("out.wav"), "--param", "P0=2"},
      {QUORVEL_GAIN_MODULE, input, Path("out.wav"), "--program", "1"},
      {QUORVEL_GAIN_MODULE, input, Path("out.wav"), "--chunk", Path("missing.bin")},
      {QUORVEL_GAIN_MODULE, input, Path("out.wav"), "--cc", "5,7,0"},
      {QUORVEL_NULL_MODULE, input, Path("out.wav")},
      {Path("missing.so"), input, Path("out.wav")},
      {QUORVEL_GAIN_MODULE, Path("missing.wav"), Path("out.wav")}};
  for (const auto& args : failing) {
    EXPECT_EQ(RunRender(args), 1) << args[3 < args.size() ? 3 : 0];
  }
  std::ifstream old(Path("out.wav"));
  std::string content((std::istreambuf_iterator<char>(old)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, "previous rendering");
  EXPECT_EQ(FilesInFolder(), 2u);  // in.wav and out.wav, no partial file
}

TEST_F(RenderCommandTest, NeverOverwritesItsInput) {
  std::string input = WriteInput("in.wav", 2, 100, {0.5f, 0.5f});
  auto before = fs::file_size(input);
  fs::create_directories(folder_ / "sub");
  EXPECT_EQ(RunRender({QUORVEL_GAIN_MODULE, input, input, "--param", "P0=0"}), 1);
  EXPECT_EQ(RunRender({QUORVEL_GAIN_MODULE, input, (folder_ / "sub" / ".." / "in.wav").string()}), 1);
  fs::create_hard_link(input, Path("link.wav"));
  EXPECT_EQ(RunRender({QUORVEL_GAIN_MODULE, input, Path("link.wav"), "--param", "P0=0"}), 1);
  AudioFile again;
  std::string error;
  ASSERT_TRUE(again.Load(input, error));
  ChannelBuffers samples(2, 100);
  again.CopyTo(samples);
  EXPECT_EQ(samples.Channel(0)[50], 0.5f);
  EXPECT_EQ(fs::file_size(input), before);
}

TEST_F(RenderCommandTest, UsageMistakesAreUsageErrors) {
  std::string input = WriteInput("in.wav", 1, 10, {0.5f});
  EXPECT_EQ(RunRender({QUORVEL_GAIN_MODULE, input}), 2);
  EXPECT_EQ(RunRender({QUORVEL_GAIN_MODULE, input, Path("out.xyz")}), 2);
  EXPECT_EQ(RunRender({QUORVEL_GAIN_MODULE, input, Path("out.wav"), "--block", "0"}), 2);
  EXPECT_EQ(RunRender({QUORVEL_GAIN_MODULE, input, Path("out.wav"), "--tail"}), 2);
  EXPECT_EQ(FilesInFolder(), 1u);
}

}  // namespace
}  // namespace QuorvelHost
