// The FTDI back-end against the simulated device.

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "core/serial/pause.h"
#include "core/serial/serial.h"
#include "support/test_port.h"
#include "support/ftdi_sim.h"
#include "support/pause_recorder.h"

namespace {

using Lines = std::vector<std::string>;

class FtdiPort : public testing::Test {
 protected:
  void SetUp() override {
    FtdiSimReset();
    RecordedPauses().clear();
  }
  void TearDown() override { CloseTestPort(); }

  // The device index of the last successful FT_Open, or -1.
  static int OpenedIndex() {
    int index = -1;
    for (const FtdiSimEvent& event : FtdiSimEvents()) {
      if (event.call == "FT_Open" && event.status == 0) index = event.device;
    }
    return index;
  }
};

TEST_F(FtdiPort, NameChoosesTheDeviceIndex) {
  for (int i = 0; i < 3; ++i) FtdiSimAddDevice("Lumivane");
  const struct {
    const char* name;
    int index;
  } cases[] = {{"Lumivane (2)", 1},     {"Lumivane USB", 0}, {"Lumivane", 0},
               {"Lumivane Box (3)", 2}, {"Lumivane (1)", 0}, {"Lumivane (2) (3)", 1}};
  for (const auto& c : cases) {
    ASSERT_EQ(OpenTestPort(c.name, 9600), 0) << c.name;
    EXPECT_TRUE(serial_isopen(TestPort()));
    EXPECT_EQ(OpenedIndex(), c.index) << c.name;
    CloseTestPort();
  }
  EXPECT_EQ(FtdiSimOpenCount(), 0);
}

TEST_F(FtdiPort, OpenSetsUpTheLine) {
  FtdiSimAddDevice("Lumivane");
  ASSERT_EQ(OpenTestPort("Lumivane (1)", 115200), 0);
  EXPECT_EQ(FtdiSimTrace(), (Lines{"FT_Open 0", "FT_ResetDevice", "FT_SetBaudRate 115200",
                                   "FT_SetDataCharacteristics 8 0 0", "FT_SetFlowControl 0 0 0",
                                   "FT_SetTimeouts 1 1"}));
}

TEST_F(FtdiPort, OnlyTheExactPrefixMeansFtdi) {
  FtdiSimAddDevice("Lumivane");
  for (const char* name : {"lumivane (1)", "LUMIVANE", "Lumivan", ""}) {
    EXPECT_NE(OpenTestPort(name, 9600), 0) << name;  // no such tty
    EXPECT_FALSE(serial_isopen(TestPort()));
    EXPECT_EQ(serial_getbits(TestPort(), 0, 0), 0x0F) << "a tty has no input pins";
  }
  EXPECT_TRUE(FtdiSimEvents().empty());
}

TEST_F(FtdiPort, BreakHoldsTheLineFor200ms) {
  FtdiSimAddDevice("Lumivane");
  ASSERT_EQ(OpenTestPort("Lumivane", 9600), 0);
  const unsigned char sync = 0xF8;
  serial_write(TestPort(), &sync, 1);
  PauseMilliseconds(500);
  serial_break(TestPort());
  EXPECT_EQ(FtdiSimLineTrace(), (Lines{"FT_SetBaudRate 9600", "FT_Write F8", "pause 500",
                                       "FT_SetBreakOn", "pause 200", "FT_SetBreakOff"}));
  EXPECT_EQ(RecordedPauses(), (std::vector<int>{500, 200}));
}

TEST_F(FtdiPort, InputPinsAreReadInCbusBitBangMode) {
  FtdiSimAddDevice("Lumivane");
  ASSERT_EQ(OpenTestPort("Lumivane", 9600), 0);
  size_t opened = FtdiSimEvents().size();

  FtdiSimSetInputPins(0x00);
  EXPECT_EQ(serial_getbits(TestPort(), 0, 0), 0x00);
  Lines trace = FtdiSimTrace();
  EXPECT_EQ(Lines(trace.begin() + opened, trace.end()),
            (Lines{"FT_SetBitMode FF 20", "FT_SetBitMode 00 20", "FT_GetBitMode 00"}));

  FtdiSimSetInputPins(0x0A);
  EXPECT_EQ(serial_getbits(TestPort(), 0, 0), 0x0A);
  // Pins made outputs read as 1 whatever they drive.
  FtdiSimSetInputPins(0x00);
  EXPECT_EQ(serial_getbits(TestPort(), 0x03, 0x01), 0x03);
}

TEST_F(FtdiPort, BusyDeviceDoesNotOpen) {
  FtdiSimAddDevice("Lumivane", /*busy=*/true);
  EXPECT_EQ(OpenTestPort("Lumivane (1)", 9600), 6);
  EXPECT_FALSE(serial_isopen(TestPort()));
  EXPECT_EQ(serial_getbits(TestPort(), 0, 0), 0xFF) << "FTDI chosen but not open";
  const unsigned char byte = 0xF8;
  EXPECT_EQ(serial_write(TestPort(), &byte, 1), 0);
  serial_break(TestPort());
  EXPECT_EQ(FtdiSimTrace(), (Lines{"FT_Open 0 -> 3"}));

  CloseTestPort();
  EXPECT_EQ(serial_getbits(TestPort(), 0, 0), 0x0F);
}

TEST_F(FtdiPort, MissingOrNumberlessDeviceDoesNotOpen) {
  FtdiSimAddDevice("Lumivane");
  EXPECT_EQ(OpenTestPort("Lumivane (2)", 9600), 6);
  EXPECT_EQ(OpenTestPort("Lumivane (0)", 9600), 6);
  EXPECT_EQ(OpenTestPort("Lumivane (x)", 9600), 6);
  EXPECT_FALSE(serial_isopen(TestPort()));
  EXPECT_EQ(FtdiSimOpenCount(), 0);
}

TEST_F(FtdiPort, PartialWritesGoOnUntilEveryByteIsTaken) {
  FtdiSimAddDevice("Lumivane");
  ASSERT_EQ(OpenTestPort("Lumivane", 9600), 0);
  FtdiSimSetWriteLimit(3);
  const std::vector<unsigned char> bytes = {0xF5, 0x00, 0x00, 0x7F, 0x7E,
                                            0xF2, 0x10, 0xF1, 0xD7, 0xF3};
  EXPECT_EQ(serial_write(TestPort(), bytes.data(), static_cast<int>(bytes.size())), 10);
  EXPECT_EQ(FtdiSimWrittenBytes(), bytes);
  std::vector<unsigned long> asked;
  for (const FtdiSimEvent& event : FtdiSimEvents()) {
    if (event.call == "FT_Write") asked.push_back(event.args[0]);
  }
  EXPECT_EQ(asked, (std::vector<unsigned long>{10, 7, 4, 1}));
}

TEST_F(FtdiPort, StalledAdapterGivesUpAtTheDeadline) {
  FtdiSimAddDevice("Lumivane");
  ASSERT_EQ(OpenTestPort("Lumivane", 9600), 0);
  FtdiSimSetWriteLimit(0);
  const unsigned char bytes[] = {0xF7, 0x00, 0xDF};
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(serial_write(TestPort(), bytes, 3), 0);
  auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(900));
  EXPECT_LT(took, std::chrono::seconds(3));
}

