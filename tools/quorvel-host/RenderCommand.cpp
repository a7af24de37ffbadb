#include "tools/quorvel-host/RenderCommand.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#include "tools/audio-buffers/AudioFile.h"
#include "tools/quorvel-host/BlockRunner.h"
#include "tools/quorvel-host/CommandLine.h"
#include "tools/quorvel-host/HostedPlugin.h"
#include "tools/quorvel-host/ParameterLookup.h"
#include "tools/quorvel-host/ToolOutput.h"

namespace QuorvelHost {

namespace {

const std::vector<CommandLine::Option> kOptions = {
    {"param", true, true},           {"program", true, false},  {"chunk", true, false},
    {"program-chunk", true, false},  {"tempo", true, false},    {"stopped", false, false},
    {"time-signature", true, false}, {"position", true, false}, {"cc", true, true},
    {"block", true, false},          {"tail", true, false}};

constexpr double kProgressWorthSeconds = 10.0;

// Every failure of a rendering ends here as one line and exit status 1.
struct Failure {
  std::string message;
  int code = ToolOutput::kFailure;
};

// An output file that appears whole or not at all: everything is written to a temporary
// name in the target's folder (so the final rename stays on one file system) and moved
// into place only by Commit; the temporary file goes when the object goes uncommitted. A
// target that is the input file (under any name) is refused, so a rendering never
// destroys its own source.
class AtomicOutputFile final {
 public:
  ~AtomicOutputFile() {
    if (!committed_ && !temporary_.empty()) {
      std::error_code ignored;
      std::filesystem::remove(temporary_, ignored);
    }
  }

  // False with a one-line reason when the target cannot be written.
  bool Begin(const std::string& target, const std::string& input, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code code;
    fs::path targetPath(target);
    if (fs::exists(targetPath, code) && fs::equivalent(targetPath, fs::path(input), code)) {
      error = "output " + target + " is the input file; refusing to overwrite it";
      return false;
    }
    if (fs::is_directory(targetPath, code)) {
      error = "output " + target + " is a folder";
      return false;
    }
    fs::path folder = targetPath.parent_path();
    if (folder.empty()) {
      folder = ".";
    }
    if (!fs::is_directory(folder, code)) {
      error = "output folder " + folder.string() + " does not exist";
      return false;
    }
    // Hidden, and unique enough that two renderings into one folder do not collide.
    std::random_device random;
    temporary_ =
        (folder / ("." + targetPath.filename().string() + ".partial-" + std::to_string(random()))).string();
    target_ = target;
    return true;
  }

  const std::string& TemporaryPath() const { return temporary_; }

  bool Commit(std::string& error) {
    std::error_code code;
    std::filesystem::rename(temporary_, target_, code);
    if (code) {
      error = "cannot move the finished output into place as " + target_ + ": " + code.message();
      return false;
    }
    committed_ = true;
    return true;
  }

 private:
  std::string target_;
  std::string temporary_;
  bool committed_ = false;
};

// A one-line progress bar on standard error, drawn only when standard error is a terminal
// and the rendering is long enough to be worth watching.
class ProgressBar final {
 public:
  ProgressBar(int64_t total, bool worthShowing)
      : total_(total > 0 ? total : 1), enabled_(worthShowing && isatty(fileno(stderr)) != 0) {}
  ~ProgressBar() {
    if (enabled_ && lastPercent_ >= 0) {
      Update(total_);
      std::fputc('\n', stderr);
    }
  }

  void Update(int64_t done) {
    constexpr int kWidth = 40;
    auto percent = static_cast<int>(done * 100 / total_);
    if (!enabled_ || percent == lastPercent_) {
      return;
    }
    lastPercent_ = percent;
    const auto filled = static_cast<size_t>(percent * kWidth / 100);
    const std::string bar = std::string(filled, '#') + std::string(kWidth - filled, '.');
    std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), percent);
    std::fflush(stderr);
  }

 private:
  int64_t total_;
  bool enabled_;
  int lastPercent_ = -1;
};

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes) {
  std::ifstream file(path, std::ios::binary);
  if (!file) {
    return false;
  }
  bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  return !file.bad();
}

