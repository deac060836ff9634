// The "Virtual boards" back-end of the serial driver and the mirror of what
// goes to real ports (virtual_port.h).
#include <atomic>
#include <ctime>
#include <cstring>
#include <mutex>
#include <string>

#include "core/board/virtual_chain.h"
#include "core/serial/serial_backend.h"
#include "core/serial/virtual_port.h"

namespace {

constexpr int INPUTS = 4;

VirtualChain g_virtual;
VirtualChain g_mirror;
bool g_virtualOpen = false;
// The port opened last: what serial_monitored_line reports.
bool g_lastVirtual = true;
std::string g_lastPort;
int g_lastBaud = 0;
std::atomic<long long> g_pressedUntil[INPUTS] = {};
std::function<void()> g_listener;
// Guards the chains and the monitored line against a monitor's reading.
std::mutex g_monitorMutex;

void Notify() {
  if (g_listener) {
    g_listener();
  }
}

void NoteOpened(const char* name, int baud, bool isVirtual) {
  g_lastVirtual = isVirtual;
  g_lastPort = name;
  g_lastBaud = baud;
}

}  // namespace

bool serial_is_virtual_name(const char* name) {
  return name != nullptr && std::strcmp(name, VIRTUAL_PORT_NAME) == 0;
}

VirtualChain& serial_virtual_chain() { return g_virtual; }

VirtualChain& serial_mirror_chain() { return g_mirror; }

std::unique_lock<std::mutex> serial_monitor_lock() { return std::unique_lock<std::mutex>(g_monitorMutex); }

MonitoredLine serial_monitored_line() {
  return MonitoredLine{g_lastVirtual ? &g_virtual : &g_mirror, g_lastPort, g_lastBaud, g_lastVirtual};
}

void serial_virtual_press_input(int input) {
  if (input >= 1 && input <= INPUTS) {
    g_pressedUntil[input - 1] = serial_now_ms() + VIRTUAL_PRESS_MS;
  }
}

unsigned char serial_virtual_inputs() {
  const long long now = serial_now_ms();
  unsigned char levels = 0x0F;
  for (int i = 0; i < INPUTS; ++i) {
    if (now < g_pressedUntil[i]) {
      levels &= static_cast<unsigned char>(~(1 << i));
    }
  }
  return levels;
}

void serial_virtual_set_listener(std::function<void()> listener) { g_listener = std::move(listener); }

int serial_virtual_open(const char* name, int baud) {
  g_virtualOpen = true;
  std::lock_guard<std::mutex> lock(g_monitorMutex);
  NoteOpened(name, baud, true);
  return 0;
}

void serial_virtual_close() { g_virtualOpen = false; }

int serial_virtual_write(const unsigned char* data, int len) {
  if (!g_virtualOpen) {
    return 0;
  }
  {
    std::lock_guard<std::mutex> lock(g_monitorMutex);
    g_virtual.Receive(data, len);
  }
  Notify();
  return len;
}

void serial_virtual_break() {
  if (g_virtualOpen) {
    {
      std::lock_guard<std::mutex> lock(g_monitorMutex);
      g_virtual.Break(static_cast<long long>(time(nullptr)));
    }
    Notify();
  }
}

bool serial_virtual_isopen() { return g_virtualOpen; }

void serial_mirror_opened(const char* name, int baud) {
  std::lock_guard<std::mutex> lock(g_monitorMutex);
  if (g_lastVirtual || g_lastPort != name) {
    g_mirror = VirtualChain();
  }
  NoteOpened(name, baud, false);
}

void serial_mirror_write(const unsigned char* data, int len) {
  if (len > 0) {
    std::lock_guard<std::mutex> lock(g_monitorMutex);
    g_mirror.Receive(data, len);
  }
}

void serial_mirror_break() {
  std::lock_guard<std::mutex> lock(g_monitorMutex);
  g_mirror.Break(static_cast<long long>(time(nullptr)));
}
