// The FTDI back-end on the real libftdi1 with an emulated FT232R under it
// (support/usb_ft232r.h): what the adapter receives for an opening, a
// break, a scene and the input pins, and how the driver copes when the
// adapter vanishes or stalls.
#include <gtest/gtest.h>

#include <libftdi1/ftdi.h>
#include <libusb.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "core/board/board_commands.h"
#include "core/board/recording_link.h"
#include "core/board/serial_board_link.h"
#include "core/serial/ftdi_layer.h"
#include "core/serial/serial.h"
#include "core/serial/serial_backend.h"
#include "support/test_port.h"
#include "support/usb_ft232r.h"

namespace {

const char PORT[] = "Lumivane USB (1)";
constexpr uint16_t LINE_8N1 = 8;  // 8 bits, no parity, 1 stop bit
constexpr uint16_t BREAK_BIT = 1 << 14;
constexpr uint8_t CBUS_BITBANG = 0x20;
// libftdi1's wait for one 64-byte transfer at 9600 bit/s, as FT_Write sets it.
constexpr long PIECE_TIMEOUT_MS = (64 * 10 * 1000 / 9600) * 2 + 250;

long long Now() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

Scene TestScene() {
  Scene scene;
  scene.fade = 12;
  scene.rows.clear();
  for (int i = 0; i < 20; ++i) {
    Row row;
    row.from = std::to_string(i * 3 + 1);
    row.to = std::to_string(i * 3 + 2);
    row.colour = i * 10;
    row.blink = "2";
    scene.rows.push_back(row);
  }
  scene.rows.emplace_back();
  return scene;
}

// The bytes a sequence writes, as the recording link notes them.
template <typename Send>
std::vector<uint8_t> RecordedBytes(Send send) {
  RecordingBoardLink recording;
  send(recording);
  std::vector<uint8_t> bytes;
  for (const LinkEvent& event : recording.Events()) {
    if (event.kind == LinkEvent::WRITE) bytes.insert(bytes.end(), event.bytes.begin(), event.bytes.end());
  }
  return bytes;
}

std::vector<uint8_t> BulkBytes(size_t fromTransfer = 0) {
  std::vector<uint8_t> bytes;
  const std::vector<UsbBulkTransfer> transfers = Ft232r().BulkTransfers();
  for (size_t i = fromTransfer; i < transfers.size(); ++i) {
    bytes.insert(bytes.end(), transfers[i].bytes.begin(), transfers[i].bytes.end());
  }
  return bytes;
}

std::vector<UsbControlRequest> Requests(uint8_t request) {
  std::vector<UsbControlRequest> found;
  for (const UsbControlRequest& r : Ft232r().Requests()) {
    if (r.request == request) found.push_back(r);
  }
  return found;
}

void ExpectBaud(const UsbControlRequest& request, double baud) {
  const double got = Ft232rBaudRate(request.value, request.index);
  EXPECT_LT(std::fabs(got - baud) / baud, 0.03) << "asked " << baud << ", the chip runs at " << got;
}

class FtdiUsb : public testing::Test {
 protected:
  void SetUp() override {
    CloseTestPort();
    Ft232r().Reset();
  }
  void TearDown() override {
    CloseTestPort();
    m_link.Close();
    EXPECT_EQ(0, Ft232r().OpenHandles());
    EXPECT_EQ(0, Ft232r().ExtraDeviceReferences());
  }
  SerialBoardLink m_link;
};

}  // namespace

