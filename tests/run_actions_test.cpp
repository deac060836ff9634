// Remote commands on a ticked board session over a recording link: the
// status each gets, where the run goes, and what the hub is told.
#include "core/remote/run_actions.h"

#include <gtest/gtest.h>

#include "support/ticked_run_player.h"

namespace {

using Player = TickedRunPlayer;

using S = RemoteReply::Status;
using R = RemoteState::Run;

TEST(RunActions, CommandsActAsTheInputsDo) {
  const struct {
    RemoteCommand command;
    S status;
    int scene;  // from 1 after it, 0 when no run
    R run;
  } steps[] = {
      {{RemoteAction::NEXT, 0, ""}, S::CONFLICT, 0, R::STOPPED},
      {{RemoteAction::JUMP, 2, ""}, S::CONFLICT, 0, R::STOPPED},
      {{RemoteAction::RUN, 0, ""}, S::OK, 1, R::RUNNING},
      {{RemoteAction::PREVIOUS, 0, ""}, S::OK, 3, R::RUNNING},
      {{RemoteAction::NEXT, 0, ""}, S::OK, 1, R::RUNNING},
      {{RemoteAction::JUMP, 0, "Verse"}, S::OK, 2, R::RUNNING},
      {{RemoteAction::JUMP, 0, "Coda"}, S::NOT_FOUND, 2, R::RUNNING},
      {{RemoteAction::JUMP, 4, ""}, S::NOT_FOUND, 2, R::RUNNING},
      {{RemoteAction::JUMP, 0, ""}, S::BAD_REQUEST, 2, R::RUNNING},
      {{RemoteAction::TOGGLE_PAUSE, 0, ""}, S::OK, 2, R::PAUSED},
      {{RemoteAction::RESTART, 0, ""}, S::OK, 1, R::PAUSED},
      {{RemoteAction::RESUME, 0, ""}, S::OK, 1, R::RUNNING},
      {{RemoteAction::STOP, 0, ""}, S::OK, 0, R::STOPPED},
  };
  Player player;
  for (const auto& step : steps) {
    const RemoteReply reply = player.actions.Perform(step.command);
    const int at = static_cast<int>(&step - steps);
    EXPECT_EQ(reply.status, step.status) << at;
    EXPECT_EQ(reply.state.scene, step.scene) << at;
    EXPECT_EQ(reply.state.run, step.run) << at;
    EXPECT_EQ(player.hub.Latest().scene, step.scene) << at << ": the hub hears the move";
    EXPECT_EQ(player.hub.Latest().scenes.size(), 3u);
  }
}

TEST(RunActions, RestartOnTheFirstSceneSendsNothing) {
  Player player;
  player.actions.Perform({RemoteAction::RUN, 0, ""});
  const auto sent = player.session.Snapshot();
  player.clock.Advance(std::chrono::milliseconds(500));
  player.session.Tick();
  const std::string before = player.session.Snapshot().remaining;
  EXPECT_EQ(player.actions.Perform({RemoteAction::RESTART, 0, ""}).status, S::OK);
  EXPECT_EQ(player.session.Snapshot().remaining, before) << "the hold goes on";
  EXPECT_EQ(sent.scene, 0);
}

TEST(RunActions, ARunThatNeedsTheUserIsRefused) {
  Player player;
  player.refusal = "The scenario has no file yet";
  const RemoteReply reply = player.actions.Perform({RemoteAction::RUN, 0, ""});
  EXPECT_EQ(reply.status, S::CONFLICT);
  EXPECT_EQ(reply.error, player.refusal);
  EXPECT_FALSE(player.session.Running());
}

}  // namespace
