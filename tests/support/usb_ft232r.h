#pragma once
// An FT232R adapter under the real libftdi1, emulated one level down: this
// file's companion defines the libusb-1.0 functions libftdi1 calls, and a
// test binary that links it gets them in place of the system's libusb
// (the executable's definitions come first when libftdi1's calls are
// bound). The device answers control requests as the chip does, takes
// bulk-out packets, and can vanish or stall on command. Everything it
// receives is logged with the time it came.
#include <cstdint>
#include <mutex>
#include <vector>

struct UsbControlRequest {
  long long ms;  // monotonic milliseconds
  uint8_t requestType;
  uint8_t request;
  uint16_t value;
  uint16_t index;
};

struct UsbBulkTransfer {
  long long ms;
  uint8_t endpoint;
  std::vector<uint8_t> bytes;  // what the device took
};

class EmulatedFt232r {
 public:
  // A fresh device, attached, with empty logs.
  void Reset();

  // Plugged in or not. Unplugging ends every open handle: each later call
  // on it fails with LIBUSB_ERROR_NO_DEVICE, as after a disconnect.
  void SetAttached(bool attached);
  bool Attached() const;
  // The device vanishes once it has taken this many more bulk bytes, in
  // the middle of the transfer that passes the count: of that transfer it
  // takes the 64-byte packets that fit. Negative: never.
  void VanishAfterBulkBytes(long bytes);
  // Bulk-out transfers wait for their timeout and take nothing, as when
  // the adapter stops taking packets.
  void SetStalled(bool stalled);
  // The CBUS pin levels a pin read returns (bits 0..3).
  void SetPins(uint8_t pins);

  std::vector<UsbControlRequest> Requests() const;
  std::vector<UsbBulkTransfer> BulkTransfers() const;
  // Handles open now, and devices referenced beyond the emulation's own.
  int OpenHandles() const;
  int ExtraDeviceReferences() const;
  int FailedBulkTransfers() const;

  // For the libusb functions.
  std::mutex mutex;
  bool attached = true;
  int generation = 0;  // counts unpluggings
  long vanishAfter = -1;
  bool stalled = false;
  uint8_t pins = 0x0F;
  int openHandles = 0;
  int references = 0;
  int failedBulk = 0;  // bulk transfers that ended in an error
  std::vector<UsbControlRequest> requests;
  std::vector<UsbBulkTransfer> bulk;
};

EmulatedFt232r& Ft232r();

// The baud rate an FT232R runs at for a SIO_SET_BAUD_RATE request: a
// divisor of 3 MHz with 14 bits of whole number and a 3-bit eighths code in
// wValue bits 14..15 and wIndex bit 0; divisors 0 and 1 mean 3 and 2 Mbaud.
double Ft232rBaudRate(uint16_t value, uint16_t index);
