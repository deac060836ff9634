#pragma once

// The serial link to the lighting boards, in the manner of libserialport:
// a port handle made from a name, passed to every call, and results
// returned, never printed. A port is an FTDI USB adapter or a tty. Line:
// 8 data bits, no parity, 1 stop bit, no flow control, raw bytes. The
// driver keeps no state of its own; call each port from one thread at a time.

struct serial_port;

// serial_open() results besides 0 and a system error number.
enum {
  SERIAL_OK = 0,
  SERIAL_FTDI_OPEN_FAILED = 6,
  SERIAL_SETTINGS_REFUSED = 93,
};

// Makes a closed port for `name` (UTF-8) into `*port`; free it with
// serial_free_port. A name whose first 8 bytes are "Lumivane" is an FTDI
// adapter: "... (n)" opens device n-1, no "(" opens device 0. Any other name
// is a tty, tried as given and then under "/dev/". Returns SERIAL_OK, or
// EINVAL for a null name or result pointer (`*port` is then null).
int serial_get_port_by_name(const char* name, serial_port** port);

// Closes the port if it is open and frees it. Null does nothing.
void serial_free_port(serial_port* port);

// The name the port was made with.
const char* serial_port_name(const serial_port* port);

// Opens the port at `baud` bits per second. Returns 0 when open;
// SERIAL_FTDI_OPEN_FAILED; the error number of the second tty open; or
// SERIAL_SETTINGS_REFUSED for a rate outside the tty table or settings the
// tty refused (nothing is left open then). A port still open is closed first.
int serial_open(serial_port* port, int baud);

// Closes the port. A tty gets back the settings it had when opened; output
// still queued is discarded. Does nothing when the port is not open.
void serial_close(serial_port* port);

// Sends len bytes, waiting for the line to take them until a deadline set
// by len and the baud rate. Returns the number of bytes sent (all of them
// unless the deadline passed or the line failed); -1 when a tty failed
// before sending any; 0 when the port is not open. An FTDI adapter found
// gone is closed.
int serial_write(serial_port* port, const unsigned char* data, int len);

// Sends a break: the system's default length on a tty, 200 ms on FTDI.
void serial_break(serial_port* port);

bool serial_isopen(const serial_port* port);

// Reads the FTDI adapter's four CBUS input pins in bit-bang mode. Pins whose
// bit is set in `dir` become outputs at the level of `out`, and read as 1.
// Returns the levels in bits 0..3; 0x0F with a tty or a port closed by
// serial_close, 0xFF with an FTDI port whose opening failed or whose
// adapter went away.
unsigned char serial_getbits(serial_port* port, unsigned char dir, unsigned char out);
