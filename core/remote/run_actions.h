#pragma once
// A remote's command performed on the board session, with the rules every
// remote shares (OSC, the web remote, show keys): the same run actions as
// the adapter's inputs, so a button, a key, a datagram and an HTTP call
// behave alike. It also keeps a hub told of the run's state: after each of
// the session's events and each tick while a run plays.
#include <functional>
#include <string>
#include <vector>

#include "core/board/board_session.h"
#include "core/model/scenario.h"
#include "core/remote/remote_hub.h"

class RunActions : public BoardSessionListener {
 public:
  // What the program that drives the session supplies.
  struct Driver {
    // The scenario as the driver has it now.
    std::function<const Scenario&()> scenario;
    // Starts a run as Transfer/run does. Returns "" when it started, or why
    // it cannot start without asking the user (nothing then changes).
    std::function<std::string()> startRun;
    // Stops the run as the Stop command does.
    std::function<void()> stopRun;
    // The boards' colours (0xRRGGBB each) where they are known; optional.
    std::function<std::vector<uint32_t>()> boardColours;
  };

  // Performs the hub's commands and publishes to it; both outlive this.
  RunActions(BoardSession& session, RemoteHub& hub, Driver driver);
  ~RunActions() override;
  RunActions(const RunActions&) = delete;
  RunActions& operator=(const RunActions&) = delete;

  // On the driver's thread.
  RemoteReply Perform(const RemoteCommand& command);
  RemoteState State() const;
  // The state now to the hub; the driver calls it after a reload or a
  // rename, and on its ticks.
  void Publish();

  void OnBoardEvent(const BoardEvent& event) override;

 private:
  RemoteReply Reply(RemoteReply::Status status, const std::string& error = "") const;
  RemoteReply Act(const RemoteCommand& command);
  RemoteReply MoveTo(int scene);

  BoardSession& m_session;
  RemoteHub& m_hub;
  Driver m_driver;
};

// The index (from 0) of the first scene called `name`, or -1.
int SceneNamed(const Scenario& scenario, const std::string& name);
