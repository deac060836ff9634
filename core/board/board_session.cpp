#include "core/board/board_session.h"

#include <algorithm>

#include "core/board/rom_record.h"
#include "core/format/scenario_file.h"

// The worker's reports: handled at once in TICKED mode (they come on the
// driver's thread), else kept for DeliverEvents.
class BoardSession::WorkerListener : public LinkListener {
 public:
  explicit WorkerListener(BoardSession& session) : m_session(session) {}
  void OnLinkReport(const LinkReport& report) override { m_session.Receive(report); }

 private:
  BoardSession& m_session;
};

BoardSession::BoardSession(LinkFactory factory, Mode mode)
    : m_ownClock(mode == Mode::TICKED ? std::make_unique<ManualLinkClock>() : nullptr),
      m_steadyClock(mode == Mode::TICKED ? nullptr : std::make_unique<SteadyLinkClock>()),
      m_clock(mode == Mode::TICKED ? static_cast<LinkClock&>(*m_ownClock) : *m_steadyClock),
      m_mode(mode),
      m_link(std::move(factory)),
      m_workerListener(std::make_unique<WorkerListener>(*this)),
      m_worker(std::make_unique<LinkWorker>(m_link, m_clock, *m_workerListener, mode)) {}

BoardSession::BoardSession(LinkFactory factory, LinkClock& clock, Mode mode)
    : m_clock(clock),
      m_mode(mode),
      m_link(std::move(factory)),
      m_workerListener(std::make_unique<WorkerListener>(*this)),
      m_worker(std::make_unique<LinkWorker>(m_link, m_clock, *m_workerListener, mode)) {}

BoardSession::~BoardSession() {
  m_closing = true;
  m_worker.reset();  // cancels and closes the link
}

void BoardSession::AddListener(BoardSessionListener* listener) { m_listeners.push_back(listener); }

