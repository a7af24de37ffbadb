#pragma once

// The VST3 editor interfaces under their published names and numbers: the plug-in's
// view, the host's frame, content scaling and, on Linux, the host's run loop.

#include "host/vst3/Vst3Base.h"

namespace Steinberg {

struct ViewRect {
  int32 left = 0;
  int32 top = 0;
  int32 right = 0;
  int32 bottom = 0;
  int32 getWidth() const { return right - left; }
  int32 getHeight() const { return bottom - top; }
};

constexpr FIDString kPlatformTypeHWND = "HWND";
constexpr FIDString kPlatformTypeX11EmbedWindowID = "X11EmbedWindowID";

class IPlugFrame;

class IPlugView : public FUnknown {
 public:
  virtual tresult isPlatformTypeSupported(FIDString type) = 0;
  virtual tresult attached(void* parent, FIDString type) = 0;
  virtual tresult removed() = 0;
  virtual tresult onWheel(float distance) = 0;
  virtual tresult onKeyDown(char16 key, int16 keyCode, int16 modifiers) = 0;
  virtual tresult onKeyUp(char16 key, int16 keyCode, int16 modifiers) = 0;
  virtual tresult getSize(ViewRect* size) = 0;
  virtual tresult onSize(ViewRect* newSize) = 0;
  virtual tresult onFocus(TBool state) = 0;
  virtual tresult setFrame(IPlugFrame* frame) = 0;
  virtual tresult canResize() = 0;
  virtual tresult checkSizeConstraint(ViewRect* rect) = 0;
  static constexpr FUID iid{0x5BC32507, 0xD06049EA, 0xA6151B52, 0x2B755B29};

 protected:
  ~IPlugView() = default;
};

class IPlugFrame : public FUnknown {
 public:
  virtual tresult resizeView(IPlugView* view, ViewRect* newSize) = 0;
  static constexpr FUID iid{0x367FAF01, 0xAFA94693, 0x8D4DA2A0, 0xED0882A3};

 protected:
  ~IPlugFrame() = default;
};

class IPlugViewContentScaleSupport : public FUnknown {
 public:
  using ScaleFactor = float;
  virtual tresult setContentScaleFactor(ScaleFactor factor) = 0;
  static constexpr FUID iid{0x65ED9690, 0x8AC44525, 0x8AADEF7A, 0x72EA703F};

 protected:
  ~IPlugViewContentScaleSupport() = default;
};

namespace Linux {

using TimerInterval = uint64;
using FileDescriptor = int;

class IEventHandler : public FUnknown {
 public:
  virtual void onFDIsSet(FileDescriptor fd) = 0;
  static constexpr FUID iid{0x561E65C9, 0x13A0496F, 0x813A2C35, 0x654D7983};

 protected:
  ~IEventHandler() = default;
};

class ITimerHandler : public FUnknown {
 public:
  virtual void onTimer() = 0;
  static constexpr FUID iid{0x10BDD94F, 0x41424774, 0x821FAD8F, 0xECA72CA9};

 protected:
  ~ITimerHandler() = default;
};

class IRunLoop : public FUnknown {
 public:
  virtual tresult registerEventHandler(IEventHandler* handler, FileDescriptor fd) = 0;
  virtual tresult unregisterEventHandler(IEventHandler* handler) = 0;
  virtual tresult registerTimer(ITimerHandler* handler, TimerInterval milliseconds) = 0;
  virtual tresult unregisterTimer(ITimerHandler* handler) = 0;
  static constexpr FUID iid{0x18C35366, 0x97764F1A, 0x9C5B8385, 0x7A871389};

 protected:
  ~IRunLoop() = default;
};

}  // namespace Linux

static_assert(sizeof(ViewRect) == 16, "ViewRect");

}  // namespace Steinberg