// "SECONDS,CONTROLLER,VALUE[,CHANNEL]", the channel counted from 1.
bool ParseControlChange(const std::string& text, double sampleRate, TimedMidiMessage& message,
                        std::string& error) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (size_t comma = text.find(',');; comma = text.find(',', start)) {
    fields.push_back(text.substr(start, comma - start));
    if (comma == std::string::npos) {
      break;
    }
    start = comma + 1;
  }
  double seconds = 0.0;
  int64_t controller = 0;
  int64_t value = 0;
  int64_t channel = 1;
  if ((fields.size() != 3 && fields.size() != 4) || !CommandLine::ParseReal(fields[0], 0.0, 1e7, seconds) ||
      !CommandLine::ParseInteger(fields[1], 0, 127, controller) ||
      !CommandLine::ParseInteger(fields[2], 0, 127, value) ||
      (fields.size() == 4 && !CommandLine::ParseInteger(fields[3], 1, 16, channel))) {
    error = "control change '" + text +
            "' is not SECONDS,CONTROLLER,VALUE[,CHANNEL] (controller and value 0 to 127, channel 1 to 16)";
    return false;
  }
  message.frame = static_cast<int64_t>(std::llround(seconds * sampleRate));
  message.status = static_cast<uint8_t>(0xB0 + (channel - 1));
  message.data1 = static_cast<uint8_t>(controller);
  message.data2 = static_cast<uint8_t>(value);
  return true;
}

// The state files first (a bank, then a program), then the program, then the parameters:
// the order in which a user's later words override earlier ones.
void ApplySettings(const CommandLine& line, HostedPlugin& plugin, Failure& failure) {
  for (const char* option : {"chunk", "program-chunk"}) {
    if (!line.Has(option)) {
      continue;
    }
    std::vector<uint8_t> bytes;
    std::string path = line.Value(option);
    if (!ReadFileBytes(path, bytes)) {
      failure.message = "cannot read chunk file " + path;
      return;
    }
    if (!plugin.SetState(bytes, std::string(option) == "program-chunk")) {
      failure.message = "the plug-in rejected the chunk in " + path;
      return;
    }
  }
  if (line.Has("program")) {
    int64_t program = 0;
    if (!CommandLine::ParseInteger(line.Value("program"), 0, INT32_MAX, program)) {
      failure.message = "program '" + line.Value("program") + "' is not a program number";
      return;
    }
    if (!plugin.SelectProgram(static_cast<int32_t>(program), failure.message)) {
      return;
    }
  }
  ParameterLookup lookup(plugin.Parameters());
  for (const std::string& setting : line.Values("param")) {
    int32_t index = 0;
    float value = 0.0f;
    if (!lookup.ParseSetting(setting, index, value, failure.message)) {
      return;
    }
    plugin.SetNormalized(static_cast<size_t>(index), static_cast<double>(value));
  }
}

// The transport options (defaults: 120 bpm, position 0, 4/4, playing).
void ReadTransport(const CommandLine& line, HostTransport& transport, Failure& failure) {
  if (!CommandLine::ParseReal(line.Value("tempo", "120"), 1.0, 999.0, transport.tempo)) {
    failure.message = "tempo '" + line.Value("tempo") + "' is not a number from 1 to 999";
    return;
  }
  if (!CommandLine::ParseReal(line.Value("position", "0"), 0.0, 1e9, transport.startPosition)) {
    failure.message = "position '" + line.Value("position") + "' is not a number of quarter notes";
    return;
  }
  std::string signature = line.Value("time-signature", "4/4");
  size_t slash = signature.find('/');
  int64_t numerator = 0;
  int64_t denominator = 0;
  if (slash == std::string::npos ||
      !CommandLine::ParseInteger(signature.substr(0, slash), 1, 99, numerator) ||
      !CommandLine::ParseInteger(signature.substr(slash + 1), 1, 64, denominator)) {
    failure.message = "time signature '" + signature + "' is not like 4/4";
    return;
  }
  transport.numerator = static_cast<int32_t>(numerator);
  transport.denominator = static_cast<int32_t>(denominator);
  transport.playing = !line.Has("stopped");
}

// Plug-in output that is not a finite number would make an unplayable file.
int64_t SilenceNonFinite(ChannelBuffers& buffers) {
  int64_t replaced = 0;
  for (int32_t c = 0; c < buffers.Channels(); ++c) {
    float* channel = buffers.Channel(c);
    for (int64_t i = 0; i < buffers.Frames(); ++i) {
      if (!std::isfinite(channel[i])) {
        channel[i] = 0.0f;
        ++replaced;
      }
    }
  }
  return replaced;
}

