#pragma once
// The monotonic clock that runs keep time by, and the waits of the board
// link's worker on it. The program uses the steady clock; tests and the
// window's ticked mode use a manual clock that moves only when told, so
// that what happens when stays the same from run to run.
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <vector>

using LinkTime = std::chrono::steady_clock::time_point;
using LinkDuration = std::chrono::steady_clock::duration;

class LinkClock {
 public:
  virtual ~LinkClock() = default;
  virtual LinkTime Now() const = 0;
  // Waits on `wake` (`lock` held on entry and on return) until it is
  // notified or the clock reaches `until`; it may return early.
  virtual void WaitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock, LinkTime until) = 0;
};

class SteadyLinkClock : public LinkClock {
 public:
  LinkTime Now() const override { return std::chrono::steady_clock::now(); }
  void WaitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock, LinkTime until) override {
    wake.wait_until(lock, until);
  }
};

// Starts at the clock's epoch and moves by Advance only; Advance wakes
// every thread waiting on it.
class ManualLinkClock : public LinkClock {
 public:
  LinkTime Now() const override;
  void WaitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock, LinkTime until) override;
  void Advance(LinkDuration by);

 private:
  struct Waiter {
    std::condition_variable* wake;
    std::mutex* mutex;
  };
  mutable std::mutex m_mutex;  // guards m_now and m_waiters
  LinkTime m_now{};
  std::vector<Waiter> m_waiters;
};
