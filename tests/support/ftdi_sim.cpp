#include "support/ftdi_sim.h"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

#include "core/serial/ftdi_layer.h"

namespace {

struct SimDevice {
  std::string description;
  bool busy = false;
  bool open = false;
  unsigned char bit_mask = 0;  // last FT_SetBitMode mask
  bool line_break = false;
  unsigned long baud = 9600;
};

struct SimState {
  std::vector<SimDevice> devices;
  std::vector<FtdiSimEvent> events;
  unsigned char input_pins = 0x0F;
  bool flicker = false;  // inputs toggle between reads
  long write_limit = -1;
  bool fail_writes = false;
  bool line_pace = false;
};

SimState& State() {
  static SimState state;
  return state;
}

// The board link's worker calls the device on its own thread while a test
// sets it up and reads its log: every entry point holds this.
std::recursive_mutex& Mutex() {
  static std::recursive_mutex mutex;
  return mutex;
}

FtdiSimEvent& Record(const char* call, int device, std::vector<unsigned long> args,
                     FT_STATUS status) {
  FtdiSimEvent event;
  event.call = call;
  event.device = device;
  event.args = std::move(args);
  event.status = status;
  State().events.push_back(std::move(event));
  return State().events.back();
}

FT_HANDLE HandleOf(int index) {
  return reinterpret_cast<FT_HANDLE>(static_cast<uintptr_t>(index) + 1);
}

// The open device a handle names, or -1.
int IndexOf(FT_HANDLE handle) {
  uintptr_t value = reinterpret_cast<uintptr_t>(handle);
  if (value == 0 || value > State().devices.size()) {
    return -1;
  }
  int index = static_cast<int>(value - 1);
  return State().devices[index].open ? index : -1;
}

// Records a call that only needs an open handle, and returns its status.
FT_STATUS Simple(const char* call, FT_HANDLE handle, std::vector<unsigned long> args = {}) {
  int index = IndexOf(handle);
  FT_STATUS status = index < 0 ? FT_INVALID_HANDLE : FT_OK;
  Record(call, index, std::move(args), status);
  return status;
}

std::string Hex(unsigned long value) {
  char text[24];
  std::snprintf(text, sizeof text, "%02lX", value);
  return text;
}

std::string Line(const FtdiSimEvent& event) {
  std::string line = event.call;
  const bool hex_args = event.call == "FT_SetBitMode" || event.call == "FT_GetBitMode" ||
                        event.call == "FT_ListDevices";
  if (event.call == "FT_Write") {
    for (unsigned char byte : event.bytes) {
      line += " " + Hex(byte);
    }
  } else {
    for (unsigned long arg : event.args) {
      line += " " + (hex_args ? Hex(arg) : std::to_string(arg));
    }
  }
  if (event.status != FT_OK) {
    line += " -> " + std::to_string(event.status);
  }
  return line;
}

}  // namespace

void FtdiSimReset() {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  State() = SimState();
}

int FtdiSimAddDevice(const std::string& description, bool busy) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  SimDevice device;
  device.description = description;
  device.busy = busy;
  State().devices.push_back(device);
  return static_cast<int>(State().devices.size()) - 1;
}

void FtdiSimSetInputPins(unsigned char levels) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  State().input_pins = levels & 0x0F;
}

void FtdiSimFlickerInputs(bool flicker) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  State().flicker = flicker;
}

void FtdiSimSetWriteLimit(long bytes_per_call) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  State().write_limit = bytes_per_call;
}

void FtdiSimFailWrites(bool fail) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  State().fail_writes = fail;
}

void FtdiSimRecordPause(int milliseconds) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  Record("pause", -1, {static_cast<unsigned long>(milliseconds)}, FT_OK);
}

void FtdiSimSetLinePace(bool pace) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  State().line_pace = pace;
}

std::vector<FtdiSimEvent> FtdiSimEvents() {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  return State().events;
}

std::vector<std::string> FtdiSimTrace() {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  std::vector<std::string> lines;
  for (const FtdiSimEvent& event : State().events) {
    lines.push_back(Line(event));
  }
  return lines;
}

std::vector<std::string> FtdiSimLineTrace() {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  std::vector<std::string> lines;
  for (const FtdiSimEvent& event : State().events) {
    if (event.call == "FT_Write" || event.call == "FT_SetBreakOn" ||
        event.call == "FT_SetBreakOff" || event.call == "FT_SetBaudRate" ||
        event.call == "pause") {
      lines.push_back(Line(event));
    }
  }
  return lines;
}