TEST_F(FtdiUsb, OpeningBreakAndSceneReachTheAdapterAsTheChipTakesThem) {
  for (const LinkSpeed speed : {LinkSpeed::STANDARD, LinkSpeed::HIGH}) {
    Ft232r().Reset();
    const BoardTarget target{PORT, speed};
    const Scene scene = TestScene();
    ASSERT_EQ(BoardResult::OK, SendSceneToBoards(m_link, target, scene).result);
    m_link.Close();

    EXPECT_EQ(RecordedBytes([&](BoardLink& link) { SendSceneToBoards(link, target, scene); }), BulkBytes());
    for (const UsbBulkTransfer& transfer : Ft232r().BulkTransfers()) {
      EXPECT_LE(transfer.bytes.size(), 64u);  // one full-speed packet each
    }
    const std::vector<UsbControlRequest> all = Ft232r().Requests();
    ASSERT_FALSE(all.empty());
    EXPECT_EQ(SIO_RESET_REQUEST, all.front().request);
    EXPECT_EQ(SIO_RESET_SIO, all.front().value);
    // The last rate set is the one the scene went at.
    const std::vector<UsbControlRequest> rates = Requests(SIO_SET_BAUDRATE_REQUEST);
    ASSERT_FALSE(rates.empty());
    ExpectBaud(rates.front(), 9600);
    ExpectBaud(rates.back(), speed == LinkSpeed::HIGH ? 115200 : 9600);
    for (const UsbControlRequest& flow : Requests(SIO_SET_FLOW_CTRL_REQUEST)) {
      EXPECT_EQ(SIO_DISABLE_FLOW_CTRL, flow.index & 0xFF00);
    }
    // 8N1, then a break of about 200 ms.
    std::vector<UsbControlRequest> line = Requests(SIO_SET_DATA_REQUEST);
    ASSERT_GE(line.size(), 3u);
    EXPECT_EQ(LINE_8N1, line[0].value);
    EXPECT_EQ(LINE_8N1 | BREAK_BIT, line[1].value);
    EXPECT_EQ(LINE_8N1, line[2].value);
    EXPECT_GE(line[2].ms - line[1].ms, 190);
    EXPECT_LE(line[2].ms - line[1].ms, 400);
    // Closing purges both ways: the last requests.
    ASSERT_GE(all.size(), 2u);
    EXPECT_EQ(SIO_RESET_REQUEST, all[all.size() - 2].request);
    EXPECT_EQ(SIO_TCOFLUSH, all[all.size() - 2].value);
    EXPECT_EQ(SIO_RESET_REQUEST, all.back().request);
    EXPECT_EQ(SIO_TCIFLUSH, all.back().value);
  }
}

TEST_F(FtdiUsb, BaudDivisorIsRightWithAndWithoutCbusBitBang) {
  const struct {
    ULONG baud;
    bool bitBang;
  } cases[] = {{9600, false}, {115200, false}, {9600, true}, {115200, true}};
  for (const auto& c : cases) {
    FT_HANDLE handle = nullptr;
    ASSERT_EQ(FT_OK, FT_Open(0, &handle));
    if (c.bitBang) {
      ASSERT_EQ(FT_OK, FT_SetBitMode(handle, 0xF0, CBUS_BITBANG));
    }
    ASSERT_EQ(FT_OK, FT_SetBaudRate(handle, c.baud));
    ExpectBaud(Requests(SIO_SET_BAUDRATE_REQUEST).back(), c.baud);
    EXPECT_EQ(FT_OK, FT_Close(handle));
  }
}

TEST_F(FtdiUsb, CbusBitBangSetsTheMaskAndThePinReadFeedsTheInputs) {
  ASSERT_EQ(0, OpenTestPort(PORT, 9600));
  const struct {
    unsigned char dir, out, pins, expected;
  } cases[] = {{0x00, 0x00, 0x0F, 0x0F}, {0x00, 0x00, 0x05, 0x05}, {0x03, 0x01, 0x04, 0x07}, {0x00, 0x00, 0xF0, 0x00}};
  for (const auto& c : cases) {
    Ft232r().SetPins(c.pins);
    EXPECT_EQ(c.expected, serial_getbits(TestPort(), c.dir, c.out));
    const std::vector<UsbControlRequest> all = Ft232r().Requests();
    ASSERT_GE(all.size(), 3u);
    const UsbControlRequest& first = all[all.size() - 3];
    const UsbControlRequest& second = all[all.size() - 2];
    EXPECT_EQ(SIO_SET_BITMODE_REQUEST, first.request);
    EXPECT_EQ((CBUS_BITBANG << 8) | 0xFF, first.value);  // all driven high first
    EXPECT_EQ(SIO_SET_BITMODE_REQUEST, second.request);
    EXPECT_EQ((CBUS_BITBANG << 8) | (c.dir << 4) | c.out, second.value);
    EXPECT_EQ(SIO_READ_PINS_REQUEST, all.back().request);
    EXPECT_EQ(FTDI_DEVICE_IN_REQTYPE, all.back().requestType);
  }
  CloseTestPort();
  ASSERT_EQ(0, m_link.Open(PORT, 9600));
  Ft232r().SetPins(0x06);
  EXPECT_EQ(0x06, m_link.ReadInputs());
}

