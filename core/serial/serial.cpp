#include "core/serial/serial.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <new>

#include "core/serial/serial_backend.h"

namespace {

bool IsFtdiName(const char* name) {
  return std::strncmp(name, FTDI_DESCRIPTION_PREFIX, sizeof FTDI_DESCRIPTION_PREFIX - 1) == 0;
}

bool IsOpen(const serial_port* port) {
  return port != nullptr && (port->kind == serial_port::FTDI ? port->ftdiOpen : port->fd >= 0);
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

int serial_get_port_by_name(const char* name, serial_port** port) {
  if (port == nullptr) {
    return EINVAL;
  }
  *port = nullptr;
  if (name == nullptr) {
    return EINVAL;
  }
  serial_port* made = new (std::nothrow) serial_port;
  if (made == nullptr) {
    return ENOMEM;
  }
  made->name = name;
  made->kind = IsFtdiName(name) ? serial_port::FTDI : serial_port::TTY;
  *port = made;
  return SERIAL_OK;
}

void serial_free_port(serial_port* port) {
  if (port != nullptr) {
    serial_close(port);
    delete port;
  }
}

const char* serial_port_name(const serial_port* port) { return port != nullptr ? port->name.c_str() : ""; }

int serial_open(serial_port* port, int baud) {
  if (port == nullptr) {
    return EINVAL;
  }
  // A port still open is released, not leaked.
  serial_close(port);
  port->chosen = true;
  return port->kind == serial_port::FTDI ? serial_ftdi_open(port, baud) : serial_tty_open(port, baud);
}

void serial_close(serial_port* port) {
  if (port == nullptr) {
    return;
  }
  port->chosen = false;
  if (port->kind == serial_port::FTDI) {
    serial_ftdi_close(port);
  } else {
    serial_tty_close(port);
  }
}

int serial_write(serial_port* port, const unsigned char* data, int len) {
  if (!IsOpen(port) || data == nullptr || len <= 0) {
    return 0;
  }
  return port->kind == serial_port::FTDI ? serial_ftdi_write(port, data, len) : serial_tty_write(port, data, len);
}

void serial_break(serial_port* port) {
  if (!IsOpen(port)) {
    return;
  }
  if (port->kind == serial_port::FTDI) {
    serial_ftdi_break(port);
  } else {
    serial_tty_break(port);
  }
}

bool serial_isopen(const serial_port* port) { return IsOpen(port); }

unsigned char serial_getbits(serial_port* port, unsigned char dir, unsigned char out) {
  if (port == nullptr || port->kind != serial_port::FTDI || !port->chosen) {
    return 0x0F;  // every input at its inactive (high) level
  }
  return serial_ftdi_getbits(port, dir, out);
}
