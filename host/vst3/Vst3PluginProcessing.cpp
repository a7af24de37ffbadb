// The audio processor: buses, set-up and the block.
#include <cmath>

#include "host/vst3/Vst3Plugin.h"
#include "model/MidiMessage.h"

namespace VstToolkit {

namespace Vst = Steinberg::Vst;

Steinberg::tresult Vst3Plugin::setBusArrangements(Vst::SpeakerArrangement* inputs, int32 numIns,
                                                  Vst::SpeakerArrangement* outputs, int32 numOuts) {
  const bool stereo = numIns == 1 && numOuts == 1 && inputs != nullptr && outputs != nullptr &&
                      inputs[0] == Vst::SpeakerArr::kStereo && outputs[0] == Vst::SpeakerArr::kStereo;
  return stereo ? Steinberg::kResultTrue : Steinberg::kResultFalse;
}

Steinberg::tresult Vst3Plugin::getBusArrangement(Vst::BusDirection dir, int32 index, Vst::SpeakerArrangement& arr) {
  if (index != 0 || (dir != Vst::kInput && dir != Vst::kOutput)) {
    return Steinberg::kInvalidArgument;
  }
  arr = Vst::SpeakerArr::kStereo;
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3Plugin::canProcessSampleSize(int32 symbolicSampleSize) {
  return symbolicSampleSize == Vst::kSample32 ? Steinberg::kResultTrue : Steinberg::kResultFalse;
}

Steinberg::uint32 Vst3Plugin::getLatencySamples() {
  return 0;
}

Steinberg::tresult Vst3Plugin::setupProcessing(Vst::ProcessSetup& setup) {
  // The model takes a new rate only while nothing processes.
  if (setup.symbolicSampleSize != Vst::kSample32 || processing.load(std::memory_order_relaxed)) {
    return Steinberg::kResultFalse;
  }
  if (!(setup.sampleRate > 0.0) || !std::isfinite(setup.sampleRate)) {
    return Steinberg::kInvalidArgument;
  }
  sampleRate = setup.sampleRate;
  core.SetSampleRate(static_cast<float>(setup.sampleRate));
  return Steinberg::kResultOk;
}

Steinberg::tresult Vst3Plugin::setProcessing(TBool state) {
  processing.store(state != 0, std::memory_order_relaxed);
  return Steinberg::kResultOk;
}

Steinberg::uint32 Vst3Plugin::getTailSamples() {
  const double seconds = core.GetTailSeconds() * sampleRate;
  if (!(seconds < static_cast<double>(Vst::kInfiniteTail))) {
    return Vst::kInfiniteTail;
  }
  return static_cast<uint32>(std::ceil(seconds));
}

bool Vst3Plugin::StereoBuffers(const Vst::AudioBusBuffers* buses, int32 count, int32 frames) {
  if (frames <= 0 || buses == nullptr || count < 1 || buses[0].numChannels < 2 ||
      buses[0].channelBuffers32 == nullptr) {
    return false;
  }
  return buses[0].channelBuffers32[0] != nullptr && buses[0].channelBuffers32[1] != nullptr;
}

void Vst3Plugin::ApplyHostTime(const Vst::ProcessContext* context) {
  // Without a context the model keeps the time it has, as VST2's null time information does.
  if (context == nullptr) {
    return;
  }
  const uint32 state = context->state;
  HostTime time;
  time.hasTempo = (state & Vst::ProcessContext::kTempoValid) != 0;
  time.tempo = context->tempo;
  time.hasPosition = (state & Vst::ProcessContext::kProjectTimeMusicValid) != 0;
  time.position = context->projectTimeMusic;
  time.playing = (state & Vst::ProcessContext::kPlaying) != 0;
  time.hasTimeSignature = (state & Vst::ProcessContext::kTimeSigValid) != 0;
  time.numerator = context->timeSigNumerator;
  time.denominator = context->timeSigDenominator;
  core.SetHostTime(time);
}

int32_t Vst3Plugin::ListEntryOfValue(ParamValue value, int32_t steps) {
  // Each of the steps + 1 entries owns an equal share of 0..1; 1.0 itself is the last one's.
  const double scaled = std::floor(value * static_cast<double>(steps + 1));
  return scaled >= static_cast<double>(steps) ? steps : (scaled > 0.0 ? static_cast<int32_t>(scaled) : 0);
}

int32_t Vst3Plugin::ProgramOfValue(ParamValue value) const {
  return ListEntryOfValue(value, core.GetProgramCount() - 1);
}

void Vst3Plugin::ApplyChangesUpTo(int32_t offset) {
  const int32_t frame = FrameOfOffset(offset);
  bool programChanged = false;
  // The program's queue comes first: what the host sets beside it overrides the program.
  changes.TakeChangesUpTo(
      offset, [this, frame, &programChanged](ParameterChangeQueues::Kind kind, ParamID id, ParamValue value) {
        if (kind == ParameterChangeQueues::Kind::kProgram) {
          for (int32_t i = 0; i < core.GetParameterCount(); ++i) {
            valuesBeforeProgram[i] = core.GetParameter(i);
            setByHost[i] = false;
          }
          core.SelectProgram(ProgramOfValue(value));
          parameterValuesMark.store(true, std::memory_order_release);
          programChanged = true;
        } else {
          ApplyParameterChange(id, value, frame);
        }
      });
  if (programChanged) {
    ReportProgramValues(frame);
  }
}

void Vst3Plugin::ApplyParameterChange(ParamID id, ParamValue value, int32_t frame) {
  const auto enabled = static_cast<int32_t>(Vst3ParameterIds::kEnabled);
  const bool wasOn = IsEnabledOn();
  if (id == Vst3ParameterIds::kBypass) {
    SetBypass(value);
    setByHost[enabled] = true;
    if (IsEnabledOn() != wasOn) {
      ReportChange(Vst3ParameterIds::kEnabled, core.GetParameter(enabled), frame);
    }
    return;
  }
  core.SetParameter(static_cast<int32_t>(id), static_cast<float>(value));
  setByHost[id] = true;
  if (id == Vst3ParameterIds::kEnabled && IsEnabledOn() != wasOn) {
    ReportChange(Vst3ParameterIds::kBypass, BypassValue(), frame);
  }
}

void Vst3Plugin::ReportProgramValues(int32_t frame) {
  for (int32_t i = 0; i < core.GetParameterCount(); ++i) {
    const float value = core.GetParameter(i);
    if (!setByHost[i] && value != valuesBeforeProgram[i]) {
      ReportParameter(i, value, frame);
    }
  }
}

void Vst3Plugin::ReportParameter(int32_t index, float value, int32_t frame) {
  ReportChange(static_cast<ParamID>(index), value, frame);
  if (index == static_cast<int32_t>(Vst3ParameterIds::kEnabled)) {
    ReportChange(Vst3ParameterIds::kBypass, value >= 0.5f ? 0.0 : 1.0, frame);
  }
}

void Vst3Plugin::ReportChange(ParamID id, ParamValue value, int32_t frame) {
  if (outputChanges == nullptr) {
    return;
  }
  int32 queueIndex = 0;
  Vst::IParamValueQueue* queue = outputChanges->addParameterData(id, queueIndex);
  if (queue != nullptr) {
    int32 pointIndex = 0;
    queue->addPoint(frame, value, pointIndex);
  }
}

int32_t Vst3Plugin::FrameOfOffset(int32_t offset) const {
  // Changes past the block's end act after it: the host hears them at its last frame.
  const int32_t last = blockFrames > 0 ? blockFrames - 1 : 0;
  return offset < last ? (offset > 0 ? offset : 0) : last;
}

void Vst3Plugin::PushControllersBefore(int32_t end, int32_t start) {
  changes.TakeControllersBefore(end, [this, start](ParamID id, int32_t offset, ParamValue value) {
    const double held = value < 0.0 ? 0.0 : (value > 1.0 ? 1.0 : value);
    const auto data = static_cast<uint8_t>(std::lround(held * 127.0));
    const auto status = static_cast<uint8_t>(0xB0 | Vst3ParameterIds::ChannelOf(id));
    const auto controller = static_cast<uint8_t>(Vst3ParameterIds::ControllerOf(id));
    const int32_t delta = offset > start ? offset - start : 0;
    core.PushMidi(MidiMessage{delta, status, controller, data});
  });
}

// The block is cut at every parameter or program change: changes at 0 act before it as
// VST2's setParameter does, a change at k acts at frame k, changes past the end after it
// (in the next block). Controllers go to the model as MIDI at their offsets within the
// piece, where it cuts the piece itself, as it does for VST2's MIDI events.
Steinberg::tresult Vst3Plugin::process(Vst::ProcessData& data) {
  if (data.symbolicSampleSize != Vst::kSample32) {
    return Steinberg::kInvalidArgument;
  }
  const int32_t frames = data.numSamples;
  changes.Begin(data.inputParameterChanges);
  outputChanges = data.outputParameterChanges;
  blockFrames = frames;
  pieceStart = 0;
  const bool audio =
      StereoBuffers(data.inputs, data.numInputs, frames) && StereoBuffers(data.outputs, data.numOutputs, frames);
  // Most blocks bring no change: the whole block in one piece, as VST2's processReplacing.
  if (changes.Empty()) {
    ApplyHostTime(data.processContext);
    if (audio) {
      core.ProcessBlock(data.inputs[0].channelBuffers32, data.outputs[0].channelBuffers32, frames);
    }
    outputChanges = nullptr;
    return Steinberg::kResultOk;
  }
  ApplyChangesUpTo(0);
  ApplyHostTime(data.processContext);
  if (!audio) {
    // A flush: the changes count, the controllers reach the model for the next block.
    ApplyChangesUpTo(ParameterChangeQueues::kNone);
    PushControllersBefore(ParameterChangeQueues::kNone, ParameterChangeQueues::kNone);
    outputChanges = nullptr;
    return Steinberg::kResultOk;
  }
  float** inputs = data.inputs[0].channelBuffers32;
  float** outputs = data.outputs[0].channelBuffers32;
  int32_t start = 0;
  while (start < frames) {
    const int32_t next = changes.NextChangeOffset();
    const int32_t end = next < frames ? next : frames;
    const bool last = end == frames;
    PushControllersBefore(last ? ParameterChangeQueues::kNone : end, start);
    float* in[2] = {inputs[0] + start, inputs[1] + start};
    float* out[2] = {outputs[0] + start, outputs[1] + start};
    pieceStart = start;
    core.ProcessBlock(in, out, end - start);
    start = end;
    ApplyChangesUpTo(last ? ParameterChangeQueues::kNone : start);
  }
  outputChanges = nullptr;
  return Steinberg::kResultOk;
}

void Vst3Plugin::ParameterSetByPlugin(int32_t index, float value) {
  ReportParameter(index, value, FrameOfOffset(pieceStart + core.GetMidiDispatchFrame()));
}

}  // namespace VstToolkit
