// tty back-end of the serial driver: raw termios on a non-blocking
// descriptor, writes that wait with poll for the line to take the bytes.

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "core/serial/serial.h"
#include "core/serial/serial_backend.h"

namespace {

struct BaudEntry {
  int bits_per_second;
  speed_t speed;
};

const BaudEntry kBaudTable[] = {
    {9600, B9600},       {19200, B19200},     {38400, B38400},   {57600, B57600},
    {115200, B115200},   {230400, B230400},   {576000, B576000}, {1152000, B1152000},
};

bool LookUpSpeed(int baud, speed_t* speed) {
  for (const BaudEntry& entry : kBaudTable) {
    if (entry.bits_per_second == baud) {
      *speed = entry.speed;
      return true;
    }
  }
  return false;
}

int OpenEitherPath(const char* name) {
  const int flags = O_RDWR | O_NOCTTY | O_NONBLOCK;
  int fd = open(name, flags);
  if (fd < 0) {
    std::string dev_path = std::string("/dev/") + name;
    fd = open(dev_path.c_str(), flags);
  }
  return fd;
}

// Gives up a descriptor whose settings could not be made; the port is then
// not open and nothing leaks.
int Refuse(int fd) {
  close(fd);
  return SERIAL_SETTINGS_REFUSED;
}

}  // namespace

int serial_tty_open(serial_port* port, int baud) {
  if (port->fd >= 0) {
    serial_tty_close(port);
  }
  int fd = OpenEitherPath(port->name.c_str());
  if (fd < 0) {
    return errno;
  }
  termios saved;
  if (tcgetattr(fd, &saved) != 0) {
    return Refuse(fd);  // not a terminal
  }
  speed_t speed;
  if (!LookUpSpeed(baud, &speed)) {
    return Refuse(fd);
  }
  // Built from nothing: no flag of the previous user survives.
  termios raw = {};
  raw.c_iflag = IGNBRK | IGNPAR;
  raw.c_oflag = 0;
  raw.c_lflag = 0;
  raw.c_cflag = CS8 | CREAD | CLOCAL;
  cfsetospeed(&raw, speed);
  cfsetispeed(&raw, speed);
  tcflush(fd, TCIFLUSH);
  if (tcsetattr(fd, TCSANOW, &raw) != 0) {
    return Refuse(fd);
  }
  fcntl(fd, F_SETFL, O_NONBLOCK);
  port->saved = saved;
  port->fd = fd;
  port->baud = baud;
  return 0;
}

void serial_tty_close(serial_port* port) {
  if (port->fd < 0) {
    return;
  }
  tcflush(port->fd, TCOFLUSH);
  tcflush(port->fd, TCIFLUSH);
  tcsetattr(port->fd, TCSANOW, &port->saved);
  close(port->fd);
  port->fd = -1;
}

int serial_tty_write(serial_port* port, const unsigned char* data, int len) {
  if (port->fd < 0) {
    return 0;
  }
  const long long deadline = serial_now_ms() + serial_write_budget_ms(len, port->baud);
  int done = 0;
  while (done < len) {
    ssize_t n = write(port->fd, data + done, static_cast<size_t>(len - done));
    if (n > 0) {
      done += static_cast<int>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) {
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EWOULDBLOCK) {
      return done > 0 ? done : -1;
    }
    // The output buffer is full: wait for the line to drain some of it.
    long long left = deadline - serial_now_ms();
    if (left <= 0) {
      break;
    }
    pollfd pfd = {port->fd, POLLOUT, 0};
    int wait_ms = left > 1000 ? 1000 : static_cast<int>(left);
    if (poll(&pfd, 1, wait_ms) < 0 && errno != EINTR) {
      return done > 0 ? done : -1;
    }
  }
  return done;
}

void serial_tty_break(serial_port* port) {
  if (port->fd >= 0) {
    tcsendbreak(port->fd, 0);
  }
}
