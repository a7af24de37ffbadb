#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/clap/ClapBase.h"
#include "host/clap/ClapEvents.h"
#include "host/clap/ClapExtensions.h"
#include "host/clap/ClapGui.h"
#include "tools/quorvel-host/ClapEventList.h"
#include "tools/quorvel-host/ClapHost.h"

namespace QuorvelHost {

class ClapModule;

// One CLAP plug-in instance as a strict host drives it: made by the factory with the
// host's record, initialised, its extensions looked up. The thread that makes it is its
// main thread; the calls that belong to the audio thread (processing, reset, and flush
// while active) run marked as such (ClapHost::AudioCall) on whichever thread calls them.
// Destroyed after processing and activation are switched off.
class ClapInstance final {
 public:
  // Null with a one-line reason in `error` when the module makes no usable instance.
  static std::unique_ptr<ClapInstance> Create(const ClapModule& module, std::string& error);
  ~ClapInstance();
  ClapInstance(const ClapInstance&) = delete;
  ClapInstance& operator=(const ClapInstance&) = delete;

  const clap_plugin_t& Plugin() const { return *plugin_; }
  ClapHost& Host() { return host_; }
  // The plug-in's extensions, null where it offers none.
  const clap_plugin_params_t* Params() const { return params_; }
  const clap_plugin_state_t* State() const { return state_; }
  const clap_plugin_gui_t* Gui() const { return gui_; }
  const void* Extension(const char* id) const;

  // Main thread: activate; then, as the audio thread, start processing. False where the
  // plug-in refuses a step.
  bool Start(double sampleRate, int32_t maxBlock);
  // Audio thread: stop processing; main thread: deactivate (each only when on).
  void Stop();
  bool IsActive() const { return active_; }

  // Audio thread: one block of two channels in and out (the same pointers for in place).
  // `events` and `transport` may be null; the plug-in's events land in OutputEvents().
  clap_process_status Process(float** inputs, float** outputs, int32_t frames, const ClapEventList* events,
                              const clap_event_transport_t* transport);
  // Audio thread: reset.
  void Reset();
  ClapEventList& OutputEvents() { return outputEvents_; }

  // params.flush with these events, on the audio thread while active, else on the main
  // thread; the plug-in's events land in OutputEvents().
  void Flush(const ClapEventList* events);
  // Main thread: answers the plug-in's request_callback with on_main_thread.
  void RunMainThreadCallback();
  // Main thread: fires every timer the plug-in registered, and calls it for each of its
  // descriptors (as a host's loop does once the descriptor is readable).
  void FireTimersAndDescriptors();

  // A parameter's value, or NaN where the plug-in gives none.
  double ParameterValue(clap_id id) const;
  // The value a parameter takes for a VST2 host's normalized `value` (0 to 1), as users
  // give settings: a stepped parameter's step trunc(value x n) of its n steps, held to
  // them (as VST2 plug-ins pick a choice), any other min + value x (max - min). `value`
  // itself for an unknown ID.
  double PlainValue(clap_id id, double value) const;
  // Main thread: the state as the plug-in writes it into a stream taking at most `piece`
  // bytes per call; empty where it fails.
  std::vector<uint8_t> GetState(uint32_t piece = 0xFFFFFFFFu);
  // Main thread: the state through a stream giving at most `piece` bytes per call; true
  // when the plug-in accepted it.
  bool SetState(const std::vector<uint8_t>& bytes, uint32_t piece = 0xFFFFFFFFu);

 private:
  ClapInstance() = default;

  ClapHost host_;
  const clap_plugin_t* plugin_ = nullptr;
  const clap_plugin_params_t* params_ = nullptr;
  const clap_plugin_state_t* state_ = nullptr;
  const clap_plugin_gui_t* gui_ = nullptr;
  bool active_ = false;
  bool processing_ = false;
  ClapEventList outputEvents_;
  ClapEventList noEvents_;
  // The block's records, kept between calls.
  clap_audio_buffer_t inputBuffer_{};
  clap_audio_buffer_t outputBuffer_{};
  clap_process_t process_{};
};

}  // namespace QuorvelHost
