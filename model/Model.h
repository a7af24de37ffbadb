#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/MidiMessage.h"
#include "model/MidiQueue.h"
#include "model/ParameterKind.h"
#include "model/ParameterUnits.h"
#include "model/PluginDescription.h"

namespace VstToolkit {

class ChunkBuffer;
class ControllerLink;

// A copy of one parameter's display text, taken whole. The pointer it converts to lives
// only as long as the copy: use it within the expression that asked for the text.
class DisplayText final {
 public:
  static constexpr int32_t kSize = 8;

  operator const char*() const { return text_; }
  operator std::string() const { return text_; }
  // For variadic calls such as printf, which take no conversion.
  const char* c_str() const { return text_; }

 private:
  friend class Model;
  char text_[kSize] = {};
};

// The plug-in's document: identity, the program bank with its parameter values,
// the parameter strings, the host facts, MIDI learn and the MIDI queue.
// Threads: parameter, program and chunk operations run on whatever thread the
// host uses (its own threads, the user interface's, and the audio thread's MIDI
// dispatch); host time, ProcessBlock and MIDI dispatch on the audio thread. Every
// value more than one of them touches is atomic, each on its own: readers see each
// value whole and every write lands, but a group of values written one after the
// other (a program, a bank) may be seen part old, part new while it changes.
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
  // Any thread: how many of the `size` bytes at `bytes` a complete bank chunk at their
  // start takes, read from its layout alone (its contents are not checked); 0 where the
  // bytes end before the bank does.
  uint32_t BankChunkLength(const uint8_t* bytes, uint32_t size) const;
  // Any thread: the size of a program chunk.
  uint32_t ProgramChunkLength() const;

  // Any thread: how long the output goes on once the input stops, in seconds, as the
  // settings stand; infinity where it never ends. The base model has no tail.
  virtual double GetTailSeconds() const;

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
  // GetProgramCount without its trace line, for callers that ask often.
  int32_t ProgramCount() const { return programCount_; }

  // Parameters of the selected program.
  // Any thread: the host's, the user interface's, or the audio thread's MIDI dispatch.
  void SetParameterValue(int32_t index, float value);
  // Audio thread: SetParameterValue for a value that came in units: `value` is what
  // UnitsToValue made of `units`, and the subclass may take the quantity from `units`
  // itself, so it reaches the sound exactly as sent.
  void SetParameterValueInUnits(int32_t index, float value, float units);
  // Any thread.
  float GetParameterValue(int32_t index) const;
  // Any thread (the names and labels never change after construction).
  const char* GetParameterShortName(int32_t index) const;
  const char* GetParameterLongName(int32_t index) const;
  const char* GetParameterLabel(int32_t index) const;
  // Any thread: a copy of the text as one piece, never half of an old and half of a new one.
  DisplayText GetParameterDisplay(int32_t index) const;

  // Display texts, written by the subclass when a parameter changes (on the thread that changed it).
  void SetParameterDisplay(int32_t index, const char* text);
  void SetOnOffParameterDisplay(int32_t index, bool value, const char* offText);
  void SetFloatParameterDisplay(int32_t index, float value);

  // The display writers' formatting, without their trace lines, for the texts of values a
  // parameter does not have: the writers above use the same code, so the two always agree.
  // Any thread: `text` as its display field holds it (at most kDisplaySize - 1 characters).
  static DisplayText DisplayOf(const char* text);
  // Any thread: "%.2f" of the value, as SetFloatParameterDisplay shows it.
  static DisplayText FloatDisplayOf(float value);
  // Any thread: "On", or the off text, as SetOnOffParameterDisplay shows it.
  static const char* OnOffText(bool value, const char* offText);

  // Value mapping. Any thread.
  bool NormalizedFloatToBool(float value) const;
  int32_t NormalizedFloatToSelection(float value, int32_t count) const;
  // Any thread: the two mappings' arithmetic, without their trace lines.
  static bool BoolOf(float value);
  static int32_t SelectionOf(float value, int32_t count);

