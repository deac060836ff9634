#pragma once

// The FTDI calls the serial driver and the port enumeration make, with the
// names, argument order, types and results of FTDI's D2XX interface.
// Two implementations exist: ftdi_libftdi.cpp (libftdi1, linked by the
// program) and the simulated device of the tests. The linker picks one.
//
// Status 0 (FT_OK) is success. FT_Write reports the number of bytes the
// adapter took, which may be fewer than asked when its buffer stays full
// for the write timeout; a write that took nothing fails with
// FT_DEVICE_NOT_FOUND when the adapter is gone (unplugged), else with
// FT_IO_ERROR. FT_GetBitMode reports the pin levels.

#include <cstdint>

typedef void* PVOID;
typedef void* LPVOID;
typedef uint32_t DWORD;
typedef DWORD* LPDWORD;
typedef uint32_t ULONG;
typedef uint16_t USHORT;
typedef unsigned char UCHAR;
typedef UCHAR* PUCHAR;
typedef char* PCHAR;

typedef PVOID FT_HANDLE;
typedef ULONG FT_STATUS;
typedef ULONG FT_DEVICE;

enum {
  FT_OK = 0,
  FT_INVALID_HANDLE = 1,
  FT_DEVICE_NOT_FOUND = 2,
  FT_DEVICE_NOT_OPENED = 3,
  FT_IO_ERROR = 4,
  FT_INSUFFICIENT_RESOURCES = 5,
  FT_INVALID_PARAMETER = 6,
  FT_INVALID_BAUD_RATE = 7,
  FT_NOT_SUPPORTED = 17,
  FT_OTHER_ERROR = 18,
};

// FT_ListDevices flags.
#define FT_LIST_NUMBER_ONLY 0x80000000u
#define FT_LIST_BY_INDEX 0x40000000u
#define FT_OPEN_BY_SERIAL_NUMBER 1u

// FT_SetDataCharacteristics values.
#define FT_BITS_8 ((UCHAR)8)
#define FT_BITS_7 ((UCHAR)7)
#define FT_STOP_BITS_1 ((UCHAR)0)
#define FT_STOP_BITS_2 ((UCHAR)2)
#define FT_PARITY_NONE ((UCHAR)0)
#define FT_PARITY_ODD ((UCHAR)1)
#define FT_PARITY_EVEN ((UCHAR)2)
#define FT_PARITY_MARK ((UCHAR)3)
#define FT_PARITY_SPACE ((UCHAR)4)

// FT_SetFlowControl values.
#define FT_FLOW_NONE ((USHORT)0x0000)
#define FT_FLOW_RTS_CTS ((USHORT)0x0100)
#define FT_FLOW_DTR_DSR ((USHORT)0x0200)
#define FT_FLOW_XON_XOFF ((USHORT)0x0400)

// FT_Purge mask bits.
#define FT_PURGE_RX 1u
#define FT_PURGE_TX 2u

// FT_GetDeviceInfo device types.
enum {
  FT_DEVICE_BM = 0,
  FT_DEVICE_AM = 1,
  FT_DEVICE_UNKNOWN = 3,
  FT_DEVICE_2232C = 4,
  FT_DEVICE_232R = 5,
  FT_DEVICE_2232H = 6,
  FT_DEVICE_4232H = 7,
  FT_DEVICE_232H = 8,
  FT_DEVICE_X_SERIES = 9,
};

// FT_SetBitMode mode for bit-bang on the CBUS pins.
#define FT_BITMODE_CBUS_BITBANG ((UCHAR)0x20)

extern "C" {

// With FT_LIST_NUMBER_ONLY: stores the number of attached devices in the
// DWORD pArg1 points to (pArg2 unused). With FT_LIST_BY_INDEX |
// FT_OPEN_BY_SERIAL_NUMBER: copies the serial number of device (DWORD)
// pArg1 into the 16 bytes pArg2 points to, without opening it, so also
// while it is open.
FT_STATUS FT_ListDevices(PVOID pArg1, PVOID pArg2, DWORD Flags);

// Opens device deviceNumber (0-based, in FT_ListDevices order).
FT_STATUS FT_Open(int deviceNumber, FT_HANDLE* pHandle);

// Device type, (vendor << 16 | product), serial number (16 bytes) and
// description (64 bytes), each pointer may be null; Dummy is unused.
FT_STATUS FT_GetDeviceInfo(FT_HANDLE ftHandle, FT_DEVICE* lpftDevice, LPDWORD lpdwID,
                           PCHAR SerialNumber, PCHAR Description, LPVOID Dummy);

FT_STATUS FT_Close(FT_HANDLE ftHandle);
FT_STATUS FT_ResetDevice(FT_HANDLE ftHandle);
FT_STATUS FT_SetBaudRate(FT_HANDLE ftHandle, ULONG BaudRate);
FT_STATUS FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR WordLength, UCHAR StopBits,
                                    UCHAR Parity);
FT_STATUS FT_SetFlowControl(FT_HANDLE ftHandle, USHORT FlowControl, UCHAR XonChar,
                            UCHAR XoffChar);

// Timeouts in milliseconds.
FT_STATUS FT_SetTimeouts(FT_HANDLE ftHandle, ULONG ReadTimeout, ULONG WriteTimeout);

FT_STATUS FT_Write(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite,
                   LPDWORD lpdwBytesWritten);
FT_STATUS FT_SetBreakOn(FT_HANDLE ftHandle);
FT_STATUS FT_SetBreakOff(FT_HANDLE ftHandle);

// Mask: FT_PURGE_RX and/or FT_PURGE_TX.
FT_STATUS FT_Purge(FT_HANDLE ftHandle, ULONG Mask);

// In CBUS bit-bang mode the mask's high nibble makes pins outputs and its
// low nibble gives their levels.
FT_STATUS FT_SetBitMode(FT_HANDLE ftHandle, UCHAR ucMask, UCHAR ucEnable);
FT_STATUS FT_GetBitMode(FT_HANDLE ftHandle, PUCHAR pucMode);

}  // extern "C"
