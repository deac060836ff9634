// The board session on recording links and manual clocks: what each action
// puts on the line, the auto-transfer policy, the file watch, the run's
// plan and lateness, the actions a remote takes, reports that come after a
// reload, and the erase that a closing must not cut short.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fstream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/board/board_commands.h"
#include "core/board/board_session.h"
#include "core/board/recording_link.h"
#include "core/serial/pause.h"
#include "support/line_link.h"
#include "support/temp_home.h"

namespace {

using Lines = std::vector<std::string>;
using std::chrono::milliseconds;

Scene SceneWith(int fade, double hold = 0) {
  Scene scene;
  scene.fade = fade;
  scene.hold = hold;
  scene.rows.clear();
  Row row;
  row.from = "1";
  row.colour = 2;
  scene.rows.push_back(row);
  scene.rows.emplace_back();
  return scene;
}

Scenario ScenarioOf(std::vector<Scene> scenes) {
  Scenario scenario;
  scenario.scenes = std::move(scenes);
  return scenario;
}

// What a scene's send writes on an open link.
Lines SceneLines(int fade) {
  RecordingBoardLink link;
  link.Open("p", STANDARD_BAUD);
  link.ClearEvents();
  WriteScene(link, SceneWith(fade));
  return EventLines(link.Events());
}

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const Lines OPENING = {"open 9600", "write F8", "pause 500", "break", "pause 500"};

class Events : public BoardSessionListener {
 public:
  void OnBoardEvent(const BoardEvent& event) override { all.push_back(event); }
  std::vector<int> Numbers(LinkReport::Kind kind) const {
    std::vector<int> numbers;
    for (const BoardEvent& event : all) {
      if (event.kind == kind) numbers.push_back(event.number);
    }
    return numbers;
  }
  int Count(LinkReport::Kind kind) const { return static_cast<int>(Numbers(kind).size()); }
  std::vector<BoardEvent> all;
};

// A session whose links record; the last one made is `link`.
class Session : public testing::Test {
 protected:
  BoardSession& Make(BoardSession::Mode mode = BoardSession::Mode::TICKED) {
    session = std::make_unique<BoardSession>(
        [this](const std::string&) {
          auto made = std::make_unique<RecordingBoardLink>();
          link = made.get();
          return made;
        },
        clock, mode);
    session->AddListener(&events);
    return *session;
  }
  void Tick(int ticks) {
    for (int i = 0; i < ticks; ++i) {
      clock.Advance(milliseconds(BoardSession::TICK_MS));
      session->Tick();
    }
  }
  // What reached the line: the link's log without its input readings.
  Lines Wire() const {
    Lines wire;
    if (link == nullptr) return wire;
    for (const std::string& line : EventLines(link->Events())) {
      if (line.rfind("inputs", 0) != 0) wire.push_back(line);
    }
    return wire;
  }

  ManualLinkClock clock;
  RecordingBoardLink* link = nullptr;
  Events events;
  BoardTarget target{"p", LinkSpeed::STANDARD};
  std::unique_ptr<BoardSession> session;
};

}  // namespace

TEST_F(Session, ProgramSendsEachSceneAheadOnlyWithAutoTransferOn) {
  const Scenario scenario = ScenarioOf({SceneWith(3, 1.0), SceneWith(4)});
  const Lines store1 = {"write F7", "write 02", "write 01", "pause 100"};
  const Lines store2 = {"write F7", "write 00", "write 02", "pause 100"};
  const Lines erase = {"write F7 00 DF", "pause 2000"};
  const Lines end = {"break", "pause 500"};
  const struct {
    bool autoTransfer;
    Lines wire;
  } cases[] = {
      {false, Concat({OPENING, SceneLines(3), {"pause 100"}, erase, SceneLines(3), store1, SceneLines(4),
                      {"pause 100"}, store2, end})},
      {true, Concat({OPENING, SceneLines(3), SceneLines(3), {"pause 100"}, erase, SceneLines(3), store1,
                     SceneLines(4), SceneLines(4), {"pause 100"}, store2, end})},
  };
  for (const auto& c : cases) {
    BoardSession& board = Make();
    board.SetAutoTransfer(c.autoTransfer);
    board.Program(target, scenario);
    EXPECT_EQ(Wire(), c.wire) << c.autoTransfer;
    EXPECT_EQ(board.Snapshot().state, BoardSnapshot::State::IDLE);
  }
}

