#include "support/test_port.h"

serial_port*& TestPort() {
  static serial_port* port = nullptr;
  return port;
}

int OpenTestPort(const char* name, int baud) {
  CloseTestPort();
  serial_get_port_by_name(name, &TestPort());
  return serial_open(TestPort(), baud);
}

void CloseTestPort() {
  serial_free_port(TestPort());
  TestPort() = nullptr;
}
