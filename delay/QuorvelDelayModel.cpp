#include "delay/QuorvelDelayModel.h"

#include <cmath>
#include <limits>

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
  // The common case, nothing asked for since the last call: one relaxed load.
  if (requests.load(std::memory_order_relaxed) != 0) {
    ApplyRequests();
  }
  const float* inLeft = inputs[0] + offset;
  const float* inRight = inputs[1] + offset;
  float* outLeft = outputs[0] + offset;
  float* outRight = outputs[1] + offset;
  if (enabled.load(std::memory_order_relaxed) && IsPlaying()) {
    engine.Process(inLeft, inRight, outLeft, outRight, count);
  } else {
    CopyStereo(inLeft, inRight, outLeft, outRight, count);
  }
}

// A full-scale input's first echo comes after the longer delay; each further one is the
// last times the feedback gain g (the saturator is linear below 0.72, and the filters pass
// no more than they get). Echo k (from 0) stays at or above -90 dBFS (10^-4.5) while
// g^k >= 10^-4.5, so the last one is k = floor(-4.5 ln 10 / ln g) and the tail lasts
// k + 1 delays. At g = 1 the saturated feedback sustains the echoes for ever.
double QuorvelDelayModel::GetTailSeconds() const {
  const bool sync = syncEnabled.load(std::memory_order_relaxed);
  const double left = sync ? SyncedSeconds(leftSyncIndex.load(std::memory_order_relaxed), Tempo())
                           : leftFreeSeconds.load(std::memory_order_relaxed);
  const double right = sync ? SyncedSeconds(rightSyncIndex.load(std::memory_order_relaxed), Tempo())
                            : rightFreeSeconds.load(std::memory_order_relaxed);
  const double longer = left > right ? left : right;
  const double gain = feedback.load(std::memory_order_relaxed);
  if (gain >= 1.0) {
    return std::numeric_limits<double>::infinity();
  }
  const double echoes = gain > 0.0 ? std::floor(-4.5 * std::log(10.0) / std::log(gain)) + 1.0 : 1.0;
  return longer * echoes;
}

const DelayEngine& QuorvelDelayModel::Engine() {
  ApplyRequests();
  return engine;
}

// Each mark stands for the engine call its change needs. Made here once, with the latest
// values, those calls leave the engine as making them one by one between the blocks would
// have: a second SetLeftDelay before a block leaves the glide as that call alone does, and
// SetCutoff designs from the cutoff alone. A free time counts only while Sync is off and a
// note value only while it is on, as Sync stands now; switching it sets both delays. The
// delay times are worked out here, from the settings as they are now, so a change racing
// with another (a free time with a Sync switch, a note value with a tempo change) is never
// overtaken by a stale result.
void QuorvelDelayModel::ApplyRequests() {
  const uint32_t taken = requests.exchange(0, std::memory_order_acquire);
  if ((taken & kSettings) != 0) {
    engine.feedback = feedback.load(std::memory_order_relaxed);
    engine.filterEnabled = filterEnabled.load(std::memory_order_relaxed);
    engine.filterType = filterType.load(std::memory_order_relaxed);
    engine.panEnabled = panEnabled.load(std::memory_order_relaxed);
    engine.mix = mix.load(std::memory_order_relaxed);
  }
  if ((taken & kCutoff) != 0) {
    engine.SetCutoff(cutoffHertz.load(std::memory_order_relaxed));
  }
  const bool sync = syncEnabled.load(std::memory_order_relaxed);
  if ((taken & (kSyncSwitch | (sync ? kLeftNote : kLeftFreeTime))) != 0) {
    engine.SetLeftDelay(sync ? SyncedSeconds(leftSyncIndex.load(std::memory_order_relaxed), Tempo())
                             : leftFreeSeconds.load(std::memory_order_relaxed));
  }
  if ((taken & (kSyncSwitch | (sync ? kRightNote : kRightFreeTime))) != 0) {
    engine.SetRightDelay(sync ? SyncedSeconds(rightSyncIndex.load(std::memory_order_relaxed), Tempo())
                              : rightFreeSeconds.load(std::memory_order_relaxed));
  }
  if ((taken & kClearLines) != 0) {
    engine.Clear();
  }
}

