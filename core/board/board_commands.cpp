#include "core/board/board_commands.h"

#include <cerrno>

#include "core/board/board_link.h"
#include "core/board/protocol_bytes.h"
#include "core/board/timing_link.h"

namespace {

constexpr int SYNC_PAUSE_MS = 500;
constexpr int SPEED_PAUSE_MS = 100;
constexpr int SCENE_PAUSE_MS = 100;
constexpr int PROGRAM_END_PAUSE_MS = 500;

void Call(const std::function<void()>& hook) {
  if (hook) hook();
}

void Call(const std::function<void(int)>& hook, int value) {
  if (hook) hook(value);
}

BoardOutcome OpenFailed(int error) { return BoardOutcome{BoardResult::OPEN_FAILED, error, 0}; }

// The adapter may be gone: the next command opens the link afresh.
BoardOutcome WriteFailed(BoardLink& link, int stored = 0) {
  link.Close();
  return BoardOutcome{BoardResult::WRITE_FAILED, 0, stored};
}

void CloseIfOpen(BoardLink& link) {
  if (link.IsOpen()) {
    link.Close();
  }
}

}  // namespace

int OpenBoardLink(BoardLink& link, const BoardTarget& target, const BoardHooks& hooks) {
  if (link.IsOpen()) {
    return 0;
  }
  Call(hooks.opening);
  const int opened = link.Open(target.port, STANDARD_BAUD);
  if (opened != 0) {
    return link.IsOpen() ? 0 : opened;
  }
  // Writes of the start-up go unchecked: boards that missed them still
  // answer the scene that follows, whose writes are checked.
  WriteBoardMessage(link, SyncMessage());
  link.Pause(SYNC_PAUSE_MS);
  link.Break();
  link.Pause(SYNC_PAUSE_MS);
  int reopened = 0;
  if (target.speed == LinkSpeed::HIGH) {
    WriteBoardMessage(link, SpeedMessage());
    link.Pause(SPEED_PAUSE_MS);
    link.Close();
    reopened = link.Open(target.port, HIGH_BAUD);
    link.Pause(SPEED_PAUSE_MS);
  }
  if (link.IsOpen()) {
    return 0;
  }
  return reopened != 0 ? reopened : EIO;
}

bool WriteScene(BoardLink& link, const Scene& scene) {
  bool sent = WriteBoardMessage(link, SelectAllMessage()) && WriteBoardMessage(link, FadeMessage(scene.fade));
  for (size_t row = 0; sent && row < scene.rows.size(); ++row) {
    SentRange range;
    if (!RowSent(scene.rows[row], &range)) {
      continue;
    }
    sent = WriteBoardMessage(link, SelectMessage(range.from - 1, range.to - range.from + 1)) &&
           WriteBoardMessage(link, ColourMessage(range.colour)) &&
           WriteBoardMessage(link, BlinkMessage(range.blink));
  }
  return sent;
}

bool EraseBoardRom(BoardLink& link, const BoardHooks& hooks) {
  Call(hooks.erasing);
  const bool sent = WriteBoardMessage(link, EraseMessage());
  link.Pause(ERASE_PAUSE_MS);
  return sent;
}

BoardOutcome SendSceneToBoards(BoardLink& link, const BoardTarget& target, const Scene& scene,
                               const BoardHooks& hooks) {
  const int opened = OpenBoardLink(link, target, hooks);
  if (opened != 0) {
    return OpenFailed(opened);
  }
  if (!WriteScene(link, scene)) {
    return WriteFailed(link);
  }
  return BoardOutcome{};
}

BoardOutcome ResetBoards(BoardLink& link, const BoardTarget& target, const BoardHooks& hooks) {
  CloseIfOpen(link);
  const int opened = OpenBoardLink(link, target, hooks);
  return opened != 0 ? OpenFailed(opened) : BoardOutcome{};
}

BoardOutcome ClearBoards(BoardLink& link, const BoardTarget& target, const BoardHooks& hooks) {
  CloseIfOpen(link);
  const int opened = OpenBoardLink(link, target, hooks);
  if (opened != 0) {
    return OpenFailed(opened);
  }
  if (!EraseBoardRom(link, hooks)) {
    return WriteFailed(link);
  }
  return BoardOutcome{};
}

BoardOutcome ProgramBoards(BoardLink& link, const BoardTarget& target, const Scenario& scenario,
                           const BoardHooks& hooks) {
  CloseIfOpen(link);  // the first scene reopens it with the whole start-up
  const int count = static_cast<int>(scenario.scenes.size());
  for (int scene = 0; scene < count; ++scene) {
    if (hooks.keepGoing && !hooks.keepGoing()) {
      return BoardOutcome{BoardResult::CANCELLED, 0, scene};
    }
    Call(hooks.sceneStarting, scene);
    BoardOutcome sent = SendSceneToBoards(link, target, scenario.scenes[scene], hooks);
    if (sent.result != BoardResult::OK) {
      sent.scenesStored = scene;
      return sent;
    }
    link.Pause(SCENE_PAUSE_MS);
    if (scene == 0) {
      if (!EraseBoardRom(link, hooks)) {
        return WriteFailed(link);
      }
      sent = SendSceneToBoards(link, target, scenario.scenes[scene], hooks);
      if (sent.result != BoardResult::OK) {
        return sent;
      }
    }
    Call(hooks.writingScene, scene + 1);
    if (!WriteBoardMessage(link, StoreMessage(scenario.scenes[scene].hold, scene + 1))) {
      return WriteFailed(link, scene);
    }
    link.Pause(SCENE_PAUSE_MS);
  }
  Call(hooks.programmed);
  link.Break();
  link.Pause(PROGRAM_END_PAUSE_MS);
  return BoardOutcome{BoardResult::OK, 0, count};
}

std::vector<double> ProgramSecondsLeft(const BoardTarget& target, const Scenario& scenario) {
  TimingLink link;
  std::vector<double> startedAt;
  BoardHooks hooks;
  hooks.sceneStarting = [&](int) { startedAt.push_back(link.Seconds()); };
  ProgramBoards(link, target, scenario, hooks);
  startedAt.push_back(link.Seconds());
  for (double& at : startedAt) {
    at = link.Seconds() - at;
  }
  return startedAt;
}
