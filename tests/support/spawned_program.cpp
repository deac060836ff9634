#include "support/spawned_program.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <sstream>

namespace {

// How often a bounded wait looks whether the program ended.
constexpr int WAIT_STEP_MS = 50;

}  // namespace

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

SpawnedProgram::SpawnedProgram(std::vector<std::string> arguments, const std::string& outPath,
                               const std::string& errPath, char* const* environment)
    : m_outPath(outPath), m_errPath(errPath) {
  std::vector<char*> argv;
  for (std::string& argument : arguments) argv.push_back(argument.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  if (posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environment != nullptr ? environment : environ) != 0) m_pid = -1;
  posix_spawn_file_actions_destroy(&actions);
}

SpawnedProgram::~SpawnedProgram() {
  if (m_pid > 0) {
    kill(m_pid, SIGKILL);
    waitpid(m_pid, nullptr, 0);
  }
}

void SpawnedProgram::Signal(int signal) const {
  if (m_pid > 0) kill(m_pid, signal);
}

ProgramResult SpawnedProgram::Wait(int mostMs, rusage* usage) {
  ProgramResult result;
  int status = 0;
  bool ended = false;
  if (m_pid > 0 && mostMs < 0) {
    ended = wait4(m_pid, &status, 0, usage) == m_pid;
  }
  for (int waited = 0; m_pid > 0 && mostMs >= 0 && waited < mostMs / WAIT_STEP_MS; ++waited) {
    if (wait4(m_pid, &status, WNOHANG, usage) == m_pid) {
      ended = true;
      break;
    }
    usleep(WAIT_STEP_MS * 1000);
  }
  if (ended) {
    if (WIFEXITED(status)) result.status = WEXITSTATUS(status);
  } else if (m_pid > 0) {
    kill(m_pid, SIGKILL);
    wait4(m_pid, nullptr, 0, usage);
  }
  m_pid = -1;
  result.out = ReadWholeFile(m_outPath);
  result.err = ReadWholeFile(m_errPath);
  return result;
}
