#pragma once
// The scenario runner as a state machine: it plays a scenario on the boards,
// moved on by 100 ms ticks (hold times), by the adapter's four inputs and
// by the user. It sends nothing itself: it asks its output to show and send
// scenes, so the window keeps its pages, texts and messages.
//
// How a caller uses it (the window's code in brackets):
//   [OnTransferRun]  send the current scene; when that worked, Start(scene).
//   [StopRun]        Stop(); a run that stops itself calls RunStopped().
//   [TimerTick]      every 100 ms: KeepAlive(link); then the file watch;
//                    then AdvanceHold(); then, if Running(), PollInputs(link).
//                    Tick(link) does the three in that order.
//   [StepScene]      show the scene chosen, then MoveTo(scene).
//   A scenario reloaded during a run is fine: the runner reads the scenario
//   it was given at every tick.
//
// Time: without a clock, each AdvanceHold is 100 ms (lumivane-cli and its
// tests tick it). With a clock (the board link's worker, link_worker.h) a
// run keeps time: scene k is planned at t0 + the holds before it, and
// AdvanceHold may come at any moment; NextDue says when the next scene is
// planned. A send that ends after the next scene's planned start moves the
// plan by that overrun only; a pause moves it by the paused time; a scene
// chosen by the user or an input starts a new plan.
#include <functional>
#include <string>

#include "core/board/link_clock.h"
#include "core/model/scenario.h"

class BoardLink;

constexpr int RUNNER_TICK_MS = 100;

// What the runner needs done.
class RunnerOutput {
 public:
  virtual ~RunnerOutput() = default;
  // The run moves on to `scene` (from 0); SendScene(scene) follows.
  virtual void ShowScene(int scene) = 0;
  // Sends `scene` to the boards; false when that failed (the caller has told
  // the user, the runner stops).
  virtual bool SendScene(int scene) = 0;
  // The hold countdown: seconds left as "%.1f", or "" to clear it.
  virtual void ShowHold(const std::string& text) = 0;
  // Input `input` (1..4) became active.
  virtual void ShowInputActive(int input) = 0;
  // The run stopped itself after a failed send; Running() is false already.
  virtual void RunStopped() = 0;
  // With a clock, at each scene the run moves on to: how far its start came
  // after the run's plan, overruns included (0 when on time).
  virtual void ShowLate(LinkDuration) {}
  // The run paused or went on.
  virtual void ShowPaused(bool) {}
};

class Runner {
 public:
  using Clock = std::function<LinkTime()>;

  // Both must outlive the runner. Without a clock each AdvanceHold is a tick.
  Runner(const Scenario& scenario, RunnerOutput& output, Clock clock = {})
      : m_scenario(scenario), m_output(output), m_clock(std::move(clock)) {}

  // Runs from `scene`, which the caller has just sent: the hold starts at 0,
  // not paused, the keep-alive count starts again.
  void Start(int scene);
  // The same with the moment the scene's send began as the plan's t0.
  void Start(int scene, LinkTime planStart);
  void Stop();
  bool Running() const { return m_running; }
  bool Paused() const { return m_paused; }
  // The scene on the boards while running; -1 when stopped.
  int ActiveScene() const { return m_active; }
  // Ticks the active scene has been held.
  long HoldTicks() const;
  // When the active scene's hold is planned to end; false when none is
  // (stopped, paused, or a hold of 0).
  bool NextDue(LinkTime* due) const;
  // The input levels the runner last settled on (bits 0..3, low = active).
  unsigned char InputState() const { return m_inputState; }

  // Every tick, running or not: every 10th sends the sync message as a
  // keep-alive when the link is open.
  void KeepAlive(BoardLink& link);
  // One tick of the hold: a scene whose hold (in whole ticks) is over gives
  // way to the next, after the last the first; a hold of 0 stays. The
  // countdown shows every 5 ticks left. A paused run counts no ticks.
  // With a clock: the hold as at the clock's time now.
  void AdvanceHold();
  // Reads the inputs and, when they settled on new levels, ApplyInputs.
  void PollInputs(BoardLink& link);
  // Settled levels: each input that became active (low) does what the
  // scenario's code for it says: previous, next, pause on/off, or go to a
  // scene; a scene the scenario lacks switches nothing.
  void ApplyInputs(unsigned char levels);
  // KeepAlive, AdvanceHold and PollInputs in the window's order.
  void Tick(BoardLink& link);
  // The user chose `scene` while running: the run goes on from it, with
  // the hold from 0. Does nothing when not running.
  void MoveTo(int scene);
  // Holds the hold time (paused) or lets it go on, as the pause input does.
  void SetPaused(bool paused);

 private:
  LinkTime Now() const { return m_clock ? m_clock() : m_tickTime; }
  LinkDuration HoldOf(int scene) const;
  // A new plan from now: the user's or an input's choice.
  void PlanFromNow();
  void TogglePause();
  bool GoTo(int scene);
  bool Send(int scene);
  void StopAfterFailure();

  const Scenario& m_scenario;
  RunnerOutput& m_output;
  Clock m_clock;
  LinkTime m_tickTime{};  // without a clock: 100 ms a tick
  bool m_running = false;
  bool m_paused = false;
  int m_active = -1;
  // The active scene's start as planned now (overruns and pauses moved)
  // and as the run's plan has it (pauses and new plans only).
  LinkTime m_planStart{};
  LinkTime m_scheduleStart{};
  LinkTime m_pausedAt{};
  LinkTime m_sendEnded{};  // when the last send returned
  int m_keepAliveTicks = 0;
  unsigned char m_inputState = 0x0F;
};

// Reads the inputs once; when they differ from `known`, waits for them to
// settle: 5 equal readings in a row, 5 ms apart, at most 40 readings (a line
// that keeps flickering is left for the next tick). True with the settled
// levels when those differ from `known`.
bool ReadSettledInputs(BoardLink& link, unsigned char known, unsigned char* levels);

// The scene `step` pages from `current` (wrapping); a current scene past the
// end counts as the first. `count` must be at least 1.
int StepTarget(int current, int step, int count);
