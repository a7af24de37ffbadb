#pragma once

#include "host/vst2/AudioEffect.h"

// The VST 2.x extensions: opcodes 25 to 79 as virtual operations with neutral
// defaults, the time-information and MIDI requests to the host, and the
// capability-driven MIDI request on resume.
class AudioEffectX : public AudioEffect {
 public:
  AudioEffectX(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
  ~AudioEffectX() override;

  VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt) override;
  // Asks the host for MIDI when the effect is a synth or says it receives MIDI.
  void resume() override;

  virtual bool canParameterBeAutomated(VstInt32 index);
  virtual bool string2parameter(VstInt32 index, char* text);
  virtual bool getParameterProperties(VstInt32 index, VstParameterProperties* properties);
  virtual bool getProgramNameIndexed(VstInt32 category, VstInt32 index, char* text);
  virtual bool beginSetProgram();
  virtual bool endSetProgram();
  virtual VstInt32 beginLoadBank(VstPatchChunkInfo* info);
  virtual VstInt32 beginLoadProgram(VstPatchChunkInfo* info);

  virtual bool getInputProperties(VstInt32 index, VstPinProperties* properties);
  virtual bool getOutputProperties(VstInt32 index, VstPinProperties* properties);
  virtual bool setSpeakerArrangement(VstSpeakerArrangement* input, VstSpeakerArrangement* output);
  virtual bool getSpeakerArrangement(VstSpeakerArrangement** input, VstSpeakerArrangement** output);
  virtual bool setBypass(bool onOff);
  virtual bool setPanLaw(VstInt32 type, float value);
  virtual bool setProcessPrecision(VstInt32 precision);
  virtual VstInt32 getNumMidiInputChannels();
  virtual VstInt32 getNumMidiOutputChannels();

  // Audio thread: the host's time information for the request mask, or null.
  virtual VstTimeInfo* getTimeInfo(VstInt32 filter);

  virtual VstInt32 processEvents(VstEvents* events);
  virtual VstInt32 startProcess();
  virtual VstInt32 stopProcess();
  virtual bool processVariableIo(VstVariableIo* io);
  virtual VstInt32 setTotalSampleToProcess(VstInt32 value);
  virtual VstInt32 getGetTailSize();

  // The offline interface is not supported; its records are opaque here.
  virtual bool offlineNotify(void* files, VstInt32 numFiles, bool start);
  virtual bool offlinePrepare(void* tasks, VstInt32 count);
  virtual bool offlineRun(void* tasks, VstInt32 count);

  virtual bool getEffectName(char* name);
  virtual bool getVendorString(char* text);
  virtual bool getProductString(char* text);
  virtual VstInt32 getVendorVersion();
  virtual VstIntPtr vendorSpecific(VstInt32 index, VstIntPtr value, void* ptr, float opt);
  virtual VstInt32 canDo(char* text);
  virtual VstInt32 getVstVersion();
  virtual VstPlugCategory getPlugCategory();

  virtual VstInt32 getMidiProgramName(VstInt32 channel, VstMidiProgramName* name);
  virtual VstInt32 getCurrentMidiProgram(VstInt32 channel, VstMidiProgramName* current);
  virtual VstInt32 getMidiProgramCategory(VstInt32 channel, VstMidiProgramCategory* category);
  virtual bool hasMidiProgramsChanged(VstInt32 channel);
  virtual bool getMidiKeyName(VstInt32 channel, VstMidiKeyName* keyName);
  virtual VstInt32 getNextShellPlugin(char* name);

  // Asks the host to send MIDI (deprecated audioMasterWantMidi, still what hosts expect).
  virtual void wantEvents(VstInt32 filter);
  // User-interface thread: asks the host to resize the editor's window; false where it
  // will not, and the editor then draws inside the size it has.
  virtual bool sizeWindow(VstInt32 width, VstInt32 height);
};
