#include "tools/send_run.h"

#include <signal.h>

#include <cstdio>
#include <cstring>

#include "core/format/scenario_file.h"

namespace {

volatile sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) { g_interrupted = 1; }

}  // namespace

// Without SA_RESTART, so that the wait for the next tick ends at once.
void CatchInterrupts() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

void PrintScene(const Scenario& scenario, int scene) {
  printf("Scene %d: %s\n", scene + 1, scenario.scenes[scene].name.c_str());
  fflush(stdout);
}

bool Interrupted() { return g_interrupted != 0; }

void AddTick(timespec* time) {
  time->tv_nsec += BoardSession::TICK_MS * 1000000L;
  if (time->tv_nsec >= 1000000000L) {
    time->tv_nsec -= 1000000000L;
    ++time->tv_sec;
  }
}

bool Before(const timespec& a, const timespec& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}
