#include "tools/quorvel-host/Vst3Renderer.h"

#include <cstdlib>

#include "tools/quorvel-host/ProgressBar.h"
#include "tools/quorvel-host/Vst3BlockRunner.h"
#include "tools/quorvel-host/Vst3CheckSupport.h"
#include "tools/quorvel-host/Vst3Instance.h"
#include "tools/quorvel-host/Vst3Module.h"
#include "tools/quorvel-host/Vst3Text.h"

namespace QuorvelHost {

namespace {

namespace Vst = Steinberg::Vst;

// "NAME=VALUE" for a parameter found by ID, short or long title, the value 0 to 1.
bool FindSetting(const std::vector<Vst::ParameterInfo>& parameters, const std::string& setting, Vst::ParamID& id,
                 double& value, std::string& error) {
  const size_t equals = setting.rfind('=');
  char* end = nullptr;
  const std::string name = equals == std::string::npos ? setting : setting.substr(0, equals);
  value = equals == std::string::npos ? -1.0 : std::strtod(setting.c_str() + equals + 1, &end);
  if (equals == std::string::npos || end == setting.c_str() + equals + 1 || *end != '\0' || !(value >= 0.0) ||
      value > 1.0) {
    error = "parameter setting '" + setting + "' is not NAME=VALUE with a value from 0 to 1";
    return false;
  }
  for (const Vst::ParameterInfo& info : parameters) {
    if ((info.flags & Vst::ParameterInfo::kIsHidden) == 0 &&
        (std::to_string(info.id) == name || Vst3Text::Ascii(info.shortTitle) == name ||
         Vst3Text::Ascii(info.title) == name)) {
      id = info.id;
      return true;
    }
  }
  error = "the plug-in has no parameter '" + name + "'";
  return false;
}

bool Prepare(Vst3Instance& plugin, const Vst3Renderer::Settings& settings, Vst3BlockRunner& runner,
             std::string& error) {
  for (const std::vector<uint8_t>& state : settings.states) {
    if (!plugin.SetState(state)) {
      error = "the plug-in rejected the state in a chunk file";
      return false;
    }
  }
  const std::vector<Vst::ParameterInfo> parameters = Vst3CheckSupport::Parameters(plugin);
  std::vector<std::pair<Vst::ParamID, double>> changes;
  if (settings.program >= 0) {
    for (const Vst::ParameterInfo& info : parameters) {
      if ((info.flags & Vst::ParameterInfo::kIsProgramChange) != 0 && settings.program <= info.stepCount) {
        changes.emplace_back(info.id, static_cast<double>(settings.program) / (info.stepCount > 0 ? info.stepCount : 1));
      }
    }
    if (changes.empty()) {
      error = "the plug-in has no program " + std::to_string(settings.program);
      return false;
    }
  }
  for (const std::string& setting : settings.parameters) {
    Vst::ParamID id = 0;
    double value = 0.0;
    if (!FindSetting(parameters, setting, id, value, error)) {
      return false;
    }
    changes.emplace_back(id, value);
  }
  Vst3CheckSupport::Flush(plugin, changes);
  std::vector<Vst3BlockRunner::TimedChange> controllers;
  auto* mapping = static_cast<Vst::IMidiMapping*>(plugin.Query(Vst::IMidiMapping::iid));
  for (const TimedMidiMessage& message : settings.controllers) {
    Vst::ParamID id = 0;
    if (mapping == nullptr || mapping->getMidiControllerAssignment(0, static_cast<Steinberg::int16>(message.status & 0x0F),
                                                                   message.data1, id) != Steinberg::kResultTrue) {
      continue;  // a controller the plug-in does not map has no effect, as a VST2 plug-in ignoring it
    }
    controllers.push_back({message.frame, id, message.data2 / 127.0});
  }
  if (mapping != nullptr) {
    mapping->release();
  }
  runner.SetChanges(std::move(controllers));
  runner.SetTempo(settings.tempo);
  runner.SetStartPosition(settings.position);
  runner.SetTimeSignature(settings.numerator, settings.denominator);
  runner.SetPlaying(settings.playing);
  return true;
}

}  // namespace

bool Vst3Renderer::Render(const std::string& path, const Settings& settings, ChannelBuffers& input,
                          ChannelBuffers& output, std::string& error) {
  std::unique_ptr<Vst3Module> module = Vst3Module::Open(path, error);
  std::unique_ptr<Vst3Instance> plugin = module ? Vst3Instance::Create(*module, error) : nullptr;
  if (plugin == nullptr) {
    return false;
  }
  if (!plugin->Start(settings.sampleRate, settings.blockSize)) {
    error = "the plug-in refused a stereo 32-bit set-up at " + std::to_string(settings.sampleRate) + " Hz";
    return false;
  }
  Vst3BlockRunner runner(*plugin, settings.blockSize, settings.sampleRate);
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
