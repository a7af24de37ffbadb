#include "delay/QuorvelDelayModel.h"

#include <cstdio>

#include "delay/DelayParameterTable.h"
#include "delay/QuorvelDelayDescription.h"
#include "delay/StereoCopy.h"
#include "model/Trace.h"

using VstToolkit::Trace;

QuorvelDelayModel::QuorvelDelayModel() : Model(kQuorvelDelayDescription) {
  Trace("QuorvelDelayModel::QuorvelDelayModel\r\n");
  OnSelectedProgramChanged(0, 0);
}

void QuorvelDelayModel::Process(float** inputs, float** outputs, int32_t offset, int32_t count) {
  const float* inLeft = inputs[0] + offset;
  const float* inRight = inputs[1] + offset;
  float* outLeft = outputs[0] + offset;
  float* outRight = outputs[1] + offset;
  if (enabled && IsPlaying()) {
    engine.Process(inLeft, inRight, outLeft, outRight, count);
  } else {
    CopyStereo(inLeft, inRight, outLeft, outRight, count);
  }
}

void QuorvelDelayModel::OnSampleRateChanged(float, float newRate) {
  Trace("QuorvelDelayModel::OnSampleRateChanged\r\n");
  engine.SetSampleRate(newRate);
}

void QuorvelDelayModel::OnTempoChanged(double, double) {
  Trace("QuorvelDelayModel::OnTempoChanged\r\n");
  if (syncEnabled) {
    SyncLeftDelay();
    SyncRightDelay();
  }
}

void QuorvelDelayModel::OnPlayingChanged(bool playing) {
  // A stopped transport silences the echoes in flight, so none replays on the next start.
  if (!playing) {
    engine.Clear();
  }
}

void QuorvelDelayModel::OnSelectedProgramChanged(int32_t oldIndex, int32_t newIndex) {
  Trace("QuorvelDelayModel::OnSelectedProgramChanged\r\n");
  // Index order matters: the free delay times come before "Sync", and "Sync" before the
  // note values, so each step sees the flags the new program has set so far.
  for (int32_t i = 0; i < GetParameterCount(); ++i) {
    OnParameterValueChanged(i, GetProgramParameterValue(oldIndex, i), GetProgramParameterValue(newIndex, i));
  }
}

void QuorvelDelayModel::OnParameterValueChanged(int32_t index, float, float newValue) {
  Trace("QuorvelDelayModel::OnParameterValueChanged\r\n");
  const float v = ClampNormalized(newValue);
  switch (index) {
    case DelayParameter::kEnabled:
      OnEnabledChanged(v);
      break;
    case DelayParameter::kLeftDelay:
      leftFreeSeconds = SquareOf(v);
      if (!syncEnabled) {
        engine.SetLeftDelay(leftFreeSeconds);
      }
      SetFloatParameterDisplay(index, leftFreeSeconds);
      break;
    case DelayParameter::kRightDelay:
      rightFreeSeconds = SquareOf(v);
      if (!syncEnabled) {
        engine.SetRightDelay(rightFreeSeconds);
      }
      SetFloatParameterDisplay(index, rightFreeSeconds);
      break;
    case DelayParameter::kSync:
      OnSyncEnabledChanged(v);
      break;
    case DelayParameter::kLeftSync:
      leftSyncIndex = NormalizedFloatToSelection(v, kDelayParameterRows[index].choices);
      if (syncEnabled) {
        SyncLeftDelay();
      }
      SetParameterDisplay(index, kDelayParameterRows[index].choiceNames[leftSyncIndex]);
      break;
    case DelayParameter::kRightSync:
      rightSyncIndex = NormalizedFloatToSelection(v, kDelayParameterRows[index].choices);
      if (syncEnabled) {
        SyncRightDelay();
      }
      SetParameterDisplay(index, kDelayParameterRows[index].choiceNames[rightSyncIndex]);
      break;
    case DelayParameter::kFeedback:
      engine.feedback = SquareOf(v);
      SetFloatParameterDisplay(index, engine.feedback);
      break;
    case DelayParameter::kFilter:
      OnFilterEnabledChanged(v);
      break;
    case DelayParameter::kCutoff: {
      const float cutoff = CutoffHertzOf(v);
      engine.SetCutoff(cutoff);
      SetFloatParameterDisplay(index, cutoff);
      break;
    }
    case DelayParameter::kFilterType:
      engine.filterType = NormalizedFloatToSelection(v, kDelayParameterRows[index].choices);
      SetParameterDisplay(index, kDelayParameterRows[index].choiceNames[engine.filterType]);
      break;
    case DelayParameter::kPan:
      OnPanEnabledChanged(v);
      break;
    case DelayParameter::kMix:
      engine.mix = v;
      ShowMix(v);
      break;
    default:
      break;
  }
}

