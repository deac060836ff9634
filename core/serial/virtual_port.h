#pragma once
// The driver's port "Virtual boards": a chain of boards inside the program
// (core/board/virtual_chain.h) that takes what serial_write and
// serial_break send, as boards on a line would, and an adapter whose four
// inputs the board monitor's buttons work. It opens at any rate, so every
// user of the driver (the window, `lumivane-cli send`) reaches it.
//
// The driver also decodes what it writes to a real port into a second
// chain, the mirror, so that a monitor can show what went out there.
// The driver writes the chains on the thread that uses the port (the board
// link's worker); a monitor on another thread reads a chain and the
// monitored line while it holds serial_monitor_lock().
#include <functional>
#include <mutex>
#include <string>

class VirtualChain;

inline constexpr const char* VIRTUAL_PORT_NAME = "Virtual boards";

// How long a press of a virtual input stays active: longer than the
// runner's 100 ms tick plus its debounce of five readings 5 ms apart, so
// that one poll sees it whenever it falls.
constexpr int VIRTUAL_PRESS_MS = 300;

bool serial_is_virtual_name(const char* name);

// The process-wide virtual boards; they keep their state while the program runs.
VirtualChain& serial_virtual_chain();
// What was written to real ports, decoded; started afresh when a port of
// another name opens.
VirtualChain& serial_mirror_chain();

// What a monitor shows: the chain of the port opened last (the virtual
// boards before any), its name and rate ("" and 0 before any).
struct MonitoredLine {
  const VirtualChain* chain;
  std::string port;
  int baud;
  bool isVirtual;
};
MonitoredLine serial_monitored_line();
// Keeps the driver from changing the chains and the monitored line.
std::unique_lock<std::mutex> serial_monitor_lock();

// Makes virtual input `input` (1..4) active for VIRTUAL_PRESS_MS.
void serial_virtual_press_input(int input);
// The virtual adapter's input levels now: bits 0..3, low = active.
unsigned char serial_virtual_inputs();

// Called after each write or break that reaches the virtual boards (not
// per byte), on the thread that wrote; empty to stop. For a window that
// opens a view of them.
void serial_virtual_set_listener(std::function<void()> listener);
