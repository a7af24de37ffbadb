#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tools/quorvel-host/HostTransport.h"
#include "tools/quorvel-host/HostedParameter.h"

namespace QuorvelHost {

// One plug-in instance of any format as the tool's commands and checks drive it. Each
// format is an adapter beneath (HostedVst2, HostedVst3, HostedClap, HostedLv2) that turns
// these calls into its own; values cross in the format's plain values (see
// HostedParameter), MIDI as channel messages, the transport as HostTransport.
// Threads: the main thread describes, activates and sets; the audio thread (which may be
// the same) queues a block's events and processes it.
class HostedPlugin {
 public:
  // Main thread: the adapter for the path's format (a VST3 bundle, a CLAP module, an LV2
  // bundle, else a VST2 module) holding one instance; null with a one-line reason.
  static std::unique_ptr<HostedPlugin> Open(const std::string& path, std::string& error);
  virtual ~HostedPlugin() = default;

  // Main thread: what the plug-in calls itself, and its shape.
  virtual std::string Name() const = 0;
  virtual const std::vector<HostedParameter>& Parameters() const = 0;
  virtual int32_t ProgramCount() const = 0;
  virtual int32_t InputCount() const { return 2; }
  virtual int32_t OutputCount() const { return 2; }

  // Main thread: ready to process blocks of at most `maxBlock` frames; false with a
  // one-line reason. Deactivate undoes it.
  virtual bool Activate(double sampleRate, int32_t maxBlock, std::string& error) = 0;
  virtual void Deactivate() = 0;

  // Main thread, between blocks: a parameter's plain value, as a host's settings are made.
  virtual void SetValue(size_t index, double plain) = 0;
  // The plain value of the normalized value 0 to 1 a user gives for every format (as the
  // parameter's description tells, unless the adapter knows better), and setting it.
  virtual double PlainOf(size_t index, double normalized) const { return Parameters()[index].PlainOf(normalized); }
  void SetNormalized(size_t index, double normalized) { SetValue(index, PlainOf(index, normalized)); }
  virtual bool SelectProgram(int32_t program, std::string& error) = 0;
  // Main thread: the state, the program's alone where the format tells it apart; empty
  // where the plug-in gives none. SetState is true when the plug-in accepted the bytes.
  virtual std::vector<uint8_t> GetState(bool program) = 0;
  virtual bool SetState(const std::vector<uint8_t>& bytes, bool program) = 0;

  // Audio thread: the next block's events, at frames within it.
  virtual void QueueValue(size_t index, double plain, int32_t offset) = 0;
  virtual void QueueMidi(int32_t offset, uint8_t status, uint8_t data1, uint8_t data2) = 0;
  // Audio thread: hands the queued events over where the format has a call of its own
  // for that (VST2); elsewhere they travel with the block.
  virtual void DeliverEvents() {}
  // Audio thread: one block, its first frame at `songFrame` of the song.
  virtual void Process(float** inputs, float** outputs, int32_t frames, const HostTransport& transport,
                       int64_t songFrame) = 0;

  // Main thread: the plug-in's editor inside native window `parent` (an X11 window ID or
  // an HWND) at `scale` (1: its own size); false with a one-line reason where none opens.
  // IdleEditor gives it a turn of the host's loop (timers, descriptors, the format's idle
  // call); CloseEditor takes it down, and does nothing while none is open.
  virtual bool OpenEditor(void* parent, double scale, std::string& error) = 0;
  virtual void IdleEditor() = 0;
  virtual void CloseEditor() = 0;

  // Main thread: what the plug-in did against the format's thread rules so far, as one
  // line; empty where nothing (or the format has no rules a host watches).
  virtual std::string Violations() const { return ""; }
  // Whether a block may leave the audio unconnected (null buffers), as LV2 allows.
  virtual bool TakesUnconnectedAudio() const { return false; }

  // The calls a watch of the audio path names: the block's, and the events' own (or null).
  virtual const char* ProcessCallName() const = 0;
  virtual const char* EventsCallName() const { return nullptr; }
};

}  // namespace QuorvelHost
