#include "tools/quorvel-host/CheckGroups.h"

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

void FlushApplies(Validator& validator) {
  std::unique_ptr<HostedClap> apart = validator.New<HostedClap>("processing");
  if (apart == nullptr) {
    return;
  }
  // A process call of no frames and no buffers still applies its values.
  apart->QueueValue(0, 0.0, 0);
  apart->Process(nullptr, nullptr, 0, HostTransport{}, 0);
  validator.Report("a flush applies its values", *apart, apart->ParameterValue(0) == 0.0,
                   "parameter 0 set to 0 by a process of no frames");
}

void State(Validator& validator) {
  std::unique_ptr<HostedClap> plugin = validator.New<HostedClap>("state");
  std::unique_ptr<HostedClap> other = plugin ? validator.New<HostedClap>("state") : nullptr;
  if (other == nullptr) {
    return;
  }
  Validator::ApplyRandomSettings(*plugin, 5);
  plugin->SetStatePiece(1);
  other->SetStatePiece(1);
  const std::vector<uint8_t> fresh = other->GetState(false);
  const std::vector<uint8_t> saved = plugin->GetState(false);
  const bool loaded = !saved.empty() && other->SetState(saved, false) && other->GetState(false) == saved;
  validator.Report("state saved and loaded one byte at a time", *other, loaded,
                   std::to_string(saved.size()) + " bytes");

  // The main thread loads while the audio thread processes.
  plugin->SetStatePiece(7);
  std::atomic<bool> running{true};
  std::thread thread([&plugin, &running] {
    ChannelBuffers buffers(2, 256);
    while (running.load()) {
      plugin->Process(buffers.At(0), buffers.At(0), 256, nullptr, nullptr);
    }
  });
  bool all = true;
  for (int i = 0; i < 100; ++i) {
    all = plugin->SetState(i % 2 == 0 ? fresh : saved, false) && all;
  }
  running.store(false);
  thread.join();
  validator.Report("state loads while audio runs", *plugin, all && plugin->GetState(false) == saved,
                   "100 loads against a running audio thread");
}

void EmbeddedEditor(Validator& validator) {
  std::unique_ptr<HostedClap> plugin = validator.New<HostedClap>("editor");
  std::unique_ptr<EditorWindow> window = EditorWindow::Create();
  if (plugin == nullptr) {
    return;
  }
  if (plugin->Gui() == nullptr || window == nullptr) {
    validator.Skip("editor", plugin->Gui() == nullptr ? "the plug-in offers no embedded editor" : "no display");
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

void CheckGroups::Clap(Validator& validator) {
  FlushApplies(validator);
  State(validator);
  EmbeddedEditor(validator);
}

}  // namespace QuorvelHost
