// The boards' byte protocol: message encoding and how messages are split
// into writes, checked on the simulated FTDI device.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/model/colour_numbers.h"
#include "core/board/protocol_bytes.h"
#include "core/board/serial_board_link.h"
#include "core/serial/serial.h"
#include "support/ftdi_sim.h"

namespace {

std::vector<unsigned char> Bytes(const BoardMessage& message) {
  std::vector<unsigned char> bytes{message.command};
  for (int i = 0; i < message.payloadLength; ++i) bytes.push_back(message.payload[i]);
  return bytes;
}

using B = std::vector<unsigned char>;

}  // namespace

TEST(ProtocolBytes, SelectSplitsStartAndCountIntoSevenBitBytes) {
  EXPECT_EQ(Bytes(SelectMessage(0, 1)), (B{0xF5, 0x00, 0x00, 0x01, 0x00}));
  EXPECT_EQ(Bytes(SelectMessage(2, 3)), (B{0xF5, 0x02, 0x00, 0x03, 0x00}));      // boards 3..5
  EXPECT_EQ(Bytes(SelectMessage(299, 1)), (B{0xF5, 0x2B, 0x02, 0x01, 0x00}));    // board 300
  // Bit 0 of the high byte always goes out clear: board 129 selects as board 1.
  EXPECT_EQ(Bytes(SelectMessage(128, 1)), (B{0xF5, 0x00, 0x00, 0x01, 0x00}));
  EXPECT_EQ(Bytes(SelectAllMessage()), (B{0xF5, 0x00, 0x00, 0x7F, 0x7E}));
}

TEST(ProtocolBytes, ValuesGoOutAsTheirLowByte) {
  EXPECT_EQ(Bytes(FadeMessage(10)), (B{0xF2, 0x0A}));
  EXPECT_EQ(Bytes(FadeMessage(300)), (B{0xF2, 0x2C}));
  EXPECT_EQ(Bytes(ColourMessage(180)), (B{0xF1, 0xB4}));
  EXPECT_EQ(Bytes(BlinkMessage(14)), (B{0xF3, 0x0E}));
  EXPECT_EQ(Bytes(SyncMessage()), (B{0xF8}));
  EXPECT_EQ(Bytes(SpeedMessage()), (B{0xF6, 0x02}));
  EXPECT_EQ(Bytes(EraseMessage()), (B{0xF7, 0x00, 0xDF}));
}

TEST(ProtocolBytes, HoldIsStoredInHalfSeconds) {
  EXPECT_EQ(HoldByte(2.5), 0x05);
  EXPECT_EQ(HoldByte(0), 0x00);
  EXPECT_EQ(HoldByte(120), 0xF0);
  EXPECT_EQ(HoldByte(2.25), 0x05);  // (2.25 x 2 + 0.5) truncated
  EXPECT_EQ(HoldByte(0.05), 0x00);
  EXPECT_EQ(Bytes(StoreMessage(2.5, 3)), (B{0xF7, 0x05, 0x03}));
}

TEST(ColourNumbers, ChannelsTruncateOntoTheCube) {
  EXPECT_EQ(ColourToIndex(0, 0, 0), 0);
  EXPECT_EQ(ColourToIndex(42, 42, 42), 0);
  EXPECT_EQ(ColourToIndex(43, 43, 43), 43);
  EXPECT_EQ(ColourToIndex(255, 255, 255), 215);
  EXPECT_EQ(ColourToIndex(255, 0, 0), 180);
  EXPECT_EQ(ColourToIndex(100, 200, 30), 96);
  const Rgb colour = IndexToColour(96);
  EXPECT_EQ(colour.red, 126);
  EXPECT_EQ(colour.green, 212);
  EXPECT_EQ(colour.blue, 40);
  for (int index = 0; index < COLOUR_COUNT; ++index) {
    const Rgb c = IndexToColour(index);
    EXPECT_EQ(ColourToIndex(c.red, c.green, c.blue), index);
  }
}

class MessageSplitting : public testing::Test {
 protected:
  void SetUp() override {
    FtdiSimReset();
    FtdiSimAddDevice("Lumivane");
    ASSERT_EQ(link.Open("Lumivane", 9600), 0);
  }
  void TearDown() override { link.Close(); }

  SerialBoardLink link;  // a port of the driver, on the simulated device

  static std::vector<std::string> Writes() {
    std::vector<std::string> writes;
    for (const std::string& line : FtdiSimLineTrace()) {
      if (line.rfind("FT_Write", 0) == 0) writes.push_back(line);
    }
    return writes;
  }
};

TEST_F(MessageSplitting, CommandByteAndPayloadGoInSeparateWrites) {
  EXPECT_TRUE(WriteBoardMessage(link, SelectAllMessage()));
  EXPECT_TRUE(WriteBoardMessage(link, SyncMessage()));
  EXPECT_EQ(Writes(), (std::vector<std::string>{"FT_Write F5", "FT_Write 00 00 7F 7E", "FT_Write F8"}));
}

TEST_F(MessageSplitting, EraseAndSpeedGoInOneWriteAndStoreByteByByte) {
  EXPECT_TRUE(WriteBoardMessage(link, EraseMessage()));
  EXPECT_TRUE(WriteBoardMessage(link, SpeedMessage()));
  EXPECT_TRUE(WriteBoardMessage(link, StoreMessage(1.0, 2)));
  EXPECT_EQ(Writes(), (std::vector<std::string>{"FT_Write F7 00 DF", "FT_Write F6 02",
                                                "FT_Write F7", "FT_Write 02", "FT_Write 02"}));
}

TEST_F(MessageSplitting, AWriteTheLineRefusesIsReported) {
  FtdiSimFailWrites(true);
  EXPECT_FALSE(WriteBoardMessage(link, SelectAllMessage()));
}
