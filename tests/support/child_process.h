#pragma once
// Runs part of a test in a forked child, for faults that end the process
// (a kill at a chosen moment, a file size limit).
#include <sys/wait.h>
#include <unistd.h>

// Runs body in a child process and returns its wait status. The child
// leaves with _exit, so nothing of the parent's state is torn down twice.
template <typename Body>
int RunInChild(Body body) {
  const pid_t pid = fork();
  if (pid == 0) {
    _exit(body());
  }
  int status = 0;
  waitpid(pid, &status, 0);
  return status;
}
