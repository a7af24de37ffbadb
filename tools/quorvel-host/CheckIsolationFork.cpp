#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "tools/quorvel-host/CheckIsolation.h"

namespace QuorvelHost {

bool CheckIsolation::Run(const std::function<Counts()>& group, Counts& counts, std::string& how) {
  int channel[2] = {-1, -1};
  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t child = pipe(channel) == 0 ? fork() : -1;
  if (child < 0) {
    // Without a pipe or a child the group runs here (closing -1 does nothing).
    close(channel[0]);
    close(channel[1]);
    counts = group();
    return true;
  }
  if (child == 0) {
    close(channel[0]);
    Counts result = group();
    std::fflush(stdout);
    std::fflush(stderr);
    ssize_t written = write(channel[1], &result, sizeof(result));
    // No destructors or exit handlers: they belong to the parent's objects.
    _exit(written == static_cast<ssize_t>(sizeof(result)) ? 0 : 1);
  }
  close(channel[1]);
  Counts result;
  ssize_t got = read(channel[0], &result, sizeof(result));
  close(channel[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
  }
  if (WIFSIGNALED(status)) {
    how = "the plug-in crashed (" + std::string(strsignal(WTERMSIG(status))) + ")";
    return false;
  }
  if (got != static_cast<ssize_t>(sizeof(result)) || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    how = "the plug-in ended the process (exit status " + std::to_string(WEXITSTATUS(status)) + ")";
    return false;
  }
  counts = result;
  return true;
}

}  // namespace QuorvelHost
