#pragma once
// Where a remote listens, as a user writes it: [ADDR:]PORT, an IPv6
// address in brackets; whether an address reaches this computer only, and
// the address other devices reach it at.
#include <string>

struct ListenAddress {
  bool given = false;
  std::string address = "127.0.0.1";  // loopback unless the user names one
  int port = 0;
};

// Reads "[ADDR:]PORT" (PORT 1 to 65535) into `listen`; false, leaving it
// as it was, when the text is not one.
bool ParseListenAddress(const std::string& text, ListenAddress* listen);
// Whether only this computer reaches `address`: "localhost", 127.0.0.0/8
// or ::1.
bool IsLoopbackAddress(const std::string& address);
// This computer's first IPv4 address on a network that is up, loopback
// left out: what another device opens; "" when there is none.
std::string FirstNetworkAddress();
