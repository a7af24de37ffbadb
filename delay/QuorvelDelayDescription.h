#pragma once

#include <cstdint>

#include "model/PluginDescription.h"

// The plug-in's identity and shape as hosts see it: names, vendor, unique ID, versions,
// counts and the parameter table. Everything else reads these values from here.
extern const VstToolkit::PluginDescription kQuorvelDelayDescription;

// The editor window's fixed size in pixels.
inline constexpr int32_t kQuorvelDelayEditorWidth = 496;
inline constexpr int32_t kQuorvelDelayEditorHeight = 344;
