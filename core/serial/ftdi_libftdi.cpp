// The FT_* calls of serial/ftdi_layer.h on libftdi1, for real adapters.
// Devices are the ones libftdi1 finds with its default FTDI ids, numbered
// in the order it finds them.

#include <libftdi1/ftdi.h>
#include <libusb.h>

#include <cstdint>
#include <cstring>
#include <ctime>
#include <new>

#include "core/serial/ftdi_layer.h"

namespace {

// Full-speed bulk packet: a write piece the adapter takes whole or not at all.
const int kPiece = 64;
// On top of a piece's time on the line, how long one USB transfer may wait.
const int kPieceSlackMs = 250;

struct FtdiDevice {
  ftdi_context* ctx = nullptr;
  ftdi_bits_type bits = BITS_8;
  ftdi_stopbits_type stop = STOP_BIT_1;
  ftdi_parity_type parity = NONE;
  ftdi_break_type line_break = BREAK_OFF;
  ULONG baud = 9600;
  ULONG write_timeout_ms = 0;  // 0: wait for every byte
  bool gone = false;           // a failed write found the adapter unplugged
  FT_DEVICE type = FT_DEVICE_UNKNOWN;
  DWORD id = 0;
  char serial_number[16] = {};
  char description[64] = {};
};

FtdiDevice* Device(FT_HANDLE handle) { return static_cast<FtdiDevice*>(handle); }

FT_STATUS Result(int libftdi_result) { return libftdi_result < 0 ? FT_IO_ERROR : FT_OK; }

long long NowMs() {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

FT_DEVICE DeviceType(ftdi_chip_type type) {
  switch (type) {
    case TYPE_AM:
      return FT_DEVICE_AM;
    case TYPE_BM:
      return FT_DEVICE_BM;
    case TYPE_2232C:
      return FT_DEVICE_2232C;
    case TYPE_R:
      return FT_DEVICE_232R;
    case TYPE_2232H:
      return FT_DEVICE_2232H;
    case TYPE_4232H:
      return FT_DEVICE_4232H;
    case TYPE_232H:
      return FT_DEVICE_232H;
    case TYPE_230X:
      return FT_DEVICE_X_SERIES;
  }
  return FT_DEVICE_UNKNOWN;
}

// Whether the adapter still answers a control request after a failed
// write: one that stopped taking data does, one that was unplugged does
// not. The wait is short, so that a write keeps to its deadline.
bool AdapterAnswers(ftdi_context* ctx) {
  const int saved_timeout = ctx->usb_read_timeout;
  ctx->usb_read_timeout = kPieceSlackMs;
  unsigned short status = 0;
  const bool answered = ftdi_poll_modem_status(ctx, &status) == 0;
  ctx->usb_read_timeout = saved_timeout;
  return answered;
}

FT_STATUS ApplyLine(FtdiDevice* device) {
  return Result(ftdi_set_line_property2(device->ctx, device->bits, device->stop, device->parity,
                                        device->line_break));
}

}  // namespace

// The serial number of device `index` from its string descriptors, which
// a device held open elsewhere still answers.
FT_STATUS SerialNumberByIndex(DWORD index, char* serial_number) {
  ftdi_context* ctx = ftdi_new();
  if (ctx == nullptr) {
    return FT_OTHER_ERROR;
  }
  ftdi_device_list* list = nullptr;
  const int found = ftdi_usb_find_all(ctx, &list, 0, 0);
  ftdi_device_list* entry = list;
  for (DWORD i = 0; entry != nullptr && i < index; ++i) {
    entry = entry->next;
  }
  FT_STATUS status = FT_DEVICE_NOT_FOUND;
  if (found >= 0 && entry != nullptr) {
    char text[16] = {};
    if (ftdi_usb_get_strings(ctx, entry->dev, nullptr, 0, nullptr, 0, text, sizeof text) == 0) {
      text[sizeof text - 1] = '\0';
      std::memcpy(serial_number, text, sizeof text);
      status = FT_OK;
    } else {
      status = FT_IO_ERROR;
    }
  }
  ftdi_list_free(&list);
  ftdi_free(ctx);
  return status;
}

FT_STATUS FT_ListDevices(PVOID pArg1, PVOID pArg2, DWORD Flags) {
  if (Flags == (FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER)) {
    if (pArg2 == nullptr) {
      return FT_INVALID_PARAMETER;
    }
    return SerialNumberByIndex(static_cast<DWORD>(reinterpret_cast<uintptr_t>(pArg1)), static_cast<char*>(pArg2));
  }
  if (Flags != FT_LIST_NUMBER_ONLY) {
    return FT_NOT_SUPPORTED;
  }
  if (pArg1 == nullptr) {
    return FT_INVALID_PARAMETER;
  }
  ftdi_context* ctx = ftdi_new();
  if (ctx == nullptr) {
    return FT_OTHER_ERROR;  // no USB access at all
  }
  ftdi_device_list* list = nullptr;
  int found = ftdi_usb_find_all(ctx, &list, 0, 0);
  ftdi_list_free(&list);
  ftdi_free(ctx);
  if (found < 0) {
    return FT_IO_ERROR;
  }
  *static_cast<DWORD*>(pArg1) = static_cast<DWORD>(found);
  return FT_OK;
}

FT_STATUS FT_Open(int deviceNumber, FT_HANDLE* pHandle) {
  if (pHandle == nullptr) {
    return FT_INVALID_PARAMETER;
  }
  if (deviceNumber < 0) {
    return FT_DEVICE_NOT_FOUND;
  }
  FtdiDevice* device = new (std::nothrow) FtdiDevice;
  if (device == nullptr) {
    return FT_INSUFFICIENT_RESOURCES;
  }
  device->ctx = ftdi_new();
  if (device->ctx == nullptr) {
    delete device;
    return FT_OTHER_ERROR;
  }
  // Give the tty driver back its adapter when we close it.
  device->ctx->module_detach_mode = AUTO_DETACH_REATACH_SIO_MODULE;

  ftdi_device_list* list = nullptr;
  int found = ftdi_usb_find_all(device->ctx, &list, 0, 0);
  ftdi_device_list* entry = list;
  for (int i = 0; entry != nullptr && i < deviceNumber; ++i) {
    entry = entry->next;
  }
  FT_STATUS status = FT_OK;
  if (found < 0 || entry == nullptr) {
    status = FT_DEVICE_NOT_FOUND;
  } else {
    // Strings first: ftdi_usb_get_strings closes the context's USB handle
    // when it is done, so it must not run on the opened device.
    ftdi_usb_get_strings(device->ctx, entry->dev, nullptr, 0, device->description,
                         sizeof device->description, device->serial_number,
                         sizeof device->serial_number);
    libusb_device_descriptor descriptor;
    if (libusb_get_device_descriptor(entry->dev, &descriptor) == 0) {
      device->id = (static_cast<DWORD>(descriptor.idVendor) << 16) | descriptor.idProduct;
    }
    if (ftdi_usb_open_dev(device->ctx, entry->dev) < 0) {
      status = FT_DEVICE_NOT_OPENED;  // busy, or no permission
    }
  }
  ftdi_list_free(&list);
  if (status != FT_OK) {
    ftdi_free(device->ctx);
    delete device;
    return status;
  }
  device->description[sizeof device->description - 1] = '\0';
  device->serial_number[sizeof device->serial_number - 1] = '\0';
  device->type = DeviceType(device->ctx->type);
  *pHandle = device;
  return FT_OK;
}

FT_STATUS FT_GetDeviceInfo(FT_HANDLE ftHandle, FT_DEVICE* lpftDevice, LPDWORD lpdwID,
                           PCHAR SerialNumber, PCHAR Description, LPVOID /*Dummy*/) {
  FtdiDevice* device = Device(ftHandle);
  if (device == nullptr) {
    return FT_INVALID_HANDLE;
  }
  if (lpftDevice != nullptr) {
    *lpftDevice = device->type;
  }
  if (lpdwID != nullptr) {
    *lpdwID = device->id;
  }
  if (SerialNumber != nullptr) {
    std::memcpy(SerialNumber, device->serial_number, sizeof device->serial_number);
  }
  if (Description != nullptr) {
    std::memcpy(Description, device->description, sizeof device->description);
  }
  return FT_OK;
}

FT_STATUS FT_Close(FT_HANDLE ftHandle) {
  FtdiDevice* device = Device(ftHandle);
  if (device == nullptr) {
    return FT_INVALID_HANDLE;
  }
  int result = ftdi_usb_close(device->ctx);
  ftdi_free(device->ctx);
  delete device;
  return Result(result);
}

FT_STATUS FT_ResetDevice(FT_HANDLE ftHandle) {
  FtdiDevice* device = Device(ftHandle);
  if (device == nullptr) {
    return FT_INVALID_HANDLE;
  }
  return Result(ftdi_usb_reset(device->ctx));
}

FT_STATUS FT_SetBaudRate(FT_HANDLE ftHandle, ULONG BaudRate) {
  FtdiDevice* device = Device(ftHandle);
  if (device == nullptr) {
    return FT_INVALID_HANDLE;
  }
  if (BaudRate == 0 || BaudRate > 12000000) {
    return FT_INVALID_BAUD_RATE;
  }
  // libftdi1 scales the rate for data-bus bit-bang; CBUS bit-bang leaves
  // the UART's rate alone.
  ftdi_context* ctx = device->ctx;
  unsigned char bitbang = ctx->bitbang_enabled;
  if (ctx->bitbang_mode == BITMODE_CBUS) {
    ctx->bitbang_enabled = 0;
  }
  int result = ftdi_set_baudrate(ctx, static_cast<int>(BaudRate));
  ctx->bitbang_enabled = bitbang;
  if (result == -1) {
    return FT_INVALID_BAUD_RATE;
  }
  if (result < 0) {
    return FT_IO_ERROR;
  }
  device->baud = BaudRate;
  return FT_OK;
}

FT_STATUS FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR WordLength, UCHAR StopBits,
                                    UCHAR Parity) {
  FtdiDevice* device = Device(ftHandle);
  if (device == nullptr) {
    return FT_INVALID_HANDLE;
  }
  static const ftdi_parity_type kParity[] = {NONE, ODD, EVEN, MARK, SPACE};
  if ((WordLength != FT_BITS_7 && WordLength != FT_BITS_8) ||
      (StopBits != FT_STOP_BITS_1 && StopBits != FT_STOP_BITS_2) || Parity > FT_PARITY_SPACE) {
    return FT_INVALID_PARAMETER;
  }
  device->bits = WordLength == FT_BITS_7 ? BITS_7 : BITS_8;
  device->stop = StopBits == FT_STOP_BITS_2 ? STOP_BIT_2 : STOP_BIT_1;
  device->parity = kParity[Parity];
  return ApplyLine(device);
}

