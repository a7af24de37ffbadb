// The parameters, the ports, latency and tail: what the host reads of the plug-in's shape.
#include <cmath>
#include <cstring>

#include "host/clap/ClapPlugin.h"
#include "model/BoundedCopy.h"

namespace VstToolkit {

const clap_plugin_params_t ClapPlugin::kParams = {
    &ClapPlugin::ParamCount,       &ClapPlugin::ParamInfo,        &ClapPlugin::ParamValue,
    &ClapPlugin::ParamValueToText, &ClapPlugin::ParamTextToValue, &ClapPlugin::ParamFlush,
};
const clap_plugin_audio_ports_t ClapPlugin::kAudioPorts = {&ClapPlugin::AudioPortCount, &ClapPlugin::AudioPortInfo};
const clap_plugin_note_ports_t ClapPlugin::kNotePorts = {&ClapPlugin::NotePortCount, &ClapPlugin::NotePortInfo};
const clap_plugin_latency_t ClapPlugin::kLatency = {&ClapPlugin::LatencyFrames};
const clap_plugin_tail_t ClapPlugin::kTail = {&ClapPlugin::TailFrames};

// Main thread, as every call of this file but the tail.
uint32_t ClapPlugin::ParamCount(const clap_plugin_t* plugin) {
  const ClapPlugin* self = From(plugin);
  return self != nullptr ? static_cast<uint32_t>(self->core.GetParameterCount()) : 0;
}

// The plain value is the normalized one. Switches step between off (0) and on (1); a
// selector's choices lie on fractions of the range (trunc(value x n)), so it keeps the
// whole range and shows its choices as text.
bool ClapPlugin::ParamInfo(const clap_plugin_t* plugin, uint32_t index, clap_param_info_t* info) {
  ClapPlugin* self = From(plugin);
  if (self == nullptr || info == nullptr || index >= ParamCount(plugin)) {
    return false;
  }
  const ParameterDetails details = self->core.GetParameterDetails(static_cast<int32_t>(index));
  *info = clap_param_info_t{};
  info->id = index;
  info->flags = CLAP_PARAM_IS_AUTOMATABLE;
  if (details.kind == ParameterKind::kSwitch) {
    info->flags |= CLAP_PARAM_IS_STEPPED;
  }
  BoundedCopy(info->name, details.longName, sizeof info->name);
  info->min_value = 0.0;
  info->max_value = 1.0;
  info->default_value = details.defaultValue;
  return true;
}

// Any thread the host asks on (main thread by the format).
bool ClapPlugin::ParamValue(const clap_plugin_t* plugin, clap_id id, double* value) {
  ClapPlugin* self = From(plugin);
  if (self == nullptr || value == nullptr || id >= ParamCount(plugin)) {
    return false;
  }
  *value = self->core.GetParameter(static_cast<int32_t>(id));
  return true;
}

bool ClapPlugin::ParamValueToText(const clap_plugin_t* plugin, clap_id id, double value, char* text,
                                  uint32_t capacity) {
  ClapPlugin* self = From(plugin);
  if (self == nullptr || text == nullptr || capacity == 0 || id >= ParamCount(plugin) || std::isnan(value)) {
    return false;
  }
  const int32_t size = capacity > 4096u ? 4096 : static_cast<int32_t>(capacity);
  self->core.FormatParameterValue(static_cast<int32_t>(id), static_cast<float>(value), text, size);
  return true;
}

bool ClapPlugin::ParamTextToValue(const clap_plugin_t* plugin, clap_id id, const char* text, double* value) {
  ClapPlugin* self = From(plugin);
  float parsed = 0.0f;
  if (self == nullptr || text == nullptr || value == nullptr || id >= ParamCount(plugin) ||
      !self->core.ParseParameterValue(static_cast<int32_t>(id), text, parsed)) {
    return false;
  }
  *value = parsed;
  return true;
}

// One stereo input and one stereo output, 32-bit, processed in place as a pair.
uint32_t ClapPlugin::AudioPortCount(const clap_plugin_t* plugin, bool) {
  return From(plugin) != nullptr ? 1 : 0;
}

bool ClapPlugin::AudioPortInfo(const clap_plugin_t* plugin, uint32_t index, bool isInput,
                               clap_audio_port_info_t* info) {
  if (From(plugin) == nullptr || info == nullptr || index != 0) {
    return false;
  }
  *info = clap_audio_port_info_t{};
  info->id = 0;
  BoundedCopy(info->name, isInput ? "Input" : "Output", sizeof info->name);
  info->flags = CLAP_AUDIO_PORT_IS_MAIN;
  info->channel_count = 2;
  info->port_type = CLAP_PORT_STEREO;
  info->in_place_pair = 0;
  return true;
}

// One note input for MIDI, no note output.
uint32_t ClapPlugin::NotePortCount(const clap_plugin_t* plugin, bool isInput) {
  return From(plugin) != nullptr && isInput ? 1 : 0;
}

bool ClapPlugin::NotePortInfo(const clap_plugin_t* plugin, uint32_t index, bool isInput,
                              clap_note_port_info_t* info) {
  if (From(plugin) == nullptr || info == nullptr || index != 0 || !isInput) {
    return false;
  }
  *info = clap_note_port_info_t{};
  info->id = 0;
  info->supported_dialects = CLAP_NOTE_DIALECT_MIDI;
  info->preferred_dialect = CLAP_NOTE_DIALECT_MIDI;
  BoundedCopy(info->name, "MIDI Input", sizeof info->name);
  return true;
}

uint32_t ClapPlugin::LatencyFrames(const clap_plugin_t*) {
  return 0;
}

// Main or audio thread: the echoes' time to fall silent, INT32_MAX and above for ever.
uint32_t ClapPlugin::TailFrames(const clap_plugin_t* plugin) {
  ClapPlugin* self = From(plugin);
  if (self == nullptr) {
    return 0;
  }
  const double frames = self->core.GetTailSeconds() * self->sampleRate;
  if (!(frames < static_cast<double>(INT32_MAX))) {
    return static_cast<uint32_t>(INT32_MAX);
  }
  return static_cast<uint32_t>(std::ceil(frames));
}

}  // namespace VstToolkit