TEST_F(FtdiPort, FailedWriteSendsNothing) {
  FtdiSimAddDevice("Lumivane");
  ASSERT_EQ(OpenTestPort("Lumivane", 9600), 0);
  FtdiSimFailWrites(true);
  const unsigned char byte = 0xF8;
  EXPECT_EQ(serial_write(TestPort(), &byte, 1), 0);
  EXPECT_TRUE(FtdiSimWrittenBytes().empty());
}

TEST_F(FtdiPort, ClosePurgesAndReleasesTheDevice) {
  FtdiSimAddDevice("Lumivane");
  ASSERT_EQ(OpenTestPort("Lumivane", 9600), 0);
  size_t opened = FtdiSimEvents().size();
  CloseTestPort();
  CloseTestPort();
  Lines trace = FtdiSimTrace();
  EXPECT_EQ(Lines(trace.begin() + opened, trace.end()), (Lines{"FT_Purge 3", "FT_Close"}));
  EXPECT_FALSE(serial_isopen(TestPort()));
  EXPECT_EQ(FtdiSimOpenCount(), 0);
}

TEST_F(FtdiPort, ReopeningReleasesTheHeldDevice) {
  // The speed switch closes and reopens the same adapter.
  FtdiSimAddDevice("Lumivane");
  ASSERT_EQ(OpenTestPort("Lumivane (1)", 9600), 0);
  ASSERT_EQ(OpenTestPort("Lumivane (1)", 115200), 0);
  EXPECT_EQ(FtdiSimOpenCount(), 1);
  EXPECT_TRUE(serial_isopen(TestPort()));
}

}  // namespace
