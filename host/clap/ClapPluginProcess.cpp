// The block: the host's events at their frames, the plug-in's own events back.
#include <cmath>

#include "host/clap/ClapPlugin.h"
#include "model/MidiMessage.h"
#include "model/Model.h"

namespace VstToolkit {

namespace {

bool IsCoreEvent(const clap_event_header_t* event) {
  return event != nullptr && event->space_id == CLAP_CORE_EVENT_SPACE_ID;
}

// Events that cut the block where they fall: parameter values and the transport.
bool IsChange(const clap_event_header_t& event) {
  return (event.type == CLAP_EVENT_PARAM_VALUE && event.size >= sizeof(clap_event_param_value_t)) ||
         (event.type == CLAP_EVENT_TRANSPORT && event.size >= sizeof(clap_event_transport_t));
}

bool IsMidi(const clap_event_header_t& event) {
  return event.type == CLAP_EVENT_MIDI && event.size >= sizeof(clap_event_midi_t);
}

bool StereoBuffer(const clap_audio_buffer_t* buffers, uint32_t count) {
  return buffers != nullptr && count >= 1 && buffers[0].channel_count >= 2 && buffers[0].data32 != nullptr &&
         buffers[0].data32[0] != nullptr && buffers[0].data32[1] != nullptr;
}

}  // namespace

void ClapPlugin::ApplyTransport(const clap_event_transport_t& transport) {
  const uint32_t flags = transport.flags;
  HostTime time;
  time.hasTempo = (flags & CLAP_TRANSPORT_HAS_TEMPO) != 0;
  time.tempo = transport.tempo;
  time.hasPosition = (flags & CLAP_TRANSPORT_HAS_BEATS_TIMELINE) != 0;
  time.position = static_cast<double>(transport.song_pos_beats) / static_cast<double>(CLAP_BEATTIME_FACTOR);
  time.playing = (flags & CLAP_TRANSPORT_IS_PLAYING) != 0;
  time.hasTimeSignature = (flags & CLAP_TRANSPORT_HAS_TIME_SIGNATURE) != 0;
  time.numerator = transport.tsig_num;
  time.denominator = transport.tsig_denom;
  core.SetHostTime(time);
}

void ClapPlugin::ApplyChange(const clap_event_header_t& event) {
  if (event.type == CLAP_EVENT_TRANSPORT) {
    ApplyTransport(reinterpret_cast<const clap_event_transport_t&>(event));
    return;
  }
  const auto& change = reinterpret_cast<const clap_event_param_value_t&>(event);
  // Unknown IDs (anything past int32's range) and NaNs are refused by the core.
  if (change.param_id < static_cast<clap_id>(core.GetParameterCount())) {
    core.SetParameter(static_cast<int32_t>(change.param_id), static_cast<float>(change.value));
  }
}

void ClapPlugin::PushMidi(const clap_event_header_t& event, int32_t delta) {
  const auto& midi = reinterpret_cast<const clap_event_midi_t&>(event);
  if (midi.port_index == 0) {
    core.PushMidi(MidiMessage{delta, midi.data[0], midi.data[1], midi.data[2]});
  }
}

void ClapPlugin::ApplyAllEvents(const clap_input_events_t* in) {
  const uint32_t count = in != nullptr && in->size != nullptr && in->get != nullptr ? in->size(in) : 0;
  for (uint32_t i = 0; i < count; ++i) {
    const clap_event_header_t* event = in->get(in, i);
    if (!IsCoreEvent(event)) {
      continue;
    }
    if (IsChange(*event)) {
      ApplyChange(*event);
    } else if (IsMidi(*event)) {
      PushMidi(*event, 0);
    }
  }
}

// The editor's gestures and edits, in the order made, at the block's start.
void ClapPlugin::SendEdits(const clap_output_events_t* out) {
  if (edits.Empty()) {
    return;
  }
  const bool canPush = out != nullptr && out->try_push != nullptr;
  ClapEditQueue::Edit edit;
  while (edits.Pop(edit)) {
    if (!canPush) {
      continue;
    }
    if (edit.kind == ClapEditQueue::Kind::kValue) {
      clap_event_param_value_t event{};
      event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
      event.param_id = static_cast<clap_id>(edit.index);
      event.note_id = -1;
      event.port_index = -1;
      event.channel = -1;
      event.key = -1;
      event.value = edit.value;
      out->try_push(out, &event.header);
    } else {
      clap_event_param_gesture_t event{};
      const uint16_t type =
          edit.kind == ClapEditQueue::Kind::kBegin ? CLAP_EVENT_PARAM_GESTURE_BEGIN : CLAP_EVENT_PARAM_GESTURE_END;
      event.header = {sizeof event, 0, CLAP_CORE_EVENT_SPACE_ID, type, 0};
      event.param_id = static_cast<clap_id>(edit.index);
      out->try_push(out, &event.header);
    }
  }
}

// Audio thread: a learned controller moved a parameter at a frame of the block.
void ClapPlugin::ParameterSetByPlugin(int32_t index, float value) {
  if (outputEvents == nullptr || outputEvents->try_push == nullptr) {
    return;
  }
  int32_t frame = pieceStart + core.GetMidiDispatchFrame();
  frame = frame < blockFrames ? frame : blockFrames - 1;
  frame = frame > 0 ? frame : 0;
  clap_event_param_value_t event{};
  event.header = {sizeof event, static_cast<uint32_t>(frame), CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
  event.param_id = static_cast<clap_id>(index);
  event.note_id = -1;
  event.port_index = -1;
  event.channel = -1;
  event.key = -1;
  event.value = value;
  outputEvents->try_push(outputEvents, &event.header);
}

// The block is cut at every parameter value and transport event: those at frame 0 act
// before it as VST2's setParameter does, one at k acts at frame k, and of several at one
// frame the last counts. MIDI reaches the model with its frame as the delta within its
// piece. The host sorts its events; one that lies before the place reached counts there,
// so a block never runs backwards, and events at or past the end act after it.
void ClapPlugin::ProcessWithEvents(const clap_input_events_t* in, uint32_t count, float** inputs, float** outputs,
                                   int32_t frames) {
  const auto timeOf = [frames](const clap_event_header_t& event, int32_t start) {
    const int64_t time = event.time;
    return static_cast<int32_t>(time < start ? start : (time > frames ? frames : time));
  };
  uint32_t next = 0;
  int32_t start = 0;
  while (start < frames) {
    // Everything at the piece's start.
    for (; next < count; ++next) {
      const clap_event_header_t* event = in->get(in, next);
      if (!IsCoreEvent(event)) {
        continue;
      }
      if (timeOf(*event, start) > start) {
        break;
      }
      if (IsChange(*event)) {
        ApplyChange(*event);
      } else if (IsMidi(*event)) {
        PushMidi(*event, 0);
      }
    }
    // The piece runs to the next change after its start (one out of order, lying before,
    // waits for the place reached); the MIDI before it goes with it.
    int32_t end = frames;
    for (uint32_t i = next; i < count; ++i) {
      const clap_event_header_t* event = in->get(in, i);
      if (IsCoreEvent(event) && IsChange(*event) && timeOf(*event, start) > start) {
        end = timeOf(*event, start);
        break;
      }
    }
    for (; next < count; ++next) {
      const clap_event_header_t* event = in->get(in, next);
      if (!IsCoreEvent(event)) {
        continue;
      }
      const int32_t time = timeOf(*event, start);
      if (time >= end || IsChange(*event)) {
        break;
      }
      if (IsMidi(*event)) {
        PushMidi(*event, time - start);
      }
    }
    float* in2[2] = {inputs[0] + start, inputs[1] + start};
    float* out2[2] = {outputs[0] + start, outputs[1] + start};
    pieceStart = start;
    core.ProcessBlock(in2, out2, end - start);
    start = end;
  }
  // Events at or past the end: after the block, for the next one.
  for (; next < count; ++next) {
    const clap_event_header_t* event = in->get(in, next);
    if (!IsCoreEvent(event)) {
      continue;
    }
    if (IsChange(*event)) {
      ApplyChange(*event);
    } else if (IsMidi(*event)) {
      PushMidi(*event, 0);
    }
  }
}

// Audio thread.
clap_process_status ClapPlugin::Process(const clap_plugin_t* plugin, const clap_process_t* process) {
  ClapPlugin* self = From(plugin);
  if (self == nullptr || process == nullptr) {
    return CLAP_PROCESS_ERROR;
  }
  self->SendEdits(process->out_events);
  if (process->transport != nullptr) {
    self->ApplyTransport(*process->transport);
  }
  const clap_input_events_t* in = process->in_events;
  const uint32_t count = in != nullptr && in->size != nullptr && in->get != nullptr ? in->size(in) : 0;
  const int32_t frames = process->frames_count <= static_cast<uint32_t>(INT32_MAX)
                             ? static_cast<int32_t>(process->frames_count)
                             : 0;
  const bool audio = frames > 0 && StereoBuffer(process->audio_inputs, process->audio_inputs_count) &&
                     StereoBuffer(process->audio_outputs, process->audio_outputs_count);
  self->outputEvents = process->out_events;
  self->blockFrames = frames;
  self->pieceStart = 0;
  if (!audio) {
    // A flush: the changes count, MIDI reaches the model for the next block.
    self->ApplyAllEvents(in);
  } else if (count == 0) {
    // Most blocks bring no event: the whole block in one piece, as VST2's processReplacing.
    self->core.ProcessBlock(process->audio_inputs[0].data32, process->audio_outputs[0].data32, frames);
  } else {
    self->ProcessWithEvents(in, count, process->audio_inputs[0].data32, process->audio_outputs[0].data32, frames);
  }
  self->outputEvents = nullptr;
  return CLAP_PROCESS_CONTINUE;
}

// Audio thread: the lines fall silent as when the transport stops, then the transport is
// as it was.
void ClapPlugin::Reset(const clap_plugin_t* plugin) {
  ClapPlugin* self = From(plugin);
  if (self == nullptr) {
    return;
  }
  const bool playing = self->core.GetModel().IsPlaying();
  HostTime stopped;
  stopped.playing = false;
  self->core.SetHostTime(stopped);
  HostTime resumed;
  resumed.playing = playing;
  self->core.SetHostTime(resumed);
}

// The audio thread while active, else the main thread: the host's changes apply as
// setParameter does; the editor's edits go out.
void ClapPlugin::ParamFlush(const clap_plugin_t* plugin, const clap_input_events_t* in,
                            const clap_output_events_t* out) {
  ClapPlugin* self = From(plugin);
  if (self == nullptr) {
    return;
  }
  self->SendEdits(out);
  self->outputEvents = nullptr;
  self->ApplyAllEvents(in);
}

}  // namespace VstToolkit
