#pragma once

// The driver's back-ends, behind the serial_* functions of serial/serial.h.
// Each back-end keeps its own open handle; serial.cpp picks the back-end.

#include <string>
#include <vector>

// tty back-end (serial_tty.cpp).
int serial_tty_open(const char* name, int baud);
void serial_tty_close();
int serial_tty_write(const unsigned char* data, int len);
void serial_tty_break();
bool serial_tty_isopen();

// FTDI back-end (serial_ftdi.cpp).
int serial_ftdi_open(const char* name, int baud);
void serial_ftdi_close();
int serial_ftdi_write(const unsigned char* data, int len);
void serial_ftdi_break();
bool serial_ftdi_isopen();
unsigned char serial_ftdi_getbits(unsigned char dir, unsigned char out);

// "Virtual boards" back-end (serial_virtual.cpp).
int serial_virtual_open(const char* name, int baud);
void serial_virtual_close();
int serial_virtual_write(const unsigned char* data, int len);
void serial_virtual_break();
bool serial_virtual_isopen();

// The mirror of a real port (serial_virtual.cpp): told of each successful
// opening, of the bytes the line took and of each break.
void serial_mirror_opened(const char* name, int baud);
void serial_mirror_write(const unsigned char* data, int len);
void serial_mirror_break();

// The device index an FTDI port name denotes: the number after the first
// "(" minus 1, or 0 without "(". -1 when that number is not a device.
int serial_ftdi_index(const char* name);

// Monotonic milliseconds, for write deadlines.
long long serial_now_ms();

// Milliseconds a write of len bytes at baud may wait for the line.
long serial_write_budget_ms(int len, int baud);

// Names in `dir` that begin with "ttyS" or "ttyUSB", in directory order.
std::vector<std::string> serial_list_tty_in(const char* dir);
