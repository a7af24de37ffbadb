#include "instance/RemoteMessages.h"

#include <cmath>
#include <cstring>

namespace VstToolkit {

namespace {

// Values travel as little-endian IEEE single floats whatever the machines on each side.
void PutFloat(float value, uint8_t* out) {
  uint32_t bits = 0;
  std::memcpy(&bits, &value, sizeof bits);
  for (int i = 0; i < 4; ++i) {
    out[i] = static_cast<uint8_t>(bits >> (8 * i));
  }
}

float GetFloat(const uint8_t* in) {
  uint32_t bits = 0;
  for (int i = 0; i < 4; ++i) {
    bits |= static_cast<uint32_t>(in[i]) << (8 * i);
  }
  float value = 0.0f;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

uint32_t SnapshotSize(int32_t parameterCount) {
  return 3 + 4 * static_cast<uint32_t>(parameterCount) + RemoteMessages::kControllerCount;
}

}  // namespace

uint32_t RemoteMessages::EncodeCommand(const Command& command, uint8_t* out) {
  out[0] = static_cast<uint8_t>(command.kind);
  if (command.kind == Kind::kStartLearning || command.kind == Kind::kForgetController) {
    out[1] = command.argument;
    return 2;
  }
  return 1;
}

RemoteMessages::Command RemoteMessages::DecodeCommand(const uint8_t* bytes, uint32_t size) {
  if (bytes == nullptr || size == 0) {
    return {};
  }
  const auto kind = static_cast<Kind>(bytes[0]);
  switch (kind) {
    case Kind::kHello:
    case Kind::kStopLearning:
    case Kind::kClearControllers:
      return size == 1 ? Command{kind, 0} : Command{};
    case Kind::kStartLearning:
      return size == 2 && bytes[1] < kMaxParameters ? Command{kind, bytes[1]} : Command{};
    case Kind::kForgetController:
      return size == 2 && bytes[1] < kControllerCount ? Command{kind, bytes[1]} : Command{};
    default:
      return {};
  }
}

uint32_t RemoteMessages::EncodeSnapshot(const Snapshot& snapshot, uint8_t* out, uint32_t capacity) {
  const int32_t count = snapshot.parameterCount;
  if (count < 0 || count > kMaxParameters || capacity < SnapshotSize(count)) {
    return 0;
  }
  out[0] = static_cast<uint8_t>(Kind::kSnapshot);
  out[1] = static_cast<uint8_t>(count);
  out[2] = snapshot.learning >= 0 && snapshot.learning < count ? static_cast<uint8_t>(snapshot.learning) : kUnmapped;
  uint8_t* next = out + 3;
  for (int32_t i = 0; i < count; ++i, next += 4) {
    PutFloat(snapshot.values[i], next);
  }
  std::memcpy(next, snapshot.controllerMap, kControllerCount);
  return SnapshotSize(count);
}

bool RemoteMessages::DecodeSnapshot(const uint8_t* bytes, uint32_t size, int32_t parameterCount,
                                    Snapshot& snapshot) {
  if (bytes == nullptr || parameterCount < 0 || parameterCount > kMaxParameters ||
      size != SnapshotSize(parameterCount) || bytes[0] != static_cast<uint8_t>(Kind::kSnapshot) ||
      bytes[1] != parameterCount || (bytes[2] != kUnmapped && bytes[2] >= parameterCount)) {
    return false;
  }
  snapshot.parameterCount = parameterCount;
  snapshot.learning = bytes[2] == kUnmapped ? -1 : bytes[2];
  const uint8_t* next = bytes + 3;
  for (int32_t i = 0; i < parameterCount; ++i, next += 4) {
    const float value = GetFloat(next);
    if (!(value >= 0.0f && value <= 1.0f)) {
      return false;
    }
    snapshot.values[i] = value;
  }
  for (int32_t c = 0; c < kControllerCount; ++c) {
    if (next[c] != kUnmapped && next[c] >= parameterCount) {
      return false;
    }
    snapshot.controllerMap[c] = next[c];
  }
  return true;
}

}  // namespace VstToolkit
