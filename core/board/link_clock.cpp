#include "core/board/link_clock.h"

#include <algorithm>

LinkTime ManualLinkClock::Now() const {
  std::lock_guard<std::mutex> guard(m_mutex);
  return m_now;
}

void ManualLinkClock::WaitUntil(std::condition_variable& wake, std::unique_lock<std::mutex>& lock, LinkTime until) {
  // Noted before the time is read: an Advance after the reading then
  // finds the waiter, and it has to take `lock` to notify it.
  {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_waiters.push_back(Waiter{&wake, lock.mutex()});
  }
  if (Now() < until) {
    wake.wait(lock);
  }
  std::lock_guard<std::mutex> guard(m_mutex);
  const auto self = std::find_if(m_waiters.begin(), m_waiters.end(),
                                 [&](const Waiter& waiter) { return waiter.wake == &wake; });
  if (self != m_waiters.end()) {
    m_waiters.erase(self);
  }
}

void ManualLinkClock::Advance(LinkDuration by) {
  std::vector<Waiter> waiters;
  {
    std::lock_guard<std::mutex> guard(m_mutex);
    m_now += by;
    waiters = m_waiters;
  }
  for (const Waiter& waiter : waiters) {
    std::lock_guard<std::mutex> guard(*waiter.mutex);
    waiter.wake->notify_all();
  }
}
