#pragma once

#include <windows.h>

#include "editor/ModuleInstance.h"
#include "host/AEffEditor.h"
#include "host/Controller.h"
#include "toolkit/Gdiplus.h"

namespace VstToolkit {

// The plug-in's editor as the host drives it: opens the view inside the host's
// window, reports its size and closes it. GDI+ stays started for the life of the
// editor, that is of the plug-in instance, across any number of opens.
//
// ViewType is a View with a static Create(parent, instance) that returns the new
// view or null, and its fixed size as kWidth and kHeight.
// Threads: the host's user-interface thread, which also owns the view's windows.
template <typename ViewType>
class Editor final : public AEffEditor {
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
    *result = &rect;
    return true;
  }

  bool open(void* parent) override {
    if (view != nullptr) close();
    systemWindow = parent;
    view = ViewType::Create(static_cast<HWND>(parent), instance);
    if (view == nullptr) return false;
    viewWindow = view->hwnd;
    view->controller = controller;
    controller->SetView(view);
    rect.top = static_cast<VstInt16>(view->y);
    rect.left = static_cast<VstInt16>(view->x);
    rect.bottom = static_cast<VstInt16>(view->height);
    rect.right = static_cast<VstInt16>(view->width);
    ShowWindow(viewWindow, SW_SHOWNORMAL);
    UpdateWindow(viewWindow);
    return true;
  }

  void close() override {
    systemWindow = nullptr;
    if (view == nullptr) return;
    // A host may have destroyed its window, and the view with it, before closing the
    // editor; the view then detached itself and must not be touched again.
    if (IsWindow(viewWindow)) {
      // Detached first, so that nothing reaches the view while its windows go.
      view->controller = nullptr;
      controller->SetView(nullptr);
      DestroyWindow(viewWindow);
    }
    view = nullptr;
    viewWindow = nullptr;
  }

 private:
  HINSTANCE instance;
  ULONG_PTR gdiplusToken = 0;
  bool gdiplusStarted = false;
  Controller* controller;    // the same object as `effect`
  ViewType* view = nullptr;  // owned by its window
  HWND viewWindow =
      nullptr;  // kept apart from the view: it is still valid to ask about once the view is gone
  // Until the first open the view's fixed size, which hosts read to size their window.
  ERect rect{0, 0, static_cast<VstInt16>(ViewType::kHeight), static_cast<VstInt16>(ViewType::kWidth)};
};

}  // namespace VstToolkit
