#pragma once

#include <atomic>
#include <cstdint>

#include "delay/DelayEngine.h"
#include "model/Model.h"

// The delay as a plug-in model: maps the twelve parameters onto the engine, writes their
// display texts, locks the delay times to the host's tempo when asked, and runs the engine
// only while the effect is enabled and the host's transport plays.
//
// Threads: parameters and programs change on any of the host's threads, the user
// interface's, or the audio thread's MIDI dispatch. None of those touches the engine: each
// records what it asks for in atomics and marks it, and the audio thread applies the marked
// requests at the start of its next Process call, so the engine has one writer.
class QuorvelDelayModel final : public VstToolkit::Model {
 public:
  QuorvelDelayModel();
  ~QuorvelDelayModel() override = default;

  // Audio thread.
  void Process(float** inputs, float** outputs, int32_t offset, int32_t count) override;
  // Any thread: the echoes' time to fall below -90 dBFS after the input stops.
  double GetTailSeconds() const override;

  // For tests and tools: the engine as the parameters have set it, with what was asked for
  // since the last block applied first. The audio thread, or any thread while nothing
  // processes.
  const DelayEngine& Engine();
  // Any thread: the settings as last asked for.
  bool IsEnabled() const { return enabled.load(std::memory_order_relaxed); }
  bool IsSyncEnabled() const { return syncEnabled.load(std::memory_order_relaxed); }
  float LeftFreeSeconds() const { return leftFreeSeconds.load(std::memory_order_relaxed); }
  float RightFreeSeconds() const { return rightFreeSeconds.load(std::memory_order_relaxed); }
  int32_t LeftSyncIndex() const { return leftSyncIndex.load(std::memory_order_relaxed); }
  int32_t RightSyncIndex() const { return rightSyncIndex.load(std::memory_order_relaxed); }

  // Any thread, from the parameter table, with no trace line and no live value touched: how
  // a parameter is presented, and the display's text for any value (QuorvelDelayTexts.cpp).
  VstToolkit::ParameterKind GetParameterKind(int32_t index) const override;
  int32_t GetParameterChoiceCount(int32_t index) const override;
  VstToolkit::DisplayText FormatParameterValue(int32_t index, float value) const override;
  // Reads choice names and the switches' texts in any case, and numbers alone or followed
  // by the parameter's label ("0.25 Secs").
  bool ParseParameterValue(int32_t index, const char* text, float& value) const override;
  // Any thread, likewise: the values in units (QuorvelDelayUnits.cpp). Delay times and the
  // feedback gain read as their settings, 0..1 (the times in seconds); the cutoff in hertz,
  // 20..10000; the mix -100 (input only) to +100 (echoes only); switches 0 or 1; the
  // selectors their choice's number, 0..n-1.
  VstToolkit::ParameterUnits GetParameterUnits(int32_t index) const override;
  float ValueToUnits(int32_t index, float value) const override;
  float UnitsToValue(int32_t index, float units) const override;

 protected:
  // The host's thread, only while it is not processing, as the VST2 interface demands.
  void OnSampleRateChanged(float oldRate, float newRate) override;
  // Audio thread (the host's time information).
  void OnTempoChanged(double oldTempo, double newTempo) override;
  void OnPlayingChanged(bool playing) override;
  // Any thread that changes programs or parameters.
  void OnSelectedProgramChanged(int32_t oldIndex, int32_t newIndex) override;
  void OnParameterValueChanged(int32_t index, float oldValue, float newValue) override;
  // Times, the gain and the cutoff take their settings from `units` (held to the range).
  void OnParameterUnitsChanged(int32_t index, float oldValue, float newValue, float units) override;

 private:
  // Marks of what was asked for since the audio thread last looked, one bit each.
  enum Request : uint32_t {
    kLeftFreeTime = 1u << 0,   // the left free time changed
    kRightFreeTime = 1u << 1,  // the right free time changed
    kLeftNote = 1u << 2,       // the left note value, or the tempo it is timed at, changed
    kRightNote = 1u << 3,
    kSyncSwitch = 1u << 4,  // "Sync" was set, on or off
    kCutoff = 1u << 5,
    kSettings = 1u << 6,  // feedback, filter on and type, pan or mix
    kClearLines = 1u << 7,
  };

  // Sets parameter `index` to the normalised `v` (in 0..1), a delay time, the gain and the
  // cutoff to `setting`, the quantity it stands for.
  void ApplyParameter(int32_t index, float v, float setting);
  void OnEnabledChanged(float v);
  void OnSyncEnabledChanged(float v);
  void OnFilterEnabledChanged(float v);
  void OnPanEnabledChanged(float v);
  void SyncLeftDelay();
  void SyncRightDelay();
  float SyncedSeconds(int32_t note, double tempo) const;
  void ShowMix(float v);
  static VstToolkit::DisplayText MixDisplayOf(float v);
  bool ReadChoice(int32_t index, const char* text, float& value) const;
  // Any thread, after the values the request covers are stored.
  void Ask(uint32_t request) { requests.fetch_or(request, std::memory_order_release); }
  // Audio thread (or any while nothing processes): hands what was asked for to the engine.
  void ApplyRequests();

  std::atomic<bool> enabled{true};
  std::atomic<float> leftFreeSeconds{1.0f};
  std::atomic<float> rightFreeSeconds{1.0f};
  std::atomic<bool> syncEnabled{false};
  std::atomic<int32_t> leftSyncIndex{3};
  std::atomic<int32_t> rightSyncIndex{3};
  std::atomic<float> cutoffHertz{11025.0f};
  std::atomic<float> feedback{0.75f};
  std::atomic<bool> filterEnabled{false};
  std::atomic<int32_t> filterType{0};
  std::atomic<bool> panEnabled{true};
  std::atomic<float> mix{0.5f};
  std::atomic<uint32_t> requests{0};
  // Written by the audio thread only (and by the host while it is not processing).
  DelayEngine engine;
};
