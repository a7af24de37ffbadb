#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "tools/quorvel-host/Validator.h"

namespace QuorvelHost {

void Validator::RunGroup(const char* name, void (*group)(Validator&)) {
  int channel[2] = {-1, -1};
  std::fflush(stdout);
  std::fflush(stderr);
  const pid_t child = pipe(channel) == 0 ? fork() : -1;
  if (child < 0) {
    // Without a pipe or a child the group runs here (closing -1 does nothing).
    close(channel[0]);
    close(channel[1]);
    group(*this);
    return;
  }
  if (child == 0) {
    close(channel[0]);
    group(*this);
    std::fflush(stdout);
    std::fflush(stderr);
    ssize_t written = write(channel[1], &counts_, sizeof(counts_));
    // No destructors or exit handlers: they belong to the parent's objects.
    _exit(written == static_cast<ssize_t>(sizeof(counts_)) ? 0 : 1);
  }
  close(channel[1]);
  // Only the counts come back from the child; a group that ended abnormally counts nothing.
  Counts result;
  ssize_t got = read(channel[0], &result, sizeof(result));
  close(channel[0]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
  }
  std::string how;
  if (WIFSIGNALED(status)) {
    how = "the plug-in crashed (" + std::string(strsignal(WTERMSIG(status))) + ")";
  } else if (got != static_cast<ssize_t>(sizeof(result)) || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    how = "the plug-in ended the process (exit status " + std::to_string(WEXITSTATUS(status)) + ")";
  } else {
    counts_ = result;
    return;
  }
  Fail(std::string(name) + " checks", how + "; the checks after the last line did not run");
}

}  // namespace QuorvelHost
