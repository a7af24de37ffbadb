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
  changes.TakeChangesUpTo(offset, [this](ParameterChangeQueues::Kind kind, ParamID id, ParamValue value) {
    if (kind == ParameterChangeQueues::Kind::kProgram) {
      core.SelectProgram(ProgramOfValue(value));
      parameterValuesMark.store(true, std::memory_order_release);
    } else {
      core.SetParameter(static_cast<int32_t>(id), static_cast<float>(value));
    }
  });
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
  if (startAfreshMark.load(std::memory_order_relaxed) && startAfreshMark.exchange(false, std::memory_order_acquire)) {
    core.StartAfresh();
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
  if (outputChanges == nullptr) {
    return;
  }
  int32_t frame = pieceStart + core.GetMidiDispatchFrame();
  frame = frame < blockFrames ? frame : blockFrames - 1;
  frame = frame > 0 ? frame : 0;
  int32 queueIndex = 0;
  Vst::IParamValueQueue* queue = outputChanges->addParameterData(static_cast<ParamID>(index), queueIndex);
  if (queue != nullptr) {
    int32 pointIndex = 0;
    queue->addPoint(frame, value, pointIndex);
  }
}

}  // namespace VstToolkit
