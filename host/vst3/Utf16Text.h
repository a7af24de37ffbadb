#pragma once

#include <cstdint>

#include "host/vst3/Vst3Base.h"

namespace VstToolkit {

// The plug-in's texts are ASCII (the parameter table, program names as VST2 hosts write
// them); VST3 carries UTF-16. Any thread.
struct Utf16Text {
  // Copies `text` (null: empty) into `destination` of `size` units, always terminated;
  // bytes past ASCII become '?'.
  static void FromAscii(Steinberg::char16* destination, int32_t size, const char* text);
  // Copies `text` (null: empty) into `destination` of `size` bytes, always terminated;
  // false where a unit past ASCII made it no text of ours.
  static bool ToAscii(char* destination, int32_t size, const Steinberg::char16* text);
};

}  // namespace VstToolkit
