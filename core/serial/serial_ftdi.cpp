// FTDI back-end of the serial driver, over the D2XX-style calls of
// serial/ftdi_layer.h.

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "core/serial/ftdi_layer.h"
#include "core/serial/pause.h"
#include "core/serial/serial.h"
#include "core/serial/serial_backend.h"

namespace {

const int kBreakMs = 200;
const UCHAR kCbusBitBang = FT_BITMODE_CBUS_BITBANG;

void WaitBriefly() {
  // Only between write attempts that moved nothing; not a protocol pause.
  timespec one_ms{0, 1000000L};
  while (nanosleep(&one_ms, &one_ms) != 0 && errno == EINTR) {
  }
}

}  // namespace

int serial_ftdi_index(const char* name) {
  const char* paren = std::strchr(name, '(');
  if (paren == nullptr) {
    return 0;
  }
  long number = std::strtol(paren + 1, nullptr, 10);
  if (number < 1 || number > INT_MAX) {
    return -1;
  }
  return static_cast<int>(number - 1);
}

int serial_ftdi_open(serial_port* port, int baud) {
  if (port->ftdiOpen) {
    serial_ftdi_close(port);
  }
  int index = serial_ftdi_index(port->name.c_str());
  FT_HANDLE handle = nullptr;
  if (index < 0 || FT_Open(index, &handle) != FT_OK) {
    return SERIAL_FTDI_OPEN_FAILED;
  }
  port->ftdi = handle;
  port->ftdiOpen = true;
  port->baud = baud;
  // As with the tty, a line that takes none of these still counts as open;
  // the writes that follow show whether it works.
  FT_ResetDevice(handle);
  FT_SetBaudRate(handle, static_cast<ULONG>(baud));
  FT_SetDataCharacteristics(handle, FT_BITS_8, FT_STOP_BITS_1, FT_PARITY_NONE);
  FT_SetFlowControl(handle, FT_FLOW_NONE, 0, 0);
  FT_SetTimeouts(handle, 1, 1);
  return 0;
}

void serial_ftdi_close(serial_port* port) {
  if (!port->ftdiOpen) {
    return;
  }
  FT_Purge(port->ftdi, FT_PURGE_RX | FT_PURGE_TX);
  FT_Close(port->ftdi);
  port->ftdi = nullptr;
  port->ftdiOpen = false;
}

int serial_ftdi_write(serial_port* port, const unsigned char* data, int len) {
  if (!port->ftdiOpen) {
    return 0;
  }
  // A short write timeout means FT_Write returns what the adapter's buffer
  // took; keep offering the rest until the line has had its time.
  const long long deadline = serial_now_ms() + serial_write_budget_ms(len, port->baud);
  int done = 0;
  while (done < len) {
    DWORD written = 0;
    DWORD wanted = static_cast<DWORD>(len - done);
    const FT_STATUS status =
        FT_Write(port->ftdi, const_cast<unsigned char*>(data + done), wanted, &written);
    if (status == FT_DEVICE_NOT_FOUND) {
      // The adapter is gone: its handle is of no more use. Closed, the
      // port reads as closed, and the next opening finds the adapter again
      // once it is back.
      serial_ftdi_close(port);
      break;
    }
    if (status != FT_OK) {
      break;
    }
    if (written > wanted) {
      written = wanted;
    }
    done += static_cast<int>(written);
    if (done >= len || serial_now_ms() >= deadline) {
      break;
    }
    if (written == 0) {
      WaitBriefly();
    }
  }
  return done;
}

void serial_ftdi_break(serial_port* port) {
  if (!port->ftdiOpen) {
    return;
  }
  FT_SetBreakOn(port->ftdi);
  PauseMilliseconds(kBreakMs);
  FT_SetBreakOff(port->ftdi);
}

unsigned char serial_ftdi_getbits(serial_port* port, unsigned char dir, unsigned char out) {
  if (!port->ftdiOpen) {
    return 0xFF;
  }
  UCHAR pins = 0xFF;  // a failed read leaves every input inactive
  // All four pins driven high first, then the chosen ones made inputs.
  FT_SetBitMode(port->ftdi, 0xFF, kCbusBitBang);
  FT_SetBitMode(port->ftdi, static_cast<UCHAR>(((dir & 0x0F) << 4) | (out & 0x0F)), kCbusBitBang);
  FT_GetBitMode(port->ftdi, &pins);
  return static_cast<unsigned char>((dir | pins) & 0x0F);
}
