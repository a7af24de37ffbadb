#include "tools/quorvel-host/ClapRenderer.h"

#include <cstdlib>

#include "tools/quorvel-host/ClapBlockRunner.h"
#include "tools/quorvel-host/ClapInstance.h"
#include "tools/quorvel-host/ClapModule.h"
#include "tools/quorvel-host/ProgressBar.h"

namespace QuorvelHost {

namespace {

// "NAME=VALUE" for a parameter found by ID or name, the value 0 to 1.
bool FindSetting(const ClapInstance& plugin, const std::string& setting, clap_id& id, double& value,
                 std::string& error) {
  const size_t equals = setting.rfind('=');
  char* end = nullptr;
  const std::string name = equals == std::string::npos ? setting : setting.substr(0, equals);
  value = equals == std::string::npos ? -1.0 : std::strtod(setting.c_str() + equals + 1, &end);
  if (equals == std::string::npos || end == setting.c_str() + equals + 1 || *end != '\0' || !(value >= 0.0) ||
      value > 1.0) {
    error = "parameter setting '" + setting + "' is not NAME=VALUE with a value from 0 to 1";
    return false;
  }
  if (!plugin.FindParameter(name, id)) {
    error = "the plug-in has no parameter '" + name + "'";
    return false;
  }
  return true;
}

bool Prepare(ClapInstance& plugin, const Vst3Renderer::Settings& settings, ClapBlockRunner& runner,
             std::string& error) {
  for (const std::vector<uint8_t>& state : settings.states) {
    if (!plugin.SetState(state)) {
      error = "the plug-in rejected the state in a chunk file";
      return false;
    }
  }
  if (settings.program >= 0) {
    error = "a CLAP plug-in has no programs: give its state as a chunk file instead";
    return false;
  }
  ClapEventList values;
  for (const std::string& setting : settings.parameters) {
    clap_id id = 0;
    double value = 0.0;
    if (!FindSetting(plugin, setting, id, value, error)) {
      return false;
    }
    values.AddParameter(0, id, plugin.PlainValue(id, value));
  }
  plugin.Flush(&values);
  std::vector<ClapBlockRunner::TimedEvent> events;
  for (const TimedMidiMessage& message : settings.controllers) {
    events.push_back({message.frame, 0, 0.0, message.status, message.data1, message.data2});
  }
  runner.SetEvents(std::move(events));
  runner.SetTempo(settings.tempo);
  runner.SetStartPosition(settings.position);
  runner.SetTimeSignature(settings.numerator, settings.denominator);
  runner.SetPlaying(settings.playing);
  return true;
}

}  // namespace

bool ClapRenderer::Render(const std::string& path, const Vst3Renderer::Settings& settings, ChannelBuffers& input,
                          ChannelBuffers& output, std::string& error) {
  std::unique_ptr<ClapModule> module = ClapModule::Open(path, error);
  std::unique_ptr<ClapInstance> plugin = module ? ClapInstance::Create(*module, error) : nullptr;
  if (plugin == nullptr) {
    return false;
  }
  if (!plugin->Start(settings.sampleRate, settings.blockSize)) {
    error = "the plug-in refused to activate at " + std::to_string(settings.sampleRate) + " Hz";
    return false;
  }
  ClapBlockRunner runner(*plugin, settings.blockSize, settings.sampleRate);
  if (!Prepare(*plugin, settings, runner, error)) {
    return false;
  }
  const int64_t frames = input.Frames();
  ProgressBar progress(frames, static_cast<double>(frames) > 10.0 * settings.sampleRate);
  runner.SetBlockHook([&progress](int64_t first, int32_t) { progress.Update(first); });
  runner.Run(input, output);
  return true;
}

}  // namespace QuorvelHost
