#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "model/MidiMessage.h"
#include "model/MidiQueue.h"
#include "model/PluginDescription.h"

namespace VstToolkit {

class ChunkBuffer;
class ControllerLink;

// The plug-in's document: identity, the program bank with its parameter values,
// the parameter strings, the host facts, MIDI learn and the MIDI queue.
// Threads: parameter, program and chunk operations run on whatever thread the
// host uses; host time, ProcessBlock and MIDI dispatch on the audio thread.
// Indices are the callers' contract; the host layer checks them where they enter.
class Model {
 public:
  static constexpr int32_t kEffectNameSize = 32;
  static constexpr int32_t kVendorStringSize = 64;
  static constexpr int32_t kProductStringSize = 64;
  static constexpr int32_t kProgramNameSize = 24;
  static constexpr int32_t kShortNameSize = 8;
  static constexpr int32_t kLongNameSize = 64;
  static constexpr int32_t kLabelSize = 8;
  static constexpr int32_t kDisplaySize = 8;
  static constexpr int32_t kMidiControllerCount = 128;

  explicit Model(const PluginDescription& description);
  virtual ~Model();
  Model(const Model&) = delete;
  Model& operator=(const Model&) = delete;

  // Audio thread: processes `count` frames starting `offset` frames into each channel.
  virtual void Process(float** inputs, float** outputs, int32_t offset, int32_t count) = 0;

  // State chunks (thread of the host's save or load). A load either applies the
  // whole chunk or, when it returns false, changes nothing.
  virtual void SerializeSelectedProgram(ChunkBuffer& chunk);
  virtual bool DeserializeSelectedProgram(ChunkBuffer& chunk);
  virtual void SerializeBank(ChunkBuffer& chunk);
  virtual bool DeserializeBank(ChunkBuffer& chunk);
  void WriteHeader(ChunkBuffer& chunk);
  bool ReadHeader(ChunkBuffer& chunk, int32_t& version);

  void SetController(ControllerLink* controller);

  // Identity.
  const char* GetEffectName() const;
  const char* GetVendorString() const;
  const char* GetProductString() const;
  int32_t GetUniqueId() const;
  int32_t GetVendorVersion() const;
  int32_t GetPluginCategory() const;
  int32_t GetProgramCount() const;
  int32_t GetInputCount() const;
  int32_t GetOutputCount() const;
  int32_t GetParameterCount() const;

  // Parameters of the selected program.
  void SetParameterValue(int32_t index, float value);
  float GetParameterValue(int32_t index) const;
  const char* GetParameterShortName(int32_t index) const;
  const char* GetParameterLongName(int32_t index) const;
  const char* GetParameterLabel(int32_t index) const;
  const char* GetParameterDisplay(int32_t index) const;

  // Display texts, written by the subclass when a parameter changes.
  void SetParameterDisplay(int32_t index, const char* text);
  void SetOnOffParameterDisplay(int32_t index, bool value, const char* offText);
  void SetFloatParameterDisplay(int32_t index, float value);

  // Value mapping.
  bool NormalizedFloatToBool(float value) const;
  int32_t NormalizedFloatToSelection(float value, int32_t count) const;

  // Programs.
  void SetSelectedProgramIndex(int32_t index);
  int32_t GetSelectedProgramIndex() const;
  void SetSelectedProgramName(const char* name);
  const char* GetSelectedProgramName() const;
  const char* GetProgramName(int32_t program) const;  // the whole 24-byte field
  float GetProgramParameterValue(int32_t program, int32_t index) const;

  // Host facts. Ordered comparisons: a NaN from the host never counts as a change.
  void SetSampleRate(float rate);
  float GetSampleRate() const;
  void SetTempo(double tempo);
  double GetTempo() const;
  void SetSongPosition(double position);
  double GetSongPosition() const;
  void SetPlaying(bool playing);
  bool IsPlaying() const;
  void SetTimeSignature(int32_t numerator, int32_t denominator);
  int32_t GetTimeSignatureNumerator() const;
  int32_t GetTimeSignatureDenominator() const;

  // MIDI queue and dispatch (audio thread).
  void PushMidiEvent(const MidiMessage& message);
  void ProcessBlock(float** inputs, float** outputs, int32_t frameCount);
  void DispatchMidiMessage(int32_t deltaFrames, uint8_t status, uint8_t data1, uint8_t data2);
  void DispatchController(uint8_t controller, uint8_t value);

