#pragma once

#include <memory>

namespace QuorvelHost {

// A top-level window to parent a plug-in's editor, with its message pump: a
// Win32 window on Windows, an X11 window elsewhere. Create answers null when
// there is no display (no DISPLAY, no X server), and the editor checks are
// skipped.
class EditorWindow final {
 public:
  static std::unique_ptr<EditorWindow> Create();
  ~EditorWindow();
  EditorWindow(const EditorWindow&) = delete;
  EditorWindow& operator=(const EditorWindow&) = delete;

  // The native handle handed to effEditOpen.
  void* Handle() const { return handle_; }
  // Delivers the messages that are waiting, so the editor paints and settles.
  void Pump();

 private:
  explicit EditorWindow(void* handle) : handle_(handle) {}
  void* handle_;
};

}  // namespace QuorvelHost