void Render(const CommandLine& line, Failure& failure) {
  const std::string& modulePath = line.Positionals()[0];
  const std::string& inputPath = line.Positionals()[1];
  const std::string& outputPath = line.Positionals()[2];
  int64_t blockSize = 512;
  double tail = 0.0;
  if (!CommandLine::ParseInteger(line.Value("block", "512"), 1, 65536, blockSize)) {
    failure = {"block size '" + line.Value("block") + "' is not a number from 1 to 65536",
               ToolOutput::kUsageError};
    return;
  }
  if (!CommandLine::ParseReal(line.Value("tail", "0"), 0.0, 3600.0, tail)) {
    failure = {"tail '" + line.Value("tail") + "' is not a number of seconds from 0 to 3600",
               ToolOutput::kUsageError};
    return;
  }
  if (AudioFile::ContainerFor(outputPath) == 0) {
    failure = {
        "cannot tell the audio format of " + outputPath + " from its extension (wav, aiff, flac, ogg, ...)",
        ToolOutput::kUsageError};
    return;
  }
  AudioFile audio;
  AtomicOutputFile output;
  if (!audio.Load(inputPath, failure.message) || !output.Begin(outputPath, inputPath, failure.message)) {
    return;
  }
  std::vector<TimedMidiMessage> messages;
  int64_t frames = audio.Frames() + static_cast<int64_t>(std::llround(tail * audio.SampleRate()));
  for (const std::string& text : line.Values("cc")) {
    TimedMidiMessage message{};
    if (!ParseControlChange(text, audio.SampleRate(), message, failure.message)) {
      return;
    }
    if (message.frame >= frames) {
      failure.message = "control change '" + text + "' lies beyond the end of the rendering";
      return;
    }
    messages.push_back(message);
  }
  std::stable_sort(messages.begin(), messages.end(),
                   [](const TimedMidiMessage& a, const TimedMidiMessage& b) { return a.frame < b.frame; });
  std::unique_ptr<HostedPlugin> plugin = HostedPlugin::Open(modulePath, failure.message);
  if (plugin == nullptr) {
    return;
  }
  BlockRunner runner(*plugin, static_cast<int32_t>(blockSize));
  ReadTransport(line, runner.Transport(), failure);
  if (!failure.message.empty() ||
      !plugin->Activate(audio.SampleRate(), static_cast<int32_t>(blockSize), failure.message)) {
    return;
  }
  ApplySettings(line, *plugin, failure);
  if (!failure.message.empty()) {
    return;
  }
  ChannelBuffers input(plugin->InputCount(), frames);
  ChannelBuffers result(plugin->OutputCount(), frames);
  audio.CopyTo(input);
  ProgressBar progress(frames, static_cast<double>(frames) > kProgressWorthSeconds * audio.SampleRate());
  runner.SetMidi(std::move(messages));
  runner.SetBlockHook([&progress](int64_t first, int32_t) { progress.Update(first); });
  runner.Run(input, result);
  plugin->Deactivate();
  int64_t replaced = SilenceNonFinite(result);
  if (replaced > 0) {
    std::fprintf(
        stderr, "quorvel-host render: warning: %lld samples from the plug-in were not finite; written as 0\n",
        static_cast<long long>(replaced));
  }
  audio.CopyFrom(result);
  if (audio.Save(output.TemporaryPath(), outputPath, failure.message)) {
    output.Commit(failure.message);
  }
}

}  // namespace

int RenderCommand::Run(const std::vector<std::string>& args) {
  CommandLine line;
  std::string error;
  if (!line.Parse(args, kOptions, error)) {
    return ToolOutput::Error("render", error, ToolOutput::kUsageError);
  }
  if (line.Positionals().size() != 3) {
    return ToolOutput::Error("render", "expects MODULE IN OUT", ToolOutput::kUsageError);
  }
  Failure failure;
  Render(line, failure);
  if (!failure.message.empty()) {
    return ToolOutput::Error("render", failure.message, failure.code);
  }
  return ToolOutput::kSuccess;
}

}  // namespace QuorvelHost
