#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/module-library/ModuleLibrary.h"
#include "tools/quorvel-host/ClapEventList.h"
#include "tools/quorvel-host/ClapHost.h"
#include "tools/quorvel-host/HostedPlugin.h"

namespace QuorvelHost {

// A CLAP module beneath HostedPlugin, and its one instance as a strict host drives it:
// the library loaded as hosts load one (its clap_entry of a compatible version, init with
// the file's path, deinit once the instance is gone), the factory's first plug-in made
// with the host's record, initialised, its extensions looked up.
// Plain values are the parameter's own (its min to max, stepped ones switches or
// choices), settings go through params.flush, a block's values and MIDI are its input
// events, the transport its transport event. CLAP has no programs.
// The thread that opens it is the plug-in's main thread; the calls that belong to the
// audio thread (processing, reset, and flush while active) run marked as such
// (ClapHost::AudioCall) on whichever thread calls them. Destroyed after processing and
// activation are switched off.
class HostedClap final : public HostedPlugin {
 public:
  // Main thread: the module at `path` with an instance of its own; null with a one-line
  // reason.
  static std::unique_ptr<HostedClap> Open(const std::string& path, std::string& error);
  // Whether a path names a CLAP module (it ends in ".clap").
  static bool IsClapPath(const std::string& path) {
    return path.size() > 5 && path.compare(path.size() - 5, 5, ".clap") == 0;
  }
  ~HostedClap() override;

  std::string Name() const override { return descriptor_->name; }
  const std::vector<HostedParameter>& Parameters() const override { return parameters_; }
  int32_t ProgramCount() const override { return 0; }
  // Main thread: activate; then, as the audio thread, start processing. Deactivate stops
  // processing as the audio thread, then deactivates (each only when on).
  bool Activate(double sampleRate, int32_t maxBlock, std::string& error) override;
  void Deactivate() override;
  void SetValue(size_t index, double plain) override;
  bool SelectProgram(int32_t program, std::string& error) override;
  std::vector<uint8_t> GetState(bool program) override;
  bool SetState(const std::vector<uint8_t>& bytes, bool program) override;
  void QueueValue(size_t index, double plain, int32_t offset) override;
  void QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) override;
  void Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
               int64_t songFrame) override;
  bool OpenEditor(void* parent, double scale, std::string& error) override;
  // Main thread: answers a request_callback made since the last turn with on_main_thread,
  // fires every timer the plug-in registered, and calls it for each of its descriptors (as
  // a host's loop does once the descriptor is readable).
  void IdleEditor() override;
  void CloseEditor() override;
  std::string Violations() const override { return host_.Violations(); }
  const char* ProcessCallName() const override { return "clap_plugin.process"; }

  // What only CLAP has, for the checks and tests that drive the format itself.
  const std::string& Path() const { return path_; }
  const clap_plugin_entry_t& Entry() const { return *entry_; }
  // The factory's descriptor of the plug-in made.
  const clap_plugin_descriptor_t* Descriptor() const { return descriptor_; }
  const clap_plugin_t& Plugin() const { return *plugin_; }
  ClapHost& Host() { return host_; }
  // The plug-in's extensions, null where it offers none.
  const clap_plugin_params_t* Params() const { return params_; }
  const clap_plugin_gui_t* Gui() const { return gui_; }
  const void* Extension(const char* id) const { return plugin_->get_extension(plugin_, id); }

  // Audio thread: one block of two channels in and out (the same pointers for in place).
  // `events` and `transport` may be null; the plug-in's events land in OutputEvents().
  clap_process_status Process(float** inputs, float** outputs, int32_t frames, const ClapEventList* events,
                              const clap_event_transport_t* transport);
  ClapEventList& OutputEvents() { return outputEvents_; }
  // params.flush with these events, on the audio thread while active, else on the main
  // thread; the plug-in's events land in OutputEvents().
  void Flush(const ClapEventList* events);

  // A parameter's value, or NaN where the plug-in gives none.
  double ParameterValue(clap_id id) const;
  // Main thread: from now on GetState's and SetState's streams move at most `piece` bytes
  // per call (all that is asked until set), as hosts that stream in pieces do.
  void SetStatePiece(uint32_t piece) { statePiece_ = std::max(piece, 1u); }

 private:
  HostedClap(const std::string& path, std::unique_ptr<ModuleLibrary> library, const clap_plugin_entry_t& entry)
      : library_(std::move(library)), path_(path), entry_(&entry) {}

  std::unique_ptr<ModuleLibrary> library_;  // unloaded last
  std::string path_;
  const clap_plugin_entry_t* entry_;  // initialised: deinit is due
  const clap_plugin_descriptor_t* descriptor_ = nullptr;
  ClapHost host_;
  const clap_plugin_t* plugin_ = nullptr;
  const clap_plugin_params_t* params_ = nullptr;
  const clap_plugin_state_t* state_ = nullptr;
  const clap_plugin_gui_t* gui_ = nullptr;
  std::vector<HostedParameter> parameters_;
  double sampleRate_ = 44100.0;
  bool active_ = false;
  bool processing_ = false;
  bool guiMade_ = false;
  uint32_t statePiece_ = 0xFFFFFFFFu;
  ClapEventList outputEvents_;
  ClapEventList noEvents_;
  ClapEventList events_;
  ClapEventList flushed_;
};

}  // namespace QuorvelHost
