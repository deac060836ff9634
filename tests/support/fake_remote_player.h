#pragma once
// A player for remote tests: a hub whose commands a small driver thread
// performs on three scenes with the run actions' statuses, without a board
// session. Tests change it from outside through Publish.
#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>

#include "core/remote/remote_hub.h"

class FakeRemotePlayer {
 public:
  // Without a driver nobody performs the commands (they time out).
  explicit FakeRemotePlayer(bool drive = true) {
    m_state.scenes = {"Intro", "Verse", "Finale"};
    m_state.boardColours = {0xFF0000, 0x0080FF};
    Move(1);
    m_state.run = RemoteState::Run::RUNNING;
    hub.Publish(m_state);
    if (!drive) return;
    hub.SetPerformer([this](const RemoteCommand& command) { return Perform(command); });
    hub.SetWaker([this] { m_woken = true; });
    m_driver = std::thread([this] {
      while (!m_stop) {
        if (m_woken.exchange(false)) hub.DeliverCommands();
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
      }
    });
  }
  ~FakeRemotePlayer() {
    m_stop = true;
    if (m_driver.joinable()) m_driver.join();
  }

  RemoteHub hub;
  std::atomic<int> performed{0};

  // The driver moves on by itself, as a hold that ends.
  void MoveTo(int scene) {
    std::lock_guard<std::mutex> lock(m_mutex);
    Move(scene);
    hub.Publish(m_state);
  }

 private:
  using S = RemoteReply::Status;

  void Move(int scene) {
    m_state.scene = scene;
    m_state.name = scene > 0 ? m_state.scenes[scene - 1] : "";
    m_state.remaining = scene > 0 ? 2.0 : 0;
  }

  RemoteReply Done(S status, const std::string& error = "") {
    hub.Publish(m_state);
    return RemoteReply{status, error, m_state};
  }

  RemoteReply Perform(const RemoteCommand& command) {
    std::lock_guard<std::mutex> lock(m_mutex);
    ++performed;
    const int count = static_cast<int>(m_state.scenes.size());
    const bool running = m_state.run != RemoteState::Run::STOPPED;
    switch (command.action) {
      case RemoteAction::RUN:
        if (!running) Move(1);
        m_state.run = RemoteState::Run::RUNNING;
        return Done(S::OK);
      case RemoteAction::STOP:
        Move(0);
        m_state.run = RemoteState::Run::STOPPED;
        return Done(S::OK);
      case RemoteAction::JUMP:
        if (command.scene < 1) return Done(S::BAD_REQUEST, "Scenes are counted from 1");
        if (command.scene > count) return Done(S::NOT_FOUND, "There is no scene " + std::to_string(command.scene));
        break;
      default: break;
    }
    if (!running) return Done(S::CONFLICT, "No run is in progress");
    switch (command.action) {
      case RemoteAction::NEXT: Move(m_state.scene % count + 1); break;
      case RemoteAction::PREVIOUS: Move((m_state.scene + count - 2) % count + 1); break;
      case RemoteAction::RESTART: Move(1); break;
      case RemoteAction::JUMP: Move(command.scene); break;
      case RemoteAction::PAUSE: m_state.run = RemoteState::Run::PAUSED; break;
      case RemoteAction::RESUME: m_state.run = RemoteState::Run::RUNNING; break;
      case RemoteAction::TOGGLE_PAUSE:
        m_state.run = m_state.run == RemoteState::Run::PAUSED ? RemoteState::Run::RUNNING : RemoteState::Run::PAUSED;
        break;
      default: break;
    }
    return Done(S::OK);
  }

  std::mutex m_mutex;
  RemoteState m_state;
  std::atomic<bool> m_woken{false};
  std::atomic<bool> m_stop{false};
  std::thread m_driver;
};
