#pragma once

#include <X11/Xlib.h>
#include <cairo/cairo.h>

#include <atomic>
#include <chrono>
#include <cstdint>

#include "toolkit/core/ScaleFactor.h"

namespace X11Toolkit {

class Connection;

// Base of every window of the X11 editor: an X window on the editor's connection and
// the object that receives its events. The owner of the object destroys the window
// with it; a window the host destroyed first only loses its id (Forget).
// User-interface thread, except Invalidate.
class Window {
 public:
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  // Creates the window as a child of `parent` with the given place and size. False
  // when the server refused (the parent is gone or no window at all).
  bool Create(Connection& connection, XID parent, int32_t left, int32_t top, int32_t w, int32_t h);

  // The event operations; the base ignores them all.
  virtual void OnButtonPress(const XButtonEvent& event);
  virtual void OnButtonRelease(const XButtonEvent& event);
  virtual void OnMotion(const XMotionEvent& event);
  virtual void OnEnter(const XCrossingEvent& event);
  virtual void OnLeave(const XCrossingEvent& event);
  virtual void OnKeyPress(const XKeyEvent& event);
  virtual void OnClientMessage(const XClientMessageEvent& event);
  virtual void OnMapped();
  // The server destroyed the window (the host destroyed an ancestor).
  virtual void OnDestroyed();
  // Called in every pump with the time, for what waits (hover).
  virtual void OnTick(std::chrono::steady_clock::time_point now);
  // Paints the whole window.
  virtual void Paint(cairo_t* cairo) = 0;

  // Repaints the window in the next pump. Any thread: it only sets a flag.
  void Invalidate() { dirty.store(true, std::memory_order_relaxed); }
  // Paints now if asked to, off screen first so that nothing flickers.
  void PaintIfDirty();
  // The server no longer has the window: nothing is drawn or asked of it any more.
  void Forget();

  XID GetId() const { return id; }
  Connection* GetConnection() const { return connection; }

  int32_t x = 0;  // place in the parent and size, as created
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  // The factor the window is drawn at, which the menus and boxes opened on it follow.
  Toolkit::ScaleFactor scale;

 protected:
  Window() = default;
  // The events the window asks for; a subclass adds its own.
  virtual long EventMask() const;
  // Top-level windows of our own (menus, boxes) set override-redirect or a caption here.
  virtual void Decorate();

 private:
  // Sends a painted picture to the window.
  void Put(cairo_surface_t* surface);

  Connection* connection = nullptr;
  XID id = 0;
  Visual* visual = nullptr;
  int depth = 0;
  GC gc = nullptr;
  std::atomic<bool> dirty{true};
};

}  // namespace X11Toolkit
