#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "host/clap/ClapBase.h"
#include "host/clap/ClapEditQueue.h"
#include "host/clap/ClapEvents.h"
#include "host/clap/ClapExtensions.h"
#include "host/clap/ClapGui.h"
#include "instance/InstanceCore.h"
#include "instance/InstanceHost.h"

namespace VstToolkit {

class Model;

// The CLAP face of the plug-in: one clap_plugin record whose calls and extensions
// translate into the instance core it owns, and the core's news back into the host's
// calls: the editor's gestures and edits as events handed over in the next process or
// params.flush (asked for with request_flush), the plug-in's own changes (learned MIDI
// controllers) as events of the block, a changed state through request_callback and
// state.mark_dirty on the main thread. Pointers, IDs and sizes from the host are checked
// here; indices and values in the core.
//
// Threads as the format names them: the main thread for set-up, parameters' information,
// state and the editor; the audio thread for process, reset and start/stop processing;
// params.flush on the audio thread while active, else on the main thread. No host call
// that belongs to the main thread is ever made from the audio thread.
class ClapPlugin final : private InstanceHost {
 public:
  // The host's main thread (the factory's create_plugin). Takes ownership of the model.
  ClapPlugin(const clap_host_t* host, const clap_plugin_descriptor_t* descriptor, std::unique_ptr<Model> model);
  ClapPlugin(const ClapPlugin&) = delete;
  ClapPlugin& operator=(const ClapPlugin&) = delete;

  // Any thread: the record the host holds; its destroy deletes the face.
  const clap_plugin_t* Record() const { return &record; }
  // The host's main thread: the core this face translates into (for the editor's wiring).
  InstanceCore& Core() { return core; }

 private:
  ~ClapPlugin();
  // The face behind a record from the host, or null for a record that is none of ours.
  static ClapPlugin* From(const clap_plugin_t* plugin);

  // clap_plugin (ClapPlugin.cpp).
  static bool Init(const clap_plugin_t* plugin);
  static void Destroy(const clap_plugin_t* plugin);
  static bool Activate(const clap_plugin_t* plugin, double sampleRate, uint32_t minFrames, uint32_t maxFrames);
  static void Deactivate(const clap_plugin_t* plugin);
  static bool StartProcessing(const clap_plugin_t* plugin);
  static void StopProcessing(const clap_plugin_t* plugin);
  static const void* GetExtension(const clap_plugin_t* plugin, const char* id);
  static void OnMainThread(const clap_plugin_t* plugin);
  // clap_plugin's audio-thread calls (ClapPluginProcess.cpp).
  static void Reset(const clap_plugin_t* plugin);
  static clap_process_status Process(const clap_plugin_t* plugin, const clap_process_t* process);

