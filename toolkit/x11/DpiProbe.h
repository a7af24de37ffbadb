#pragma once

#include <X11/Xlib.h>

namespace X11Toolkit {

// The server's "Xft.dpi" (0 where none is set), read from the root window's resource
// database as it is now: XResourceManagerString would keep what it was when the
// connection opened. What is asked while no editor is open goes through a connection
// of the process's own, opened at the first question and kept while any holder lives,
// so that a question costs one request, not a connection, and still sees what a
// desktop set since the last.
// Threads: holders are made and destroyed with the plug-in's instances, on whatever
// thread the host does that; Read and Of run on the user-interface thread.
class DpiProbe final {
 public:
  // Any thread, with the instance: one more holder.
  DpiProbe();
  // Any thread, with the instance: the last holder closes the probe's connection.
  ~DpiProbe();
  DpiProbe(const DpiProbe&) = delete;
  DpiProbe& operator=(const DpiProbe&) = delete;

  // User-interface thread: through the probe's connection; 0 also where no display can be opened.
  double Read();
  // User-interface thread: through a connection that is open anyway.
  static double Of(::Display* display);
};

}  // namespace X11Toolkit