  // MIDI learn and the controller map.
  void StartLearningMidi(int32_t parameterIndex);
  void StopLearningMidi();
  bool IsLearningMidi() const;
  void RegisterMidiControllerMapping(uint8_t controller, int32_t parameterIndex);
  void UnregisterMidiControllerMapping(uint8_t controller);
  int32_t ControllerToParameter(uint8_t controller) const;
  // The lowest controller mapped to the parameter, or 128 when there is none.
  uint8_t ParameterToController(int32_t parameterIndex) const;
  void ClearMidiControllerMap();
  // Untraced queries of the map, for callers that must test before they ask.
  bool IsMidiControllerMapped(uint8_t controller) const;
  bool HasMidiControllerMapping(int32_t parameterIndex) const;

 protected:
  // Notification hooks; the base versions do nothing.
  virtual void OnSampleRateChanged(float oldRate, float newRate);
  virtual void OnTempoChanged(double oldTempo, double newTempo);
  virtual void OnSongPositionChanged(double oldPosition, double newPosition);
  virtual void OnPlayingChanged(bool playing);
  virtual void OnTimeSignatureChanged(int32_t oldNumerator, int32_t oldDenominator, int32_t newNumerator,
                                      int32_t newDenominator);
  virtual void OnSelectedProgramChanged(int32_t oldIndex, int32_t newIndex);
  virtual void OnParameterValueChanged(int32_t index, float oldValue, float newValue);
  virtual void OnNoteOn(int32_t deltaFrames, uint8_t channel, uint8_t note, uint8_t velocity);
  virtual void OnNoteOff(int32_t deltaFrames, uint8_t channel, uint8_t note, uint8_t velocity);
  virtual void OnPolyPressure(int32_t deltaFrames, uint8_t channel, uint8_t note, uint8_t pressure);
  virtual void OnControlChange(int32_t deltaFrames, uint8_t channel, uint8_t controller, uint8_t value);
  virtual void OnProgramChange(int32_t deltaFrames, uint8_t channel, uint8_t program);
  virtual void OnChannelPressure(int32_t deltaFrames, uint8_t channel, uint8_t pressure);
  virtual void OnPitchBend(int32_t deltaFrames, uint8_t channel, uint16_t value);

 private:
  struct MidiMapping {
    bool mapped;
    int32_t parameter;
  };
  using ProgramName = std::array<char, kProgramNameSize>;
  using ShortText = std::array<char, kShortNameSize>;
  using LongName = std::array<char, kLongNameSize>;
  struct StagedBank;

  float* ProgramValues(int32_t program);
  const float* ProgramValues(int32_t program) const;
  bool ReadCompatibleHeader(ChunkBuffer& chunk);
  bool ReadProgram(ChunkBuffer& chunk, ProgramName& name, float* values);
  void ApplyBank(const StagedBank& bank);

  ControllerLink* controller_ = nullptr;
  char effectName_[kEffectNameSize] = {};
  char vendorString_[kVendorStringSize] = {};
  char productString_[kProductStringSize] = {};
  int32_t uniqueId_ = 0;
  int32_t vendorVersion_ = 0;
  int32_t pluginCategory_ = 0;
  std::vector<ProgramName> programNames_;
  std::vector<float> programValues_;  // programCount_ rows of parameterCount_ values; the trailing
                                      // underscores keep subclass hook arguments from shadowing these
  std::array<MidiMapping, kMidiControllerCount> midiControllerMap_{};
  std::vector<ShortText> parameterShortNames_;
  std::vector<LongName> parameterLongNames_;
  std::vector<ShortText> parameterLabels_;
  std::vector<ShortText> parameterDisplays_;
  int32_t programCount_ = 0;
  int32_t parameterCount_ = 0;
  int32_t inputCount_ = 0;
  int32_t outputCount_ = 0;
  int32_t selectedProgram_ = 0;
  float sampleRate_ = 44100.0f;
  double tempo_ = 120.0;
  double songPosition_ = 0.0;
  bool playing_ = true;
  int32_t timeSignatureNumerator_ = 4;
  int32_t timeSignatureDenominator_ = 4;
  MidiQueue midiQueue_;
  bool learning_ = false;
  int32_t learnParameter_ = 0;
};

}  // namespace VstToolkit
