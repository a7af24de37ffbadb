#pragma once

#include <cstdint>

#include "delay/DelayEngine.h"
#include "model/Model.h"

// The delay as a plug-in model: maps the twelve parameters onto the engine, writes their
// display texts, locks the delay times to the host's tempo when asked, and runs the engine
// only while the effect is enabled and the host's transport plays.
class QuorvelDelayModel final : public VstToolkit::Model {
 public:
  QuorvelDelayModel();
  ~QuorvelDelayModel() override = default;

  // Audio thread.
  void Process(float** inputs, float** outputs, int32_t offset, int32_t count) override;

  // For tests and tools: the engine as the parameters have set it.
  const DelayEngine& Engine() const { return engine; }
  bool IsEnabled() const { return enabled; }
  bool IsSyncEnabled() const { return syncEnabled; }
  float LeftFreeSeconds() const { return leftFreeSeconds; }
  float RightFreeSeconds() const { return rightFreeSeconds; }
  int32_t LeftSyncIndex() const { return leftSyncIndex; }
  int32_t RightSyncIndex() const { return rightSyncIndex; }

 protected:
  // Parameter thread (sample rate, programs, parameters) or the audio thread's time
  // poll (tempo, transport).
  void OnSampleRateChanged(float oldRate, float newRate) override;
  void OnTempoChanged(double oldTempo, double newTempo) override;
  void OnPlayingChanged(bool playing) override;
  void OnSelectedProgramChanged(int32_t oldIndex, int32_t newIndex) override;
  void OnParameterValueChanged(int32_t index, float oldValue, float newValue) override;

 private:
  void OnEnabledChanged(float v);
  void OnSyncEnabledChanged(float v);
  void OnFilterEnabledChanged(float v);
  void OnPanEnabledChanged(float v);
  void SyncLeftDelay();
  void SyncRightDelay();
  float SyncedSeconds(int32_t note) const;
  void ShowMix(float v);

  bool enabled = true;
  float leftFreeSeconds = 1.0f;
  float rightFreeSeconds = 1.0f;
  bool syncEnabled = false;
  int32_t leftSyncIndex = 3;
  int32_t rightSyncIndex = 3;
  char mixDisplay[128] = {};
  DelayEngine engine;
};