  // The extensions (ClapPluginPorts.cpp, ClapPluginParams.cpp, ClapPluginState.cpp,
  // ClapPluginGui.cpp).
  static const clap_plugin_audio_ports_t kAudioPorts;
  static const clap_plugin_note_ports_t kNotePorts;
  static const clap_plugin_latency_t kLatency;
  static const clap_plugin_tail_t kTail;
  static const clap_plugin_params_t kParams;
  static const clap_plugin_state_t kState;
  static const clap_plugin_gui_t kGui;
  static const clap_plugin_timer_support_t kTimerSupport;
  static const clap_plugin_posix_fd_support_t kPosixFdSupport;
  static uint32_t AudioPortCount(const clap_plugin_t* plugin, bool isInput);
  static bool AudioPortInfo(const clap_plugin_t* plugin, uint32_t index, bool isInput, clap_audio_port_info_t* info);
  static uint32_t NotePortCount(const clap_plugin_t* plugin, bool isInput);
  static bool NotePortInfo(const clap_plugin_t* plugin, uint32_t index, bool isInput, clap_note_port_info_t* info);
  static uint32_t LatencyFrames(const clap_plugin_t* plugin);
  static uint32_t TailFrames(const clap_plugin_t* plugin);
  static uint32_t ParamCount(const clap_plugin_t* plugin);
  static bool ParamInfo(const clap_plugin_t* plugin, uint32_t index, clap_param_info_t* info);
  static bool ParamValue(const clap_plugin_t* plugin, clap_id id, double* value);
  static bool ParamValueToText(const clap_plugin_t* plugin, clap_id id, double value, char* text, uint32_t capacity);
  static bool ParamTextToValue(const clap_plugin_t* plugin, clap_id id, const char* text, double* value);
  static void ParamFlush(const clap_plugin_t* plugin, const clap_input_events_t* in, const clap_output_events_t* out);
  bool ParameterOf(clap_id id, int32_t& index, bool& bypass) const;
  static bool SaveState(const clap_plugin_t* plugin, const clap_ostream_t* stream);
  static bool LoadState(const clap_plugin_t* plugin, const clap_istream_t* stream);
  static bool GuiIsApiSupported(const clap_plugin_t* plugin, const char* api, bool isFloating);
  static bool GuiGetPreferredApi(const clap_plugin_t* plugin, const char** api, bool* isFloating);
  static bool GuiCreate(const clap_plugin_t* plugin, const char* api, bool isFloating);
  static void GuiDestroy(const clap_plugin_t* plugin);
  static bool GuiSetScale(const clap_plugin_t* plugin, double scale);
  static bool GuiGetSize(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height);
  static bool GuiCanResize(const clap_plugin_t* plugin);
  static bool GuiGetResizeHints(const clap_plugin_t* plugin, clap_gui_resize_hints_t* hints);
  static bool GuiAdjustSize(const clap_plugin_t* plugin, uint32_t* width, uint32_t* height);
  static bool GuiSetSize(const clap_plugin_t* plugin, uint32_t width, uint32_t height);
  static bool GuiSetParent(const clap_plugin_t* plugin, const clap_window_t* window);
  static bool GuiSetTransient(const clap_plugin_t* plugin, const clap_window_t* window);
  static void GuiSuggestTitle(const clap_plugin_t* plugin, const char* title);
  static bool GuiShow(const clap_plugin_t* plugin);
  static bool GuiHide(const clap_plugin_t* plugin);
  static void OnTimer(const clap_plugin_t* plugin, clap_id timerId);
  static void OnFd(const clap_plugin_t* plugin, int fd, clap_posix_fd_flags_t flags);

  // The editor's platform part (ClapPluginGuiX11.cpp, ClapPluginGuiWin32.cpp): its window
  // API, and the idle work started once the editor is open and stopped before it closes.
  static const char* WindowApi();
  void StartIdle();
  void StopIdle();
  void CloseGui();

  // What the core tells the host (ClapPluginHost.cpp).
  void BeginParameterEdit(int32_t index) override;
  void PerformParameterEdit(int32_t index, float value) override;
  void EndParameterEdit(int32_t index) override;
  void ParameterSetByPlugin(int32_t index, float value) override;
  bool ResizeEditor(int32_t width, int32_t height) override;
  void StateChanged() override;
  void QueueEdit(ClapEditQueue::Kind kind, int32_t index, float value);
  bool OnMainThreadByHost() const;

  // The block's pieces (ClapPluginProcess.cpp), audio thread (or the flush's thread).
  void ApplyTransport(const clap_event_transport_t& transport);
  // A host's change, any of its own at `time` told back (the bypass when Enabled moved).
  void ApplyChange(const clap_event_header_t& event, uint32_t time);
  void ReportChange(const clap_output_events_t* out, uint32_t time, int32_t index, float value, clap_id told);
  void PushMidi(const clap_event_header_t& event, int32_t delta);
  void ApplyAllEvents(const clap_input_events_t* in);
  void SendEdits(const clap_output_events_t* out);
  void ProcessWithEvents(const clap_input_events_t* in, uint32_t count, float** inputs, float** outputs,
                         int32_t frames);

  clap_plugin_t record;
  const clap_host_t* const host;
  InstanceCore core;
  // The host's extensions, looked up once in init (null where it offers none).
  const clap_host_params_t* hostParams = nullptr;
  const clap_host_state_t* hostState = nullptr;
  const clap_host_gui_t* hostGui = nullptr;
  const clap_host_timer_support_t* hostTimers = nullptr;
  const clap_host_posix_fd_support_t* hostFds = nullptr;
  const clap_host_thread_check_t* hostThreads = nullptr;

  ClapEditQueue edits;
  std::atomic<bool> stateDirty{false};    // set on any thread, taken on the main thread
  double sampleRate = 44100.0;            // main thread, while not active
  std::atomic<bool> active{false};
  // The block being processed, for the plug-in's own changes (audio thread).
  const clap_output_events_t* outputEvents = nullptr;
  int32_t pieceStart = 0;
  int32_t blockFrames = 0;
  // The editor (main thread).
  bool guiCreated = false;
  clap_id idleTimer = CLAP_INVALID_ID;
  int idleDescriptor = -1;
};

}  // namespace VstToolkit