FT_STATUS FT_SetFlowControl(FT_HANDLE ftHandle, USHORT FlowControl, UCHAR XonChar,
                            UCHAR XoffChar) {
  FtdiDevice* device = Device(ftHandle);
  if (device == nullptr) {
    return FT_INVALID_HANDLE;
  }
  switch (FlowControl) {
    case FT_FLOW_NONE:
      return Result(ftdi_setflowctrl(device->ctx, SIO_DISABLE_FLOW_CTRL));
    case FT_FLOW_RTS_CTS:
      return Result(ftdi_setflowctrl(device->ctx, SIO_RTS_CTS_HS));
    case FT_FLOW_DTR_DSR:
      return Result(ftdi_setflowctrl(device->ctx, SIO_DTR_DSR_HS));
    case FT_FLOW_XON_XOFF:
      return Result(ftdi_setflowctrl_xonxoff(device->ctx, XonChar, XoffChar));
    default:
      return FT_INVALID_PARAMETER;
  }
}

FT_STATUS FT_SetTimeouts(FT_HANDLE ftHandle, ULONG /*ReadTimeout*/, ULONG WriteTimeout) {
  // Only FT_Write waits here; nothing reads data. libftdi1's own USB
  // timeouts stay as they are: its control requests need more than the
  // millisecond a caller may give.
  FtdiDevice* device = Device(ftHandle);
  if (device == nullptr) {
    return FT_INVALID_HANDLE;
  }
  device->write_timeout_ms = WriteTimeout;
  return FT_OK;
}

