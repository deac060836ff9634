// The libusb-1.0 functions that libftdi1 and the FT_* layer call, answered
// by an emulated FT232R (see usb_ft232r.h). A second, non-FTDI device on
// the bus checks that the search filters.
#include "support/usb_ft232r.h"

#include <libusb.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

struct libusb_context {
  int unused = 0;
};

struct libusb_device {
  libusb_device_descriptor descriptor;
  const char* strings[4];  // index 1..3
  bool ftdi;
};

struct libusb_device_handle {
  libusb_device* device;
  int generation;
};

namespace {

constexpr uint8_t BULK_OUT = 0x02;
constexpr uint8_t BULK_IN = 0x81;
constexpr uint8_t SIO_POLL_MODEM_STATUS = 0x05;
constexpr uint8_t SIO_READ_PINS = 0x0C;

long long NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

libusb_device_descriptor Descriptor(uint16_t vendor, uint16_t product, uint16_t bcdDevice) {
  libusb_device_descriptor d{};
  d.bLength = LIBUSB_DT_DEVICE_SIZE;
  d.bDescriptorType = LIBUSB_DT_DEVICE;
  d.bcdUSB = 0x0200;
  d.bMaxPacketSize0 = 8;
  d.idVendor = vendor;
  d.idProduct = product;
  d.bcdDevice = bcdDevice;
  d.iManufacturer = 1;
  d.iProduct = 2;
  d.iSerialNumber = 3;
  d.bNumConfigurations = 1;
  return d;
}

// 0x0600 is how libftdi1 tells an FT232R.
libusb_device g_ft232r{Descriptor(0x0403, 0x6001, 0x0600), {nullptr, "FTDI", "Lumivane USB", "LV000001"}, true};
libusb_device g_hub{Descriptor(0x1d6b, 0x0002, 0x0100), {nullptr, "Linux", "Root hub", "0000"}, false};

// A handle that still reaches an attached device; the caller holds the lock.
bool Alive(const libusb_device_handle* handle) {
  if (!handle->device->ftdi) return true;
  return Ft232r().attached && handle->generation == Ft232r().generation;
}

}  // namespace

EmulatedFt232r& Ft232r() {
  static EmulatedFt232r device;
  return device;
}

void EmulatedFt232r::Reset() {
  std::lock_guard<std::mutex> lock(mutex);
  attached = true;
  vanishAfter = -1;
  stalled = false;
  pins = 0x0F;
  requests.clear();
  bulk.clear();
  failedBulk = 0;
}

void EmulatedFt232r::SetAttached(bool value) {
  std::lock_guard<std::mutex> lock(mutex);
  if (attached && !value) ++generation;
  attached = value;
}

bool EmulatedFt232r::Attached() const {
  std::lock_guard<std::mutex> lock(const_cast<std::mutex&>(mutex));
  return attached;
}

void EmulatedFt232r::VanishAfterBulkBytes(long bytes) {
  std::lock_guard<std::mutex> lock(mutex);
  vanishAfter = bytes;
}

void EmulatedFt232r::SetStalled(bool value) {
  std::lock_guard<std::mutex> lock(mutex);
  stalled = value;
}

void EmulatedFt232r::SetPins(uint8_t value) {
  std::lock_guard<std::mutex> lock(mutex);
  pins = value;
}

std::vector<UsbControlRequest> EmulatedFt232r::Requests() const {
  std::lock_guard<std::mutex> lock(const_cast<std::mutex&>(mutex));
  return requests;
}

std::vector<UsbBulkTransfer> EmulatedFt232r::BulkTransfers() const {
  std::lock_guard<std::mutex> lock(const_cast<std::mutex&>(mutex));
  return bulk;
}

int EmulatedFt232r::OpenHandles() const { return openHandles; }
int EmulatedFt232r::ExtraDeviceReferences() const { return references; }
int EmulatedFt232r::FailedBulkTransfers() const { return failedBulk; }

double Ft232rBaudRate(uint16_t value, uint16_t index) {
  static const double eighths[8] = {0, 0.5, 0.25, 0.125, 0.375, 0.625, 0.75, 0.875};
  const int code = ((value >> 14) & 3) | ((index & 1) << 2);
  const int integer = value & 0x3FFF;
  if (integer == 0 && code == 0) return 3000000.0;
  if (integer == 1 && code == 0) return 2000000.0;
  return 3000000.0 / (integer + eighths[code]);
}

