#include "tools/quorvel-host/ClapChecks.h"

#include <atomic>
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tools/quorvel-host/ClapInstance.h"
#include "tools/quorvel-host/ClapModule.h"
#include "tools/quorvel-host/EditorWindow.h"
#include "tools/quorvel-host/Validator.h"

namespace QuorvelHost {

namespace {

// The host's record of calls on forbidden threads, as a check's failure text; empty when
// there were none.
std::string ThreadViolations(ClapInstance& plugin) {
  std::string text;
  for (const std::string& violation : plugin.Host().Violations()) {
    text += (text.empty() ? "" : "; ") + violation;
  }
  return text;
}

void ReportWithThreads(Validator& validator, const std::string& check, ClapInstance& plugin, bool passed,
                       const std::string& detail) {
  const std::string violations = ThreadViolations(plugin);
  validator.Report(check, passed && violations.empty(), violations.empty() ? detail : violations);
}

void FlushApplies(Validator& validator) {
  std::unique_ptr<ClapInstance> apart = validator.NewClapInstance();
  if (apart == nullptr) {
    validator.FailToCreate("processing");
    return;
  }
  // A process call of no frames and no buffers still applies its values.
  ClapEventList events;
  events.AddParameter(0, 0, 0.0);
  apart->Process(nullptr, nullptr, 0, &events, nullptr);
  ReportWithThreads(validator, "a flush applies its values", *apart, apart->ParameterValue(0) == 0.0,
                    "parameter 0 set to 0 by a process of no frames");
}

void State(Validator& validator) {
  std::unique_ptr<ClapInstance> plugin = validator.NewClapInstance();
  std::unique_ptr<ClapInstance> other = validator.NewClapInstance();
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
  const std::vector<uint8_t> saved = plugin->GetState(1);
  const bool loaded = !saved.empty() && other->SetState(saved, 1) && other->GetState() == saved;
  ReportWithThreads(validator, "state saved and loaded one byte at a time", *other, loaded,
                    std::to_string(saved.size()) + " bytes");

  // The main thread loads while the audio thread processes.
  const std::vector<uint8_t> fresh = validator.NewClapInstance()->GetState();
  std::atomic<bool> running{true};
  ClapInstance& audio = *plugin;
  std::thread thread([&audio, &running] {
    ChannelBuffers buffers(2, 256);
    while (running.load()) {
      audio.Process(buffers.At(0), buffers.At(0), 256, nullptr, nullptr);
    }
  });
  bool all = true;
  for (int i = 0; i < 100; ++i) {
    all = plugin->SetState(i % 2 == 0 ? fresh : saved, 7) && all;
  }
  running.store(false);
  thread.join();
  ReportWithThreads(validator, "state loads while audio runs", *plugin, all && plugin->GetState() == saved,
                    "100 loads against a running audio thread");
}

void Editor(Validator& validator) {
  std::unique_ptr<ClapInstance> plugin = validator.NewClapInstance();
  if (plugin == nullptr) {
    validator.FailToCreate("editor");
    return;
  }
  const clap_plugin_gui_t* gui = plugin->Gui();
  const char* api = nullptr;
  bool floating = true;
  if (gui == nullptr || !gui->get_preferred_api(&plugin->Plugin(), &api, &floating)) {
    validator.Skip("editor", "the plug-in offers no embedded editor");
    return;
  }
  std::unique_ptr<EditorWindow> window = EditorWindow::Create();
  if (window == nullptr) {
    validator.Skip("editor", "no display");
    return;
  }
  const clap_plugin_t* record = &plugin->Plugin();
  uint32_t width = 0;
  uint32_t height = 0;
  clap_window_t parent{};
  parent.api = api;
  if (std::strcmp(api, CLAP_WINDOW_API_X11) == 0) {
    parent.x11 = static_cast<clap_xwnd>(reinterpret_cast<uintptr_t>(window->Handle()));
  } else {
    parent.ptr = window->Handle();
  }
  const bool opened = gui->create(record, api, false) && gui->set_scale(record, 2.0) &&
                      gui->get_size(record, &width, &height) && gui->set_parent(record, &parent) && gui->show(record);
  for (int i = 0; opened && i < 5; ++i) {
    window->Pump();
    plugin->FireTimersAndDescriptors();
  }
  ReportWithThreads(validator, "editor opens embedded at scale 2", *plugin, opened,
                    std::to_string(width) + " x " + std::to_string(height));
  gui->hide(record);
  gui->destroy(record);
  ReportWithThreads(validator, "editor closes leaving no timer or descriptor", *plugin,
                    plugin->Host().Timers().empty() && plugin->Host().Descriptors().empty(), "after destroy");
}

}  // namespace

void ClapChecks::Run(Validator& validator) {
  FlushApplies(validator);
  State(validator);
  Editor(validator);
}

}  // namespace QuorvelHost
