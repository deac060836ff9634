#pragma once
// The lines a program can reach, by port name, and what a board monitor
// watches of them. "Virtual boards" is a chain of boards inside the program
// (virtual_chain.h) that takes what is written and broken on its link, as
// boards on a line would, and an adapter whose four inputs the monitor's
// buttons press; its boards keep their state while the program runs. Any
// other name is a serial port (serial_board_link.h), wrapped in a
// MirrorLink that decodes what went out into a second chain, the mirror,
// started afresh when a port of another name opens.
//
// One BoardLines lives as long as the program (the application owns it);
// board sessions make their links with MakeLink. Links write the chains on
// the thread that uses them; a monitor on another thread reads under Lock().
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "core/board/board_link.h"
#include "core/board/mirror_link.h"
#include "core/board/virtual_chain.h"

inline constexpr const char* VIRTUAL_PORT_NAME = "Virtual boards";

// How long a press of a virtual input stays active: longer than the
// runner's 100 ms tick plus its debounce of five readings 5 ms apart, so
// that one poll sees it whenever it falls.
constexpr int VIRTUAL_PRESS_MS = 300;

// What a monitor shows: the chain of the line opened last (the virtual
// boards before any), its name and rate ("" and 0 before any).
struct MonitoredLine {
  const VirtualChain* chain;
  std::string port;
  int baud;
  bool isVirtual;
};

class BoardLines {
 public:
  static constexpr int INPUTS = 4;

  BoardLines();
  ~BoardLines();
  BoardLines(const BoardLines&) = delete;
  BoardLines& operator=(const BoardLines&) = delete;

  static bool IsVirtual(const std::string& port) { return port == VIRTUAL_PORT_NAME; }
  // The link that reaches `port`, closed. It must not outlive this object.
  std::unique_ptr<BoardLink> MakeLink(const std::string& port);

  // Keeps links from changing the chains and the monitored line.
  std::unique_lock<std::mutex> Lock() const { return std::unique_lock<std::mutex>(m_mutex); }
  // Call with Lock() held.
  MonitoredLine Line() const;
  const VirtualChain& VirtualBoards() const { return m_virtual; }
  const VirtualChain& Mirror() const { return m_mirror; }

  // Makes virtual input `input` (1..4) active for VIRTUAL_PRESS_MS.
  void PressInput(int input);
  // The virtual adapter's input levels now: bits 0..3, low = active.
  unsigned char VirtualInputs() const;

  // Called after each write or break that reaches the virtual boards (not
  // per byte), on the thread that wrote; empty to stop. For a window that
  // opens a view of them.
  void SetListener(std::function<void()> listener);

 private:
  class VirtualLink;
  class MirrorSink;
  void Notify();
  void NoteOpened(const std::string& port, int baud, bool isVirtual);

  mutable std::mutex m_mutex;  // guards the chains and the line opened last
  VirtualChain m_virtual;
  VirtualChain m_mirror;
  bool m_lastVirtual = true;
  std::string m_lastPort;
  int m_lastBaud = 0;
  std::unique_ptr<MirrorSink> m_mirrorSink;
  std::atomic<long long> m_pressedUntil[INPUTS] = {};
  std::mutex m_listenerMutex;
  std::function<void()> m_listener;
};
