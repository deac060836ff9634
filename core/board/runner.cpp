#include "core/board/runner.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/board/board_link.h"
#include "core/board/protocol_bytes.h"
#include "core/i18n/c_numeric_scope.h"

namespace {

constexpr int KEEP_ALIVE_TICKS = 10;  // once a second
constexpr int COUNTDOWN_TICKS = 5;
constexpr int DEBOUNCE_STEP_MS = 5;
constexpr int DEBOUNCE_EQUAL_READINGS = 5;
constexpr int DEBOUNCE_MAX_READINGS = 40;  // about 200 ms, then try again next tick
constexpr LinkDuration RUNNER_TICK = std::chrono::milliseconds(RUNNER_TICK_MS);

std::string Countdown(long ticks) {
  const CNumericScope decimalPoint;
  char text[32];
  snprintf(text, sizeof text, "%.1f", ticks / 10.0);
  return text;
}

}  // namespace

void Runner::Start(int scene) { Start(scene, Now()); }

void Runner::Start(int scene, LinkTime planStart) {
  m_active = scene;
  m_paused = false;
  m_running = true;
  m_keepAliveTicks = 0;
  m_planStart = planStart;
  m_scheduleStart = planStart;
  m_sendEnded = Now();
}

void Runner::Stop() {
  m_active = -1;
  m_running = false;
}

long Runner::HoldTicks() const {
  if (!m_running) {
    return 0;
  }
  return static_cast<long>(((m_paused ? m_pausedAt : Now()) - m_planStart) / RUNNER_TICK);
}

bool Runner::NextDue(LinkTime* due) const {
  const int count = static_cast<int>(m_scenario.scenes.size());
  if (!m_running || m_paused || count == 0 || m_active < 0) {
    return false;
  }
  const LinkDuration hold = HoldOf(std::min(m_active, count - 1));
  if (hold < RUNNER_TICK) {
    return false;
  }
  *due = m_planStart + hold;
  return true;
}

LinkDuration Runner::HoldOf(int scene) const { return m_scenario.scenes[scene].hold.Ticks() * RUNNER_TICK; }

void Runner::PlanFromNow() {
  const LinkTime now = Now();
  m_planStart = now;
  m_scheduleStart = now;
  if (m_paused) {
    m_pausedAt = now;
  }
  m_output.ShowLate(LinkDuration::zero());
}

void Runner::StopAfterFailure() {
  Stop();
  m_output.RunStopped();
}

bool Runner::Send(int scene) {
  const bool sent = m_output.SendScene(scene);
  m_sendEnded = Now();
  return sent;
}

bool Runner::GoTo(int scene) {
  m_active = scene;
  m_output.ShowScene(scene);
  if (!Send(scene)) {
    StopAfterFailure();
    return false;
  }
  return true;
}

void Runner::KeepAlive(BoardLink& link) {
  if (++m_keepAliveTicks >= KEEP_ALIVE_TICKS) {
    if (link.IsOpen()) {
      WriteBoardMessage(link, SyncMessage());
    }
    m_keepAliveTicks = 0;
  }
}

void Runner::AdvanceHold() {
  if (!m_clock) {
    m_tickTime += RUNNER_TICK;
  }
  const int count = static_cast<int>(m_scenario.scenes.size());
  if (!m_running || count == 0 || m_active < 0) {
    return;
  }
  if (m_active >= count) {
    m_active = count - 1;  // a reload left fewer scenes
  }
  const LinkTime now = Now();
  LinkDuration hold = HoldOf(m_active);
  if (hold < RUNNER_TICK) {
    return;  // no hold time: the scene stays until the user or an input moves on
  }
  if (!m_paused && now >= m_planStart + hold) {
    // The next scene starts now. The plan moves by a send that ended after
    // its planned start, not by a late wake-up.
    const LinkTime planned = m_planStart + hold;
    m_planStart = std::max(planned, m_sendEnded);
    m_scheduleStart += hold;
    m_output.ShowLate(std::max(LinkDuration::zero(), now - m_scheduleStart));
    if (!GoTo((m_active + 1) % count)) {
      return;
    }
    m_output.ShowHold("");
    hold = HoldOf(m_active);
    if (hold < RUNNER_TICK) {
      return;
    }
  }
  const LinkDuration remaining = m_planStart + hold - (m_paused ? m_pausedAt : now);
  const long ticks = std::lround(std::chrono::duration<double>(remaining) / std::chrono::duration<double>(RUNNER_TICK));
  if (ticks > 0 && ticks % COUNTDOWN_TICKS == 0) {
    m_output.ShowHold(Countdown(ticks));
  }
}

void Runner::PollInputs(BoardLink& link) {
  unsigned char levels = 0;
  if (m_running && ReadSettledInputs(link, m_inputState, &levels)) {
    ApplyInputs(levels);
  }
}

void Runner::ApplyInputs(unsigned char levels) {
  if (!m_running || levels == m_inputState) {
    return;
  }
  const unsigned char changed = m_inputState ^ levels;
  m_inputState = levels;

  const int count = static_cast<int>(m_scenario.scenes.size());
  for (int input = 1; input <= INPUT_COUNT && m_running && count > 0; ++input) {
    const unsigned char bit = 1 << (input - 1);
    if (!(changed & bit) || (levels & bit)) {
      continue;  // inputs are active low; only a new activation counts
    }
    const int code = m_scenario.inputs[input - 1];
    int target = m_active;
    if (code == INPUT_PREVIOUS) {
      target = (m_active + count - 1) % count;
    } else if (code == INPUT_NEXT) {
      target = (m_active + 1) % count;
    } else if (code == INPUT_PAUSE) {
      TogglePause();
    } else if (code >= 0 && code < count) {
      target = code;
    }
    // A code naming a scene the scenario doesn't have switches nothing.
    if (target != m_active) {
      PlanFromNow();
      GoTo(target);
    }
    m_output.ShowInputActive(input);
  }
}

void Runner::Tick(BoardLink& link) {
  KeepAlive(link);
  AdvanceHold();
  PollInputs(link);
}

void Runner::MoveTo(int scene) {
  if (!m_running) {
    return;
  }
  m_active = scene;
  PlanFromNow();
  if (!Send(scene)) {
    StopAfterFailure();
  }
}

void Runner::TogglePause() {
  const LinkTime now = Now();
  if (!m_paused) {
    m_pausedAt = now;
  } else {
    // The plan moves by the time the run stood still.
    m_planStart += now - m_pausedAt;
    m_scheduleStart += now - m_pausedAt;
  }
  m_paused = !m_paused;
  m_output.ShowPaused(m_paused);
}

void Runner::SetPaused(bool paused) {
  if (m_running && paused != m_paused) {
    TogglePause();
  }
}

bool ReadSettledInputs(BoardLink& link, unsigned char known, unsigned char* levels) {
  unsigned char settled = link.ReadInputs();
  if (settled == known) {
    return false;
  }
  int equal = 0;
  for (int reading = 0; equal < DEBOUNCE_EQUAL_READINGS; ++reading) {
    if (reading == DEBOUNCE_MAX_READINGS) {
      return false;
    }
    link.Pause(DEBOUNCE_STEP_MS);
    const unsigned char again = link.ReadInputs();
    if (again == settled) {
      ++equal;
    } else {
      settled = again;
      equal = 0;
    }
  }
  if (settled == known) {
    return false;
  }
  *levels = settled;
  return true;
}

int StepTarget(int current, int step, int count) {
  if (current >= count) {
    current = 0;
  }
  return (count + current + step) % count;
}
