#include "core/serial/serial.h"

#include <cstring>
#include <ctime>

#include "core/serial/serial_backend.h"
#include "core/serial/virtual_port.h"

namespace {

enum PortKind { PORT_NONE = 0, PORT_TTY = 1, PORT_FTDI = 2, PORT_VIRTUAL = 3 };

// Back-end of the current or last opened port. It stays set after a
// failed open, so serial_getbits can tell "FTDI chosen but closed".
int g_portKind = PORT_NONE;

const char kFtdiPrefix[] = "Lumivane";

bool IsFtdiName(const char* name) {
  return std::strncmp(name, kFtdiPrefix, sizeof kFtdiPrefix - 1) == 0;
}

}  // namespace

long long serial_now_ms() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

long serial_write_budget_ms(int len, int baud) {
  // 10 bits per byte on an 8N1 line, half as much again for the adapter's
  // own pace, and a second for output already queued ahead of these bytes.
  if (baud <= 0) {
    baud = 9600;
  }
  long long line_ms = (static_cast<long long>(len) * 10 * 1000 + baud - 1) / baud;
  return static_cast<long>(line_ms + line_ms / 2 + 1000);
}

int serial_open(const char* name, int baud) {
  if (name == nullptr) {
    name = "";
  }
  // One port per process: a port still open is released, not leaked.
  serial_close();
  if (serial_is_virtual_name(name)) {
    g_portKind = PORT_VIRTUAL;
    return serial_virtual_open(name, baud);
  }
  int result;
  if (IsFtdiName(name)) {
    g_portKind = PORT_FTDI;
    result = serial_ftdi_open(name, baud);
  } else {
    g_portKind = PORT_TTY;
    result = serial_tty_open(name, baud);
  }
  if (result == 0) {
    serial_mirror_opened(name, baud);
  }
  return result;
}

void serial_close() {
  switch (g_portKind) {
    case PORT_TTY:
      serial_tty_close();
      break;
    case PORT_FTDI:
      serial_ftdi_close();
      break;
    case PORT_VIRTUAL:
      serial_virtual_close();
      break;
    default:
      return;
  }
  g_portKind = PORT_NONE;
}

int serial_write(const unsigned char* data, int len) {
  if (data == nullptr || len <= 0) {
    return 0;
  }
  int written;
  switch (g_portKind) {
    case PORT_TTY:
      written = serial_tty_write(data, len);
      break;
    case PORT_FTDI:
      written = serial_ftdi_write(data, len);
      break;
    case PORT_VIRTUAL:
      return serial_virtual_write(data, len);
    default:
      return 0;
  }
  serial_mirror_write(data, written);
  return written;
}

void serial_break() {
  switch (g_portKind) {
    case PORT_TTY:
      serial_tty_break();
      if (serial_tty_isopen()) serial_mirror_break();
      break;
    case PORT_FTDI:
      serial_ftdi_break();
      if (serial_ftdi_isopen()) serial_mirror_break();
      break;
    case PORT_VIRTUAL:
      serial_virtual_break();
      break;
    default:
      break;
  }
}

bool serial_isopen() {
  switch (g_portKind) {
    case PORT_TTY:
      return serial_tty_isopen();
    case PORT_FTDI:
      return serial_ftdi_isopen();
    case PORT_VIRTUAL:
      return serial_virtual_isopen();
    default:
      return false;
  }
}

unsigned char serial_getbits(unsigned char dir, unsigned char out) {
  if (g_portKind == PORT_VIRTUAL) {
    return serial_virtual_inputs();
  }
  if (g_portKind != PORT_FTDI) {
    return 0x0F;  // every input at its inactive (high) level
  }
  return serial_ftdi_getbits(dir, out);
}