void BoardSession::RemoveListener(BoardSessionListener* listener) {
  m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

void BoardSession::SetWaker(std::function<void()> waker) {
  std::lock_guard<std::mutex> lock(m_mailMutex);
  m_waker = std::move(waker);
}

void BoardSession::Receive(const LinkReport& report) {
  if (m_mode == Mode::TICKED) {
    Handle(report);
    return;
  }
  std::function<void()> waker;
  {
    std::lock_guard<std::mutex> lock(m_mailMutex);
    m_mail.push_back(report);
    waker = m_waker;
  }
  if (waker) {
    waker();
  }
}

void BoardSession::DeliverEvents() {
  std::vector<LinkReport> mail;
  {
    std::lock_guard<std::mutex> lock(m_mailMutex);
    mail.swap(m_mail);
  }
  for (const LinkReport& report : mail) {
    Handle(report);
  }
}

bool BoardSession::Told(const LinkReport& report) const {
  if (report.kind == LinkReport::FINISHED) {
    return true;
  }
  if (m_closing || (report.job == LinkJob::RUN && report.run != m_run)) {
    return false;  // for a driver going away, or a run stopped since
  }
  if (report.kind == LinkReport::RUN_SCENE && report.number < 0) {
    return false;  // a jump the run could not make
  }
  const bool namesScene = report.kind == LinkReport::RUN_SCENE || report.kind == LinkReport::PROGRAM_SCENE;
  if (namesScene && m_sceneCount >= 0) {
    // A scene of the scenario before a reload that has fewer.
    const int scene = report.kind == LinkReport::PROGRAM_SCENE ? report.number - 1 : report.number;
    return scene < m_sceneCount;
  }
  return true;
}

void BoardSession::Handle(LinkReport report) {
  if (report.moved && report.run == m_run && m_movesAhead > 0) {
    --m_movesAhead;  // counted even for a scene a reload took away
  }
  if (!Told(report)) {
    return;
  }
  bool runEnded = false;
  switch (report.kind) {
    case LinkReport::FINISHED:
      NoteInRom(report);
      report.cancelled = report.cancelled || m_closing;
      if (report.job == LinkJob::PROGRAM) {
        m_programming = false;
        m_snapshot.state = BoardSnapshot::State::IDLE;
        m_snapshot.programScene = 0;
        m_snapshot.programCount = 0;
      } else if (report.job == LinkJob::RUN && report.run == m_run && report.outcome.result != BoardResult::OK &&
                 !report.cancelled) {
        runEnded = true;  // the run never played
      }
      break;
    case LinkReport::RUN_STARTED:
      m_snapshot.state = BoardSnapshot::State::RUNNING;
      m_snapshot.scene = report.number;
      break;
    case LinkReport::RUN_SCENE:
      if (m_movesAhead == 0) {
        m_snapshot.scene = report.number;
      }
      break;
    case LinkReport::RUN_HOLD:
      m_snapshot.remaining = report.text;
      break;
    case LinkReport::RUN_LATE:
      m_snapshot.late = report.late;
      break;
    case LinkReport::RUN_PAUSED:
      if (Running()) {
        m_snapshot.state = report.number != 0 ? BoardSnapshot::State::PAUSED : BoardSnapshot::State::RUNNING;
      }
      break;
    case LinkReport::ERASING:
      for (RomWrite& write : m_romWrites) {
        if (write.job == report.job) {
          write.eraseWentOut = true;
          break;
        }
      }
      break;
    case LinkReport::PROGRAM_SCENE:
      m_snapshot.scene = report.number - 1;
      m_snapshot.programScene = report.number;
      m_snapshot.programCount = report.count;
      m_snapshot.programSecondsLeft = report.secondsLeft;
      m_snapshot.programSceneStart = m_clock.Now();
      break;
    default:
      break;
  }
  Publish(report);
  if (runEnded && report.run == m_run) {
    EndRun();
  }
}

void BoardSession::NoteInRom(const LinkReport& report) {
  if (report.job != LinkJob::PROGRAM && report.job != LinkJob::CLEAR) {
    return;
  }
  // They end in the order they were handed over.
  const auto found = std::find_if(m_romWrites.begin(), m_romWrites.end(),
                                  [&](const RomWrite& write) { return write.job == report.job; });
  if (found == m_romWrites.end()) {
    return;
  }
  const RomWrite write = *found;
  m_romWrites.erase(found);
  const time_t now = time(nullptr);
  if (write.job == LinkJob::PROGRAM) {
    // A Program dropped before it ran stored nothing and erased nothing:
    // the record stays.
    NoteProgramInRom(m_romDirectory, write.target, *write.scenario, report.outcome, write.eraseWentOut, now);
  } else if (report.outcome.result == BoardResult::OK && !report.cancelled) {
    NoteClearInRom(m_romDirectory, write.target, now);
  }
}

void BoardSession::Publish(const BoardEvent& event) {
  // A listener may remove itself meanwhile.
  const std::vector<BoardSessionListener*> listeners = m_listeners;
  for (BoardSessionListener* listener : listeners) {
    if (std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end()) {
      listener->OnBoardEvent(event);
    }
  }
}

void BoardSession::Open(const BoardTarget& target) { m_worker->Open(target); }

bool BoardSession::SendScene(const BoardTarget& target, const Scene& scene, int key, bool automatic) {
  if (automatic && (!m_snapshot.autoTransfer || target.port.empty() || m_programming)) {
    return false;
  }
  m_worker->SendScene(target, scene, key, automatic);
  return true;
}

void BoardSession::Erase() { m_worker->Erase(); }

void BoardSession::Reset(const BoardTarget& target) { m_worker->Reset(target); }

void BoardSession::Clear(const BoardTarget& target) {
  if (!m_romDirectory.empty()) {
    m_romWrites.push_back(RomWrite{LinkJob::CLEAR, target, nullptr, false});
  }
  m_worker->Clear(target);
}

void BoardSession::Program(const BoardTarget& target, const Scenario& scenario) {
  m_programming = true;
  m_sceneCount = static_cast<int>(scenario.scenes.size());
  m_snapshot.state = BoardSnapshot::State::PROGRAMMING;
  m_snapshot.programScene = 0;
  m_snapshot.programCount = m_sceneCount;
  if (!m_romDirectory.empty()) {
    m_romWrites.push_back(RomWrite{LinkJob::PROGRAM, target, std::make_shared<const Scenario>(scenario), false});
  }
  m_worker->Program(target, scenario, m_snapshot.autoTransfer);
}

void BoardSession::CancelProgram() { m_worker->CancelProgram(); }

void BoardSession::Close() {
  EndRun();
  m_worker->Close();
  DeliverEvents();
}

int BoardSession::Run(const BoardTarget& target, const Scenario& scenario, int scene) {
  if (m_run != 0) {
    m_worker->StopRun();  // the run playing gives way
  }
  EndRun();
  m_run = ++m_runs;
  m_sceneCount = static_cast<int>(scenario.scenes.size());
  m_snapshot.state = BoardSnapshot::State::STARTING;
  m_snapshot.scene = scene;
  m_worker->StartRun(target, scenario, scene, m_run);
  return m_run;
}

void BoardSession::EndRun() {
  m_run = 0;
  m_movesAhead = 0;
  if (!m_programming) {
    m_snapshot.state = BoardSnapshot::State::IDLE;
  }
  m_snapshot.scene = -1;
  m_snapshot.remaining.clear();
  m_snapshot.late = LinkDuration::zero();
}

void BoardSession::Stop() {
  if (m_run != 0) {
    // Cancels what the run still had to send.
    m_worker->StopRun();
  }
  EndRun();
}

void BoardSession::Step(int step) {
  if (m_run != 0) {
    m_worker->StepRun(step);
  }
}

void BoardSession::Jump(int scene) {
  if (m_run != 0) {
    // Where the run goes, before the worker tells it: a second remote
    // "next" that comes first then steps on from this scene. Until the
    // worker has answered every jump, the scenes it tells on the way (an
    // earlier jump, a hold that ran out) are not where the run goes.
    m_snapshot.scene = scene;
    ++m_movesAhead;
    m_worker->MoveRunTo(scene);
  }
}

void BoardSession::Pause() {
  if (m_run != 0) {
    m_worker->PauseRun(true);
  }
}

void BoardSession::Resume() {
  if (m_run != 0) {
    m_worker->PauseRun(false);
  }
}

void BoardSession::UpdateScenario(const Scenario& scenario) {
  m_sceneCount = static_cast<int>(scenario.scenes.size());
  if (m_run != 0) {
    m_worker->UpdateRunScenario(scenario);
  }
}

void BoardSession::SetAutoTransfer(bool on) { m_snapshot.autoTransfer = on; }

void BoardSession::WatchFile(int everyTicks, std::function<WatchedFile()> file) {
  m_watchEvery = everyTicks;
  m_watchTicks = 0;
  m_watchedFile = std::move(file);
}

void BoardSession::WatchTick() {
  if (!m_watchedFile || ++m_watchTicks < m_watchEvery) {
    return;
  }
  m_watchTicks = 0;
  const WatchedFile file = m_watchedFile();
  if (file.path.empty() || file.knownTime == -1) {
    return;
  }
  // One look at the file: one that is gone or unreadable counts as unchanged.
  const time_t modified = ScenarioFileTime(file.path);
  if (modified == -1 || modified == file.knownTime) {
    return;
  }
  BoardEvent event;
  event.kind = LinkReport::FILE_CHANGED;
  Publish(event);
}

void BoardSession::Tick() {
  WatchTick();
  if (m_ownClock != nullptr) {
    m_ownClock->Advance(std::chrono::milliseconds(TICK_MS));
  }
  if (m_mode == Mode::TICKED) {
    m_worker->RunDue();
  } else {
    DeliverEvents();
  }
}

void BoardSession::WaitIdle() {
  m_worker->WaitIdle();
  DeliverEvents();
}
