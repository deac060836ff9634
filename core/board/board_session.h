#pragma once
// One board session: everything a program does with the boards, behind one
// object that a window, a terminal command or a remote drives alike. It owns
// the link (made by a factory per port name, port_link.h), the worker that
// uses it on a thread of its own (link_worker.h), the run, Program's
// progress, the auto-transfer policy and the file-watch policy, and it
// publishes what happens as events and a snapshot.
//
//   Board commands  Open, SendScene, Erase, Reset, Clear, Program (with
//                   CancelProgram), Close.
//   Run actions     Run, Stop, Next, Previous, Jump, Restart, Pause, Resume;
//                   UpdateScenario hands it the scenario as reloaded.
//   Auto transfer   SetAutoTransfer; SendScene(..., automatic) sends only
//                   while it is on, a port is named and Program is not under
//                   way (Program then sends each scene ahead of its own send
//                   of it, as auto transfer would when Program shows it).
//   File watch      WatchFile: every so many ticks the file's time is looked
//                   at; a time other than the known one is told
//                   (FILE_CHANGED) and the driver decides what to do; it
//                   takes the change in by a new known time, or -1 to stop
//                   looking until the next load or save.
//   Time            Tick every 100 ms from the driver: the file watch, and in
//                   TICKED mode the worker's own ticks.
//   ROM records     KeepRomRecords: each Program and Clear, once over, leaves
//                   its record of what the boards hold (rom_record.h).
//
// Events come on the driver's thread: in TICKED mode within the call that
// caused them, in THREAD mode from DeliverEvents, which the driver calls
// when the waker it gave says events wait (a window posts it to its event
// loop), or from Tick and WaitIdle. Reports of a run stopped since, and of
// scenes past the scenario the session knows, are not told; while the
// session closes, only each work's FINISHED is told, as cancelled.
#include <ctime>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/board/link_clock.h"
#include "core/board/link_worker.h"
#include "core/board/port_link.h"

using BoardEvent = LinkReport;

class BoardSessionListener {
 public:
  virtual ~BoardSessionListener() = default;
  virtual void OnBoardEvent(const BoardEvent& event) = 0;
};

struct BoardSnapshot {
  enum class State { IDLE, STARTING, RUNNING, PAUSED, PROGRAMMING };
  State state = State::IDLE;
  int scene = -1;              // the run's scene, or the scene Program is at (from 0); -1 none
  std::string remaining;       // the run's hold countdown, "" when none shows
  LinkDuration late{};         // how late the run's latest scene started
  int programScene = 0;        // Program: the scene under way (from 1), of programCount
  int programCount = 0;
  double programSecondsLeft = 0;  // Program: estimated at programSceneStart
  LinkTime programSceneStart{};
  bool autoTransfer = false;
};

// The file the watch looks at, and its time as last read or written; an
// empty path or a time of -1 is not looked at.
struct WatchedFile {
  std::string path;
  time_t knownTime = -1;
};

class BoardSession {
 public:
  using Mode = LinkWorker::Mode;
  static constexpr int TICK_MS = LinkWorker::TICK_MS;

  // THREAD: the program's session, on the steady clock. TICKED: the
  // worker runs on the caller's thread and Tick moves a clock of the
  // session's own on by 100 ms (window tests).
  BoardSession(LinkFactory factory, Mode mode = Mode::THREAD);
  // On `clock`, which outlives the session and which the caller moves on.
  BoardSession(LinkFactory factory, LinkClock& clock, Mode mode);
  ~BoardSession();
  BoardSession(const BoardSession&) = delete;
  BoardSession& operator=(const BoardSession&) = delete;

  void AddListener(BoardSessionListener* listener);
  void RemoveListener(BoardSessionListener* listener);
  // THREAD: called on the worker's thread when events wait for DeliverEvents.
  void SetWaker(std::function<void()> waker);
  void DeliverEvents();

  // Board commands.
  void Open(const BoardTarget& target);
  // False when an automatic send was not made (see above).
  bool SendScene(const BoardTarget& target, const Scene& scene, int key, bool automatic);
  void Erase();
  void Reset(const BoardTarget& target);
  void Clear(const BoardTarget& target);
  void Program(const BoardTarget& target, const Scenario& scenario);
  void CancelProgram();
  // Cancels what waits, ends the run, closes the link and waits for that.
  void Close();
  // Nothing is told from now on but each work's end, as cancelled.
  void BeginClosing() { m_closing = true; }

  // Run actions. Run sends `scene` and plays the scenario from it, after a
  // run playing; its number tells its events from an earlier run's.
  int Run(const BoardTarget& target, const Scenario& scenario, int scene);
  void Stop();
  void Next() { Step(1); }
  void Previous() { Step(-1); }
  void Jump(int scene);
  void Restart() { Jump(0); }
  void Pause();
  void Resume();
  // The scenario as the driver has it now (a reload): a run plays it from
  // its next tick on.
  void UpdateScenario(const Scenario& scenario);

  void SetAutoTransfer(bool on);
  // Program and Clear write their records in `directory` from now on ("":
  // none, the default). A record that cannot be written leaves the old one.
  void KeepRomRecords(const std::string& directory) { m_romDirectory = directory; }
  void WatchFile(int everyTicks, std::function<WatchedFile()> file);

  void Tick();
  // THREAD: waits until the worker is idle, then delivers the events.
  void WaitIdle();

  BoardSnapshot Snapshot() const { return m_snapshot; }
  bool Running() const {
    return m_snapshot.state == BoardSnapshot::State::RUNNING || m_snapshot.state == BoardSnapshot::State::PAUSED;
  }
  // The run asked for or playing (0: none).
  int CurrentRun() const { return m_run; }
  LinkTime Now() const { return m_clock.Now(); }

 private:
  class WorkerListener;
  void Step(int step);
  void Receive(const LinkReport& report);
  void Handle(LinkReport report);
  void WatchTick();
  void Publish(const BoardEvent& event);
  bool Told(const LinkReport& report) const;
  void EndRun();
  void NoteInRom(const LinkReport& report);

  std::unique_ptr<ManualLinkClock> m_ownClock;
  std::unique_ptr<SteadyLinkClock> m_steadyClock;
  LinkClock& m_clock;
  const Mode m_mode;
  PortLink m_link;
  std::unique_ptr<WorkerListener> m_workerListener;
  std::unique_ptr<LinkWorker> m_worker;

  std::mutex m_mailMutex;
  std::vector<LinkReport> m_mail;
  std::function<void()> m_waker;

  std::vector<BoardSessionListener*> m_listeners;
  BoardSnapshot m_snapshot;
  int m_run = 0;
  int m_movesAhead = 0;  // Jumps of this run the worker has not answered yet
  int m_runs = 0;
  int m_sceneCount = -1;  // of the scenario the driver has now; -1 before any
  bool m_programming = false;
  bool m_closing = false;

  // Program and Clear handed over and not yet over, for their records.
  struct RomWrite {
    LinkJob job;
    BoardTarget target;
    std::shared_ptr<const Scenario> scenario;
    bool eraseWentOut = false;
  };
  std::string m_romDirectory;
  std::deque<RomWrite> m_romWrites;

  int m_watchEvery = 0;
  int m_watchTicks = 0;
  std::function<WatchedFile()> m_watchedFile;
};
