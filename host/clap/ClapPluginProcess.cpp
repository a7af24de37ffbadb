// The block: the host's events at their frames, the plug-in's own events back.
#include <cmath>

#include "host/clap/ClapPlugin.h"
#include "host/clap/ClapParameterValues.h"
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

void ClapPlugin::ApplyChange(const clap_event_header_t& event, uint32_t time) {
  if (event.type == CLAP_EVENT_TRANSPORT) {
    ApplyTransport(reinterpret_cast<const clap_event_transport_t&>(event));
    return;
  }
  const auto& change = reinterpret_cast<const clap_event_param_value_t&>(event);
  int32_t index = 0;
  bool bypass = false;
  // Unknown IDs are ignored, NaNs refused by the core.
  if (!ParameterOf(change.param_id, index, bypass)) {
    return;
  }
  const float value = ClapParameterValues::NormalizedOf(core.GetParameterDetails(index),
                                                        bypass ? 1.0 - change.value : change.value);
  core.SetParameter(index, value);
  if (index == ClapParameterValues::kEnabledIndex && !std::isnan(value)) {
    ReportChange(outputEvents, time, index, core.GetParameter(index), change.param_id);
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
      ApplyChange(*event, 0);
    } else if (IsMidi(*event)) {
      PushMidi(*event, 0);
    }
  }
}

// Audio thread (or the flush's thread): a parameter's new value as the host sees it, with
// the bypass's when Enabled moved; `told` is the ID the host itself set, not told back.
void ClapPlugin::ReportChange(const clap_output_events_t* out, uint32_t time, int32_t index, float value,
                              clap_id told) {
  if (out == nullptr || out->try_push == nullptr) {
    return;
  }
  const double plain = ClapParameterValues::PlainOf(core.GetParameterDetails(index), value);
  const auto push = [out, time](clap_id id, double plainValue) {
    clap_event_param_value_t event{};
    event.header = {sizeof event, time, CLAP_CORE_EVENT_SPACE_ID, CLAP_EVENT_PARAM_VALUE, 0};
    event.param_id = id;
    event.note_id = -1;
    event.port_index = -1;
    event.channel = -1;
    event.key = -1;
    event.value = plainValue;
    out->try_push(out, &event.header);
  };
  if (static_cast<clap_id>(index) != told) {
    push(static_cast<clap_id>(index), plain);
  }
  if (index == ClapParameterValues::kEnabledIndex && told != ClapParameterValues::kBypassId) {
    push(ClapParameterValues::kBypassId, 1.0 - plain);
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
      ReportChange(out, 0, edit.index, edit.value, CLAP_INVALID_ID);
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
  int32_t frame = pieceStart + core.GetMidiDispatchFrame();
  frame = frame < blockFrames ? frame : blockFrames - 1;
  frame = frame > 0 ? frame : 0;
  ReportChange(outputEvents, static_cast<uint32_t>(frame), index, value, CLAP_INVALID_ID);
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
        ApplyChange(*event, static_cast<uint32_t>(start));
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
      ApplyChange(*event, static_cast<uint32_t>(frames - 1));
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
  if (ClapPlugin* self = From(plugin)) {
    self->core.StartAfresh();
  }
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
  self->outputEvents = out;
  self->blockFrames = 0;
  self->ApplyAllEvents(in);
  self->outputEvents = nullptr;
}

}  // namespace VstToolkit
