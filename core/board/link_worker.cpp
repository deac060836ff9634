#include "core/board/link_worker.h"

#include <algorithm>
#include <cerrno>

#include "core/serial/pause.h"

namespace {

constexpr LinkDuration WORKER_TICK = std::chrono::milliseconds(LinkWorker::TICK_MS);

}  // namespace

// ---- The link as the worker uses it -------------------------------------------

int LinkWorker::GuardedLink::Open(const std::string& port, int baud) {
  if (m_cancel) {
    m_heldBack = true;
    return ECANCELED;
  }
  return m_link.Open(port, baud);
}

int LinkWorker::GuardedLink::Write(const unsigned char* data, int length) {
  if (m_cancel) {
    m_heldBack = true;
    return length;
  }
  return m_link.Write(data, length);
}

void LinkWorker::GuardedLink::Break() {
  if (m_cancel) {
    m_heldBack = true;
    return;
  }
  m_link.Break();
}

void LinkWorker::GuardedLink::Pause(int milliseconds) {
  if (m_cancel) {
    m_heldBack = true;
    return;
  }
  m_link.Pause(milliseconds);
  if (m_cancel) {
    m_heldBack = true;  // the pause was cut short
  }
}

unsigned char LinkWorker::GuardedLink::ReadInputs() {
  if (!m_cancel) {
    m_inputs = m_link.ReadInputs();
  }
  return m_inputs;
}

bool LinkWorker::GuardedLink::TakeHeldBack() {
  const bool heldBack = m_heldBack;
  m_heldBack = false;
  return heldBack;
}

// ---- The run's output: sends on the worker, the rest goes to the listener -----

class LinkWorker::RunView : public RunnerOutput {
 public:
  explicit RunView(LinkWorker& worker) : m_worker(worker) {}
  void ShowScene(int scene) override { Tell(LinkReport::RUN_SCENE, scene); }
  bool SendScene(int scene) override {
    const BoardOutcome outcome = SendSceneToBoards(m_worker.m_link, m_worker.m_runTarget,
                                                   m_worker.m_runScenario.scenes[scene],
                                                   m_worker.Hooks(LinkJob::RUN, false));
    if (outcome.result != BoardResult::OK) {
      LinkReport report = Make(LinkReport::RUN_FAILED);
      report.outcome = outcome;
      m_worker.Report(report);
      return false;
    }
    return true;
  }
  void ShowHold(const std::string& text) override {
    LinkReport report = Make(LinkReport::RUN_HOLD);
    report.text = text;
    m_worker.Report(report);
  }
  void ShowInputActive(int input) override { Tell(LinkReport::RUN_INPUT, input); }
  void RunStopped() override { Tell(LinkReport::RUN_STOPPED, 0); }
  void ShowPaused(bool paused) override { Tell(LinkReport::RUN_PAUSED, paused ? 1 : 0); }
  void ShowLate(LinkDuration late) override {
    LinkReport report = Make(LinkReport::RUN_LATE);
    report.late = late;
    m_worker.Report(report);
  }

 private:
  LinkReport Make(LinkReport::Kind kind) const {
    LinkReport report;
    report.kind = kind;
    report.job = LinkJob::RUN;
    report.run = m_worker.m_run;
    return report;
  }
  void Tell(LinkReport::Kind kind, int number) {
    LinkReport report = Make(kind);
    report.number = number;
    m_worker.Report(report);
  }
  LinkWorker& m_worker;
};

// ---- The worker ------------------------------------------------------------------

LinkWorker::LinkWorker(BoardLink& link, LinkClock& clock, LinkListener& listener, Mode mode)
    : m_rawLink(link),
      m_clock(clock),
      m_listener(listener),
      m_mode(mode),
      m_link(link, m_cancel),
      m_runView(std::make_unique<RunView>(*this)),
      m_runner(m_runScenario, *m_runView, [&clock] { return clock.Now(); }) {
  m_nextTick = m_clock.Now() + WORKER_TICK;
  if (m_mode == Mode::THREAD) {
    m_thread = std::thread(&LinkWorker::ThreadMain, this);
  }
}

LinkWorker::~LinkWorker() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_quit = true;
    m_cancel = true;
    m_queue.clear();
    m_dropped.clear();
  }
  m_wake.notify_all();
  m_idle.notify_all();
  if (m_thread.joinable()) {
    m_thread.join();  // the thread closes the link
  } else {
    CloseRawLink();
  }
}

void LinkWorker::CloseRawLink() {
  const LinkTime now = m_clock.Now();
  if (m_rawLink.IsOpen() && now < m_eraseEnds) {
    // Not cut short: the boards are erasing still.
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(m_eraseEnds - now);
    m_rawLink.InterruptPausesWith(nullptr);
    m_rawLink.Pause(static_cast<int>(left.count()));
    m_rawLink.InterruptPausesWith(m_mode == Mode::THREAD ? &m_cancel : nullptr);
  }
  m_eraseEnds = LinkTime{};
  m_rawLink.Close();
}

