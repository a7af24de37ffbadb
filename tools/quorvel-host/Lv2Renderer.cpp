#include "tools/quorvel-host/Lv2Renderer.h"

#include <cstdlib>

#include "tools/quorvel-host/Lv2BlockRunner.h"
#include "tools/quorvel-host/Lv2Instance.h"
#include "tools/quorvel-host/Lv2Module.h"
#include "tools/quorvel-host/ProgressBar.h"

namespace QuorvelHost {

namespace {

// "NAME=VALUE" for a control input found by number, symbol or name.
bool ApplySetting(Lv2BlockRunner& runner, const std::string& setting, std::string& error) {
  const size_t equals = setting.rfind('=');
  char* end = nullptr;
  const double value = equals == std::string::npos ? -1.0 : std::strtod(setting.c_str() + equals + 1, &end);
  if (equals == std::string::npos || end == setting.c_str() + equals + 1 || *end != '\0' || !(value >= 0.0) ||
      value > 1.0) {
    error = "parameter setting '" + setting + "' is not NAME=VALUE with a value from 0 to 1";
    return false;
  }
  if (!runner.SetParameter(setting.substr(0, equals), static_cast<float>(value))) {
    error = "the plug-in has no parameter '" + setting.substr(0, equals) + "'";
    return false;
  }
  return true;
}

}  // namespace

bool Lv2Renderer::Render(const std::string& path, const Vst3Renderer::Settings& settings, ChannelBuffers& input,
                         ChannelBuffers& output, std::string& error) {
  if (settings.program >= 0) {
    error = "an LV2 plug-in has no programs to select; hand over a chunk instead";
    return false;
  }
  std::unique_ptr<Lv2Module> module = Lv2Module::Open(path, error);
  std::unique_ptr<Lv2BlockRunner> runner =
      module ? Lv2BlockRunner::Create(*module, settings.sampleRate, settings.blockSize, error) : nullptr;
  if (runner == nullptr) {
    return false;
  }
  for (const std::vector<uint8_t>& state : settings.states) {
    if (!runner->RestoreState(state)) {
      error = "the plug-in rejected the state in a chunk file";
      return false;
    }
  }
  for (const std::string& setting : settings.parameters) {
    if (!ApplySetting(*runner, setting, error)) {
      return false;
    }
  }
  runner->SetTempo(settings.tempo);
  runner->SetStartPosition(settings.position);
  runner->SetTimeSignature(settings.numerator, settings.denominator);
  runner->SetPlaying(settings.playing);
  runner->SetMidi(settings.controllers);
  const int64_t frames = input.Frames();
  ProgressBar progress(frames, static_cast<double>(frames) > 10.0 * settings.sampleRate);
  runner->SetBlockHook([&progress](int64_t first, int32_t) { progress.Update(first); });
  runner->Run(input, output);
  return true;
}

}  // namespace QuorvelHost
