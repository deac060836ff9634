#include "core/remote/run_actions.h"

#include <chrono>
#include <cstdlib>

namespace {

// The countdown as the session shows it ("2.5"; "" for none) in seconds.
double CountdownSeconds(const std::string& text) {
  if (text.empty()) return 0;
  std::string point = text;
  for (char& c : point) {
    if (c == ',') c = '.';
  }
  char* end = nullptr;
  const double seconds = std::strtod(point.c_str(), &end);
  return end == point.c_str() ? 0 : seconds;
}

}  // namespace

int SceneNamed(const Scenario& scenario, const std::string& name) {
  for (size_t i = 0; i < scenario.scenes.size(); ++i) {
    if (scenario.scenes[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

RunActions::RunActions(BoardSession& session, RemoteHub& hub, Driver driver)
    : m_session(session), m_hub(hub), m_driver(std::move(driver)) {
  m_session.AddListener(this);
  m_hub.SetPerformer([this](const RemoteCommand& command) { return Perform(command); });
  Publish();
}

RunActions::~RunActions() {
  m_hub.SetPerformer(nullptr);
  m_session.RemoveListener(this);
}

RemoteState RunActions::State() const {
  RemoteState state;
  const Scenario& scenario = m_driver.scenario();
  for (const Scene& scene : scenario.scenes) state.scenes.push_back(scene.name);
  const BoardSnapshot snapshot = m_session.Snapshot();
  if (m_session.Running() || snapshot.state == BoardSnapshot::State::STARTING) {
    state.run = snapshot.state == BoardSnapshot::State::PAUSED ? RemoteState::Run::PAUSED : RemoteState::Run::RUNNING;
    if (snapshot.scene >= 0 && snapshot.scene < static_cast<int>(scenario.scenes.size())) {
      state.scene = snapshot.scene + 1;
      state.name = scenario.scenes[snapshot.scene].name;
    }
    state.remaining = CountdownSeconds(snapshot.remaining);
    state.late = std::chrono::duration<double>(snapshot.late).count();
  }
  if (m_driver.boardColours) state.boardColours = m_driver.boardColours();
  return state;
}

void RunActions::Publish() { m_hub.Publish(State()); }

void RunActions::OnBoardEvent(const BoardEvent&) { Publish(); }

RemoteReply RunActions::Reply(RemoteReply::Status status, const std::string& error) const {
  RemoteReply reply;
  reply.status = status;
  reply.error = error;
  reply.state = State();
  return reply;
}

RemoteReply RunActions::MoveTo(int scene) {
  // As an input naming the scene that plays: nothing is sent and its hold
  // goes on.
  if (scene != m_session.Snapshot().scene) {
    m_session.Jump(scene);
  }
  RemoteReply reply = Reply(RemoteReply::Status::OK);
  // The session hears of the move from its worker a moment later; the reply
  // already names where the run goes.
  const Scenario& scenario = m_driver.scenario();
  reply.state.scene = scene + 1;
  reply.state.name = scenario.scenes[scene].name;
  return reply;
}

RemoteReply RunActions::Perform(const RemoteCommand& command) {
  RemoteReply reply = Act(command);
  Publish();  // a stop, for one, brings no event of the session's
  return reply;
}

RemoteReply RunActions::Act(const RemoteCommand& command) {
  const Scenario& scenario = m_driver.scenario();
  const int count = static_cast<int>(scenario.scenes.size());
  const bool running = m_session.Running() || m_session.Snapshot().state == BoardSnapshot::State::STARTING;
  switch (command.action) {
    case RemoteAction::RUN: {
      const std::string why = m_driver.startRun ? m_driver.startRun() : "This player cannot start a run";
      if (!why.empty()) return Reply(RemoteReply::Status::CONFLICT, why);
      return Reply(RemoteReply::Status::OK);
    }
    case RemoteAction::STOP:
      if (m_driver.stopRun) {
        m_driver.stopRun();
      } else {
        m_session.Stop();
      }
      return Reply(RemoteReply::Status::OK);
    default:
      break;
  }
  if (command.action == RemoteAction::JUMP) {
    // A scene that does not exist is told before a missing run.
    if (!command.sceneName.empty()) {
      if (SceneNamed(scenario, command.sceneName) < 0) {
        return Reply(RemoteReply::Status::NOT_FOUND, "No scene is called \"" + command.sceneName + "\"");
      }
    } else if (command.scene < 1) {
      return Reply(RemoteReply::Status::BAD_REQUEST, "Scenes are counted from 1");
    } else if (command.scene > count) {
      return Reply(RemoteReply::Status::NOT_FOUND, "There is no scene " + std::to_string(command.scene));
    }
  }
  if (!running || count == 0) {
    return Reply(RemoteReply::Status::CONFLICT, "No run is in progress");
  }
  const int active = m_session.Snapshot().scene < 0 ? 0 : m_session.Snapshot().scene;
  const bool paused = m_session.Snapshot().state == BoardSnapshot::State::PAUSED;
  switch (command.action) {
    case RemoteAction::NEXT: return MoveTo((active + 1) % count);
    case RemoteAction::PREVIOUS: return MoveTo((active + count - 1) % count);
    case RemoteAction::RESTART: return MoveTo(0);
    case RemoteAction::JUMP:
      return MoveTo(command.sceneName.empty() ? command.scene - 1 : SceneNamed(scenario, command.sceneName));
    case RemoteAction::PAUSE:
    case RemoteAction::RESUME:
    case RemoteAction::TOGGLE_PAUSE: {
      const bool pause = command.action == RemoteAction::TOGGLE_PAUSE ? !paused : command.action == RemoteAction::PAUSE;
      if (pause) {
        m_session.Pause();
      } else {
        m_session.Resume();
      }
      RemoteReply reply = Reply(RemoteReply::Status::OK);
      reply.state.run = pause ? RemoteState::Run::PAUSED : RemoteState::Run::RUNNING;
      return reply;
    }
    default: break;
  }
  return Reply(RemoteReply::Status::BAD_REQUEST, "Unknown action");
}