void LinkWorker::Post(Job job) {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_quit) {
      return;
    }
    if (job.kind == LinkJob::SEND && job.automatic) {
      // Only the newest state of a scene waits, and it goes last.
      m_queue.erase(std::remove_if(m_queue.begin(), m_queue.end(),
                                   [&](const Job& waiting) {
                                     return waiting.kind == LinkJob::SEND && waiting.automatic &&
                                            waiting.key == job.key;
                                   }),
                    m_queue.end());
    }
    m_queue.push_back(std::move(job));
  }
  if (m_mode == Mode::THREAD) {
    m_wake.notify_all();
  } else {
    RunDue();
  }
}

void LinkWorker::Open(const BoardTarget& target) {
  Job job;
  job.kind = LinkJob::OPEN;
  job.target = target;
  Post(std::move(job));
}

void LinkWorker::SendScene(const BoardTarget& target, const Scene& scene, int key, bool automatic) {
  Job job;
  job.kind = LinkJob::SEND;
  job.target = target;
  job.scene = scene;
  job.key = key;
  job.automatic = automatic;
  Post(std::move(job));
}

void LinkWorker::Erase() {
  Job job;
  job.kind = LinkJob::ERASE;
  Post(std::move(job));
}

void LinkWorker::Break() {
  Job job;
  job.kind = LinkJob::BREAK;
  Post(std::move(job));
}

void LinkWorker::Reset(const BoardTarget& target) {
  Job job;
  job.kind = LinkJob::RESET;
  job.target = target;
  Post(std::move(job));
}

void LinkWorker::Clear(const BoardTarget& target) {
  Job job;
  job.kind = LinkJob::CLEAR;
  job.target = target;
  Post(std::move(job));
}

void LinkWorker::Program(const BoardTarget& target, const Scenario& scenario, bool sendEachAhead) {
  m_programCancel = false;
  Job job;
  job.kind = LinkJob::PROGRAM;
  job.automatic = sendEachAhead;
  job.target = target;
  job.scenario = std::make_shared<const Scenario>(scenario);
  Post(std::move(job));
}

void LinkWorker::CancelProgram() { m_programCancel = true; }

void LinkWorker::StartRun(const BoardTarget& target, const Scenario& scenario, int scene, int run) {
  Job job;
  job.kind = LinkJob::RUN;
  job.target = target;
  job.scenario = std::make_shared<const Scenario>(scenario);
  job.key = scene;
  job.run = run;
  Post(std::move(job));
}

void LinkWorker::MoveRunTo(int scene) {
  Job job;
  job.kind = LinkJob::MOVE_RUN;
  job.key = scene;
  Post(std::move(job));
}

void LinkWorker::StepRun(int step) {
  Job job;
  job.kind = LinkJob::STEP_RUN;
  job.key = step;
  Post(std::move(job));
}

void LinkWorker::PauseRun(bool paused) {
  Job job;
  job.kind = LinkJob::PAUSE_RUN;
  job.key = paused ? 1 : 0;
  Post(std::move(job));
}

void LinkWorker::UpdateRunScenario(const Scenario& scenario) {
  Job job;
  job.kind = LinkJob::RUN_SCENARIO;
  job.scenario = std::make_shared<const Scenario>(scenario);
  Post(std::move(job));
}

void LinkWorker::Cancel() {
  {
    std::lock_guard<std::mutex> lock(m_mutex);
    for (Job& job : m_queue) {
      if (!(job.kind == LinkJob::SEND && job.automatic)) {
        m_dropped.push_back(std::move(job));
      }
    }
    m_queue.clear();
    m_cancel = true;
  }
  m_wake.notify_all();
}

void LinkWorker::StopRun() {
  Cancel();
  Job job;
  job.kind = LinkJob::STOP_RUN;
  Post(std::move(job));
}

void LinkWorker::Close() {
  StopRun();
  Job job;
  job.kind = LinkJob::CLOSE;
  Post(std::move(job));
  WaitIdle();
}

void LinkWorker::RunDue() {
  std::unique_lock<std::mutex> lock(m_mutex);
  if (m_mode != Mode::TICKED || m_draining) {
    return;  // an outer RunDue takes up what was added
  }
  m_draining = true;
  while (Step(lock)) {
  }
  m_draining = false;
}

void LinkWorker::WaitIdle() {
  if (m_mode != Mode::THREAD) {
    return;
  }
  std::unique_lock<std::mutex> lock(m_mutex);
  m_idle.wait(lock, [this] {
    return m_quit || (!m_executing && m_queue.empty() && m_dropped.empty() && !DueLocked(m_clock.Now()));
  });
}