  // Any value of a parameter, from the subclass's parameter table. None of these writes a
  // trace line or touches the live values. The base knows no table: every parameter is
  // continuous, and has no text for values it does not hold.
  // Any thread: the value every program starts with.
  float GetParameterDefault(int32_t index) const;
  // Any thread: the names without GetParameterShortName's and GetParameterLongName's trace lines.
  const char* ParameterShortName(int32_t index) const;
  const char* ParameterLongName(int32_t index) const;
  // Any thread: how hosts should present the parameter.
  virtual ParameterKind GetParameterKind(int32_t index) const;
  // Any thread: switches 2, selectors their number of choices, continuous parameters 0.
  virtual int32_t GetParameterChoiceCount(int32_t index) const;
  // Any thread: the text the display would show if the parameter had `value`.
  virtual DisplayText FormatParameterValue(int32_t index, float value) const;
  // Any thread: the value `text` (not null) stands for, held to 0..1, so that a display's
  // text reads back to a value showing that text; false when it stands for none.
  virtual bool ParseParameterValue(int32_t index, const char* text, float& value) const;
  // Any thread: the range and unit the parameter's values read in. The base's are 0..1.
  virtual ParameterUnits GetParameterUnits(int32_t index) const;
  // Any thread: a normalised value (held to 0..1) in the parameter's units, and back: the
  // normalised value whose units come nearest `units` (held to the range first; a NaN
  // gives a NaN). The base's units are the normalised values.
  virtual float ValueToUnits(int32_t index, float value) const;
  virtual float UnitsToValue(int32_t index, float units) const;

  // Programs.
  // The host's thread.
  void SetSelectedProgramIndex(int32_t index);
  // Any thread.
  int32_t GetSelectedProgramIndex() const;
  // The host's or the user interface's thread; the names are not shared with the audio thread.
  void SetSelectedProgramName(const char* name);
  const char* GetSelectedProgramName() const;
  const char* GetProgramName(int32_t program) const;  // the whole 24-byte field
  // Any thread.
  float GetProgramParameterValue(int32_t program, int32_t index) const;

  // Host facts. Ordered comparisons: a NaN from the host never counts as a change.
  // The host's thread, only while it is not processing.
  void SetSampleRate(float rate);
  // Audio thread (from the host's time information): the setters below.
  void SetTempo(double tempo);
  void SetSongPosition(double position);
  void SetPlaying(bool playing);
  void SetTimeSignature(int32_t numerator, int32_t denominator);
  // Any thread: the getters.
  float GetSampleRate() const;
  double GetTempo() const;
  double GetSongPosition() const;
  bool IsPlaying() const;
  int32_t GetTimeSignatureNumerator() const;
  int32_t GetTimeSignatureDenominator() const;

  // MIDI queue and dispatch (audio thread).
  void PushMidiEvent(const MidiMessage& message);
  void ProcessBlock(float** inputs, float** outputs, int32_t frameCount);
  void DispatchMidiMessage(int32_t deltaFrames, uint8_t status, uint8_t data1, uint8_t data2);
  // Audio thread, while ProcessBlock dispatches a message: the frame of the block it acts at.
  int32_t MidiDispatchFrame() const { return dispatchFrame_; }
  void DispatchController(uint8_t controller, uint8_t value);

  // MIDI learn and the controller map.
  // User-interface thread: arms (or re-arms) learning for one parameter, all at once.
  void StartLearningMidi(int32_t parameterIndex);
  // Any thread: disarms.
  void StopLearningMidi();
  // Any thread.
  bool IsLearningMidi() const;
  // Any thread: the map's operations; each controller's entry changes as one word.
  void RegisterMidiControllerMapping(uint8_t controller, int32_t parameterIndex);
  void UnregisterMidiControllerMapping(uint8_t controller);
  int32_t ControllerToParameter(uint8_t controller) const;
  // The lowest controller mapped to the parameter, or 128 when there is none.
  uint8_t ParameterToController(int32_t parameterIndex) const;
  void ClearMidiControllerMap();
  // Untraced queries of the map, for callers that must test before they ask.
  bool IsMidiControllerMapped(uint8_t controller) const;
  bool HasMidiControllerMapping(int32_t parameterIndex) const;
  // Untraced, for the audio thread: the parameter being learned, or -1; the parameter
  // `controller` drives, or -1.
  int32_t LearningParameter() const { return learnArmed_.load(std::memory_order_relaxed) - 1; }
  int32_t MappedParameter(uint8_t controller) const;

