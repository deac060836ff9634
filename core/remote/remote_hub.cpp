#include "core/remote/remote_hub.h"

bool RemoteState::operator==(const RemoteState& other) const {
  return scene == other.scene && name == other.name && run == other.run && remaining == other.remaining &&
         late == other.late && scenes == other.scenes && boardColours == other.boardColours;
}

const char* RunStateName(RemoteState::Run run) {
  switch (run) {
    case RemoteState::Run::RUNNING: return "running";
    case RemoteState::Run::PAUSED: return "paused";
    case RemoteState::Run::STOPPED: break;
  }
  return "stopped";
}

RemoteReply RemoteHub::Submit(const RemoteCommand& command, std::chrono::milliseconds timeout) {
  auto pending = std::make_shared<Pending>();
  pending->command = command;
  std::function<void()> waker;
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_shutdown || !m_performer) {
      RemoteReply reply;
      reply.status = RemoteReply::Status::UNAVAILABLE;
      reply.error = "The player is not running";
      reply.state = m_latest;
      return reply;
    }
    m_queue.push_back(pending);
    waker = m_waker;
  }
  if (waker) waker();
  std::unique_lock<std::mutex> lock(m_mutex);
  if (!m_replied.wait_for(lock, timeout, [&] { return pending->done; })) {
    // Not taken up in time: it is taken back, so it never happens later. A
    // command being performed right now is waited for instead.
    for (auto it = m_queue.begin(); it != m_queue.end(); ++it) {
      if (*it == pending) {
        m_queue.erase(it);
        RemoteReply reply;
        reply.status = RemoteReply::Status::UNAVAILABLE;
        reply.error = "The player did not answer in time";
        reply.state = m_latest;
        return reply;
      }
    }
    m_replied.wait(lock, [&] { return pending->done; });
  }
  return pending->reply;
}

RemoteState RemoteHub::Latest() const {
  std::lock_guard<std::mutex> lock(m_mutex);
  return m_latest;
}

int RemoteHub::Watch(Watcher watcher) {
  std::lock_guard<std::mutex> lock(m_watchMutex);
  const int key = m_nextWatchKey++;
  m_watchers[key] = std::move(watcher);
  return key;
}

void RemoteHub::Unwatch(int key) {
  std::lock_guard<std::mutex> lock(m_watchMutex);
  m_watchers.erase(key);
}

void RemoteHub::SetPerformer(Performer performer) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_performer = std::move(performer);
}

void RemoteHub::SetWaker(std::function<void()> waker) {
  std::lock_guard<std::mutex> lock(m_mutex);
  m_waker = std::move(waker);
}

void RemoteHub::DeliverCommands() {
  for (;;) {
    std::shared_ptr<Pending> pending;
    Performer performer;
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      if (m_queue.empty()) return;
      pending = m_queue.front();
      m_queue.pop_front();
      performer = m_performer;
    }
    // Performed without the lock: the performer publishes, and may submit
    // nothing itself.
    RemoteReply reply = performer ? performer(pending->command) : RemoteReply{};
    {
      std::lock_guard<std::mutex> lock(m_mutex);
      pending->reply = std::move(reply);
      pending->done = true;
    }
    m_replied.notify_all();
  }
}

void RemoteHub::Publish(const RemoteState& state) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (state == m_latest) return;
    m_latest = state;
  }
  std::lock_guard<std::mutex> lock(m_watchMutex);
  for (auto& entry : m_watchers) entry.second(state);
}

void RemoteHub::Shutdown() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_shutdown = true;
    for (auto& pending : m_queue) {
      pending->reply.status = RemoteReply::Status::UNAVAILABLE;
      pending->reply.error = "The player has stopped";
      pending->reply.state = m_latest;
      pending->done = true;
    }
    m_queue.clear();
  }
  m_replied.notify_all();
}
