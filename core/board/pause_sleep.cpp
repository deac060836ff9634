#include "core/board/pause.h"

#include <cerrno>
#include <ctime>

void PauseMilliseconds(int milliseconds) {
  if (milliseconds <= 0) {
    return;
  }
  timespec remaining{milliseconds / 1000, (milliseconds % 1000) * 1000000L};
  // A signal must not cut a protocol pause short.
  while (nanosleep(&remaining, &remaining) != 0 && errno == EINTR) {
  }
}
