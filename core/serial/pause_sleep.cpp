#include "core/serial/pause.h"

#include <cerrno>
#include <ctime>

namespace {

// How often a pause looks at its interrupt.
constexpr long SLICE_NS = 10 * 1000000L;

}  // namespace

void PauseMilliseconds(int milliseconds, const std::atomic<bool>* interrupt) {
  if (milliseconds <= 0) {
    return;
  }
  timespec end;
  clock_gettime(CLOCK_MONOTONIC, &end);
  end.tv_sec += milliseconds / 1000;
  end.tv_nsec += (milliseconds % 1000) * 1000000L;
  if (end.tv_nsec >= 1000000000L) {
    end.tv_nsec -= 1000000000L;
    ++end.tv_sec;
  }
  // Sleeps to an absolute end, so that slices and signals add nothing to
  // the pause; a signal must not cut it short.
  for (;;) {
    if (interrupt != nullptr && interrupt->load()) {
      return;
    }
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const long long left = (end.tv_sec - now.tv_sec) * 1000000000LL + (end.tv_nsec - now.tv_nsec);
    if (left <= 0) {
      return;
    }
    timespec until = end;
    if (interrupt != nullptr && left > SLICE_NS) {
      until = now;
      until.tv_nsec += SLICE_NS;
      if (until.tv_nsec >= 1000000000L) {
        until.tv_nsec -= 1000000000L;
        ++until.tv_sec;
      }
    }
    const int result = clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &until, nullptr);
    if (result != 0 && result != EINTR) {
      return;
    }
  }
}