TEST_F(Session, AutomaticSendsFollowThePolicy) {
  const struct {
    bool autoTransfer;
    const char* port;
    bool automatic;
    bool sent;
  } cases[] = {
      {true, "p", true, true},  {false, "p", true, false}, {true, "", true, false},
      {false, "p", false, true}, {false, "", false, true},
  };
  for (const auto& c : cases) {
    BoardSession& board = Make();
    board.SetAutoTransfer(c.autoTransfer);
    EXPECT_EQ(board.SendScene(BoardTarget{c.port}, SceneWith(5), 0, c.automatic), c.sent)
        << c.autoTransfer << " '" << c.port << "' " << c.automatic;
    EXPECT_EQ(link != nullptr, c.sent);
    if (link != nullptr) {
      EXPECT_EQ(Wire(), Concat({OPENING, SceneLines(5)}));
    }
    link = nullptr;
  }
}

TEST_F(Session, ARunKeepsItsPlanAndTellsEachScene) {
  BoardSession& board = Make();
  const int run = board.Run(target, ScenarioOf({SceneWith(1, 0.5), SceneWith(2, 1.0)}), 0);
  EXPECT_EQ(run, 1);
  EXPECT_EQ(board.Snapshot().state, BoardSnapshot::State::RUNNING);
  Tick(4);
  EXPECT_EQ(events.Numbers(LinkReport::RUN_SCENE), std::vector<int>{});
  Tick(1);
  EXPECT_EQ(events.Numbers(LinkReport::RUN_SCENE), std::vector<int>{1});
  Tick(10);
  EXPECT_EQ(events.Numbers(LinkReport::RUN_SCENE), (std::vector<int>{1, 0}));
  EXPECT_EQ(board.Snapshot().scene, 0);
  EXPECT_EQ(board.Snapshot().late, LinkDuration::zero());
  // Keep-alives at ticks 10 and 20 from the run's start.
  Tick(5);
  EXPECT_EQ(Wire(), Concat({OPENING, SceneLines(1), SceneLines(2), {"write F8"}, SceneLines(1), {"write F8"},
                            SceneLines(2)}));
  board.Stop();
  EXPECT_EQ(board.Snapshot().state, BoardSnapshot::State::IDLE);
  EXPECT_EQ(board.Snapshot().scene, -1);
}

TEST_F(Session, RemoteActionsMoveAndPauseTheRun) {
  BoardSession& board = Make();
  const Scenario scenario = ScenarioOf({SceneWith(1, 1.0), SceneWith(2, 1.0), SceneWith(3, 1.0)});
  const struct {
    void (BoardSession::*action)();
    int scene;
    BoardSnapshot::State state;
  } cases[] = {
      {&BoardSession::Next, 1, BoardSnapshot::State::RUNNING},
      {&BoardSession::Next, 2, BoardSnapshot::State::RUNNING},
      {&BoardSession::Next, 0, BoardSnapshot::State::RUNNING},
      {&BoardSession::Previous, 2, BoardSnapshot::State::RUNNING},
      {&BoardSession::Pause, 2, BoardSnapshot::State::PAUSED},
      {&BoardSession::Restart, 0, BoardSnapshot::State::PAUSED},
      {&BoardSession::Resume, 0, BoardSnapshot::State::RUNNING},
  };
  board.Run(target, scenario, 0);
  for (const auto& c : cases) {
    (board.*c.action)();
    EXPECT_EQ(board.Snapshot().scene, c.scene) << &c - cases;
    EXPECT_EQ(board.Snapshot().state, c.state) << &c - cases;
  }
  // Paused, the hold stands still; going on, it counts from the restart.
  board.Pause();
  Tick(30);
  EXPECT_EQ(board.Snapshot().scene, 0);
  board.Resume();
  Tick(10);
  EXPECT_EQ(board.Snapshot().scene, 1);
  board.Stop();
  const int told = static_cast<int>(events.all.size());
  board.Next();
  EXPECT_EQ(static_cast<int>(events.all.size()), told) << "no run, nothing moves";
}

// Quick remote jumps each step on from the one before, though the worker
// tells them late: the snapshot names where the run goes, and the scenes
// the worker tells on the way (an earlier jump) do not take it back.
TEST(SessionJumps, AJumpIsWhereTheRunGoesBeforeTheWorkerTellsIt) {
  ManualLinkClock clock;
  LineLink* link = nullptr;
  BoardSession board(
      [&](const std::string&) {
        auto made = std::make_unique<LineLink>(clock);
        link = made.get();
        return made;
      },
      clock, BoardSession::Mode::THREAD);
  Events events;
  board.AddListener(&events);
  board.Run(BoardTarget{"p", LinkSpeed::STANDARD}, ScenarioOf({SceneWith(1), SceneWith(2), SceneWith(3)}), 0);
  board.WaitIdle();
  link->Hold();
  board.Jump(1);
  EXPECT_EQ(board.Snapshot().scene, 1) << "at once";
  link->WaitUntilHeld();  // the worker is inside scene 2's send
  board.Jump(2);
  board.DeliverEvents();  // the worker told scene 2
  EXPECT_EQ(events.Numbers(LinkReport::RUN_SCENE), std::vector<int>{1});
  EXPECT_EQ(board.Snapshot().scene, 2) << "not taken back to the first jump";
  link->Release();
  board.WaitIdle();
  EXPECT_EQ(events.Numbers(LinkReport::RUN_SCENE), (std::vector<int>{1, 2}));
  EXPECT_EQ(board.Snapshot().scene, 2);
  board.Close();
}

