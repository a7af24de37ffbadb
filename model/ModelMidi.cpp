// MIDI queue, block splitting, channel-message dispatch and MIDI learn.
#include <cstddef>

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
      DispatchMidiMessage(message.deltaFrames, message.status, message.data1, message.data2);
      while (!midiQueue_.Empty()) {
        const MidiMessage late = midiQueue_.Pop();
        DispatchMidiMessage(late.deltaFrames, late.status, late.data1, late.data2);
      }
      return;
    }
    Process(inputs, outputs, position, delta - position);
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
  if (learning_) {
    const int32_t parameter = learnParameter_;
    if (HasMidiControllerMapping(parameter)) {
      UnregisterMidiControllerMapping(ParameterToController(parameter));
    }
    RegisterMidiControllerMapping(controllerNumber, parameter);
    if (controller_ != nullptr) {
      controller_->OnModelMidiLearned();
    }
    StopLearningMidi();
    return;
  }
  const MidiMapping& entry = midiControllerMap_[controllerNumber];
  if (controller_ != nullptr && entry.mapped) {
    const float normalized = static_cast<float>(value) * kControllerValueScale;
    SetParameterValue(entry.parameter, normalized);
    controller_->OnModelParameterValueChanged(entry.parameter, normalized);
  }
}

void Model::StartLearningMidi(int32_t parameterIndex) {
  Trace("Model::StartLearningMidi\r\n");
  learning_ = true;
  learnParameter_ = parameterIndex;
}

void Model::StopLearningMidi() {
  Trace("Model::StopLearningMidi\r\n");
  learning_ = false;
}

bool Model::IsLearningMidi() const {
  Trace("Model::IsLearningMidi\r\n");
  return learning_;
}

void Model::RegisterMidiControllerMapping(uint8_t controllerNumber, int32_t parameterIndex) {
  Trace("Model::RegisterMidiControllerMapping\r\n");
  if (IsMapIndex(controllerNumber)) {
    midiControllerMap_[controllerNumber] = {true, parameterIndex};
  }
}

void Model::UnregisterMidiControllerMapping(uint8_t controllerNumber) {
  Trace("Model::UnregisterMidiControllerMapping\r\n");
  if (IsMapIndex(controllerNumber)) {
    midiControllerMap_[controllerNumber] = {false, 0};
  }
}

int32_t Model::ControllerToParameter(uint8_t controllerNumber) const {
  Trace("Model::ControllerToParameter\r\n");
  return IsMapIndex(controllerNumber) ? midiControllerMap_[controllerNumber].parameter : 0;
}

uint8_t Model::ParameterToController(int32_t parameterIndex) const {
  Trace("Model::ParameterToController\r\n");
  for (int32_t c = 0; c < kMidiControllerCount; ++c) {
    const MidiMapping& entry = midiControllerMap_[static_cast<std::size_t>(c)];
    if (entry.mapped && entry.parameter == parameterIndex) {
      return static_cast<uint8_t>(c);
    }
  }
  return static_cast<uint8_t>(kMidiControllerCount);
}

void Model::ClearMidiControllerMap() {
  Trace("Model::ClearMidiControllerMap\r\n");
  midiControllerMap_.fill({false, 0});
}

bool Model::IsMidiControllerMapped(uint8_t controllerNumber) const {
  return IsMapIndex(controllerNumber) && midiControllerMap_[controllerNumber].mapped;
}

bool Model::HasMidiControllerMapping(int32_t parameterIndex) const {
  for (const MidiMapping& entry : midiControllerMap_) {
    if (entry.mapped && entry.parameter == parameterIndex) {
      return true;
    }
  }
  return false;
}

}  // namespace VstToolkit