FT_STATUS FT_Write(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite,
                   LPDWORD lpdwBytesWritten) {
  FtdiDevice* device = Device(ftHandle);
  if (device == nullptr) {
    return FT_INVALID_HANDLE;
  }
  if (lpdwBytesWritten == nullptr || (lpBuffer == nullptr && dwBytesToWrite > 0)) {
    return FT_INVALID_PARAMETER;
  }
  *lpdwBytesWritten = 0;
  if (device->gone) {
    return FT_DEVICE_NOT_FOUND;
  }
  // One packet per transfer, so a transfer that fails took nothing that
  // goes uncounted. It may wait for the adapter to send a packet's worth.
  ftdi_context* ctx = device->ctx;
  const int saved_timeout = ctx->usb_write_timeout;
  ctx->usb_write_timeout =
      static_cast<int>(kPiece * 10 * 1000 / (device->baud > 0 ? device->baud : 9600)) * 2 +
      kPieceSlackMs;
  const long long deadline = NowMs() + device->write_timeout_ms;
  const unsigned char* bytes = static_cast<const unsigned char*>(lpBuffer);
  DWORD done = 0;
  int result = 0;
  while (done < dwBytesToWrite) {
    DWORD left = dwBytesToWrite - done;
    int piece = left < static_cast<DWORD>(kPiece) ? static_cast<int>(left) : kPiece;
    result = ftdi_write_data(ctx, bytes + done, piece);
    if (result <= 0) {
      break;
    }
    done += static_cast<DWORD>(result);
    if (device->write_timeout_ms > 0 && NowMs() >= deadline) {
      break;
    }
  }
  ctx->usb_write_timeout = saved_timeout;
  *lpdwBytesWritten = done;
  if (result < 0 && !AdapterAnswers(ctx)) {
    device->gone = true;  // what it took still counts; the next write fails at once
  }
  if (result < 0 && done == 0) {
    return device->gone ? FT_DEVICE_NOT_FOUND : FT_IO_ERROR;
  }
  return FT_OK;
}

