#pragma once

#include <functional>
#include <optional>

#include "editor/EditorFormat.h"
#include "instance/InstanceEditor.h"
#include "instance/NativeWindow.h"
#include "toolkit/core/ScaleFactor.h"

namespace VstToolkit {

class InstanceCore;
class ViewLink;

// The editor's life, the same on every platform: opening the view in the host's window,
// closing it, remaking it at a new scale factor and reporting its size. A platform's
// editor derives from it and supplies only the platform's part, below.
//
// The view is drawn at one scale factor: the host's, where it told one, otherwise the
// measured one (the DPI of the host's window, or the desktop's; before the first open
// the system's). When either changes while the view is open (the measured one counts
// only while the host told none), the view is made again at the new factor in the same
// parent and the host is asked to resize its window; a host that does not answer keeps
// its size, and a view that cannot be made again closes the editor.
//
// The host may destroy its window, and the view with it, before closing the editor:
// such a view detached itself, and is never touched again.
// Threads: the host's user-interface thread, which alone touches the view.
class EditorLifecycle : public InstanceEditor {
 public:
  // User-interface thread: the view in the host's window, one still open closed first; false if none can be.
  bool Open(NativeWindow parent) final;
  // User-interface thread: detaches the view from the core first, then destroys it.
  void Close() final;
  // User-interface thread: a view is open and the host has not destroyed it.
  bool IsOpen() const final;
  // User-interface thread: the open view's size, else the size a view made now would have.
  EditorSize GetSize() final;
  // User-interface thread: remakes an open view at the host's new factor.
  void HostScaleFactorChanged() final;
  // User-interface thread: shows other threads' changes and runs the platform's periodic work.
  void Idle() final;

 protected:
  // The thread that makes the instance: opens nothing yet.
  EditorLifecycle(InstanceCore& core_, EditorFormat format_) : core(core_), format(format_) {}
  // The platform's destructor closes the editor: its part is gone by the time this runs.
  ~EditorLifecycle() override = default;

  // User-interface thread: the platform measured another DPI for the open view (Windows:
  // the view moved to a screen of another DPI); it counts while the host told no factor.
  void MeasuredDpiChanged(double dpi);

  InstanceCore& core;
  // The format whose name the views show.
  const EditorFormat format;

 private:
  // The platform's part, all on the user-interface thread.
  // The DPI measured now: the parent's while one is held, else the system's; 0 where none is known.
  virtual double MeasureDpi() = 0;
  // Takes the host's window as the parent of the views to come; false where it cannot be one.
  virtual bool Connect(NativeWindow parent) = 0;
  // Lets go of the parent; no view is left in it.
  virtual void Disconnect() = 0;
  // Makes the view at `scale` in the parent, linked to the core but not yet attached; null where that fails.
  virtual ViewLink* MakeView(Toolkit::ScaleFactor scale) = 0;
  // Shows the view just attached.
  virtual void ShowView() = 0;
  // Whether a view is made and the host has not destroyed it since.
  virtual bool ViewAlive() const = 0;
  virtual EditorSize ViewSize() const = 0;
  // Unlinks the view (already detached from the core) and destroys it; a view the host
  // destroyed is only forgotten.
  virtual void DestroyView() = 0;
  // The idle's platform work; true where the measured DPI may have changed since the last.
  virtual bool Pump() = 0;
  // Runs `calls` as one host call: where the platform must, no error of theirs reaches the host.
  virtual void RunTrapped(const std::function<void()>& calls) = 0;

  // The factor a view made now would have.
  Toolkit::ScaleFactor ChooseScale();
  // The view at `scale` in the parent, attached to the core and shown.
  bool MakeAttachedView(Toolkit::ScaleFactor scale);
  // Detaches the view, where the host has not destroyed it, then destroys it.
  void DestroyAttachedView();
  // Makes the open view again at `measured`, or at the factor chosen now, where that
  // differs, and asks the host to fit its window to it.
  void Rescale(std::optional<Toolkit::ScaleFactor> measured);

  bool connected = false;  // between a Connect that succeeded and its Disconnect
  Toolkit::ScaleFactor viewScale;
};

}  // namespace VstToolkit
