#pragma once

#include <cstdint>

namespace VstToolkit {

// The framework's view of one parameter: its strings and its default.
struct ParameterInfo {
  const char* longName;   // shown in the editor's status line (at most 63 characters)
  const char* shortName;  // shown by hosts (at most 7 characters)
  const char* label;      // unit (at most 7 characters)
  float defaultValue;     // normalised, written into every program
};

// Identity and shape of a plug-in, given once and read by everything else.
struct PluginDescription {
  const char* effectName;     // at most 31 characters
  const char* vendorString;   // at most 63 characters
  const char* productString;  // at most 63 characters
  int32_t uniqueId;
  int32_t vendorVersion;
  int32_t pluginCategory;
  int32_t programCount;
  int32_t inputCount;
  int32_t outputCount;
  int32_t parameterCount;
  const ParameterInfo* parameters;  // parameterCount entries
};

}  // namespace VstToolkit
