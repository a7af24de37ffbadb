#pragma once

namespace VstToolkit {

// Where a parameter's values lie in the units a musician reads them in (seconds, hertz, a
// choice's number), for formats whose hosts show and send those rather than 0..1.
struct ParameterUnits {
  float minimum = 0.0f;
  float maximum = 1.0f;
  const char* unit = "";  // the SI symbol ("s", "Hz"), or "" where none applies
};

}  // namespace VstToolkit
