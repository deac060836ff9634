// The board link's worker on its own thread: the order of its work, the
// coalescing of automatic sends, cancelling, a run that keeps time on a
// manual clock, closing during a long transfer, and the cancel of Program.
#include <gtest/gtest.h>

#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/board/board_commands.h"
#include "core/board/link_worker.h"
#include "core/board/recording_link.h"
#include "support/line_link.h"

namespace {

using Lines = std::vector<std::string>;
using std::chrono::milliseconds;

class Reports : public LinkListener {
 public:
  void OnLinkReport(const LinkReport& report) override {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (onReport) onReport(report);
    m_reports.push_back(report);
  }
  std::vector<LinkReport> Of(LinkReport::Kind kind) {
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<LinkReport> found;
    for (const LinkReport& report : m_reports) {
      if (report.kind == kind) found.push_back(report);
    }
    return found;
  }
  std::function<void(const LinkReport&)> onReport;

 private:
  std::mutex m_mutex;
  std::vector<LinkReport> m_reports;
};

Scene SceneWith(int fade, double hold = 0, int rows = 1) {
  Scene scene;
  scene.fade = fade;
  scene.hold = hold;
  scene.rows.clear();
  for (int i = 0; i < rows; ++i) {
    Row row;
    row.from = std::to_string(i + 1);
    row.colour = 1;
    scene.rows.push_back(row);
  }
  scene.rows.emplace_back();
  return scene;
}

// The fades of the scenes that went out, from their fade messages.
std::vector<int> SentFades(const RecordingBoardLink& link) {
  std::vector<int> fades;
  const Lines lines = EventLines(link.Events());
  for (size_t i = 0; i + 1 < lines.size(); ++i) {
    if (lines[i] == "write F2") fades.push_back(std::stoi(lines[i + 1].substr(6), nullptr, 16));
  }
  return fades;
}

class Worker : public testing::Test {
 protected:
  ManualLinkClock clock;
  LineLink link{clock};
  Reports reports;
  BoardTarget target{"p", LinkSpeed::STANDARD};
};

}  // namespace

TEST_F(Worker, WorkGoesOutInOrderWithTheCommandsOwnBytesAndPauses) {
  Scenario scenario;
  scenario.scenes = {SceneWith(3), SceneWith(4)};
  {
    LinkWorker worker(link, clock, reports);
    worker.Reset(target);
    worker.SendScene(target, SceneWith(7), 0, false);
    worker.Program(target, scenario);
    worker.WaitIdle();
  }
  RecordingBoardLink direct;
  ResetBoards(direct, target);
  SendSceneToBoards(direct, target, SceneWith(7));
  ProgramBoards(direct, target, scenario);
  direct.Close();
  EXPECT_EQ(EventLines(link.Events()), EventLines(direct.Events()));
  EXPECT_EQ(reports.Of(LinkReport::FINISHED).size(), 3u);
  EXPECT_EQ(reports.Of(LinkReport::PROGRAM_SCENE).size(), 2u);
}

TEST_F(Worker, AutomaticSendsWaitingKeepOnlyEachScenesNewestState) {
  LinkWorker worker(link, clock, reports);
  link.Hold();
  worker.SendScene(target, SceneWith(1), 0, true);
  link.WaitUntilHeld();
  worker.SendScene(target, SceneWith(2), 0, true);
  worker.SendScene(target, SceneWith(10), 1, true);
  worker.SendScene(target, SceneWith(3), 0, true);
  link.Release();
  worker.WaitIdle();
  EXPECT_EQ(SentFades(link), (std::vector<int>{1, 10, 3}));
}

TEST_F(Worker, AFailedAutomaticSendIsReportedOnceAndTheWaitingOnesDropped) {
  LinkWorker worker(link, clock, reports);
  worker.Open(target);
  worker.WaitIdle();
  link.Hold();
  worker.SendScene(target, SceneWith(1), 5, false);
  link.WaitUntilHeld();
  for (int scene = 0; scene < 3; ++scene) worker.SendScene(target, SceneWith(scene), scene, true);
  link.FailWritesFrom(1);
  link.Release();
  worker.WaitIdle();
  int automaticFailures = 0;
  for (const LinkReport& report : reports.Of(LinkReport::FINISHED)) {
    automaticFailures += report.automatic && report.outcome.result == BoardResult::WRITE_FAILED;
  }
  EXPECT_EQ(automaticFailures, 1);
  EXPECT_FALSE(link.IsOpen());
}

TEST_F(Worker, StoppingARunCutsTheTransferShortDropsTheWorkWaitingAndClosesTheLink) {
  Scenario scenario;
  scenario.scenes = {SceneWith(1, 0.5, 3), SceneWith(2, 0.5)};
  LinkWorker worker(link, clock, reports);
  worker.Open(target);
  worker.WaitIdle();
  link.Hold();
  worker.StartRun(target, scenario, 0, 1);
  link.WaitUntilHeld();
  worker.Reset(target);
  worker.StopRun();
  const size_t before = link.Events().size();
  link.Release();
  worker.WaitIdle();
  // The held write went; nothing after it.
  EXPECT_EQ(link.Events().size(), before + 2) << "the write under way, then the closing";
  EXPECT_EQ(EventLines(link.Events()).back(), "close");
  EXPECT_TRUE(reports.Of(LinkReport::RUN_STARTED).empty());
  int cancelled = 0;
  for (const LinkReport& report : reports.Of(LinkReport::FINISHED)) cancelled += report.cancelled;
  EXPECT_EQ(cancelled, 2) << "the run and the reset";
}