// Unplugged in the middle of a scene: one failed transfer, the port closed
// at once, and the next transfer opens it again once it is back.
TEST_F(FtdiUsb, AnAdapterThatVanishesMidWriteFailsOnceAndOpensAgainWhenBack) {
  const BoardTarget target{PORT, LinkSpeed::STANDARD};
  const Scene scene = TestScene();
  const std::vector<uint8_t> expected =
      RecordedBytes([&](BoardLink& link) { SendSceneToBoards(link, target, scene); });
  Ft232r().VanishAfterBulkBytes(50);
  long long start = Now();
  EXPECT_EQ(BoardResult::WRITE_FAILED, SendSceneToBoards(m_link, target, scene).result);
  EXPECT_LT(Now() - start, 1200 + 1000);  // the opening's pauses and no more
  EXPECT_FALSE(m_link.IsOpen());
  EXPECT_EQ(0, Ft232r().OpenHandles());
  EXPECT_EQ(1, Ft232r().FailedBulkTransfers());
  // The messages before the 50th byte went, the one across it not.
  const std::vector<uint8_t> sent = BulkBytes();
  EXPECT_GE(sent.size(), 45u);
  EXPECT_LE(sent.size(), 50u);
  EXPECT_EQ(std::vector<uint8_t>(expected.begin(), expected.begin() + sent.size()), sent);

  start = Now();
  EXPECT_EQ(BoardResult::OPEN_FAILED, SendSceneToBoards(m_link, target, scene).result);
  EXPECT_LT(Now() - start, 500);

  Ft232r().SetAttached(true);
  const size_t before = Ft232r().BulkTransfers().size();
  EXPECT_EQ(BoardResult::OK, SendSceneToBoards(m_link, target, scene).result);
  EXPECT_EQ(expected, BulkBytes(before));
  EXPECT_EQ(1, Ft232r().FailedBulkTransfers());
}

// The driver alone: a write that finds the adapter gone closes the port, and
// later writes reach no device; an opening finds the adapter once it is back.
TEST_F(FtdiUsb, TheDriverClosesThePortOfAVanishedAdapter) {
  const std::vector<unsigned char> data(300, 0xAA);
  ASSERT_EQ(0, OpenTestPort(PORT, 9600));
  Ft232r().VanishAfterBulkBytes(100);
  const long long start = Now();
  EXPECT_EQ(64, serial_write(TestPort(), data.data(), 300));  // one packet went, the second not
  EXPECT_LT(Now() - start, 500);
  EXPECT_FALSE(serial_isopen(TestPort()));
  EXPECT_EQ(0, Ft232r().OpenHandles());
  EXPECT_EQ(0, serial_write(TestPort(), data.data(), 300));
  EXPECT_EQ(1, Ft232r().FailedBulkTransfers());
  EXPECT_EQ(SERIAL_FTDI_OPEN_FAILED, OpenTestPort(PORT, 9600));
  Ft232r().SetAttached(true);
  ASSERT_EQ(0, OpenTestPort(PORT, 9600));
  EXPECT_EQ(300, serial_write(TestPort(), data.data(), 300));
}

// An adapter that stops taking packets: a write returns by its deadline.
TEST_F(FtdiUsb, AStalledAdapterCannotHoldAWritePastItsDeadline) {
  const std::vector<unsigned char> data(300, 0x55);
  for (const int baud : {9600, 115200}) {
    ASSERT_EQ(0, OpenTestPort(PORT, baud));
    for (const int length : {1, 300}) {
      Ft232r().SetStalled(true);
      const long long start = Now();
      EXPECT_EQ(0, serial_write(TestPort(), data.data(), length));
      EXPECT_LE(Now() - start, serial_write_budget_ms(length, baud) + PIECE_TIMEOUT_MS);
      EXPECT_TRUE(serial_isopen(TestPort()));  // still there
      Ft232r().SetStalled(false);
      EXPECT_EQ(length, serial_write(TestPort(), data.data(), length));  // taken again
    }
    CloseTestPort();
  }
}
