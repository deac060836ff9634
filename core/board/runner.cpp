#include "core/board/runner.h"

#include <cmath>
#include <cstdio>

#include "core/board/board_link.h"
#include "core/board/protocol_bytes.h"

namespace {

constexpr int KEEP_ALIVE_TICKS = 10;  // once a second
constexpr int COUNTDOWN_TICKS = 5;
constexpr int DEBOUNCE_STEP_MS = 5;
constexpr int DEBOUNCE_EQUAL_READINGS = 5;
constexpr int DEBOUNCE_MAX_READINGS = 40;  // about 200 ms, then try again next tick

// Hold times count in whole ticks, so that a hold of h seconds lasts
// exactly h * 10 ticks.
long Ticks(double seconds) { return std::lround(seconds * 10); }

std::string Countdown(long ticks) {
  char text[32];
  snprintf(text, sizeof text, "%.1f", ticks / 10.0);
  return text;
}

}  // namespace

void Runner::Start(int scene) {
  m_active = scene;
  m_holdTicks = 0;
  m_paused = false;
  m_running = true;
  m_keepAliveTicks = 0;
}

void Runner::Stop() {
  m_active = -1;
  m_holdTicks = 0;
  m_running = false;
}

void Runner::StopAfterFailure() {
  Stop();
  m_output.RunStopped();
}

bool Runner::GoTo(int scene) {
  m_active = scene;
  m_output.ShowScene(scene);
  if (!m_output.SendScene(scene)) {
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
  const int count = static_cast<int>(m_scenario.scenes.size());
  if (!m_running || count == 0 || m_active < 0) {
    return;
  }
  if (m_active >= count) {
    m_active = count - 1;  // a reload left fewer scenes
  }
  if (!m_paused) {
    ++m_holdTicks;
  }
  long holdTicks = Ticks(m_scenario.scenes[m_active].hold);
  if (holdTicks < 1) {
    return;  // no hold time: the scene stays until the user or an input moves on
  }
  if (m_holdTicks >= holdTicks) {
    if (!GoTo((m_active + 1) % count)) {
      return;
    }
    m_holdTicks = 0;
    m_output.ShowHold("");
    holdTicks = Ticks(m_scenario.scenes[m_active].hold);
    if (holdTicks < 1) {
      return;
    }
  }
  const long remaining = holdTicks - m_holdTicks;
  if (remaining % COUNTDOWN_TICKS == 0) {
    m_output.ShowHold(Countdown(remaining));
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
      m_paused = !m_paused;
    } else if (code >= 0 && code < count) {
      target = code;
    }
    // A code naming a scene the scenario doesn't have switches nothing.
    if (target != m_active) {
      GoTo(target);
      m_holdTicks = 0;
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
  if (!m_output.SendScene(scene)) {
    StopAfterFailure();
  }
  m_holdTicks = 0;
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
