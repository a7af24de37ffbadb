#include "editor/win32/Editor.h"

#include "editor/win32/ModuleInstance.h"
#include "editor/win32/QuorvelDelayView.h"
#include "editor/win32/Win32NativeWindow.h"
#include "editor/win32/Win32UserPrompts.h"
#include "instance/InstanceCore.h"
#include "toolkit/win32/WindowDpi.h"

namespace VstToolkit {

Editor::Editor(InstanceCore& core_, EditorFormat format_)
    : EditorLifecycle(core_, format_), instance(GetModuleInstance()) {
  core.SetUserPrompts(GetWin32UserPrompts());
  Gdiplus::GdiplusStartupInput input;
  gdiplusStarted = Gdiplus::GdiplusStartup(&gdiplusToken, &input, nullptr) == Gdiplus::Ok;
}

Editor::~Editor() {
  Close();
  if (gdiplusStarted) Gdiplus::GdiplusShutdown(gdiplusToken);
}

double Editor::MeasureDpi() {
  // A null window, or one the host destroyed, gives the system's.
  return WindowsToolkit::WindowDpi(parentWindow);
}

bool Editor::Connect(NativeWindow parent) {
  parentWindow = HwndOf(parent);
  return true;
}

void Editor::Disconnect() {
  parentWindow = nullptr;
}

ViewLink* Editor::MakeView(Toolkit::ScaleFactor scale) {
  view = QuorvelDelayView::Create(parentWindow, instance, scale, format);
  if (view == nullptr) return nullptr;
  view->core = &core;
  view->dpiListener = this;
  view->closeListener = this;
  return view;
}

void Editor::ShowView() {
  view->StartRefreshTimer();
  ShowWindow(view->hwnd, SW_SHOWNORMAL);
  UpdateWindow(view->hwnd);
}

EditorSize Editor::ViewSize() const {
  return {view->width, view->height};
}

void Editor::DestroyView() {
  if (view == nullptr) return;
  // Unlinked first: the view's destruction then neither detaches it again nor reports back.
  view->core = nullptr;
  view->closeListener = nullptr;
  HWND window = view->hwnd;
  view = nullptr;
  DestroyWindow(window);
}

void Editor::OnViewDestroyed() {
  // The host destroyed its window, and the view with it, before closing the editor.
  view = nullptr;
}

void Editor::OnViewDpiChanged(int32_t dpi) {
  MeasuredDpiChanged(dpi);
}

}  // namespace VstToolkit
