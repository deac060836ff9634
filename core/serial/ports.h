#pragma once

// The port names the settings dialog offers; each makes a port unchanged
// with serial_get_port_by_name(). Names are UTF-8. Open ports are not
// touched, so close them first: an FTDI adapter held open cannot be listed.

#include <string>
#include <vector>

// serial_list_ftdi() followed by serial_list_tty().
std::vector<std::string> serial_list_ports();

// Attached FTDI adapters whose description begins with "Lumivane", each as
// the description followed by " (n)", n being the device index plus 1.
// Adapters that fail to open are left out.
std::vector<std::string> serial_list_ftdi();

// The serial number of the FTDI adapter that `name` opens (as
// serial_get_port_by_name takes it), read without opening the adapter, so
// also while it is open; "" when none answers.
std::string serial_ftdi_serial_number(const char* name);

// Entries of /dev/ whose names begin with "ttyS" or "ttyUSB", without the
// "/dev/" prefix, in directory order, neither opened nor examined.
std::vector<std::string> serial_list_tty();
