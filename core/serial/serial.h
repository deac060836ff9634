#pragma once

// The serial link to the lighting boards: one process-wide port, either an
// FTDI USB adapter or a tty. Line: 8 data bits, no parity, 1 stop bit, no
// flow control, raw bytes. Call from one thread: the program's board link
// worker (core/board/link_worker.h) owns the port.

// serial_open() results besides 0 and a system error number.
enum {
  SERIAL_FTDI_OPEN_FAILED = 6,
  SERIAL_SETTINGS_REFUSED = 93,
};

// Opens the port `name` (UTF-8) at `baud` bits per second. "Virtual boards"
// is the chain of boards inside the program (virtual_port.h); it opens at
// any rate. A name whose first 8 bytes are "Lumivane" is an FTDI adapter: "... (n)" opens device
// n-1, no "(" opens device 0. Any other name is a tty, tried as given and
// then under "/dev/". Returns 0 when open; SERIAL_FTDI_OPEN_FAILED; the
// error number of the second tty open; or SERIAL_SETTINGS_REFUSED for a
// rate outside the tty table or settings the tty refused (nothing is left
// open then). A port still open is closed first.
int serial_open(const char* name, int baud);

// Closes the port. A tty gets back the settings it had when opened; output
// still queued is discarded. Does nothing when no port is open.
void serial_close();

// Sends len bytes, waiting for the line to take them until a deadline set
// by len and the baud rate. Returns the number of bytes sent (all of them
// unless the deadline passed or the line failed); -1 when a tty failed
// before sending any; 0 when no port is open.
int serial_write(const unsigned char* data, int len);

// Sends a break: the system's default length on a tty, 200 ms on FTDI.
void serial_break();

bool serial_isopen();

// Reads the FTDI adapter's four CBUS input pins in bit-bang mode; with the
// virtual boards, the inputs their monitor's buttons work. Pins whose
// bit is set in `dir` become outputs at the level of `out`, and read as 1.
// Returns the levels in bits 0..3; 0x0F with a tty or no port, 0xFF when the
// FTDI port is selected but not open.
unsigned char serial_getbits(unsigned char dir, unsigned char out);
