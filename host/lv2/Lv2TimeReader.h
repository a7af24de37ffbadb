#pragma once

#include <lv2/atom/atom.h>
#include <lv2/urid/urid.h>

#include "instance/HostTime.h"

namespace VstToolkit {

// Reads time:Position objects into the host time the core takes. A property an object
// leaves out keeps the value the last one gave; what no object ever gave stays unknown,
// as a VST2 host's missing fields are (tempo 120, playing, as VST2's null time info).
// Threads: the audio thread, except the set-up.
class Lv2TimeReader {
 public:
  // The host's thread, at instantiation: maps the URIs it reads.
  explicit Lv2TimeReader(const LV2_URID_Map& map);

  // Whether `body` of `type` is a time:Position object.
  bool IsPosition(LV2_URID type, const void* body) const;
  // Takes what an object of `size` bytes holds; returns the time as it now stands.
  const HostTime& Read(const LV2_Atom_Object_Body* body, uint32_t size);

 private:
  // A number property in any of the atom number types; false for anything else.
  bool ReadNumber(const LV2_Atom* value, double& number) const;

  LV2_URID atomObject;
  LV2_URID atomBlank;
  LV2_URID atomFloat;
  LV2_URID atomDouble;
  LV2_URID atomInt;
  LV2_URID atomLong;
  LV2_URID position;
  LV2_URID beatsPerMinute;
  LV2_URID speed;
  LV2_URID bar;
  LV2_URID barBeat;
  LV2_URID beatUnit;
  LV2_URID beatsPerBar;
  HostTime time;
  bool hasBar = false;
  double barNumber = 0.0;
  double beatInBar = 0.0;
};

}  // namespace VstToolkit