void QuorvelDelayModel::OnEnabledChanged(float v) {
  Trace("QuorvelDelayModel::OnEnabledChanged\r\n");
  enabled = NormalizedFloatToBool(v);
  if (!enabled) {
    engine.Clear();  // no stale echoes when the effect comes back
  }
  SetOnOffParameterDisplay(DelayParameter::kEnabled, enabled, kDelayParameterRows[DelayParameter::kEnabled].offText);
}

void QuorvelDelayModel::OnSyncEnabledChanged(float v) {
  Trace("QuorvelDelayModel::OnSyncEnabledChanged\r\n");
  syncEnabled = NormalizedFloatToBool(v);
  if (syncEnabled) {
    SyncLeftDelay();
    SyncRightDelay();
  } else {
    engine.SetLeftDelay(leftFreeSeconds);
    engine.SetRightDelay(rightFreeSeconds);
  }
  SetOnOffParameterDisplay(DelayParameter::kSync, syncEnabled, kDelayParameterRows[DelayParameter::kSync].offText);
}

void QuorvelDelayModel::OnFilterEnabledChanged(float v) {
  Trace("QuorvelDelayModel::OnFilterEnabledChanged\r\n");
  engine.filterEnabled = NormalizedFloatToBool(v);
  SetOnOffParameterDisplay(DelayParameter::kFilter, engine.filterEnabled,
                           kDelayParameterRows[DelayParameter::kFilter].offText);
}

void QuorvelDelayModel::OnPanEnabledChanged(float v) {
  Trace("QuorvelDelayModel::OnPanEnabledChanged\r\n");
  engine.panEnabled = NormalizedFloatToBool(v);
  SetOnOffParameterDisplay(DelayParameter::kPan, engine.panEnabled, kDelayParameterRows[DelayParameter::kPan].offText);
}

void QuorvelDelayModel::SyncLeftDelay() {
  Trace("QuorvelDelayModel::SyncLeftDelay\r\n");
  engine.SetLeftDelay(SyncedSeconds(leftSyncIndex));
}

void QuorvelDelayModel::SyncRightDelay() {
  Trace("QuorvelDelayModel::SyncRightDelay\r\n");
  engine.SetRightDelay(SyncedSeconds(rightSyncIndex));
}

float QuorvelDelayModel::SyncedSeconds(int32_t note) const {
  const double tempo = GetTempo();
  // A zero tempo would make the note infinitely long, held at the longest delay; a negative
  // tempo (or a NaN) gives no meaningful length at all and is held there too.
  if (!(tempo > 0.0)) {
    return engine.maxDelaySeconds;
  }
  const double seconds = 60.0 / tempo / kNoteDivisors[note];
  return seconds > engine.maxDelaySeconds ? engine.maxDelaySeconds : static_cast<float>(seconds);
}

void QuorvelDelayModel::ShowMix(float v) {
  const int32_t n = MixDisplayNumberOf(v);
  if (n > 0) {
    std::snprintf(mixDisplay, sizeof mixDisplay, "+%d", static_cast<int>(n));
  } else {
    std::snprintf(mixDisplay, sizeof mixDisplay, "%d", static_cast<int>(n));
  }
  SetParameterDisplay(DelayParameter::kMix, mixDisplay);
}
