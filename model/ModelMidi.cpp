// MIDI queue, block splitting, channel-message dispatch and MIDI learn.
#include <atomic>
#include <cstddef>
#include <cstdint>

#include "model/ControllerLink.h"
#include "model/Model.h"
#include "model/Trace.h"

namespace VstToolkit {

namespace {

// The single-precision number nearest to 1/127 (bit pattern 0x3C010204); a
// control change value times it gives exactly 1.0 for 127.
constexpr float kControllerValueScale = 1.0f / 127.0f;

constexpr bool IsMapIndex(uint8_t controllerNumber) {
  return controllerNumber < Model::kMidiControllerCount;
}

// A map entry drives no parameter; every int32_t parameter index differs from it.
constexpr int64_t kUnmapped = INT64_MIN;

constexpr const char* kStopLearningTrace = "Model::StopLearningMidi\r\n";

}  // namespace

void Model::PushMidiEvent(const MidiMessage& message) {
  Trace("Model::PushMidiEvent\r\n");
  midiQueue_.Push(message);
}

void Model::ProcessBlock(float** inputs, float** outputs, int32_t frameCount) {
  if (frameCount <= 0) {
    return;
  }
  int32_t position = 0;
  while (!midiQueue_.Empty()) {
    const MidiMessage message = midiQueue_.Pop();
    // A host that sends unsorted or negative offsets gets the message at the
    // current position, so no piece starts before 0 or runs backwards.
    const int32_t delta = message.deltaFrames < position ? position : message.deltaFrames;
    if (delta > frameCount) {
      Process(inputs, outputs, position, frameCount - position);
      dispatchFrame_ = frameCount;
      DispatchMidiMessage(message.deltaFrames, message.status, message.data1, message.data2);
      while (!midiQueue_.Empty()) {
        const MidiMessage late = midiQueue_.Pop();
        DispatchMidiMessage(late.deltaFrames, late.status, late.data1, late.data2);
      }
      return;
    }
    Process(inputs, outputs, position, delta - position);
    dispatchFrame_ = delta;
    DispatchMidiMessage(delta, message.status, message.data1, message.data2);
    position = delta;
    if (position == frameCount) {
      return;
    }
  }
  Process(inputs, outputs, position, frameCount - position);
}

void Model::DispatchMidiMessage(int32_t deltaFrames, uint8_t status, uint8_t data1, uint8_t data2) {
  Trace("Model::DispatchMidiMessage\r\n");
  if (status < 0x80 || status > 0xEF) {
    return;
  }
  const auto channel = static_cast<uint8_t>(status & 0x0F);
  switch (status & 0xF0) {
    case 0x80:
      OnNoteOff(deltaFrames, channel, data1, data2);
      break;
    case 0x90:
      if (data2 != 0) {
        OnNoteOn(deltaFrames, channel, data1, data2);
      } else {
        OnNoteOff(deltaFrames, channel, data1, data2);
      }
      break;
    case 0xA0:
      OnPolyPressure(deltaFrames, channel, data1, data2);
      break;
    case 0xB0:
      DispatchController(data1, data2);
      OnControlChange(deltaFrames, channel, data1, data2);
      break;
    case 0xC0:
      OnProgramChange(deltaFrames, channel, data1);
      break;
    case 0xD0:
      OnChannelPressure(deltaFrames, channel, data1);
      break;
    default:  // 0xE0, pitch bend: data2 is the high seven bits
      OnPitchBend(deltaFrames, channel, static_cast<uint16_t>(data2 * 128 + data1));
      break;
  }
}

void Model::DispatchController(uint8_t controllerNumber, uint8_t value) {
  Trace("Model::DispatchController\r\n");
  // Bytes outside MIDI's seven bits come from a broken stream: they neither
  // index the map nor complete a learn, and cannot push a parameter past 1.0.
  if (!IsMapIndex(controllerNumber) || value > 127) {
    return;
  }
  // The armed parameter is taken and the learn disarmed in one step: a learn armed
  // meanwhile by the user interface is either this one, whole, or left for the next
  // control change. The load first keeps the common case free of a write.
  const int32_t armed =
      learnArmed_.load(std::memory_order_relaxed) != 0 ? learnArmed_.exchange(0, std::memory_order_relaxed) : 0;
  if (armed != 0) {
    const int32_t parameter = armed - 1;
    if (HasMidiControllerMapping(parameter)) {
      UnregisterMidiControllerMapping(ParameterToController(parameter));
    }
    RegisterMidiControllerMapping(controllerNumber, parameter);
    if (controller_ != nullptr) {
      controller_->OnModelMidiLearned();
    }
    // Already disarmed above; StopLearningMidi here could disarm a newer learn.
    Trace(kStopLearningTrace);
    return;
  }
  const int64_t entry = midiControllerMap_[controllerNumber].load(std::memory_order_relaxed);
  if (controller_ != nullptr && entry != kUnmapped) {
    const auto parameter = static_cast<int32_t>(entry);
    const float normalized = static_cast<float>(value) * kControllerValueScale;
    SetParameterValue(parameter, normalized);
    controller_->OnModelParameterValueChanged(parameter, normalized);
  }
}

void Model::StartLearningMidi(int32_t parameterIndex) {
  Trace("Model::StartLearningMidi\r\n");
  learnArmed_.store(parameterIndex + 1, std::memory_order_relaxed);
}

void Model::StopLearningMidi() {
  Trace(kStopLearningTrace);
  learnArmed_.store(0, std::memory_order_relaxed);
}

bool Model::IsLearningMidi() const {
  Trace("Model::IsLearningMidi\r\n");
  return learnArmed_.load(std::memory_order_relaxed) != 0;
}

void Model::RegisterMidiControllerMapping(uint8_t controllerNumber, int32_t parameterIndex) {
  Trace("Model::RegisterMidiControllerMapping\r\n");
  if (IsMapIndex(controllerNumber)) {
    midiControllerMap_[controllerNumber].store(parameterIndex, std::memory_order_relaxed);
  }
}

void Model::UnregisterMidiControllerMapping(uint8_t controllerNumber) {
  Trace("Model::UnregisterMidiControllerMapping\r\n");
  if (IsMapIndex(controllerNumber)) {
    midiControllerMap_[controllerNumber].store(kUnmapped, std::memory_order_relaxed);
  }
}

int32_t Model::ControllerToParameter(uint8_t controllerNumber) const {
  Trace("Model::ControllerToParameter\r\n");
  if (!IsMapIndex(controllerNumber)) {
    return 0;
  }
  const int64_t entry = midiControllerMap_[controllerNumber].load(std::memory_order_relaxed);
  return entry == kUnmapped ? 0 : static_cast<int32_t>(entry);
}

uint8_t Model::ParameterToController(int32_t parameterIndex) const {
  Trace("Model::ParameterToController\r\n");
  for (int32_t c = 0; c < kMidiControllerCount; ++c) {
    if (midiControllerMap_[static_cast<std::size_t>(c)].load(std::memory_order_relaxed) == parameterIndex) {
      return static_cast<uint8_t>(c);
    }
  }
  return static_cast<uint8_t>(kMidiControllerCount);
}

void Model::ClearMidiControllerMap() {
  Trace("Model::ClearMidiControllerMap\r\n");
  for (std::atomic<int64_t>& entry : midiControllerMap_) {
    entry.store(kUnmapped, std::memory_order_relaxed);
  }
}

bool Model::IsMidiControllerMapped(uint8_t controllerNumber) const {
  return IsMapIndex(controllerNumber) &&
         midiControllerMap_[controllerNumber].load(std::memory_order_relaxed) != kUnmapped;
}

int32_t Model::MappedParameter(uint8_t controllerNumber) const {
  if (!IsMapIndex(controllerNumber)) {
    return -1;
  }
  const int64_t entry = midiControllerMap_[controllerNumber].load(std::memory_order_relaxed);
  return entry >= 0 && entry < parameterCount_ ? static_cast<int32_t>(entry) : -1;
}

bool Model::HasMidiControllerMapping(int32_t parameterIndex) const {
  for (const std::atomic<int64_t>& entry : midiControllerMap_) {
    if (entry.load(std::memory_order_relaxed) == parameterIndex) {
      return true;
    }
  }
  return false;
}

}  // namespace VstToolkit
