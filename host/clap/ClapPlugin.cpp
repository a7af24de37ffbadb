#include "host/clap/ClapPlugin.h"

#include <cmath>
#include <cstring>
#include <utility>

#include "model/Model.h"

namespace VstToolkit {

ClapPlugin::ClapPlugin(const clap_host_t* clapHost, const clap_plugin_descriptor_t* descriptor,
                       std::unique_ptr<Model> model)
    : record{}, host(clapHost), core(std::move(model)) {
  record.desc = descriptor;
  record.plugin_data = this;
  record.init = &ClapPlugin::Init;
  record.destroy = &ClapPlugin::Destroy;
  record.activate = &ClapPlugin::Activate;
  record.deactivate = &ClapPlugin::Deactivate;
  record.start_processing = &ClapPlugin::StartProcessing;
  record.stop_processing = &ClapPlugin::StopProcessing;
  record.reset = &ClapPlugin::Reset;
  record.process = &ClapPlugin::Process;
  record.get_extension = &ClapPlugin::GetExtension;
  record.on_main_thread = &ClapPlugin::OnMainThread;
  core.Attach(*this);
}

ClapPlugin::~ClapPlugin() {
  // The editor goes first, while everything it reaches is alive.
  CloseGui();
}

ClapPlugin* ClapPlugin::From(const clap_plugin_t* plugin) {
  return plugin != nullptr ? static_cast<ClapPlugin*>(plugin->plugin_data) : nullptr;
}

// Main thread. The host's extensions may be asked for from here on, not before.
bool ClapPlugin::Init(const clap_plugin_t* plugin) {
  ClapPlugin* self = From(plugin);
  if (self == nullptr) {
    return false;
  }
  const clap_host_t* host = self->host;
  if (host->get_extension != nullptr) {
    self->hostParams = static_cast<const clap_host_params_t*>(host->get_extension(host, CLAP_EXT_PARAMS));
    self->hostState = static_cast<const clap_host_state_t*>(host->get_extension(host, CLAP_EXT_STATE));
    self->hostGui = static_cast<const clap_host_gui_t*>(host->get_extension(host, CLAP_EXT_GUI));
    self->hostTimers =
        static_cast<const clap_host_timer_support_t*>(host->get_extension(host, CLAP_EXT_TIMER_SUPPORT));
    self->hostFds =
        static_cast<const clap_host_posix_fd_support_t*>(host->get_extension(host, CLAP_EXT_POSIX_FD_SUPPORT));
    self->hostThreads =
        static_cast<const clap_host_thread_check_t*>(host->get_extension(host, CLAP_EXT_THREAD_CHECK));
  }
  return true;
}

// Main thread.
void ClapPlugin::Destroy(const clap_plugin_t* plugin) {
  delete From(plugin);
}

// Main thread: the model takes a new rate only while nothing processes.
bool ClapPlugin::Activate(const clap_plugin_t* plugin, double sampleRate, uint32_t, uint32_t) {
  ClapPlugin* self = From(plugin);
  if (self == nullptr || self->active.load(std::memory_order_relaxed) || !(sampleRate > 0.0) ||
      !std::isfinite(sampleRate)) {
    return false;
  }
  self->sampleRate = sampleRate;
  self->core.SetSampleRate(static_cast<float>(sampleRate));
  // What the lines held before a deactivation must not sound again; the audio thread owns
  // them, so the core clears them at its first block.
  self->core.StartAfresh();
  self->active.store(true, std::memory_order_release);
  return true;
}

// Main thread.
void ClapPlugin::Deactivate(const clap_plugin_t* plugin) {
  if (ClapPlugin* self = From(plugin)) {
    self->active.store(false, std::memory_order_release);
  }
}

// Audio thread: nothing to set up or tear down around processing.
bool ClapPlugin::StartProcessing(const clap_plugin_t* plugin) {
  return From(plugin) != nullptr;
}

void ClapPlugin::StopProcessing(const clap_plugin_t*) {}

// Any thread.
const void* ClapPlugin::GetExtension(const clap_plugin_t* plugin, const char* id) {
  if (From(plugin) == nullptr || id == nullptr) {
    return nullptr;
  }
  const struct {
    const char* id;
    const void* extension;
  } extensions[] = {
      {CLAP_EXT_AUDIO_PORTS, &kAudioPorts}, {CLAP_EXT_NOTE_PORTS, &kNotePorts},
      {CLAP_EXT_PARAMS, &kParams},          {CLAP_EXT_STATE, &kState},
      {CLAP_EXT_LATENCY, &kLatency},        {CLAP_EXT_TAIL, &kTail},
      {CLAP_EXT_GUI, &kGui},                {CLAP_EXT_TIMER_SUPPORT, &kTimerSupport},
      {CLAP_EXT_POSIX_FD_SUPPORT, &kPosixFdSupport},
  };
  for (const auto& extension : extensions) {
    if (std::strcmp(id, extension.id) == 0) {
      return extension.extension;
    }
  }
  return nullptr;
}

// Main thread, after the plug-in asked for it with request_callback.
void ClapPlugin::OnMainThread(const clap_plugin_t* plugin) {
  ClapPlugin* self = From(plugin);
  if (self != nullptr && self->stateDirty.exchange(false, std::memory_order_acq_rel) && self->hostState != nullptr &&
      self->hostState->mark_dirty != nullptr) {
    self->hostState->mark_dirty(self->host);
  }
}

}  // namespace VstToolkit
