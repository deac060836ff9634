#include "core/board/board_lines.h"

#include <chrono>
#include <ctime>

#include "core/board/serial_board_link.h"
#include "core/serial/pause.h"

namespace {

long long NowMs() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

long long WallSeconds() { return static_cast<long long>(time(nullptr)); }

}  // namespace

// The virtual boards' link: while open, writes and breaks reach the chain;
// pauses take their time as on a real line.
class BoardLines::VirtualLink : public BoardLink {
 public:
  explicit VirtualLink(BoardLines& lines) : m_lines(lines) {}
  int Open(const std::string& port, int baud) override {
    m_open = true;
    m_lines.NoteOpened(port, baud, true);
    return 0;
  }
  void Close() override { m_open = false; }
  bool IsOpen() const override { return m_open; }
  int Write(const unsigned char* data, int length) override {
    if (!m_open || length <= 0) {
      return 0;
    }
    {
      std::lock_guard<std::mutex> lock(m_lines.m_mutex);
      m_lines.m_virtual.Receive(data, length);
    }
    m_lines.Notify();
    return length;
  }
  void Break() override {
    if (!m_open) {
      return;
    }
    {
      std::lock_guard<std::mutex> lock(m_lines.m_mutex);
      m_lines.m_virtual.Break(WallSeconds());
    }
    m_lines.Notify();
  }
  void Pause(int milliseconds) override { PauseMilliseconds(milliseconds, m_interrupt); }
  unsigned char ReadInputs() override { return m_lines.VirtualInputs(); }
  void InterruptPausesWith(const std::atomic<bool>* interrupt) override { m_interrupt = interrupt; }

 private:
  BoardLines& m_lines;
  bool m_open = false;
  const std::atomic<bool>* m_interrupt = nullptr;
};

// What a serial port's MirrorLink tells, decoded into the mirror chain.
class BoardLines::MirrorSink : public LinkMirror {
 public:
  explicit MirrorSink(BoardLines& lines) : m_lines(lines) {}
  void Opened(const std::string& port, int baud) override { m_lines.NoteOpened(port, baud, false); }
  void Took(const unsigned char* data, int length) override {
    std::lock_guard<std::mutex> lock(m_lines.m_mutex);
    m_lines.m_mirror.Receive(data, length);
  }
  void Broke() override {
    std::lock_guard<std::mutex> lock(m_lines.m_mutex);
    m_lines.m_mirror.Break(WallSeconds());
  }

 private:
  BoardLines& m_lines;
};

BoardLines::BoardLines() : m_mirrorSink(std::make_unique<MirrorSink>(*this)) {}

BoardLines::~BoardLines() = default;

std::unique_ptr<BoardLink> BoardLines::MakeLink(const std::string& port) {
  if (IsVirtual(port)) {
    return std::make_unique<VirtualLink>(*this);
  }
  return std::make_unique<MirrorLink>(std::make_unique<SerialBoardLink>(), *m_mirrorSink);
}

MonitoredLine BoardLines::Line() const {
  return MonitoredLine{m_lastVirtual ? &m_virtual : &m_mirror, m_lastPort, m_lastBaud, m_lastVirtual};
}

void BoardLines::NoteOpened(const std::string& port, int baud, bool isVirtual) {
  std::lock_guard<std::mutex> lock(m_mutex);
  if (!isVirtual && (m_lastVirtual || m_lastPort != port)) {
    m_mirror = VirtualChain();  // another line: what went out before was not on it
  }
  m_lastVirtual = isVirtual;
  m_lastPort = port;
  m_lastBaud = baud;
}

void BoardLines::PressInput(int input) {
  if (input >= 1 && input <= INPUTS) {
    m_pressedUntil[input - 1] = NowMs() + VIRTUAL_PRESS_MS;
  }
}

unsigned char BoardLines::VirtualInputs() const {
  const long long now = NowMs();
  unsigned char levels = 0x0F;
  for (int i = 0; i < INPUTS; ++i) {
    if (now < m_pressedUntil[i]) {
      levels &= static_cast<unsigned char>(~(1 << i));
    }
  }
  return levels;
}

void BoardLines::SetListener(std::function<void()> listener) {
  std::lock_guard<std::mutex> lock(m_listenerMutex);
  m_listener = std::move(listener);
}

void BoardLines::Notify() {
  std::function<void()> listener;
  {
    std::lock_guard<std::mutex> lock(m_listenerMutex);
    listener = m_listener;
  }
  if (listener) {
    listener();
  }
}
