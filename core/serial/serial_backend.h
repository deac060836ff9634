#pragma once

// The driver's back-ends, behind the serial_* functions of serial/serial.h.
// Each keeps its state in the port; serial.cpp picks the back-end by name.

#include <termios.h>

#include <string>
#include <vector>

#include "core/serial/ftdi_layer.h"

// Our adapters' USB description begins with this; so do the port names
// the port list makes of them.
constexpr char FTDI_DESCRIPTION_PREFIX[] = "Lumivane";

struct serial_port {
  enum Kind { TTY, FTDI };
  std::string name;
  Kind kind = TTY;
  int baud = 0;
  // An open was asked for and no close since: an FTDI port then reads its
  // pins as 0xFF while it is not open.
  bool chosen = false;
  // tty: the descriptor (-1 closed) and the settings it had when opened.
  int fd = -1;
  termios saved = {};
  // FTDI: the handle, when open.
  FT_HANDLE ftdi = nullptr;
  bool ftdiOpen = false;
};

// tty back-end (serial_tty.cpp).
int serial_tty_open(serial_port* port, int baud);
void serial_tty_close(serial_port* port);
int serial_tty_write(serial_port* port, const unsigned char* data, int len);
void serial_tty_break(serial_port* port);

// FTDI back-end (serial_ftdi.cpp).
int serial_ftdi_open(serial_port* port, int baud);
void serial_ftdi_close(serial_port* port);
int serial_ftdi_write(serial_port* port, const unsigned char* data, int len);
void serial_ftdi_break(serial_port* port);
unsigned char serial_ftdi_getbits(serial_port* port, unsigned char dir, unsigned char out);

// The device index an FTDI port name denotes: the number after the first
// "(" minus 1, or 0 without "(". -1 when that number is not a device.
int serial_ftdi_index(const char* name);

// Monotonic milliseconds, for write deadlines.
long long serial_now_ms();

// Milliseconds a write of len bytes at baud may wait for the line.
long serial_write_budget_ms(int len, int baud);

// Names in `dir` that begin with "ttyS" or "ttyUSB", in directory order.
std::vector<std::string> serial_list_tty_in(const char* dir);
