#pragma once

#include <cstdint>

#include "host/vst3/Vst3Base.h"

namespace VstToolkit {

// The class ID by which hosts find the VST3 version of a VST2 plug-in in an old project,
// as Steinberg's guideline derives it: 'VST' ('VSE' for a separate edit controller), the
// VST2 unique ID, then the first nine characters of the lower-case name, as bytes in the
// order written (zero where the name is shorter). Any thread.
struct Vst2ClassId {
  static Steinberg::FUID Processor(int32_t uniqueId, const char* name);
  static Steinberg::FUID EditController(int32_t uniqueId, const char* name);
};

}  // namespace VstToolkit
