#include "editor/x11/WebPageOpener.h"

#include <spawn.h>
#include <sys/wait.h>

#include <cerrno>

extern char** environ;

bool WebPageOpener::Open(const char* url) {
  if (url == nullptr) return false;
  char shell[] = "/bin/sh";
  char option[] = "-c";
  char script[] = "xdg-open \"$1\" </dev/null >/dev/null 2>&1 &";
  char name[] = "sh";
  char* arguments[] = {shell, option, script, name, const_cast<char*>(url), nullptr};
  pid_t child = 0;
  if (posix_spawn(&child, shell, nullptr, nullptr, arguments, environ) != 0) return false;
  // The shell only starts xdg-open; a host that reaps children itself may be first.
  while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
  }
  return true;
}
