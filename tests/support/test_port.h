#pragma once
// One serial port per test, for tests of the driver: OpenTestPort makes a
// port for the name (freeing the one before) and opens it; the serial_*
// calls take TestPort(), which is null once CloseTestPort freed it.
#include "core/serial/serial.h"

serial_port*& TestPort();
int OpenTestPort(const char* name, int baud);
void CloseTestPort();