bool LinkWorker::DueLocked(LinkTime now) const { return m_nextTick <= now || (m_hasDue && m_due <= now); }

LinkTime LinkWorker::NextWakeLocked() const { return m_hasDue ? std::min(m_nextTick, m_due) : m_nextTick; }

void LinkWorker::ThreadMain() {
  // A pause under way ends once a cancel comes.
  m_rawLink.InterruptPausesWith(&m_cancel);
  std::unique_lock<std::mutex> lock(m_mutex);
  while (!m_quit) {
    if (!Step(lock)) {
      m_idle.notify_all();
      m_clock.WaitUntil(m_wake, lock, NextWakeLocked());
    }
  }
  lock.unlock();
  CloseRawLink();
}

bool LinkWorker::Step(std::unique_lock<std::mutex>& lock) {
  if (m_quit) {
    return false;
  }
  // Nothing runs now: a cancel has done its part.
  m_cancel = false;
  if (!m_dropped.empty()) {
    Job job = std::move(m_dropped.front());
    m_dropped.pop_front();
    m_executing = true;
    lock.unlock();
    LinkReport report;
    report.job = job.kind;
    report.run = job.run;
    report.cancelled = true;
    m_listener.OnLinkReport(report);
    lock.lock();
    m_executing = false;
    return true;
  }
  bool ran = false;
  if (!m_queue.empty()) {
    Job job = std::move(m_queue.front());
    m_queue.pop_front();
    m_executing = true;
    lock.unlock();
    Execute(job);
    ran = true;
  } else {
    const LinkTime now = m_clock.Now();
    if (!DueLocked(now)) {
      return false;
    }
    const bool tick = m_nextTick <= now;
    while (m_nextTick <= now) {
      m_nextTick += WORKER_TICK;  // ticks missed during long work are dropped, as a timer's are
    }
    m_executing = true;
    lock.unlock();
    Timed(tick);
    ran = true;
  }
  if (m_link.TakeHeldBack()) {
    // Cut short: the boards got part of a sequence; the next work opens afresh.
    CloseRawLink();
  } else {
    m_eraseEnds = LinkTime{};  // every pause ran its length
  }
  LinkTime due{};
  const bool hasDue = m_runner.NextDue(&due);
  lock.lock();
  m_executing = false;
  m_hasDue = hasDue;
  m_due = due;
  if (m_reanchor) {
    m_reanchor = false;
    m_nextTick = m_anchor + WORKER_TICK;
  }
  if (m_mode == Mode::THREAD) {
    m_idle.notify_all();
  }
  return ran;
}

void LinkWorker::Timed(bool tick) {
  if (!tick) {
    m_runner.AdvanceHold();  // the run's next scene is due between ticks
    return;
  }
  m_runner.KeepAlive(m_link);
  if (m_runner.Running()) {
    m_runner.AdvanceHold();
    if (m_runner.Running()) {
      m_runner.PollInputs(m_link);
    }
  }
}

void LinkWorker::Report(LinkReport report) {
  if (report.kind != LinkReport::FINISHED && m_cancel) {
    return;
  }
  m_listener.OnLinkReport(report);
}

void LinkWorker::Finish(const Job& job, const BoardOutcome& outcome, int count) {
  LinkReport report;
  report.kind = LinkReport::FINISHED;
  report.job = job.kind;
  report.automatic = job.automatic;
  report.run = job.run;
  report.outcome = outcome;
  report.count = count;
  report.cancelled = m_cancel;
  Report(report);
}

BoardHooks LinkWorker::Hooks(LinkJob job, bool automatic) {
  BoardHooks hooks;
  auto tell = [this, job, automatic](LinkReport::Kind kind, int number) {
    LinkReport report;
    report.kind = kind;
    report.job = job;
    report.automatic = automatic;
    report.number = number;
    report.run = job == LinkJob::RUN ? m_run : 0;
    Report(report);
  };
  hooks.opening = [tell] { tell(LinkReport::OPENING, 0); };
  hooks.erasing = [this, tell] {
    m_eraseEnds = m_clock.Now() + std::chrono::milliseconds(ERASE_PAUSE_MS);
    tell(LinkReport::ERASING, 0);
  };
  hooks.writingScene = [tell](int number) { tell(LinkReport::STORING, number); };
  hooks.programmed = [tell] { tell(LinkReport::PROGRAMMED, 0); };
  hooks.keepGoing = [this] { return !m_programCancel && !m_cancel; };
  return hooks;
}