std::vector<unsigned char> FtdiSimWrittenBytes() {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  std::vector<unsigned char> bytes;
  for (const FtdiSimEvent& event : State().events) {
    bytes.insert(bytes.end(), event.bytes.begin(), event.bytes.end());
  }
  return bytes;
}

int FtdiSimOpenCount() {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  int count = 0;
  for (const SimDevice& device : State().devices) {
    count += device.open ? 1 : 0;
  }
  return count;
}

FT_STATUS FT_ListDevices(PVOID pArg1, PVOID pArg2, DWORD Flags) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  if (Flags == (FT_LIST_BY_INDEX | FT_OPEN_BY_SERIAL_NUMBER)) {
    // A look at the descriptors, not a call on the line: left out of the log.
    const uintptr_t index = reinterpret_cast<uintptr_t>(pArg1);
    if (pArg2 == nullptr || index >= State().devices.size()) {
      return FT_DEVICE_NOT_FOUND;
    }
    std::snprintf(static_cast<char*>(pArg2), 16, "SIM%04d", static_cast<int>(index));
    return FT_OK;
  }
  FT_STATUS status = FT_OK;
  if (Flags != FT_LIST_NUMBER_ONLY) {
    status = FT_NOT_SUPPORTED;
  } else if (pArg1 == nullptr) {
    status = FT_INVALID_PARAMETER;
  } else {
    *static_cast<DWORD*>(pArg1) = static_cast<DWORD>(State().devices.size());
  }
  Record("FT_ListDevices", -1, {Flags}, status);
  return status;
}

FT_STATUS FT_Open(int deviceNumber, FT_HANDLE* pHandle) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  std::vector<SimDevice>& devices = State().devices;
  FT_STATUS status = FT_OK;
  if (pHandle == nullptr) {
    status = FT_INVALID_PARAMETER;
  } else if (deviceNumber < 0 || static_cast<size_t>(deviceNumber) >= devices.size()) {
    status = FT_DEVICE_NOT_FOUND;
  } else if (devices[deviceNumber].busy || devices[deviceNumber].open) {
    status = FT_DEVICE_NOT_OPENED;
  } else {
    devices[deviceNumber].open = true;
    devices[deviceNumber].bit_mask = 0;
    devices[deviceNumber].line_break = false;
    *pHandle = HandleOf(deviceNumber);
  }
  Record("FT_Open", status == FT_OK ? deviceNumber : -1,
         {static_cast<unsigned long>(static_cast<long>(deviceNumber))}, status);
  return status;
}

FT_STATUS FT_GetDeviceInfo(FT_HANDLE ftHandle, FT_DEVICE* lpftDevice, LPDWORD lpdwID,
                           PCHAR SerialNumber, PCHAR Description, LPVOID /*Dummy*/) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  int index = IndexOf(ftHandle);
  if (index >= 0) {
    if (lpftDevice != nullptr) {
      *lpftDevice = FT_DEVICE_232R;
    }
    if (lpdwID != nullptr) {
      *lpdwID = 0x04036001;
    }
    if (SerialNumber != nullptr) {
      std::snprintf(SerialNumber, 16, "SIM%04d", index);
    }
    if (Description != nullptr) {
      std::snprintf(Description, 64, "%s", State().devices[index].description.c_str());
    }
  }
  FT_STATUS status = index < 0 ? FT_INVALID_HANDLE : FT_OK;
  Record("FT_GetDeviceInfo", index, {}, status);
  return status;
}

FT_STATUS FT_Close(FT_HANDLE ftHandle) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  int index = IndexOf(ftHandle);
  if (index >= 0) {
    State().devices[index].open = false;
  }
  FT_STATUS status = index < 0 ? FT_INVALID_HANDLE : FT_OK;
  Record("FT_Close", index, {}, status);
  return status;
}

FT_STATUS FT_ResetDevice(FT_HANDLE ftHandle) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  return Simple("FT_ResetDevice", ftHandle);
}

FT_STATUS FT_SetBaudRate(FT_HANDLE ftHandle, ULONG BaudRate) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  const FT_STATUS status = Simple("FT_SetBaudRate", ftHandle, {BaudRate});
  if (status == FT_OK && BaudRate > 0) {
    State().devices[IndexOf(ftHandle)].baud = BaudRate;
  }
  return status;
}

