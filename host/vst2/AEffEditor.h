#pragma once

#include "host/vst2/VstInterface.h"

class AudioEffect;

// The base of every editor that the host drives through the editor opcodes. The
// defaults describe an editor with no window of its own; a real editor overrides
// the destructor, getRect, open and close.
// Threads: the host's user-interface thread.
class AEffEditor {
 public:
  explicit AEffEditor(AudioEffect* effect);
  virtual ~AEffEditor();
  AEffEditor(const AEffEditor&) = delete;
  AEffEditor& operator=(const AEffEditor&) = delete;

  virtual AudioEffect* getEffect();
  virtual bool getRect(ERect** rect);
  virtual bool open(void* parent);
  virtual void close();
  virtual bool isOpen();
  virtual void idle();
  virtual bool onKeyDown(VstKeyCode& keyCode);
  virtual bool onKeyUp(VstKeyCode& keyCode);
  virtual bool onWheel(float distance);
  virtual bool setKnobMode(VstInt32 mode);

 protected:
  AudioEffect* effect;  // not owned
  void* systemWindow;   // the host's parent window while open
};