FT_STATUS FT_SetBreakOn(FT_HANDLE ftHandle) {
  FtdiDevice* device = Device(ftHandle);
  if (device == nullptr) {
    return FT_INVALID_HANDLE;
  }
  device->line_break = BREAK_ON;
  return ApplyLine(device);
}

FT_STATUS FT_SetBreakOff(FT_HANDLE ftHandle) {
  FtdiDevice* device = Device(ftHandle);
  if (device == nullptr) {
    return FT_INVALID_HANDLE;
  }
  device->line_break = BREAK_OFF;
  return ApplyLine(device);
}

FT_STATUS FT_Purge(FT_HANDLE ftHandle, ULONG Mask) {
  FtdiDevice* device = Device(ftHandle);
  if (device == nullptr) {
    return FT_INVALID_HANDLE;
  }
  bool rx = (Mask & FT_PURGE_RX) != 0;
  bool tx = (Mask & FT_PURGE_TX) != 0;
  if (rx && tx) {
    return Result(ftdi_tcioflush(device->ctx));
  }
  if (rx) {
    return Result(ftdi_tciflush(device->ctx));
  }
  if (tx) {
    return Result(ftdi_tcoflush(device->ctx));
  }
  return FT_OK;
}

FT_STATUS FT_SetBitMode(FT_HANDLE ftHandle, UCHAR ucMask, UCHAR ucEnable) {
  FtdiDevice* device = Device(ftHandle);
  if (device == nullptr) {
    return FT_INVALID_HANDLE;
  }
  return Result(ftdi_set_bitmode(device->ctx, ucMask, ucEnable));
}

FT_STATUS FT_GetBitMode(FT_HANDLE ftHandle, PUCHAR pucMode) {
  FtdiDevice* device = Device(ftHandle);
  if (device == nullptr) {
    return FT_INVALID_HANDLE;
  }
  if (pucMode == nullptr) {
    return FT_INVALID_PARAMETER;
  }
  return Result(ftdi_read_pins(device->ctx, pucMode));
}