 protected:
  // Audio thread: GetTempo without its trace line, for work done on every block.
  double Tempo() const { return tempo_.load(std::memory_order_relaxed); }

  // Notification hooks; the base versions do nothing.
  virtual void OnSampleRateChanged(float oldRate, float newRate);
  virtual void OnTempoChanged(double oldTempo, double newTempo);
  virtual void OnSongPositionChanged(double oldPosition, double newPosition);
  virtual void OnPlayingChanged(bool playing);
  virtual void OnTimeSignatureChanged(int32_t oldNumerator, int32_t oldDenominator, int32_t newNumerator,
                                      int32_t newDenominator);
  virtual void OnSelectedProgramChanged(int32_t oldIndex, int32_t newIndex);
  virtual void OnParameterValueChanged(int32_t index, float oldValue, float newValue);
  // SetParameterValueInUnits's hook; the base hands the value to OnParameterValueChanged.
  virtual void OnParameterUnitsChanged(int32_t index, float oldValue, float newValue, float units);
  virtual void OnNoteOn(int32_t deltaFrames, uint8_t channel, uint8_t note, uint8_t velocity);
  virtual void OnNoteOff(int32_t deltaFrames, uint8_t channel, uint8_t note, uint8_t velocity);
  virtual void OnPolyPressure(int32_t deltaFrames, uint8_t channel, uint8_t note, uint8_t pressure);
  virtual void OnControlChange(int32_t deltaFrames, uint8_t channel, uint8_t controller, uint8_t value);
  virtual void OnProgramChange(int32_t deltaFrames, uint8_t channel, uint8_t program);
  virtual void OnChannelPressure(int32_t deltaFrames, uint8_t channel, uint8_t pressure);
  virtual void OnPitchBend(int32_t deltaFrames, uint8_t channel, uint16_t value);

 private:
  using ProgramName = std::array<char, kProgramNameSize>;
  using ShortText = std::array<char, kShortNameSize>;
  using LongName = std::array<char, kLongNameSize>;
  struct StagedBank;

  std::atomic<float>* ProgramValues(int32_t program);
  const std::atomic<float>* ProgramValues(int32_t program) const;
  std::size_t ProgramValueCount() const;
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
  // programCount_ rows of parameterCount_ values; the trailing underscores keep subclass hook
  // arguments from shadowing these.
  std::unique_ptr<std::atomic<float>[]> programValues_;
  // Per controller: the parameter it drives, or kUnmapped.
  std::array<std::atomic<int64_t>, kMidiControllerCount> midiControllerMap_{};
  std::vector<ShortText> parameterShortNames_;
  std::vector<LongName> parameterLongNames_;
  std::vector<ShortText> parameterLabels_;
  std::vector<float> parameterDefaults_;
  // Each display's kDisplaySize bytes as one word.
  std::unique_ptr<std::atomic<uint64_t>[]> parameterDisplays_;
  int32_t programCount_ = 0;
  int32_t parameterCount_ = 0;
  int32_t inputCount_ = 0;
  int32_t outputCount_ = 0;
  std::atomic<int32_t> selectedProgram_{0};
  std::atomic<float> sampleRate_{44100.0f};
  std::atomic<double> tempo_{120.0};
  std::atomic<double> songPosition_{0.0};
  std::atomic<bool> playing_{true};
  // Numerator in the low half, denominator in the high half: the two change together.
  std::atomic<uint64_t> timeSignature_{uint64_t{4} << 32 | uint64_t{4}};  // 4/4
  MidiQueue midiQueue_;
  int32_t dispatchFrame_ = 0;  // audio thread only
  // The parameter being learned plus one; 0 while not learning.
  std::atomic<int32_t> learnArmed_{0};
};

}  // namespace VstToolkit