// ---- libusb ------------------------------------------------------------------

int libusb_init(libusb_context** context) {
  *context = new libusb_context;
  return 0;
}

void libusb_exit(libusb_context* context) { delete context; }

ssize_t libusb_get_device_list(libusb_context*, libusb_device*** list) {
  std::lock_guard<std::mutex> lock(Ft232r().mutex);
  libusb_device** devices = new libusb_device*[3];
  ssize_t count = 0;
  devices[count++] = &g_hub;
  if (Ft232r().attached) devices[count++] = &g_ft232r;
  devices[count] = nullptr;
  Ft232r().references += static_cast<int>(count);
  *list = devices;
  return count;
}

void libusb_free_device_list(libusb_device** list, int unref) {
  if (list == nullptr) return;
  for (libusb_device** device = list; *device != nullptr; ++device) {
    if (unref) libusb_unref_device(*device);
  }
  delete[] list;
}

libusb_device* libusb_ref_device(libusb_device* device) {
  std::lock_guard<std::mutex> lock(Ft232r().mutex);
  ++Ft232r().references;
  return device;
}

void libusb_unref_device(libusb_device*) {
  std::lock_guard<std::mutex> lock(Ft232r().mutex);
  --Ft232r().references;
}

int libusb_get_device_descriptor(libusb_device* device, libusb_device_descriptor* descriptor) {
  *descriptor = device->descriptor;
  return 0;
}

int libusb_get_config_descriptor(libusb_device*, uint8_t index, libusb_config_descriptor** config) {
  if (index != 0) return LIBUSB_ERROR_NOT_FOUND;
  auto* endpoints = new libusb_endpoint_descriptor[2]{};
  endpoints[0].bEndpointAddress = BULK_IN;
  endpoints[0].bmAttributes = LIBUSB_TRANSFER_TYPE_BULK;
  endpoints[0].wMaxPacketSize = 64;
  endpoints[1].bEndpointAddress = BULK_OUT;
  endpoints[1].bmAttributes = LIBUSB_TRANSFER_TYPE_BULK;
  endpoints[1].wMaxPacketSize = 64;
  auto* setting = new libusb_interface_descriptor{};
  setting->bNumEndpoints = 2;
  setting->endpoint = endpoints;
  auto* interface = new libusb_interface{};
  interface->altsetting = setting;
  interface->num_altsetting = 1;
  auto* c = new libusb_config_descriptor{};
  c->bNumInterfaces = 1;
  c->bConfigurationValue = 1;
  c->interface = interface;
  *config = c;
  return 0;
}

void libusb_free_config_descriptor(libusb_config_descriptor* config) {
  if (config == nullptr) return;
  delete[] config->interface->altsetting->endpoint;
  delete config->interface->altsetting;
  delete config->interface;
  delete config;
}

uint8_t libusb_get_bus_number(libusb_device*) { return 1; }
uint8_t libusb_get_device_address(libusb_device* device) { return device->ftdi ? 2 : 1; }

int libusb_open(libusb_device* device, libusb_device_handle** handle) {
  std::lock_guard<std::mutex> lock(Ft232r().mutex);
  if (device->ftdi && !Ft232r().attached) return LIBUSB_ERROR_NO_DEVICE;
  *handle = new libusb_device_handle{device, Ft232r().generation};
  ++Ft232r().openHandles;
  return 0;
}

void libusb_close(libusb_device_handle* handle) {
  if (handle == nullptr) return;
  std::lock_guard<std::mutex> lock(Ft232r().mutex);
  --Ft232r().openHandles;
  delete handle;
}

int libusb_get_string_descriptor_ascii(libusb_device_handle* handle, uint8_t index, unsigned char* data,
                                       int length) {
  std::lock_guard<std::mutex> lock(Ft232r().mutex);
  if (!Alive(handle)) return LIBUSB_ERROR_NO_DEVICE;
  if (index < 1 || index > 3 || length <= 0) return LIBUSB_ERROR_INVALID_PARAM;
  const char* text = handle->device->strings[index];
  const int n = std::min(static_cast<int>(std::strlen(text)), length - 1);
  std::memcpy(data, text, static_cast<size_t>(n));
  data[n] = '\0';
  return n;
}

int libusb_set_auto_detach_kernel_driver(libusb_device_handle*, int) { return 0; }
int libusb_detach_kernel_driver(libusb_device_handle*, int) { return LIBUSB_ERROR_NOT_FOUND; }

