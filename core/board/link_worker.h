#pragma once
// The board link on a thread of its own. The worker owns the link: the
// window hands it work (open, send a copy of a scene, erase, break, reset,
// clear, program, run) and hears back through a listener, so that nothing
// it does on the line holds up the window. Work runs in the order handed
// over, each with the writes and pauses of the board commands
// (board_commands.h); between work the worker keeps the 100 ms ticks the
// window's timer kept before: the keep-alive every tenth tick, and while a
// run plays, the hold and the input polling of the runner (runner.h),
// which keeps time on the worker's clock.
//
//   Sends marked automatic coalesce: a scene waiting to go out is replaced
//   by its newer state, which goes to the back, so that the boards get the
//   scene edited last and no backlog. After an automatic send fails, the
//   automatic sends still waiting are dropped: one failure, one report.
//
//   Cancel drops the work waiting and cuts short the work under way: its
//   writes, pauses and breaks no longer reach the line (a pause under way
//   ends within 10 ms, a write after the few bytes it carries), and the
//   link is closed afterwards, since the boards got part of a message
//   sequence. StopRun and Close cancel; the destructor cancels and closes
//   the link, which takes no longer than the write under way.
//
// Reports come on the worker's thread (see LinkListener); each piece of
// work ends in one FINISHED report, also when it was cancelled (then with
// `cancelled` set and nothing else to tell), except automatic sends that
// were replaced or dropped. While a cancel is in effect no other report
// goes out.
//
// Two modes:
//   THREAD  the program: a thread of its own, waiting on the clock.
//   TICKED  window tests: no thread; work runs at once on the caller's
//           thread and reports come before the call returns; ticks come
//           from RunDue, which the window's timer calls after moving a
//           manual clock on by 100 ms. The wire sees what it saw when the
//           window did all this itself.
#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "core/board/board_commands.h"
#include "core/board/board_link.h"
#include "core/board/link_clock.h"
#include "core/board/runner.h"
#include "core/model/scenario.h"

enum class LinkJob {
  OPEN, SEND, ERASE, BREAK, RESET, CLEAR, PROGRAM, RUN, MOVE_RUN, STEP_RUN, PAUSE_RUN, RUN_SCENARIO, STOP_RUN, CLOSE
};

struct LinkReport {
  enum Kind {
    OPENING,        // the closed link is about to open
    ERASING,        // the erase message is about to go out
    PROGRAM_SCENE,  // Program: scene `number` (from 1) of `count` about to go out, `secondsLeft` to go
    STORING,        // Program: scene `number` (from 1) is being stored
    PROGRAMMED,     // Program: every scene stored; the closing break follows
    FINISHED,       // the work is over: `outcome` (`count`: scenes to program)
    RUN_STARTED,    // RUN: the first scene went out, the run plays
    RUN_SCENE,      // the run moved on to scene `number` (from 0); its send follows
    RUN_HOLD,       // the countdown `text` (seconds left, or "" to clear)
    RUN_LATE,       // the run's latest scene started `late` after the plan
    RUN_INPUT,      // input `number` became active
    RUN_FAILED,     // a send of the run failed: `outcome`
    RUN_STOPPED,    // the run stopped itself after RUN_FAILED
    RUN_PAUSED,     // the run paused (`number` 1) or went on (`number` 0)
    FILE_CHANGED,   // the board session: the watched file changed on disk
  };
  Kind kind = FINISHED;
  LinkJob job = LinkJob::OPEN;  // the work it belongs to (RUN for the run's own reports)
  bool automatic = false;       // SEND: an automatic one
  bool moved = false;           // RUN_SCENE: the answer to MoveRunTo (`number` -1: the run could not move)
  int run = 0;                  // the run's number (StartRun) for the run's reports
  int number = 0;
  int count = 0;
  double secondsLeft = 0;
  LinkDuration late{};
  std::string text;
  BoardOutcome outcome;
  bool cancelled = false;
};

class LinkListener {
 public:
  virtual ~LinkListener() = default;
  // On the worker's thread in THREAD mode; it must not call the worker
  // back there and then wait for it.
  virtual void OnLinkReport(const LinkReport& report) = 0;
};

class LinkWorker {
 public:
  enum class Mode { THREAD, TICKED };
  static constexpr int TICK_MS = RUNNER_TICK_MS;

  // `link`, `clock` and `listener` must outlive the worker; from now on
  // only the worker uses the link.
  LinkWorker(BoardLink& link, LinkClock& clock, LinkListener& listener, Mode mode = Mode::THREAD);
  ~LinkWorker();
  LinkWorker(const LinkWorker&) = delete;
  LinkWorker& operator=(const LinkWorker&) = delete;

