#pragma once

#include <windows.h>

#include <cstdint>

namespace WindowsToolkit {

// Base of every toolkit window. The object lives exactly as long as its window:
// ToolkitWindowProc attaches it at WM_NCCREATE and deletes it at WM_NCDESTROY (or
// when it refuses creation), so nothing else ever deletes a Window.
//
// Each message of the table below reaches one virtual operation; a nonzero result
// means "handled". The order of the operations is shared by every subclass.
// All operations run on the user-interface thread that created the window.
class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  virtual int OnNcCreate(CREATESTRUCTA* create);
  virtual int OnCreate(CREATESTRUCTA* create);
  virtual int OnSize(WPARAM type, uint32_t width, uint32_t height);
  virtual int OnMove(uint32_t left, uint32_t top);
  virtual int OnPaint(HDC hdc);
  virtual int OnEraseBackground(HDC hdc);
  virtual int OnDrawItem(WPARAM wParam, LPARAM lParam);
  virtual int OnSetFocus(WPARAM wParam);
  virtual int OnKillFocus(WPARAM wParam);
  virtual int OnShowWindow(WPARAM wParam, LPARAM lParam);
  virtual int OnCommand(WPARAM wParam, LPARAM lParam);
  virtual int OnChar(WPARAM code, uint32_t repeat, uint32_t flags);
  virtual int OnKeyDown(WPARAM key, uint32_t repeat, uint32_t flags);
  virtual int OnKeyUp(WPARAM key, uint32_t repeat, uint32_t flags);
  virtual int OnLButtonDown(WPARAM keys, POINT point);
  virtual int OnLButtonUp(WPARAM keys, POINT point);
  virtual int OnRButtonDown(WPARAM keys, POINT point);
  virtual int OnRButtonUp(WPARAM keys, POINT point);
  virtual int OnMouseMove(WPARAM keys, POINT point);
  virtual int OnMouseHover(WPARAM keys, POINT point);
  virtual int OnMouseLeave();
  // The window lost the mouse capture to `gaining` (null: to no window).
  virtual int OnCaptureChanged(HWND gaining);
  virtual int OnMouseWheel(uint32_t keys, uint32_t delta, POINT point);
  virtual int OnHScroll(uint32_t request, uint32_t position, LPARAM lParam);
  virtual int OnVScroll(uint32_t request, uint32_t position, LPARAM lParam);
  virtual int OnClose();
  virtual int OnDestroy();
  virtual int OnNcDestroy();
  // Every message without an operation of its own.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

  // Creates the window of a heap object by the toolkit's convention: child and
  // visible, no extended style, empty name, the object as creation parameter.
  // Fills x, y, width and height first. Returns false when no window exists
  // afterwards; the object has then been deleted, whoever refused it.
  static bool CreateToolkitWindow(Window* object, const char* className, int left, int top, int w, int h,
                                  HWND parent, HINSTANCE instance);

  // Registers a window class served by ToolkitWindowProc, with the toolkit's
  // common class settings (redraw on resize, arrow cursor, window-colour brush).
  static bool RegisterWindowClass(const char* className, HINSTANCE instance);

  HWND hwnd = nullptr;  // null until WM_NCCREATE, and again just before deletion
  int32_t x = 0;        // position in the parent's client area and size, as created
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;

 protected:
  Window() = default;
};

// The one window procedure of every toolkit window class.
LRESULT CALLBACK ToolkitWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace WindowsToolkit
