#include "tools/quorvel-host/ClapChecks.h"

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tools/quorvel-host/EditorWindow.h"
#include "tools/quorvel-host/HostedClap.h"
#include "tools/quorvel-host/Validator.h"

namespace QuorvelHost {

namespace {

// A CLAP instance as the shared checks make one; these checks run on CLAP modules alone.
std::unique_ptr<HostedClap> NewClap(Validator& validator) {
  return std::unique_ptr<HostedClap>(static_cast<HostedClap*>(validator.NewHosted().release()));
}

void FlushApplies(Validator& validator) {
  std::unique_ptr<HostedClap> apart = NewClap(validator);
  if (apart == nullptr) {
    validator.FailToCreate("processing");
    return;
  }
  // A process call of no frames and no buffers still applies its values.
  ClapEventList events;
  events.AddParameter(0, 0, 0.0);
  apart->Process(nullptr, nullptr, 0, &events, nullptr);
  validator.Report("a flush applies its values", *apart, apart->ParameterValue(0) == 0.0,
                   "parameter 0 set to 0 by a process of no frames");
}

void State(Validator& validator) {
  std::unique_ptr<HostedClap> plugin = NewClap(validator);
  std::unique_ptr<HostedClap> other = NewClap(validator);
  if (plugin == nullptr || other == nullptr) {
    validator.FailToCreate("state");
    return;
  }
  ClapEventList events;
  const uint32_t count = plugin->Params() != nullptr ? plugin->Params()->count(&plugin->Plugin()) : 0;
  for (uint32_t id = 0; id < count; ++id) {
    events.AddParameter(0, id, static_cast<double>(id + 1) / (count + 1));
  }
  plugin->Flush(&events);
  const std::vector<uint8_t> saved = plugin->SaveState(1);
  const bool loaded = !saved.empty() && other->LoadState(saved, 1) && other->SaveState() == saved;
  validator.Report("state saved and loaded one byte at a time", *other, loaded,
                   std::to_string(saved.size()) + " bytes");

  // The main thread loads while the audio thread processes.
  const std::vector<uint8_t> fresh = NewClap(validator)->SaveState();
  std::atomic<bool> running{true};
  HostedClap& audio = *plugin;
  std::thread thread([&audio, &running] {
    ChannelBuffers buffers(2, 256);
    while (running.load()) {
      audio.Process(buffers.At(0), buffers.At(0), 256, nullptr, nullptr);
    }
  });
  bool all = true;
  for (int i = 0; i < 100; ++i) {
    all = plugin->LoadState(i % 2 == 0 ? fresh : saved, 7) && all;
  }
  running.store(false);
  thread.join();
  validator.Report("state loads while audio runs", *plugin, all && plugin->SaveState() == saved,
                   "100 loads against a running audio thread");
}

void Editor(Validator& validator) {
  std::unique_ptr<HostedClap> plugin = NewClap(validator);
  if (plugin == nullptr) {
    validator.FailToCreate("editor");
    return;
  }
  if (plugin->Gui() == nullptr) {
    validator.Skip("editor", "the plug-in offers no embedded editor");
    return;
  }
  std::unique_ptr<EditorWindow> window = EditorWindow::Create();
  if (window == nullptr) {
    validator.Skip("editor", "no display");
    return;
  }
  std::string error;
  const bool opened = plugin->OpenEditor(window->Handle(), 2.0, error);
  uint32_t width = 0;
  uint32_t height = 0;
  for (int i = 0; opened && i < 5; ++i) {
    window->Pump();
    plugin->IdleEditor();
  }
  const bool sized = opened && plugin->Gui()->get_size(&plugin->Plugin(), &width, &height);
  validator.Report("editor opens embedded at scale 2", *plugin, sized,
                   opened ? std::to_string(width) + " x " + std::to_string(height) : error);
  plugin->CloseEditor();
  validator.Report("editor closes leaving no timer or descriptor", *plugin,
                   plugin->Host().Timers().empty() && plugin->Host().Descriptors().empty(), "after destroy");
}

}  // namespace

void ClapChecks::Run(Validator& validator) {
  FlushApplies(validator);
  State(validator);
  Editor(validator);
}

}  // namespace QuorvelHost
