/* Makes a pseudo-terminal as slow as a serial line: preloaded into a
 * program, each write() to the terminal named by LUMIVANE_PACED_TTY returns
 * only once the line would have sent its bytes, 10 bits a byte at the rate
 * the terminal is set to, as an adapter with no buffer left does. Used by
 * run_timing_bench. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdlib.h>
#include <string.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

typedef ssize_t (*write_function)(int, const void*, size_t);

static long paced_baud(int fd) {
  const char* paced = getenv("LUMIVANE_PACED_TTY");
  char name[256];
  struct termios settings;
  if (paced == NULL || ttyname_r(fd, name, sizeof name) != 0 || strcmp(name, paced) != 0 ||
      tcgetattr(fd, &settings) != 0) {
    return 0;
  }
  switch (cfgetospeed(&settings)) {
    case B9600: return 9600;
    case B19200: return 19200;
    case B38400: return 38400;
    case B57600: return 57600;
    case B115200: return 115200;
    default: return 0;
  }
}

ssize_t write(int fd, const void* data, size_t length) {
  static write_function real_write = NULL;
  if (real_write == NULL) {
    real_write = (write_function)dlsym(RTLD_NEXT, "write");
  }
  const ssize_t written = real_write(fd, data, length);
  const long baud = written > 0 ? paced_baud(fd) : 0;
  if (baud > 0) {
    const long long nanoseconds = (long long)written * 10 * 1000000000LL / baud;
    struct timespec line = {(time_t)(nanoseconds / 1000000000LL), (long)(nanoseconds % 1000000000LL)};
    while (nanosleep(&line, &line) != 0) {
    }
  }
  return written;
}
