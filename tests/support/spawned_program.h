#pragma once
// A program started as a child process, as the tests and benchmarks start
// lumivane-cli and lumivane: its standard output and error going to files,
// its end waited for and its exit status taken.
#include <sys/resource.h>
#include <sys/types.h>

#include <string>
#include <vector>

struct ProgramResult {
  int status = -1;  // exit status, or -1 when the program did not exit
  std::string out;
  std::string err;
};

// A whole file's bytes; "" for a file that cannot be read.
std::string ReadWholeFile(const std::string& path);

class SpawnedProgram {
 public:
  // Starts arguments[0] with `arguments`; its standard output and error go
  // to the files named (made anew), its environment is `environment`
  // (this process's when null).
  SpawnedProgram(std::vector<std::string> arguments, const std::string& outPath, const std::string& errPath,
                 char* const* environment = nullptr);
  // A program still running is killed: a failed test leaves none behind.
  ~SpawnedProgram();
  SpawnedProgram(const SpawnedProgram&) = delete;
  SpawnedProgram& operator=(const SpawnedProgram&) = delete;

  bool Started() const { return m_pid > 0; }
  void Signal(int signal) const;
  // Waits for the program's end and reads its output files. With mostMs
  // of 0 or more the wait is bounded: a program not ended by then is
  // killed, its status -1. `usage` receives the resources it used.
  ProgramResult Wait(int mostMs = -1, rusage* usage = nullptr);

 private:
  pid_t m_pid = -1;
  std::string m_outPath;
  std::string m_errPath;
};