TEST_F(Session, AReportOfASceneGoneWithAReloadIsNotTold) {
  BoardSession& board = Make(BoardSession::Mode::THREAD);
  std::mutex mutex;
  std::condition_variable woken;
  int wakes = 0;
  board.SetWaker([&] {
    std::lock_guard<std::mutex> lock(mutex);
    ++wakes;
    woken.notify_all();
  });
  board.Run(target, ScenarioOf({SceneWith(1, 0.5), SceneWith(2, 0.5), SceneWith(3, 0.5)}), 0);
  board.WaitIdle();
  ASSERT_EQ(events.Count(LinkReport::RUN_STARTED), 1);
  {
    std::lock_guard<std::mutex> lock(mutex);
    wakes = 0;
  }
  clock.Advance(milliseconds(500));  // the run moves on to scene 2 ...
  {
    std::unique_lock<std::mutex> lock(mutex);
    woken.wait(lock, [&] { return wakes > 0; });
  }
  board.UpdateScenario(ScenarioOf({SceneWith(9, 0)}));  // ... which a reload took away
  board.WaitIdle();
  EXPECT_EQ(events.Numbers(LinkReport::RUN_SCENE), std::vector<int>{});
  EXPECT_EQ(board.Snapshot().scene, 0);
  board.Close();
}

namespace {

// A link whose erase pause lasts until a cancel cuts it short, as the
// program's pauses do.
class ErasingLink : public RecordingBoardLink {
 public:
  void InterruptPausesWith(const std::atomic<bool>* interrupt) override { m_interrupt = interrupt; }
  void Pause(int milliseconds) override {
    RecordingBoardLink::Pause(milliseconds);
    if (milliseconds != ERASE_PAUSE_MS || !holdErase) return;
    erasing = true;
    const std::atomic<bool>* interrupt = m_interrupt;
    while (interrupt != nullptr && !*interrupt) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  bool holdErase = true;
  std::atomic<bool> erasing{false};

 private:
  const std::atomic<bool>* m_interrupt = nullptr;
};

}  // namespace

TEST(SessionClose, ClosingDuringClearLetsTheBoardsFinishErasing) {
  const struct {
    bool cutShort;
    Lines tail;
  } cases[] = {
      {true, {"write F7 00 DF", "pause 2000", "pause 1500", "close"}},
      {false, {"write F7 00 DF", "pause 2000", "close"}},
  };
  for (const auto& c : cases) {
    ManualLinkClock clock;
    std::atomic<ErasingLink*> link{nullptr};
    BoardSession board(
        [&](const std::string&) {
          auto made = std::make_unique<ErasingLink>();
          made->holdErase = c.cutShort;
          link = made.get();
          return made;
        },
        clock, BoardSession::Mode::THREAD);
    board.Clear(BoardTarget{"p"});
    if (c.cutShort) {
      while (link.load() == nullptr || !link.load()->erasing) std::this_thread::sleep_for(std::chrono::milliseconds(1));
      clock.Advance(std::chrono::milliseconds(500));
    } else {
      board.WaitIdle();
    }
    board.Close();  // as the Settings command and closing the window do
    const Lines wire = EventLines(link.load()->Events());
    ASSERT_GE(wire.size(), c.tail.size());
    EXPECT_EQ(Lines(wire.end() - c.tail.size(), wire.end()), c.tail) << c.cutShort;
  }
}

TEST_F(Session, TheFileWatchLooksEverySoManyTicksAndTellsAChange) {
  const std::string path = TestHome() + "/show.cfg";
  std::ofstream(path) << "# Lumivane scenario\n";
  struct stat status;
  ASSERT_EQ(stat(path.c_str(), &status), 0);
  const time_t now = status.st_mtime;
  const struct {
    std::string path;
    time_t known;
    int ticks;
    int told;
  } cases[] = {
      {path, now - 1, 2, 0}, {path, now - 1, 3, 1},  {path, now - 1, 7, 2}, {path, now, 6, 0},
      {path, -1, 6, 0},      {"", now - 1, 6, 0},    {path + ".gone", now - 1, 6, 0},
  };
  for (const auto& c : cases) {
    BoardSession& board = Make();
    board.WatchFile(3, [&c] { return WatchedFile{c.path, c.known}; });
    events.all.clear();
    Tick(c.ticks);
    EXPECT_EQ(events.Count(LinkReport::FILE_CHANGED), c.told) << c.path << " " << c.known << " " << c.ticks;
  }
}