void LinkWorker::Execute(Job& job) {
  BoardOutcome outcome;
  switch (job.kind) {
    case LinkJob::OPEN:
    {
      const int opened = OpenBoardLink(m_link, job.target, Hooks(job.kind, false));
      if (opened != 0) {
        outcome = BoardOutcome{BoardResult::OPEN_FAILED, opened, 0};
      }
      break;
    }
    case LinkJob::SEND:
      outcome = SendSceneToBoards(m_link, job.target, job.scene, Hooks(job.kind, job.automatic));
      if (outcome.result != BoardResult::OK && job.automatic) {
        // The listener tells the user once; the automatic sends waiting
        // would only fail again.
        std::lock_guard<std::mutex> lock(m_mutex);
        m_queue.erase(std::remove_if(m_queue.begin(), m_queue.end(),
                                     [](const Job& waiting) {
                                       return waiting.kind == LinkJob::SEND && waiting.automatic;
                                     }),
                      m_queue.end());
      }
      break;
    case LinkJob::ERASE:
      if (!EraseBoardRom(m_link, Hooks(job.kind, false))) {
        outcome.result = BoardResult::WRITE_FAILED;
      }
      break;
    case LinkJob::BREAK:
      m_link.Break();
      break;
    case LinkJob::RESET:
      outcome = ResetBoards(m_link, job.target, Hooks(job.kind, false));
      break;
    case LinkJob::CLEAR:
      outcome = ClearBoards(m_link, job.target, Hooks(job.kind, false));
      break;
    case LinkJob::PROGRAM:
    {
      const Scenario& scenario = *job.scenario;
      const int count = static_cast<int>(scenario.scenes.size());
      const std::vector<double> secondsLeft = ProgramSecondsLeft(job.target, scenario);
      BoardHooks hooks = Hooks(job.kind, false);
      hooks.sceneStarting = [&](int scene) {
        if (job.automatic) {
          // Told by the send of the program's own that follows.
          SendSceneToBoards(m_link, job.target, scenario.scenes[scene], Hooks(job.kind, false));
        }
        LinkReport report;
        report.kind = LinkReport::PROGRAM_SCENE;
        report.job = LinkJob::PROGRAM;
        report.number = scene + 1;
        report.count = count;
        report.secondsLeft = secondsLeft[scene];
        Report(report);
      };
      outcome = ProgramBoards(m_link, job.target, scenario, hooks);
      Finish(job, outcome, count);
      return;
    }
    case LinkJob::RUN:
    {
      // The plan's t0 is the first write of the scene, after any opening.
      m_run = job.run;
      const int opened = OpenBoardLink(m_link, job.target, Hooks(job.kind, false));
      if (opened != 0) {
        outcome = BoardOutcome{BoardResult::OPEN_FAILED, opened, 0};
        break;
      }
      const LinkTime start = m_clock.Now();
      const int scene = job.key;
      outcome = SendSceneToBoards(m_link, job.target, job.scenario->scenes[scene], Hooks(job.kind, false));
      if (outcome.result != BoardResult::OK || m_cancel) {
        break;
      }
      m_runScenario = *job.scenario;
      m_runTarget = job.target;
      m_runner.Start(scene, start);
      // The ticks count from the run's start, as the window's timer did.
      m_reanchor = true;
      m_anchor = start;
      LinkReport report;
      report.kind = LinkReport::RUN_STARTED;
      report.job = LinkJob::RUN;
      report.run = m_run;
      report.number = scene;
      Report(report);
      break;
    }
    case LinkJob::MOVE_RUN:
    case LinkJob::STEP_RUN:
    {
      const int count = static_cast<int>(m_runScenario.scenes.size());
      const bool moving = job.kind == LinkJob::MOVE_RUN;
      if (!m_runner.Running() || (count == 0 && !moving)) {
        break;
      }
      const int scene = moving ? job.key : StepTarget(m_runner.ActiveScene(), job.key, count);
      const bool possible = scene >= 0 && scene < count;  // not a jump a reload took away
      // A move is always answered: the session counts the moves it still
      // waits for (board_session.cpp).
      LinkReport report;
      report.kind = LinkReport::RUN_SCENE;
      report.job = LinkJob::RUN;
      report.run = m_run;
      report.number = possible ? scene : -1;
      report.moved = moving;
      Report(report);
      if (possible) {
        m_runner.MoveTo(scene);
      }
      break;
    }
    case LinkJob::PAUSE_RUN:
      m_runner.SetPaused(job.key != 0);
      break;
    case LinkJob::RUN_SCENARIO:
      m_runScenario = *job.scenario;
      break;
    case LinkJob::STOP_RUN:
      m_runner.Stop();
      m_run = 0;
      break;
    case LinkJob::CLOSE:
      CloseRawLink();
      break;
  }
  Finish(job, outcome);
}
