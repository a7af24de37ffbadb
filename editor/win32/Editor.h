#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>

#include "editor/EditorLifecycle.h"
#include "editor/win32/View.h"
#include "toolkit/win32/Gdiplus.h"

class QuorvelDelayView;

namespace VstToolkit {

// The delay's editor on Windows, the Win32 part of its lifecycle: the view is a child
// window of the host's, and the host's message loop runs it, its own timer showing other
// threads' changes. GDI+ stays started for the life of the editor, that is of the
// plug-in instance, across any number of opens.
//
// The measured scale is the DPI Windows gives the host's window (before the first open,
// the system's); a view moved to a screen of another DPI is remade there.
// Threads: the host's user-interface thread, which also owns the view's windows.
class Editor final : public EditorLifecycle, private View::DpiListener, private View::CloseListener {
 public:
  // The thread that makes the instance: gives the core the Win32 menus and boxes, and starts GDI+.
  Editor(InstanceCore& core, EditorFormat format);
  // The thread that ends the instance: closes an open view, then stops GDI+.
  ~Editor() override;

 private:
  double MeasureDpi() override;
  bool Connect(NativeWindow parent) override;
  void Disconnect() override;
  ViewLink* MakeView(Toolkit::ScaleFactor scale) override;
  void ShowView() override;
  bool ViewAlive() const override { return view != nullptr; }
  EditorSize ViewSize() const override;
  void DestroyView() override;
  // Windows runs the view from the host's message loop, and tells a new DPI at once.
  bool Pump() override { return false; }
  void RunTrapped(const std::function<void()>& calls) override { calls(); }

  void OnViewDestroyed() override;
  void OnViewDpiChanged(int32_t dpi) override;

  HINSTANCE instance;
  ULONG_PTR gdiplusToken = 0;
  bool gdiplusStarted = false;
  HWND parentWindow = nullptr;
  QuorvelDelayView* view = nullptr;  // owned by its window
};

}  // namespace VstToolkit
