#pragma once
// The run's actions on a ticked board session over a recording link, with
// three scenes of 1 s ("Intro", "Verse", "Finale"): what the remotes'
// tests drive. A run starts unless `refusal` says why it cannot.
#include <memory>
#include <string>

#include "core/board/board_session.h"
#include "core/board/link_clock.h"
#include "core/board/recording_link.h"
#include "core/remote/remote_hub.h"
#include "core/remote/run_actions.h"

inline Scene NamedScene(const std::string& name) {
  Scene scene;
  scene.name = name;
  scene.hold = 1.0;
  return scene;
}

struct TickedRunPlayer {
  ManualLinkClock clock;
  Scenario scenario;
  std::string refusal;
  RemoteHub hub;
  BoardSession session{[](const std::string&) { return std::make_unique<RecordingBoardLink>(); }, clock,
                       BoardSession::Mode::TICKED};
  RunActions actions{session, hub,
                     RunActions::Driver{[this]() -> const Scenario& { return scenario; },
                                        [this] {
                                          if (refusal.empty()) session.Run({"p", LinkSpeed::STANDARD}, scenario, 0);
                                          return refusal;
                                        },
                                        [this] { session.Stop(); }, nullptr}};
  TickedRunPlayer() { scenario.scenes = {NamedScene("Intro"), NamedScene("Verse"), NamedScene("Finale")}; }
};