FT_STATUS FT_SetDataCharacteristics(FT_HANDLE ftHandle, UCHAR WordLength, UCHAR StopBits,
                                    UCHAR Parity) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  return Simple("FT_SetDataCharacteristics", ftHandle, {WordLength, StopBits, Parity});
}

FT_STATUS FT_SetFlowControl(FT_HANDLE ftHandle, USHORT FlowControl, UCHAR XonChar,
                            UCHAR XoffChar) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  return Simple("FT_SetFlowControl", ftHandle, {FlowControl, XonChar, XoffChar});
}

FT_STATUS FT_SetTimeouts(FT_HANDLE ftHandle, ULONG ReadTimeout, ULONG WriteTimeout) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  return Simple("FT_SetTimeouts", ftHandle, {ReadTimeout, WriteTimeout});
}

FT_STATUS FT_Write(FT_HANDLE ftHandle, LPVOID lpBuffer, DWORD dwBytesToWrite,
                   LPDWORD lpdwBytesWritten) {
  std::unique_lock<std::recursive_mutex> lock(Mutex());
  SimState& state = State();
  int index = IndexOf(ftHandle);
  FT_STATUS status = FT_OK;
  DWORD taken = 0;
  if (index < 0) {
    status = FT_INVALID_HANDLE;
  } else if (lpdwBytesWritten == nullptr || (lpBuffer == nullptr && dwBytesToWrite > 0)) {
    status = FT_INVALID_PARAMETER;
  } else if (state.fail_writes) {
    status = FT_IO_ERROR;
  } else {
    taken = dwBytesToWrite;
    if (state.write_limit >= 0 && taken > static_cast<unsigned long>(state.write_limit)) {
      taken = static_cast<DWORD>(state.write_limit);
    }
  }
  if (lpdwBytesWritten != nullptr) {
    *lpdwBytesWritten = taken;
  }
  FtdiSimEvent& event = Record("FT_Write", index, {dwBytesToWrite}, status);
  if (taken > 0) {
    const unsigned char* bytes = static_cast<const unsigned char*>(lpBuffer);
    event.bytes.assign(bytes, bytes + taken);
  }
  if (state.line_pace && taken > 0) {
    // The line takes 10 bits a byte; the device holds no buffer.
    const auto line = std::chrono::microseconds(taken * 10 * 1000000L / state.devices[index].baud);
    lock.unlock();
    std::this_thread::sleep_for(line);
  }
  return status;
}

FT_STATUS FT_SetBreakOn(FT_HANDLE ftHandle) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  FT_STATUS status = Simple("FT_SetBreakOn", ftHandle);
  if (status == FT_OK) {
    State().devices[IndexOf(ftHandle)].line_break = true;
  }
  return status;
}

FT_STATUS FT_SetBreakOff(FT_HANDLE ftHandle) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  FT_STATUS status = Simple("FT_SetBreakOff", ftHandle);
  if (status == FT_OK) {
    State().devices[IndexOf(ftHandle)].line_break = false;
  }
  return status;
}

FT_STATUS FT_Purge(FT_HANDLE ftHandle, ULONG Mask) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  return Simple("FT_Purge", ftHandle, {Mask});
}

FT_STATUS FT_SetBitMode(FT_HANDLE ftHandle, UCHAR ucMask, UCHAR ucEnable) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  FT_STATUS status = Simple("FT_SetBitMode", ftHandle, {ucMask, ucEnable});
  if (status == FT_OK) {
    State().devices[IndexOf(ftHandle)].bit_mask = ucMask;
  }
  return status;
}

FT_STATUS FT_GetBitMode(FT_HANDLE ftHandle, PUCHAR pucMode) {
  std::lock_guard<std::recursive_mutex> lock(Mutex());
  int index = IndexOf(ftHandle);
  FT_STATUS status = FT_OK;
  unsigned char pins = 0;
  if (index < 0) {
    status = FT_INVALID_HANDLE;
  } else if (pucMode == nullptr) {
    status = FT_INVALID_PARAMETER;
  } else {
    // Output pins read back their driven level; inputs what the world drives.
    unsigned char mask = State().devices[index].bit_mask;
    unsigned char outputs = mask >> 4;
    pins = static_cast<unsigned char>(((mask & outputs) | (State().input_pins & ~outputs)) &
                                      0x0F);
    *pucMode = pins;
    if (State().flicker) {
      State().input_pins ^= 0x01;
    }
  }
  Record("FT_GetBitMode", index, {pins}, status);
  return status;
}
