// The parameters, the ports, latency and tail: what the host reads of the plug-in's shape.
#include <cmath>
#include <cstring>

#include "host/clap/ClapPlugin.h"
#include "host/clap/ClapParameterValues.h"
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

// Main thread, as every call of this file but the tail. The model's parameters, then the
// host's bypass.
uint32_t ClapPlugin::ParamCount(const clap_plugin_t* plugin) {
  const ClapPlugin* self = From(plugin);
  return self != nullptr ? static_cast<uint32_t>(self->core.GetParameterCount()) + 1u : 0;
}

// Switches step between off (0) and on (1), selectors over their choices 0..n-1 with the
// choices' names; the rest is the normalized value. The bypass is the last in the list.
bool ClapPlugin::ParamInfo(const clap_plugin_t* plugin, uint32_t index, clap_param_info_t* info) {
  ClapPlugin* self = From(plugin);
  if (self == nullptr || info == nullptr || index >= ParamCount(plugin)) {
    return false;
  }
  *info = clap_param_info_t{};
  info->min_value = 0.0;
  if (index == static_cast<uint32_t>(self->core.GetParameterCount())) {
    const ParameterDetails enabled = self->core.GetParameterDetails(ClapParameterValues::kEnabledIndex);
    info->id = ClapParameterValues::kBypassId;
    info->flags = CLAP_PARAM_IS_AUTOMATABLE | CLAP_PARAM_IS_STEPPED | CLAP_PARAM_IS_BYPASS;
    BoundedCopy(info->name, "Bypass", sizeof info->name);
    info->max_value = 1.0;
    info->default_value = 1.0 - ClapParameterValues::PlainOf(enabled, enabled.defaultValue);
    return true;
  }
  const ParameterDetails details = self->core.GetParameterDetails(static_cast<int32_t>(index));
  info->id = index;
  info->flags = CLAP_PARAM_IS_AUTOMATABLE;
  if (details.kind == ParameterKind::kSwitch) {
    info->flags |= CLAP_PARAM_IS_STEPPED;
  } else if (details.kind == ParameterKind::kSelector) {
    info->flags |= CLAP_PARAM_IS_STEPPED | CLAP_PARAM_IS_ENUM;
  }
  BoundedCopy(info->name, details.longName, sizeof info->name);
  info->max_value = ClapParameterValues::MaxOf(details);
  info->default_value = ClapParameterValues::PlainOf(details, details.defaultValue);
  return true;
}

// Any thread the host asks on (main thread by the format).
bool ClapPlugin::ParamValue(const clap_plugin_t* plugin, clap_id id, double* value) {
  ClapPlugin* self = From(plugin);
  int32_t index = 0;
  bool bypass = false;
  if (self == nullptr || value == nullptr || !self->ParameterOf(id, index, bypass)) {
    return false;
  }
  const double plain =
      ClapParameterValues::PlainOf(self->core.GetParameterDetails(index), self->core.GetParameter(index));
  *value = bypass ? 1.0 - plain : plain;
  return true;
}

bool ClapPlugin::ParamValueToText(const clap_plugin_t* plugin, clap_id id, double value, char* text,
                                  uint32_t capacity) {
  ClapPlugin* self = From(plugin);
  int32_t index = 0;
  bool bypass = false;
  if (self == nullptr || text == nullptr || capacity == 0 || std::isnan(value) ||
      !self->ParameterOf(id, index, bypass)) {
    return false;
  }
  const int32_t size = capacity > 4096u ? 4096 : static_cast<int32_t>(capacity);
  const float normalized = ClapParameterValues::NormalizedOf(self->core.GetParameterDetails(index),
                                                             bypass ? 1.0 - value : value);
  self->core.FormatParameterValue(index, normalized, text, size);
  return true;
}

// A choice reads from its name, or from its number.
bool ClapPlugin::ParamTextToValue(const clap_plugin_t* plugin, clap_id id, const char* text, double* value) {
  ClapPlugin* self = From(plugin);
  int32_t index = 0;
  bool bypass = false;
  if (self == nullptr || text == nullptr || value == nullptr || !self->ParameterOf(id, index, bypass)) {
    return false;
  }
  const ParameterDetails details = self->core.GetParameterDetails(index);
  float parsed = 0.0f;
  double plain = 0.0;
  if (self->core.ParseParameterValue(index, text, parsed)) {
    plain = ClapParameterValues::PlainOf(details, parsed);
  } else if (!ClapParameterValues::ReadChoiceNumber(details, text, plain)) {
    return false;
  }
  *value = bypass ? 1.0 - plain : plain;
  return true;
}

// Any thread: the model's parameter behind a host's ID, and whether the ID is the bypass
// (the same parameter, inverted).
bool ClapPlugin::ParameterOf(clap_id id, int32_t& index, bool& bypass) const {
  bypass = id == ClapParameterValues::kBypassId;
  if (bypass) {
    index = ClapParameterValues::kEnabledIndex;
    return true;
  }
  if (id >= static_cast<clap_id>(core.GetParameterCount())) {
    return false;
  }
  index = static_cast<int32_t>(id);
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
