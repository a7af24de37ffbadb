#pragma once

#include <windows.h>

#include <cstdint>

#include "editor/ModuleInstance.h"
#include "editor/View.h"
#include "host/AEffEditor.h"
#include "host/Controller.h"
#include "toolkit/Gdiplus.h"
#include "toolkit/ScaleFactor.h"
#include "toolkit/WindowDpi.h"

namespace VstToolkit {

// The plug-in's editor as the host drives it: opens the view inside the host's
// window, reports its size and closes it. GDI+ stays started for the life of the
// editor, that is of the plug-in instance, across any number of opens.
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
class Editor final : public AEffEditor, private View::DpiListener, private View::CloseListener {
 public:
  explicit Editor(Controller* owner) : AEffEditor(owner), instance(GetModuleInstance()), controller(owner) {
    Gdiplus::GdiplusStartupInput input;
    gdiplusStarted = Gdiplus::GdiplusStartup(&gdiplusToken, &input, nullptr) == Gdiplus::Ok;
  }

  ~Editor() override {
    close();
    if (gdiplusStarted) Gdiplus::GdiplusShutdown(gdiplusToken);
  }

  bool getRect(ERect** result) override {
    if (result == nullptr) return false;
    if (view == nullptr) {
      // What the view would have now: hosts size their window from it before opening.
      const Toolkit::ScaleFactor scale = ChooseScale(WindowsToolkit::WindowDpi(nullptr));
      rect = ERect{0, 0, Extent(scale.Scale(ViewType::kHeight)), Extent(scale.Scale(ViewType::kWidth))};
    }
    *result = &rect;
    return true;
  }

  bool open(void* parent) override {
    if (view != nullptr) close();
    systemWindow = parent;
    return OpenAt(ChooseScale(WindowsToolkit::WindowDpi(static_cast<HWND>(parent))));
  }

  // Hosts that idle their editors get other threads' changes shown sooner than the
  // view's own timer would.
  void idle() override { controller->ApplyViewChanges(); }

  void hostScaleFactorChanged() override {
    if (view != nullptr) Rescale(ChooseScale(WindowsToolkit::WindowDpi(static_cast<HWND>(systemWindow))));
  }

  void close() override {
    systemWindow = nullptr;
    // A host may have destroyed its window, and the view with it, before closing the
    // editor; the view then told us (OnViewDestroyed) and is not touched again.
    if (view == nullptr) return;
    // Detached first, so that nothing reaches the view while its windows go.
    view->controller = nullptr;
    view->closeListener = nullptr;
    controller->SetView(nullptr);
    HWND window = viewWindow;
    view = nullptr;
    viewWindow = nullptr;
    DestroyWindow(window);
  }

 private:
  static VstInt16 Extent(int32_t pixels) { return static_cast<VstInt16>(pixels < INT16_MAX ? pixels : INT16_MAX); }

  Toolkit::ScaleFactor ChooseScale(int32_t dpi) const {
    return Toolkit::ScaleFactor::Choose(controller->GetHostScaleFactor(), dpi);
  }

  bool OpenAt(Toolkit::ScaleFactor scale) {
    view = ViewType::Create(static_cast<HWND>(systemWindow), instance, scale);
    if (view == nullptr) return false;
    viewWindow = view->hwnd;
    view->controller = controller;
    view->dpiListener = this;
    view->closeListener = this;
    controller->SetView(view);
    view->StartRefreshTimer();
    rect.top = static_cast<VstInt16>(view->y);
    rect.left = static_cast<VstInt16>(view->x);
    rect.bottom = Extent(view->height);
    rect.right = Extent(view->width);
    ShowWindow(viewWindow, SW_SHOWNORMAL);
    UpdateWindow(viewWindow);
    return true;
  }

  // Makes the open view again at `scale` inside the same parent, and asks the host to
  // fit its window to it; a host that does not answer keeps its size.
  void Rescale(Toolkit::ScaleFactor scale) {
    if (view == nullptr || view->GetScale() == scale) return;
    void* parent = systemWindow;
    close();
    systemWindow = parent;
    if (OpenAt(scale)) controller->sizeWindow(rect.right, rect.bottom);
  }

  void OnViewDestroyed() override {
    view = nullptr;
    viewWindow = nullptr;
  }

  void OnViewDpiChanged(int32_t dpi) override {
    // A factor the host told stays until it tells another.
    if (controller->GetHostScaleFactor() <= 0.0f) Rescale(Toolkit::ScaleFactor::FromDpi(dpi));
  }

  HINSTANCE instance;
  ULONG_PTR gdiplusToken = 0;
  bool gdiplusStarted = false;
  Controller* controller;    // the same object as `effect`
  ViewType* view = nullptr;  // owned by its window
  HWND viewWindow = nullptr;
  // The open view's size; while none is open, recomputed whenever it is asked for.
  ERect rect{0, 0, static_cast<VstInt16>(ViewType::kHeight), static_cast<VstInt16>(ViewType::kWidth)};
};

}  // namespace VstToolkit
