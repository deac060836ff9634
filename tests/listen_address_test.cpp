// Where a remote listens, as written on a command line, and which addresses
// only this computer reaches.
#include "core/remote/listen_address.h"

#include <gtest/gtest.h>

namespace {

TEST(ListenAddress, ReadsAnOptionalAddressAndAPort) {
  const struct {
    const char* text;
    bool valid;
    const char* address;
    int port;
  } cases[] = {
      {"9000", true, "127.0.0.1", 9000},
      {"0.0.0.0:8080", true, "0.0.0.0", 8080},
      {"localhost:1", true, "localhost", 1},
      {"[::1]:65535", true, "::1", 65535},
      {"[::]:9000", true, "::", 9000},
      {"", false, "", 0},
      {"0", false, "", 0},
      {"65536", false, "", 0},
      {"-1", false, "", 0},
      {"+80", false, "", 0},
      {"nine", false, "", 0},
      {"9000x", false, "", 0},
      {":9000", false, "", 0},
      {"host:", false, "", 0},
      {"::1:9000", false, "", 0},
      {"99999999999999999999", false, "", 0},
  };
  for (const auto& c : cases) {
    ListenAddress listen;
    EXPECT_EQ(ParseListenAddress(c.text, &listen), c.valid) << c.text;
    EXPECT_EQ(listen.given, c.valid) << c.text;
    if (c.valid) {
      EXPECT_EQ(listen.address, c.address) << c.text;
      EXPECT_EQ(listen.port, c.port) << c.text;
    } else {
      EXPECT_EQ(listen.address, "127.0.0.1") << c.text << ": left as it was";
    }
  }
}

TEST(ListenAddress, OnlyLoopbackAddressesCountAsThisComputer) {
  const struct {
    const char* address;
    bool loopback;
  } cases[] = {
      {"127.0.0.1", true},  {"127.1.2.3", true},    {"localhost", true}, {"::1", true},
      {"0.0.0.0", false},   {"192.168.1.5", false}, {"::", false},       {"128.0.0.1", false},
      {"lumivane", false},  {"127.0.0.1.", false},  {"", false},
  };
  for (const auto& c : cases) EXPECT_EQ(IsLoopbackAddress(c.address), c.loopback) << c.address;
}

}  // namespace
