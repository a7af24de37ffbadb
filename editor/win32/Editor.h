#pragma once

#include <windows.h>

#include <cstdint>

#include "editor/win32/ModuleInstance.h"
#include "editor/win32/View.h"
#include "editor/win32/Win32NativeWindow.h"
#include "editor/win32/Win32UserPrompts.h"
#include "instance/InstanceCore.h"
#include "instance/InstanceEditor.h"
#include "toolkit/core/ScaleFactor.h"
#include "toolkit/win32/Gdiplus.h"
#include "toolkit/win32/WindowDpi.h"

namespace VstToolkit {

// The plug-in's editor on Windows: opens the view inside the host's window, reports its
// size and closes it. GDI+ stays started for the life of the editor, that is of the
// plug-in instance, across any number of opens.
//
// The view is drawn at one scale factor: the host's, where it told one, otherwise its
// window's DPI (before the first open, the system's). When either changes while the
// view is open, the view is made again at the new factor and the host is asked to
// resize its window.
//
// ViewType is a View with a static Create(parent, instance, scale) that returns the
// new view or null, its logical size as kWidth and kHeight, and GetScale().
// Threads: the host's user-interface thread, which also owns the view's windows.
template <typename ViewType>
class Editor final : public InstanceEditor, private View::DpiListener, private View::CloseListener {
 public:
  explicit Editor(InstanceCore& core_) : instance(GetModuleInstance()), core(core_) {
    core.SetUserPrompts(GetWin32UserPrompts());
    Gdiplus::GdiplusStartupInput input;
    gdiplusStarted = Gdiplus::GdiplusStartup(&gdiplusToken, &input, nullptr) == Gdiplus::Ok;
  }

  ~Editor() override {
    Close();
    if (gdiplusStarted) Gdiplus::GdiplusShutdown(gdiplusToken);
  }

  EditorSize GetSize() override {
    if (view != nullptr) return {view->width, view->height};
    // What the view would have now: hosts size their window from it before opening.
    const Toolkit::ScaleFactor scale = ChooseScale(WindowsToolkit::WindowDpi(nullptr));
    return {scale.Scale(ViewType::kWidth), scale.Scale(ViewType::kHeight)};
  }

  bool Open(NativeWindow parent) override {
    if (view != nullptr) Close();
    parentWindow = HwndOf(parent);
    return OpenAt(ChooseScale(WindowsToolkit::WindowDpi(parentWindow)));
  }

  bool IsOpen() const override { return view != nullptr; }

  // Hosts that idle their editors get other threads' changes shown sooner than the
  // view's own timer would.
  void Idle() override { core.ApplyViewChanges(); }

  void HostScaleFactorChanged() override {
    if (view != nullptr) Rescale(ChooseScale(WindowsToolkit::WindowDpi(parentWindow)));
  }

  void Close() override {
    // A host may have destroyed its window, and the view with it, before closing the
    // editor; the view then told us (OnViewDestroyed) and is not touched again.
    if (view == nullptr) return;
    // Detached first, so that nothing reaches the view while its windows go.
    view->core = nullptr;
    view->closeListener = nullptr;
    core.SetView(nullptr);
    HWND window = viewWindow;
    view = nullptr;
    viewWindow = nullptr;
    DestroyWindow(window);
  }

 private:
  Toolkit::ScaleFactor ChooseScale(int32_t dpi) const {
    return Toolkit::ScaleFactor::Choose(core.GetHostScaleFactor(), dpi);
  }

  bool OpenAt(Toolkit::ScaleFactor scale) {
    view = ViewType::Create(parentWindow, instance, scale);
    if (view == nullptr) return false;
    viewWindow = view->hwnd;
    view->core = &core;
    view->dpiListener = this;
    view->closeListener = this;
    core.SetView(view);
    view->StartRefreshTimer();
    ShowWindow(viewWindow, SW_SHOWNORMAL);
    UpdateWindow(viewWindow);
    return true;
  }

  // Makes the open view again at `scale` inside the same parent, and asks the host to
  // fit its window to it; a host that does not answer keeps its size.
  void Rescale(Toolkit::ScaleFactor scale) {
    if (view == nullptr || view->GetScale() == scale) return;
    Close();
    if (OpenAt(scale)) core.RequestEditorResize(view->width, view->height);
  }

  void OnViewDestroyed() override {
    view = nullptr;
    viewWindow = nullptr;
  }

  void OnViewDpiChanged(int32_t dpi) override {
    // A factor the host told stays until it tells another.
    if (core.GetHostScaleFactor() <= 0.0f) Rescale(Toolkit::ScaleFactor::FromDpi(dpi));
  }

  HINSTANCE instance;
  ULONG_PTR gdiplusToken = 0;
  bool gdiplusStarted = false;
  InstanceCore& core;
  HWND parentWindow = nullptr;
  ViewType* view = nullptr;  // owned by its window
  HWND viewWindow = nullptr;
};

}  // namespace VstToolkit
