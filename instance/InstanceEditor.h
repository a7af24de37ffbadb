#pragma once

#include <cstdint>

#include "instance/NativeWindow.h"

namespace VstToolkit {

// The size of the editor's view in device pixels.
struct EditorSize {
  int32_t width = 0;
  int32_t height = 0;
};

// What the instance core asks of the editor a face attached to it. The editor knows the
// core; the core knows only this.
// Threads: the host's user-interface thread, which also owns the editor's windows.
class InstanceEditor {
 public:
  virtual ~InstanceEditor() = default;

  // Opens the view inside the host's window; false where that cannot be done.
  virtual bool Open(NativeWindow parent) = 0;
  // Closes an open view; nothing happens when none is open.
  virtual void Close() = 0;
  virtual bool IsOpen() const = 0;
  // The size the view has, or while closed the size it would have if opened now.
  virtual EditorSize GetSize() = 0;
  // The host told a new scale factor (the core keeps it): an open view is made again at it.
  virtual void HostScaleFactorChanged() = 0;
  // The host's idle call: the editor's periodic work where the platform needs it.
  virtual void Idle() = 0;
  // Where the open view's events arrive on a file descriptor a host's run loop can watch
  // (X11: the editor's connection), that descriptor; -1 otherwise, and while closed.
  virtual int32_t EventDescriptor() const { return -1; }
  // The open view's own window as the host's window system names it (X11: its window id),
  // for a host that embeds the editor's window rather than lending its own; none while closed.
  virtual NativeWindow ViewWindow() const { return {}; }
};

}  // namespace VstToolkit
