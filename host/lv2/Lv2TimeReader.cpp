#include "host/lv2/Lv2TimeReader.h"

#include <lv2/atom/util.h>
#include <lv2/time/time.h>

#include <cmath>
#include <cstddef>
#include <cstdint>

namespace VstToolkit {

namespace {

LV2_URID Map(const LV2_URID_Map& map, const char* uri) {
  return map.map(map.handle, uri);
}

}  // namespace

Lv2TimeReader::Lv2TimeReader(const LV2_URID_Map& map)
    : atomObject(Map(map, LV2_ATOM__Object)),
      atomBlank(Map(map, LV2_ATOM__Blank)),
      atomFloat(Map(map, LV2_ATOM__Float)),
      atomDouble(Map(map, LV2_ATOM__Double)),
      atomInt(Map(map, LV2_ATOM__Int)),
      atomLong(Map(map, LV2_ATOM__Long)),
      position(Map(map, LV2_TIME__Position)),
      beatsPerMinute(Map(map, LV2_TIME__beatsPerMinute)),
      speed(Map(map, LV2_TIME__speed)),
      bar(Map(map, LV2_TIME__bar)),
      barBeat(Map(map, LV2_TIME__barBeat)),
      beatUnit(Map(map, LV2_TIME__beatUnit)),
      beatsPerBar(Map(map, LV2_TIME__beatsPerBar)) {}

bool Lv2TimeReader::IsPosition(LV2_URID type, const void* body) const {
  if (type != atomObject && type != atomBlank) {
    return false;
  }
  return static_cast<const LV2_Atom_Object_Body*>(body)->otype == position;
}

bool Lv2TimeReader::ReadNumber(const LV2_Atom* value, double& number) const {
  const void* body = LV2_ATOM_BODY_CONST(value);
  if (value->type == atomFloat && value->size >= sizeof(float)) {
    number = static_cast<double>(*static_cast<const float*>(body));
  } else if (value->type == atomDouble && value->size >= sizeof(double)) {
    number = *static_cast<const double*>(body);
  } else if (value->type == atomInt && value->size >= sizeof(int32_t)) {
    number = static_cast<double>(*static_cast<const int32_t*>(body));
  } else if (value->type == atomLong && value->size >= sizeof(int64_t)) {
    number = static_cast<double>(*static_cast<const int64_t*>(body));
  } else {
    return false;
  }
  return std::isfinite(number);
}

// The song position in quarter notes comes from the bar and the beat in it, in the
// signature's beat unit; the signature from beats per bar over the unit.
const HostTime& Lv2TimeReader::Read(const LV2_Atom_Object_Body* body, uint32_t size) {
  double number = 0.0;
  bool positionMoved = false;
  const auto* end = reinterpret_cast<const uint8_t*>(body) + size;
  LV2_ATOM_OBJECT_BODY_FOREACH (body, size, property) {
    // A property only counts whole inside the object, whatever sizes it claims.
    const auto* start = reinterpret_cast<const uint8_t*>(property);
    if (static_cast<size_t>(end - start) < sizeof(LV2_Atom_Property_Body) ||
        property->value.size > static_cast<size_t>(end - start) - sizeof(LV2_Atom_Property_Body)) {
      break;
    }
    if (!ReadNumber(&property->value, number)) {
      continue;
    }
    if (property->key == beatsPerMinute) {
      time.hasTempo = true;
      time.tempo = number;
    } else if (property->key == speed) {
      time.playing = number != 0.0;
    } else if (property->key == bar) {
      hasBar = true;
      barNumber = number;
      positionMoved = true;
    } else if (property->key == barBeat) {
      beatInBar = number;
      positionMoved = true;
    } else if (property->key == beatsPerBar && number >= 1.0 && number <= 256.0) {
      time.hasTimeSignature = true;
      time.numerator = static_cast<int32_t>(number);
      positionMoved = true;
    } else if (property->key == beatUnit && number >= 1.0 && number <= 256.0) {
      time.hasTimeSignature = true;
      time.denominator = static_cast<int32_t>(number);
      positionMoved = true;
    }
  }
  if (positionMoved && hasBar) {
    time.hasPosition = true;
    const double beats = barNumber * static_cast<double>(time.numerator) + beatInBar;
    time.position = beats * 4.0 / static_cast<double>(time.denominator);
  }
  return time;
}

}  // namespace VstToolkit
