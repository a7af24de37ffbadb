#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <random>
#include <sstream>
#include <system_error>

#include "tools/audio-buffers/AudioFile.h"
#include "tools/quorvel-host/BlockRunner.h"
#include "tools/quorvel-host/CommandLine.h"
#include "tools/quorvel-host/Commands.h"
#include "tools/quorvel-host/HostedPlugin.h"
#include "tools/quorvel-host/TestSignal.h"
#include "tools/quorvel-host/ToolOutput.h"

namespace QuorvelHost {

namespace {

const std::vector<CommandLine::Option> kOptions = {
    {"param", true, true},           {"program", true, false},  {"chunk", true, false},
    {"program-chunk", true, false},  {"tempo", true, false},    {"stopped", false, false},
    {"time-signature", true, false}, {"position", true, false}, {"cc", true, true},
    {"block", true, false},          {"tail", true, false}};

constexpr double kProgressWorthSeconds = 10.0;

// The temporary name the output is written under, in the target's folder so that the
// final rename stays on one file system; false with a one-line reason when the target
// cannot be written. A target that is the input file (under any name) is refused, so a
// rendering never destroys its own source.
bool TemporaryNameFor(const std::string& target, const std::string& input, std::string& temporary,
                      std::string& error) {
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
  temporary =
      (folder / ("." + targetPath.filename().string() + ".partial-" + std::to_string(random()))).string();
  return true;
}

// "SECONDS,CONTROLLER,VALUE[,CHANNEL]", the channel counted from 1.
bool ParseControlChange(const std::string& text, double sampleRate, TimedMidiMessage& message,
                        std::string& error) {
  std::vector<std::string> fields;
  std::istringstream stream(text + ",");  // so that a trailing comma leaves an empty field
  for (std::string field; std::getline(stream, field, ',');) {
    fields.push_back(field);
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
bool ApplySettings(const CommandLine& line, HostedPlugin& plugin, std::string& error) {
  for (const char* option : {"chunk", "program-chunk"}) {
    if (!line.Has(option)) {
      continue;
    }
    std::vector<uint8_t> bytes;
    std::string path = line.Value(option);
    if (!CommandLine::ReadFile(path, bytes)) {
      error = "cannot read chunk file " + path;
      return false;
    }
    if (!plugin.SetState(bytes, std::string(option) == "program-chunk")) {
      error = "the plug-in rejected the chunk in " + path;
      return false;
    }
  }
  if (line.Has("program")) {
    int64_t program = 0;
    if (!CommandLine::ParseInteger(line.Value("program"), 0, INT32_MAX, program)) {
      error = "program '" + line.Value("program") + "' is not a program number";
      return false;
    }
    if (!plugin.SelectProgram(static_cast<int32_t>(program), error)) {
      return false;
    }
  }
  for (const std::string& setting : line.Values("param")) {
    int32_t index = 0;
    float value = 0.0f;
    if (!HostedParameter::ParseSetting(plugin.Parameters(), setting, index, value, error)) {
      return false;
    }
    plugin.SetNormalized(static_cast<size_t>(index), static_cast<double>(value));
  }
  return true;
}

// The transport options (defaults: 120 bpm, position 0, 4/4, playing).
bool ReadTransport(const CommandLine& line, HostTransport& transport, std::string& error) {
  if (!CommandLine::ParseReal(line.Value("tempo", "120"), 1.0, 999.0, transport.tempo)) {
    error = "tempo '" + line.Value("tempo") + "' is not a number from 1 to 999";
    return false;
  }
  if (!CommandLine::ParseReal(line.Value("position", "0"), 0.0, 1e9, transport.startPosition)) {
    error = "position '" + line.Value("position") + "' is not a number of quarter notes";
    return false;
  }
  std::string signature = line.Value("time-signature", "4/4");
  size_t slash = signature.find('/');
  int64_t numerator = 0;
  int64_t denominator = 0;
  if (slash == std::string::npos ||
      !CommandLine::ParseInteger(signature.substr(0, slash), 1, 99, numerator) ||
      !CommandLine::ParseInteger(signature.substr(slash + 1), 1, 64, denominator)) {
    error = "time signature '" + signature + "' is not like 4/4";
    return false;
  }
  transport.numerator = static_cast<int32_t>(numerator);
  transport.denominator = static_cast<int32_t>(denominator);
  transport.playing = !line.Has("stopped");
  return true;
}

// False with a one-line reason when the rendering fails; the options' syntax is checked.
bool Render(const CommandLine& line, int32_t blockSize, double tail, std::string& error) {
  const std::string& modulePath = line.Positionals()[0];
  const std::string& inputPath = line.Positionals()[1];
  const std::string& outputPath = line.Positionals()[2];
  AudioFile audio;
  std::string temporary;
  if (!audio.Load(inputPath, error) || !TemporaryNameFor(outputPath, inputPath, temporary, error)) {
    return false;
  }
  std::vector<TimedMidiMessage> messages;
  int64_t frames = audio.Frames() + static_cast<int64_t>(std::llround(tail * audio.SampleRate()));
  for (const std::string& text : line.Values("cc")) {
    TimedMidiMessage message{};
    if (!ParseControlChange(text, audio.SampleRate(), message, error)) {
      return false;
    }
    if (message.frame >= frames) {
      error = "control change '" + text + "' lies beyond the end of the rendering";
      return false;
    }
    messages.push_back(message);
  }
  std::stable_sort(messages.begin(), messages.end(),
                   [](const TimedMidiMessage& a, const TimedMidiMessage& b) { return a.frame < b.frame; });
  std::unique_ptr<HostedPlugin> plugin = HostedPlugin::Open(modulePath, error);
  if (plugin == nullptr) {
    return false;
  }
  BlockRunner runner(*plugin, blockSize);
  if (!ReadTransport(line, runner.Transport(), error) ||
      !plugin->Activate(audio.SampleRate(), blockSize, error) || !ApplySettings(line, *plugin, error)) {
    return false;
  }
  ChannelBuffers input(plugin->InputCount(), frames);
  ChannelBuffers result(plugin->OutputCount(), frames);
  audio.CopyTo(input);
  // A one-line progress bar on standard error, drawn only when standard error is a terminal
  // and the rendering is long enough to be worth watching.
  const bool showProgress =
      static_cast<double>(frames) > kProgressWorthSeconds * audio.SampleRate() && isatty(fileno(stderr)) != 0;
  int shownPercent = -1;
  const auto drawProgress = [frames, &shownPercent](int64_t done, int32_t) {
    constexpr int kWidth = 40;
    const auto percent = static_cast<int>(done * 100 / frames);
    if (percent != shownPercent) {
      shownPercent = percent;
      const auto filled = static_cast<size_t>(percent * kWidth / 100);
      const std::string bar = std::string(filled, '#') + std::string(kWidth - filled, '.');
      std::fprintf(stderr, "\r[%s] %3d%%", bar.c_str(), percent);
      std::fflush(stderr);
    }
  };
  runner.SetMidi(std::move(messages));
  if (showProgress) {
    runner.SetBlockHook(drawProgress);
  }
  runner.Run(input, result);
  if (showProgress) {
    drawProgress(frames, 0);
    std::fputc('\n', stderr);
  }
  plugin->Deactivate();
  // Plug-in output that is not a finite number would make an unplayable file.
  const int64_t replaced = TestSignal::Examine(result).nonFinite;
  if (replaced > 0) {
    const auto nonFinite = [](float sample) { return !std::isfinite(sample); };
    for (int32_t c = 0; c < result.Channels(); ++c) {
      std::replace_if(result.Channel(c), result.Channel(c) + frames, nonFinite, 0.0f);
    }
    std::fprintf(
        stderr, "quorvel-host render: warning: %lld samples from the plug-in were not finite; written as 0\n",
        static_cast<long long>(replaced));
  }
  audio.CopyFrom(result);
  // The output appears whole or not at all.
  std::error_code code;
  if (audio.Save(temporary, outputPath, error)) {
    std::filesystem::rename(temporary, outputPath, code);
    if (!code) {
      return true;
    }
    error = "cannot move the finished output into place as " + outputPath + ": " + code.message();
  }
  std::filesystem::remove(temporary, code);
  return false;
}

}  // namespace

int RunRender(const std::vector<std::string>& args) {
  CommandLine line;
  std::string error;
  if (!line.Parse(args, kOptions, error)) {
    return ToolOutput::Error("render", error, ToolOutput::kUsageError);
  }
  if (line.Positionals().size() != 3) {
    return ToolOutput::Error("render", "expects MODULE IN OUT", ToolOutput::kUsageError);
  }
  int64_t blockSize = 512;
  double tail = 0.0;
  if (!CommandLine::ParseInteger(line.Value("block", "512"), 1, 65536, blockSize)) {
    return ToolOutput::Error("render",
                             "block size '" + line.Value("block") + "' is not a number from 1 to 65536",
                             ToolOutput::kUsageError);
  }
  if (!CommandLine::ParseReal(line.Value("tail", "0"), 0.0, 3600.0, tail)) {
    return ToolOutput::Error("render",
                             "tail '" + line.Value("tail") + "' is not a number of seconds from 0 to 3600",
                             ToolOutput::kUsageError);
  }
  if (AudioFile::ContainerFor(line.Positionals()[2]) == 0) {
    return ToolOutput::Error("render",
                             "cannot tell the audio format of " + line.Positionals()[2] +
                                 " from its extension (wav, aiff, flac, ogg, ...)",
                             ToolOutput::kUsageError);
  }
  if (!Render(line, static_cast<int32_t>(blockSize), tail, error)) {
    return ToolOutput::Error("render", error);
  }
  return ToolOutput::kSuccess;
}

}  // namespace QuorvelHost
