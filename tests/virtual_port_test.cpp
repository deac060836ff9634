// The driver's "Virtual boards" port, and the mirror of a real port (a
// pseudo-terminal) that a monitor shows.
#include <fcntl.h>
#include <pty.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/board/virtual_chain.h"
#include "core/serial/serial.h"
#include "core/serial/virtual_port.h"

namespace {

const unsigned char BOARD_1_COLOUR_5[] = {0xF5, 0x00, 0x00, 0x01, 0x00, 0xF1, 0x05};

class VirtualPort : public testing::Test {
 protected:
  void TearDown() override {
    serial_close();
    serial_virtual_set_listener(nullptr);
  }
};

}  // namespace

TEST_F(VirtualPort, WritesAndBreaksReachTheProcessWideChain) {
  int notified = 0;
  serial_virtual_set_listener([&] { ++notified; });
  const VirtualChain& chain = serial_virtual_chain();
  const long long before = chain.BytesReceived();
  const long resets = chain.Resets();

  EXPECT_EQ(serial_write(BOARD_1_COLOUR_5, 7), 0) << "nothing open";
  ASSERT_EQ(serial_open(VIRTUAL_PORT_NAME, 115200), 0);
  EXPECT_TRUE(serial_isopen());
  EXPECT_EQ(serial_write(BOARD_1_COLOUR_5, 7), 7);
  serial_break();
  EXPECT_EQ(chain.BytesReceived(), before + 7);
  EXPECT_EQ(chain.Board(1).colour, 5);
  EXPECT_EQ(chain.Resets(), resets + 1);
  EXPECT_EQ(notified, 2);
  const MonitoredLine line = serial_monitored_line();
  EXPECT_TRUE(line.isVirtual);
  EXPECT_EQ(line.chain, &chain);
  EXPECT_EQ(line.baud, 115200);

  serial_close();
  EXPECT_FALSE(serial_isopen());
  EXPECT_EQ(serial_write(BOARD_1_COLOUR_5, 7), 0);
  EXPECT_NE(serial_open("virtual boards", 9600), 0) << "the name is exact: this is a tty";
}

TEST_F(VirtualPort, APressedInputIsActiveLowForAMoment) {
  ASSERT_EQ(serial_open(VIRTUAL_PORT_NAME, 9600), 0);
  EXPECT_EQ(serial_getbits(0, 0), 0x0F);
  serial_virtual_press_input(2);
  serial_virtual_press_input(4);
  EXPECT_EQ(serial_getbits(0, 0), 0x05);
  std::this_thread::sleep_for(std::chrono::milliseconds(VIRTUAL_PRESS_MS + 20));
  EXPECT_EQ(serial_getbits(0, 0), 0x0F);
}

TEST_F(VirtualPort, WhatARealPortTookIsMirrored) {
  int master = -1;
  int slave = -1;
  char name[128] = {};
  ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
  const long long virtualBytes = serial_virtual_chain().BytesReceived();

  ASSERT_EQ(serial_open(name, 9600), 0);
  EXPECT_EQ(serial_write(BOARD_1_COLOUR_5, 7), 7);
  serial_break();
  const MonitoredLine line = serial_monitored_line();
  EXPECT_FALSE(line.isVirtual);
  EXPECT_EQ(line.port, name);
  EXPECT_EQ(line.chain, &serial_mirror_chain());
  EXPECT_EQ(serial_mirror_chain().Board(1).colour, 5);
  EXPECT_EQ(serial_mirror_chain().Resets(), 1);
  EXPECT_EQ(serial_virtual_chain().BytesReceived(), virtualBytes);

  serial_close();
  close(master);
  close(slave);
}
