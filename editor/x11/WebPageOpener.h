#pragma once

// Opens a web page in the desktop's browser through xdg-open, without waiting for it:
// a shell starts xdg-open in the background and ends at once, and is reaped here, so
// the browser is nobody's child and no zombie stays. User-interface thread.
class WebPageOpener final {
 public:
  // False when not even the shell could be started.
  static bool Open(const char* url);
};