  void Open(const BoardTarget& target);
  // `key` names the scene (its position) for coalescing automatic sends.
  void SendScene(const BoardTarget& target, const Scene& scene, int key, bool automatic);
  void Erase();
  void Break();
  void Reset(const BoardTarget& target);
  void Clear(const BoardTarget& target);
  // With `sendEachAhead`, each scene also goes out on its own just before
  // Program's send of it, as auto transfer does when Program shows it.
  void Program(const BoardTarget& target, const Scenario& scenario, bool sendEachAhead = false);
  // Program stops before its next scene (FINISHED with CANCELLED).
  void CancelProgram();
  // Sends `scene` and then plays `scenario` from it. `run` numbers it for
  // its reports, so that a caller can tell them from an earlier run's.
  void StartRun(const BoardTarget& target, const Scenario& scenario, int scene, int run);
  // The user chose `scene`: the run goes on from it with a new plan
  // (RUN_SCENE tells of it). Nothing without a run.
  void MoveRunTo(int scene);
  // The same with the scene `step` scenes on from the run's (wrapping).
  void StepRun(int step);
  // Holds the run's hold time, or lets it go on.
  void PauseRun(bool paused);
  // The run plays this scenario from its next tick on (a reload).
  void UpdateRunScenario(const Scenario& scenario);
  // Cancels, and the run ends.
  void StopRun();
  // Cancels, ends the run, closes the link and waits for that.
  void Close();

  // TICKED: runs the work and the ticks due at the clock's time now.
  void RunDue();
  // THREAD: waits until no work waits or runs and nothing is due at the
  // clock's time now. TICKED: returns at once.
  void WaitIdle();

 private:
  struct Job {
    LinkJob kind = LinkJob::OPEN;
    BoardTarget target;
    Scene scene;
    std::shared_ptr<const Scenario> scenario;
    int key = -1;
    bool automatic = false;
    int run = 0;
  };
  // The worker's side of the link: once a cancel is in effect, writes,
  // breaks and pauses reach nothing (and say they went well) and opens fail.
  class GuardedLink : public BoardLink {
   public:
    GuardedLink(BoardLink& link, const std::atomic<bool>& cancel) : m_link(link), m_cancel(cancel) {}
    int Open(const std::string& port, int baud) override;
    void Close() override { m_link.Close(); }
    bool IsOpen() const override { return m_link.IsOpen(); }
    int Write(const unsigned char* data, int length) override;
    void Break() override;
    void Pause(int milliseconds) override;
    unsigned char ReadInputs() override;
    // Whether anything was held back since the last call.
    bool TakeHeldBack();

   private:
    BoardLink& m_link;
    const std::atomic<bool>& m_cancel;
    bool m_heldBack = false;
    unsigned char m_inputs = 0x0F;
  };
  class RunView;

  void Post(Job job);
  void Cancel();
  void ThreadMain();
  // Does one piece of work, a tick or the run's due moment; false when
  // nothing was to do. `lock` is held on entry and return, not meanwhile.
  bool Step(std::unique_lock<std::mutex>& lock);
  bool DueLocked(LinkTime now) const;
  LinkTime NextWakeLocked() const;
  void Execute(Job& job);
  void Timed(bool tick);
  void Report(LinkReport report);
  // Closes the link once an erase under way has had its time.
  void CloseRawLink();
  void Finish(const Job& job, const BoardOutcome& outcome, int count = 0);
  BoardHooks Hooks(LinkJob job, bool automatic);

  BoardLink& m_rawLink;
  LinkClock& m_clock;
  LinkListener& m_listener;
  const Mode m_mode;
  std::atomic<bool> m_cancel{false};
  std::atomic<bool> m_programCancel{false};
  GuardedLink m_link;

  // Guarded by m_mutex.
  std::mutex m_mutex;
  std::condition_variable m_wake;
  std::condition_variable m_idle;
  std::deque<Job> m_queue;
  std::deque<Job> m_dropped;  // cancelled before they ran: FINISHED to report
  bool m_quit = false;
  bool m_executing = false;
  bool m_draining = false;  // TICKED: Step runs further up the stack
  LinkTime m_nextTick{};
  bool m_hasDue = false;
  LinkTime m_due{};

  // The worker's own (its thread, or the caller's in TICKED mode).
  std::unique_ptr<RunView> m_runView;
  Scenario m_runScenario;
  BoardTarget m_runTarget;
  int m_run = 0;
  Runner m_runner;
  bool m_reanchor = false;
  LinkTime m_anchor{};
  // When the boards are done with the erase last sent.
  LinkTime m_eraseEnds{};

  std::thread m_thread;
};