int libusb_get_configuration(libusb_device_handle* handle, int* configuration) {
  std::lock_guard<std::mutex> lock(Ft232r().mutex);
  if (!Alive(handle)) return LIBUSB_ERROR_NO_DEVICE;
  *configuration = 1;
  return 0;
}

int libusb_set_configuration(libusb_device_handle* handle, int) {
  std::lock_guard<std::mutex> lock(Ft232r().mutex);
  return Alive(handle) ? 0 : LIBUSB_ERROR_NO_DEVICE;
}

int libusb_claim_interface(libusb_device_handle* handle, int interface) {
  std::lock_guard<std::mutex> lock(Ft232r().mutex);
  if (!Alive(handle)) return LIBUSB_ERROR_NO_DEVICE;
  return interface == 0 ? 0 : LIBUSB_ERROR_NOT_FOUND;
}

int libusb_release_interface(libusb_device_handle* handle, int) {
  std::lock_guard<std::mutex> lock(Ft232r().mutex);
  return Alive(handle) ? 0 : LIBUSB_ERROR_NO_DEVICE;
}

int libusb_control_transfer(libusb_device_handle* handle, uint8_t requestType, uint8_t request,
                            uint16_t value, uint16_t index, unsigned char* data, uint16_t length,
                            unsigned int /*timeout*/) {
  std::lock_guard<std::mutex> lock(Ft232r().mutex);
  if (!Alive(handle)) return LIBUSB_ERROR_NO_DEVICE;
  Ft232r().requests.push_back(UsbControlRequest{NowMs(), requestType, request, value, index});
  if ((requestType & LIBUSB_ENDPOINT_IN) != 0) {
    if (request == SIO_READ_PINS && length >= 1) {
      data[0] = Ft232r().pins;
      return 1;
    }
    if (request == SIO_POLL_MODEM_STATUS && length >= 2) {
      data[0] = 0x01;  // the chip's modem status: a constant bit
      data[1] = 0x60;  // line status: transmitter holding register and shift register empty
      return 2;
    }
    return LIBUSB_ERROR_PIPE;
  }
  return 0;
}

int libusb_bulk_transfer(libusb_device_handle* handle, unsigned char endpoint, unsigned char* data,
                         int length, int* transferred, unsigned int timeout) {
  *transferred = 0;
  std::unique_lock<std::mutex> lock(Ft232r().mutex);
  EmulatedFt232r& device = Ft232r();
  if (!Alive(handle)) {
    ++device.failedBulk;
    return LIBUSB_ERROR_NO_DEVICE;
  }
  if (endpoint != BULK_OUT) return LIBUSB_ERROR_NOT_SUPPORTED;  // nothing here reads
  if (device.stalled) {
    ++device.failedBulk;
    lock.unlock();
    std::this_thread::sleep_for(std::chrono::milliseconds(timeout));
    return LIBUSB_ERROR_TIMEOUT;
  }
  int taken = length;
  bool vanish = false;
  if (device.vanishAfter >= 0 && device.vanishAfter < length) {
    // Packets go whole or not at all.
    taken = static_cast<int>(device.vanishAfter / 64 * 64);
    vanish = true;
  }
  if (device.vanishAfter >= 0) device.vanishAfter -= taken;
  device.bulk.push_back(UsbBulkTransfer{NowMs(), endpoint, std::vector<uint8_t>(data, data + taken)});
  *transferred = taken;
  if (vanish) {
    ++device.failedBulk;
    device.attached = false;
    ++device.generation;
    device.vanishAfter = -1;
    return LIBUSB_ERROR_NO_DEVICE;
  }
  return 0;
}

// libftdi1's asynchronous transfers, which neither the FT_* layer nor the
// driver uses.
libusb_transfer* libusb_alloc_transfer(int) { return nullptr; }
void libusb_free_transfer(libusb_transfer*) {}
int libusb_submit_transfer(libusb_transfer*) { return LIBUSB_ERROR_NOT_SUPPORTED; }
int libusb_cancel_transfer(libusb_transfer*) { return LIBUSB_ERROR_NOT_SUPPORTED; }
int libusb_handle_events_timeout(libusb_context*, timeval*) { return LIBUSB_ERROR_NOT_SUPPORTED; }
int libusb_handle_events_timeout_completed(libusb_context*, timeval*, int*) {
  return LIBUSB_ERROR_NOT_SUPPORTED;
}
