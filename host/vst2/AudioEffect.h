#pragma once

#include "host/vst2/VstInterface.h"

class AEffEditor;

// Builds the AEffect record a host holds and turns every call through it into a
// call of a virtual operation of this object. Subclasses override what they answer.
// Threads: each operation runs on the thread the host calls it from; the layer
// itself keeps no state that needs a lock.
class AudioEffect {
 public:
  AudioEffect(audioMasterCallback audioMaster, VstInt32 numPrograms, VstInt32 numParams);
  virtual ~AudioEffect();
  AudioEffect(const AudioEffect&) = delete;
  AudioEffect& operator=(const AudioEffect&) = delete;

  // The record's dispatcher. Ends the instance on effClose: the only way a host deletes it.
  static VstIntPtr dispatchEffectClass(AEffect* effect, VstInt32 opcode, VstInt32 index, VstIntPtr value,
                                       void* ptr, float opt);

  virtual VstIntPtr dispatcher(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);

  virtual void open();
  virtual void close();
  virtual void suspend();
  virtual void resume();

  virtual void setSampleRate(float rate);
  virtual void setBlockSize(VstInt32 size);

  // Audio thread.
  virtual void processReplacing(float** inputs, float** outputs, VstInt32 sampleFrames) = 0;
  virtual void processDoubleReplacing(double** inputs, double** outputs, VstInt32 sampleFrames);

  virtual void setParameter(VstInt32 index, float value);
  virtual float getParameter(VstInt32 index);
  // Tells the host that the user changed a parameter; does not set it.
  virtual void setParameterAutomated(VstInt32 index, float value);

  virtual VstInt32 getProgram();
  virtual void setProgram(VstInt32 program);
  virtual void setProgramName(char* name);
  virtual void getProgramName(char* name);
  virtual void getParameterLabel(VstInt32 index, char* label);
  virtual void getParameterDisplay(VstInt32 index, char* text);
  virtual void getParameterName(VstInt32 index, char* text);

  virtual VstInt32 getChunk(void** data, bool isPreset);
  virtual VstInt32 setChunk(void* data, VstInt32 byteSize, bool isPreset);

  virtual void setUniqueID(VstInt32 id);
  virtual void setNumInputs(VstInt32 inputs);
  virtual void setNumOutputs(VstInt32 outputs);
  virtual void canProcessReplacing(bool state);
  virtual void canDoubleReplacing(bool state);
  virtual void programsAreChunks(bool state);
  virtual void setInitialDelay(VstInt32 delay);

  virtual AEffEditor* getEditor();
  virtual AEffect* getAeffect();
  virtual float getSampleRate();
  virtual VstInt32 getBlockSize();

  // The deprecated accumulating process: hosts that still call it get no processing.
  virtual void process(float** inputs, float** outputs, VstInt32 sampleFrames);

  // Attaches an editor, taking ownership (a previous one is deleted), and
  // announces it to the host through effFlagsHasEditor. Null detaches.
  void setEditor(AEffEditor* newEditor);

 protected:
  // Every call to the host goes through here; without a host callback it answers 0.
  VstIntPtr callHost(VstInt32 opcode, VstInt32 index, VstIntPtr value, void* ptr, float opt);
  void setFlag(VstInt32 flag, bool state);

  audioMasterCallback audioMaster;
  AEffEditor* editor;  // owned
  float sampleRate;
  VstInt32 blockSize;
  VstInt32 numPrograms;
  VstInt32 numParams;
  VstInt32 curProgram;
  AEffect cEffect;

 private:
  static AudioEffect* FromRecord(AEffect* effect);
  static void processClass(AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames);
  static void processClassReplacing(AEffect* effect, float** inputs, float** outputs, VstInt32 sampleFrames);
  static void processClassDoubleReplacing(AEffect* effect, double** inputs, double** outputs,
                                          VstInt32 sampleFrames);
  static void setParameterClass(AEffect* effect, VstInt32 index, float value);
  static float getParameterClass(AEffect* effect, VstInt32 index);
};