// A run on the manual clock, ticked in 100 ms steps: when each scene's
// first byte went out.
class TimedRun : public Worker {
 protected:
  std::vector<long> SceneStarts() {
    std::vector<long> starts;
    const Lines lines = EventLines(link.Events());
    size_t write = 0;
    for (const std::string& line : lines) {
      if (line.rfind("write", 0) != 0) continue;
      if (line == "write F5" && starts.size() < 100) {
        // Select all opens each scene; a row's select follows its fade.
        const size_t index = &line - &lines[0];
        if (index + 1 < lines.size() && lines[index + 1] == "write 00 00 7F 7E") {
          starts.push_back(std::chrono::duration_cast<milliseconds>(link.starts[write] - LinkTime{}).count());
        }
      }
      ++write;
    }
    return starts;
  }
  // Moves the clock on from one 100 ms mark to the next, the worker
  // catching up at each, until `until` ms.
  void PlayUntil(LinkWorker& worker, long until) {
    while (clock.Now() < LinkTime{} + milliseconds(until)) {
      const auto now = clock.Now() - LinkTime{};
      clock.Advance((now / milliseconds(100) + 1) * milliseconds(100) - now);
      worker.WaitIdle();
    }
  }
};

TEST_F(TimedRun, ScenesStartAtTheirPlanAndAnOverrunMovesThePlanByItsLengthOnly) {
  Scenario scenario;
  // Scene 2's transfer takes 700 ms at 1 ms a byte: longer than its hold.
  scenario.scenes = {SceneWith(1, 0.5, 0), SceneWith(2, 0.5, 77), SceneWith(3, 0.5, 0)};
  LinkWorker worker(link, clock, reports);
  worker.Open(target);
  worker.WaitIdle();
  link.slow = true;
  link.ClearEvents();
  link.starts.clear();
  worker.StartRun(target, scenario, 0, 1);
  worker.WaitIdle();
  PlayUntil(worker, 2000);
  // Planned 0, 500, 1000, 1500: scene 3 waits for scene 2's transfer
  // (500 + 700), and the scenes after it keep 500 ms from there.
  EXPECT_EQ(SceneStarts(), (std::vector<long>{0, 500, 1200, 1700}));
  const std::vector<LinkReport> late = reports.Of(LinkReport::RUN_LATE);
  ASSERT_EQ(late.size(), 3u);
  EXPECT_EQ(late[0].late, milliseconds(0));
  EXPECT_EQ(late[1].late, milliseconds(200));
  EXPECT_EQ(late[2].late, milliseconds(200)) << "the run stays behind its plan by the overrun";
}

TEST_F(TimedRun, APauseMovesThePlanByThePausedTime) {
  Scenario scenario;
  scenario.scenes = {SceneWith(1, 1.0, 0), SceneWith(2, 1.0, 0)};
  scenario.inputs = {INPUT_PAUSE, 1, 2, 3};
  LinkWorker worker(link, clock, reports);
  worker.StartRun(target, scenario, 0, 1);
  worker.WaitIdle();
  link.ClearEvents();
  link.starts.clear();
  PlayUntil(worker, 200);
  link.SetInputs(0x0E);  // paused at 300
  PlayUntil(worker, 400);
  link.SetInputs(0x0F);
  PlayUntil(worker, 700);
  link.SetInputs(0x0E);  // resumed at 800
  PlayUntil(worker, 1700);
  EXPECT_EQ(SceneStarts(), (std::vector<long>{1500}));
}

TEST(WorkerThread, ClosesWithinHalfASecondInTheMiddleOfALongTransfer) {
  // 1 ms a byte of real time: a 511-row scene takes about 4.6 s.
  class PacedLink : public RecordingBoardLink {
   public:
    int Write(const unsigned char* data, int length) override {
      std::this_thread::sleep_for(milliseconds(length));
      return RecordingBoardLink::Write(data, length);
    }
  } link;
  SteadyLinkClock clock;
  Reports reports;
  auto worker = std::make_unique<LinkWorker>(link, clock, reports);
  worker->SendScene(BoardTarget{"p"}, SceneWith(1, 0, 511), 0, false);
  std::this_thread::sleep_for(milliseconds(300));
  const auto start = std::chrono::steady_clock::now();
  worker.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, milliseconds(500));
  EXPECT_FALSE(link.IsOpen());
  EXPECT_EQ(EventLines(link.Events()).back(), "close");
}

TEST_F(Worker, CancelledProgrammingStopsAfterTheSceneBeingWritten) {
  Scenario scenario;
  scenario.scenes = {SceneWith(1), SceneWith(2), SceneWith(3), SceneWith(4)};
  LinkWorker worker(link, clock, reports);
  reports.onReport = [&](const LinkReport& report) {
    if (report.kind == LinkReport::PROGRAM_SCENE && report.number == 2) worker.CancelProgram();
  };
  worker.Program(target, scenario);
  worker.WaitIdle();
  const std::vector<LinkReport> finished = reports.Of(LinkReport::FINISHED);
  ASSERT_EQ(finished.size(), 1u);
  EXPECT_EQ(finished[0].outcome.result, BoardResult::CANCELLED);
  EXPECT_EQ(finished[0].outcome.scenesStored, 2);
  EXPECT_EQ(finished[0].count, 4);
  int stores = 0;
  int breaks = 0;
  for (const std::string& line : EventLines(link.Events())) {
    stores += line == "write F7";
    breaks += line == "break";
  }
  EXPECT_EQ(stores, 2) << "scenes 1 and 2";
  EXPECT_EQ(breaks, 1) << "the opening's only: the boards keep what they got";
  const std::vector<double> left = ProgramSecondsLeft(target, scenario);
  ASSERT_EQ(left.size(), 5u);
  EXPECT_GT(left[0], left[1]);
  EXPECT_EQ(left[4], 0);
}