void QuorvelDelayModel::OnSampleRateChanged(float, float newRate) {
  Trace("QuorvelDelayModel::OnSampleRateChanged\r\n");
  // The new rate reaches the glides and filters after what was asked at the old one, as it
  // always has. Nothing processes meanwhile, so this thread may write the engine.
  ApplyRequests();
  engine.SetSampleRate(newRate);
}

void QuorvelDelayModel::OnTempoChanged(double, double) {
  Trace("QuorvelDelayModel::OnTempoChanged\r\n");
  if (syncEnabled.load(std::memory_order_relaxed)) {
    SyncLeftDelay();
    SyncRightDelay();
  }
}

void QuorvelDelayModel::OnPlayingChanged(bool playing) {
  // A stopped transport silences the echoes in flight, so none replays on the next start.
  // The transport is reported on the audio thread, which owns the engine.
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

// The free times and note values are marked whether or not "Sync" picks them now: a Sync
// switch on another thread may be about to.
void QuorvelDelayModel::OnParameterValueChanged(int32_t index, float, float newValue) {
  Trace("QuorvelDelayModel::OnParameterValueChanged\r\n");
  const float v = ClampNormalized(newValue);
  ApplyParameter(index, v, ValueToUnits(index, v));
}

// A NaN never comes here: the core refuses it before it becomes a value.
void QuorvelDelayModel::OnParameterUnitsChanged(int32_t index, float, float newValue, float units) {
  Trace("QuorvelDelayModel::OnParameterValueChanged\r\n");
  const VstToolkit::ParameterUnits range = GetParameterUnits(index);
  const float held = units > range.minimum ? (units < range.maximum ? units : range.maximum) : range.minimum;
  ApplyParameter(index, ClampNormalized(newValue), held);
}

void QuorvelDelayModel::ApplyParameter(int32_t index, float v, float setting) {
  switch (index) {
    case DelayParameter::kEnabled:
      OnEnabledChanged(v);
      break;
    case DelayParameter::kLeftDelay: {
      const float seconds = setting;
      leftFreeSeconds.store(seconds, std::memory_order_relaxed);
      Ask(kLeftFreeTime);
      SetFloatParameterDisplay(index, seconds);
      break;
    }
    case DelayParameter::kRightDelay: {
      const float seconds = setting;
      rightFreeSeconds.store(seconds, std::memory_order_relaxed);
      Ask(kRightFreeTime);
      SetFloatParameterDisplay(index, seconds);
      break;
    }
    case DelayParameter::kSync:
      OnSyncEnabledChanged(v);
      break;
    case DelayParameter::kLeftSync: {
      const int32_t note = NormalizedFloatToSelection(v, kDelayParameterRows[index].choices);
      leftSyncIndex.store(note, std::memory_order_relaxed);
      Ask(kLeftNote);
      if (syncEnabled.load(std::memory_order_relaxed)) {
        SyncLeftDelay();
      }
      SetParameterDisplay(index, kDelayParameterRows[index].choiceNames[note]);
      break;
    }
    case DelayParameter::kRightSync: {
      const int32_t note = NormalizedFloatToSelection(v, kDelayParameterRows[index].choices);
      rightSyncIndex.store(note, std::memory_order_relaxed);
      Ask(kRightNote);
      if (syncEnabled.load(std::memory_order_relaxed)) {
        SyncRightDelay();
      }
      SetParameterDisplay(index, kDelayParameterRows[index].choiceNames[note]);
      break;
    }
    case DelayParameter::kFeedback: {
      const float gain = setting;
      feedback.store(gain, std::memory_order_relaxed);
      Ask(kSettings);
      SetFloatParameterDisplay(index, gain);
      break;
    }
    case DelayParameter::kFilter:
      OnFilterEnabledChanged(v);
      break;
    case DelayParameter::kCutoff: {
      const float hertz = setting;
      cutoffHertz.store(hertz, std::memory_order_relaxed);
      Ask(kCutoff);
      SetFloatParameterDisplay(index, hertz);
      break;
    }
    case DelayParameter::kFilterType: {
      const int32_t type = NormalizedFloatToSelection(v, kDelayParameterRows[index].choices);
      filterType.store(type, std::memory_order_relaxed);
      Ask(kSettings);
      SetParameterDisplay(index, kDelayParameterRows[index].choiceNames[type]);
      break;
    }
    case DelayParameter::kPan:
      OnPanEnabledChanged(v);
      break;
    case DelayParameter::kMix:
      mix.store(v, std::memory_order_relaxed);
      Ask(kSettings);
      ShowMix(v);
      break;
    default:
      break;
  }
}

void QuorvelDelayModel::OnEnabledChanged(float v) {
  Trace("QuorvelDelayModel::OnEnabledChanged\r\n");
  const bool on = NormalizedFloatToBool(v);
  enabled.store(on, std::memory_order_relaxed);
  if (!on) {
    Ask(kClearLines);  // no stale echoes when the effect comes back
  }
  SetOnOffParameterDisplay(DelayParameter::kEnabled, on, kDelayParameterRows[DelayParameter::kEnabled].offText);
}

void QuorvelDelayModel::OnSyncEnabledChanged(float v) {
  Trace("QuorvelDelayModel::OnSyncEnabledChanged\r\n");
  const bool on = NormalizedFloatToBool(v);
  syncEnabled.store(on, std::memory_order_relaxed);
  // Either way both delays are set again: to the note values, or back to the free times.
  Ask(kSyncSwitch);
  if (on) {
    SyncLeftDelay();
    SyncRightDelay();
  }
  SetOnOffParameterDisplay(DelayParameter::kSync, on, kDelayParameterRows[DelayParameter::kSync].offText);
}

void QuorvelDelayModel::OnFilterEnabledChanged(float v) {
  Trace("QuorvelDelayModel::OnFilterEnabledChanged\r\n");
  const bool on = NormalizedFloatToBool(v);
  filterEnabled.store(on, std::memory_order_relaxed);
  Ask(kSettings);
  SetOnOffParameterDisplay(DelayParameter::kFilter, on, kDelayParameterRows[DelayParameter::kFilter].offText);
}

void QuorvelDelayModel::OnPanEnabledChanged(float v) {
  Trace("QuorvelDelayModel::OnPanEnabledChanged\r\n");
  const bool on = NormalizedFloatToBool(v);
  panEnabled.store(on, std::memory_order_relaxed);
  Ask(kSettings);
  SetOnOffParameterDisplay(DelayParameter::kPan, on, kDelayParameterRows[DelayParameter::kPan].offText);
}

// The note's length is worked out where the request is applied, at the tempo the audio
// thread has then; the tempo asked for here is only reported, as this step always has.
void QuorvelDelayModel::SyncLeftDelay() {
  Trace("QuorvelDelayModel::SyncLeftDelay\r\n");
  GetTempo();
  Ask(kLeftNote);
}

void QuorvelDelayModel::SyncRightDelay() {
  Trace("QuorvelDelayModel::SyncRightDelay\r\n");
  GetTempo();
  Ask(kRightNote);
}

float QuorvelDelayModel::SyncedSeconds(int32_t note, double tempo) const {
  // A zero tempo would make the note infinitely long, held at the longest delay; a negative
  // tempo (or a NaN) gives no meaningful length at all and is held there too.
  if (!(tempo > 0.0)) {
    return engine.maxDelaySeconds;
  }
  const double seconds = 60.0 / tempo / kNoteDivisors[note];
  return seconds > engine.maxDelaySeconds ? engine.maxDelaySeconds : static_cast<float>(seconds);
}

void QuorvelDelayModel::ShowMix(float v) {
  SetParameterDisplay(DelayParameter::kMix, MixDisplayOf(v));
}
