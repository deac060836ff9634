#pragma once
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

#include "core/board/link_clock.h"
#include "core/board/recording_link.h"

// A recording link whose line takes 1 ms of the manual clock a byte (about
// 9600 bit/s), that can hold the worker in a write until the test lets go,
// and that notes when each write began.
class LineLink : public RecordingBoardLink {
 public:
  explicit LineLink(ManualLinkClock& clock) : m_clock(clock) {}
  int Write(const unsigned char* data, int length) override {
    {
      std::unique_lock<std::mutex> lock(m_mutex);
      m_inWrite = true;
      m_changed.notify_all();
      m_changed.wait(lock, [this] { return m_open; });
      m_inWrite = false;
    }
    if (IsOpen()) {
      starts.push_back(m_clock.Now());
    }
    const int written = RecordingBoardLink::Write(data, length);
    m_clock.Advance(std::chrono::milliseconds(slow ? length : 0));
    return written;
  }
  // Writes wait from now on until Release.
  void Hold() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_open = false;
  }
  void WaitUntilHeld() {
    std::unique_lock<std::mutex> lock(m_mutex);
    m_changed.wait(lock, [this] { return m_inWrite; });
  }
  void Release() {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_open = true;
    m_changed.notify_all();
  }

  std::vector<LinkTime> starts;  // of the writes that reached the line
  bool slow = false;

 private:
  ManualLinkClock& m_clock;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  bool m_open = true;
  bool m_inWrite = false;
};
