// The scenario runner: plays the scenario on the boards, driven by the
// window's 100 ms timer, which also sends the keep-alive, watches the
// scenario file and reads the adapter's four inputs.
#include "gui/frame/lumivane_frame.h"

#include <algorithm>
#include <cmath>

#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include "gui/app/lumivane_app.h"
#include "gui/app/texts.h"
#include "core/board/pause.h"
#include "core/board/protocol_bytes.h"
#include "core/serial/serial.h"

namespace {

constexpr int KEEP_ALIVE_TICKS = 10;   // once a second
constexpr int FILE_WATCH_TICKS = 50;   // every 5 seconds
constexpr int DEBOUNCE_STEP_MS = 5;
constexpr int DEBOUNCE_EQUAL_READINGS = 5;
constexpr int DEBOUNCE_MAX_READINGS = 40;  // about 200 ms, then try again next tick

int s_fileWatchTicks = 0;

// Hold times count in whole timer ticks, so that a hold of h seconds lasts
// exactly h * 10 ticks.
long Ticks(double seconds) { return std::lround(seconds * 10); }

}  // namespace

void LumivaneFrame::OnTransferRun(wxCommandEvent&) {
  CommitOpenEdits();
  if (!SaveScenario(false, false, false)) {
    return;
  }
  m_toolBar->ToggleTool(ID_AUTO_TRANSFER, false);
  m_activeScene = CurrentScene();
  if (!SendScene(-1, false)) {
    return;
  }
  SetStatus(MSG_TRANSFERRED, STATUS_MESSAGE);
  m_holdElapsed = 0;
  m_timer->Start(TIMER_PERIOD_MS, wxTIMER_CONTINUOUS);
  m_paused = false;
  m_running = true;
  m_keepAliveTicks = 0;
  SetStatus(STATE_RUNNING, STATUS_STATE);
}

void LumivaneFrame::OnStop(wxCommandEvent&) { StopRun(); }

void LumivaneFrame::OnSetAllFade(wxCommandEvent&) {
  const int source = SetAllSource();
  if (source < 0) {
    return;
  }
  m_document.SetAllFade(m_document.GetScene(source).fade);
  AutoTransfer(-1);
  SetModified(true);
}

void LumivaneFrame::OnTimer(wxTimerEvent&) { TimerTick(); }

void LumivaneFrame::TimerTick() {
  if (++m_keepAliveTicks >= KEEP_ALIVE_TICKS) {
    if (serial_isopen()) {
      WriteBoardMessage(SyncMessage());
    }
    m_keepAliveTicks = 0;
  }

  if (++s_fileWatchTicks >= FILE_WATCH_TICKS) {
    s_fileWatchTicks = 0;
    WatchScenarioFile();
  }

  if (!m_running) {
    return;
  }
  AdvanceHold();
  if (m_running) {
    PollInputs();
  }
}

void LumivaneFrame::ReloadScenario() {
  ReadScenario();
  ClearUndoHistory();
}

void LumivaneFrame::WatchScenarioFile() {
  if (m_fileChangePending) {
    if (m_modalDepth > 0) {
      return;  // still under a dialog
    }
    m_fileChangePending = false;
  } else {
    const wxString& file = g_app->m_scenarioFile;
    if (file.empty() || m_document.FileTime() == -1 || !wxFileName::FileExists(file)) {
      return;
    }
    const time_t changed = wxFileName(file).GetModificationTime().GetTicks();
    if (changed == -1 || changed == m_document.FileTime()) {
      return;
    }
    // Off until the next load or save, so one outside change asks once, also
    // while the question below is open and the timer goes on.
    m_document.SetFileTime(-1);
    if (m_modalDepth > 0) {
      // A command waits for the user in a dialog and may hold a scene's
      // position: the question comes once the dialog is gone.
      m_fileChangePending = true;
      return;
    }
  }
  if (m_running) {
    ReloadScenario();
    return;
  }
  wxString question = ASK_FILE_CHANGED;
  if (m_document.IsModified()) {
    question += ASK_FILE_CHANGED_LOSE;
  }
  question += ASK_RELOAD;
  if (ShowMessage(question, CAPTION_FILE_CHANGED, wxYES_NO | wxICON_QUESTION) == wxYES) {
    ReloadScenario();
  }
}

void LumivaneFrame::GoToScene(int scene) {
  m_activeScene = scene;
  m_pageEventsEnabled = false;
  m_notebook->SetSelection(scene);
  m_pageEventsEnabled = true;
}

void LumivaneFrame::AdvanceHold() {
  const int count = SceneCount();
  if (count == 0 || m_activeScene < 0) {
    return;
  }
  if (m_activeScene >= count) {
    m_activeScene = count - 1;  // a reload left fewer scenes
  }
  if (!m_paused) {
    m_holdElapsed = (Ticks(m_holdElapsed) + 1) / 10.0;
  }
  long holdTicks = Ticks(m_document.GetScene(m_activeScene).hold);
  if (holdTicks < 1) {
    return;  // no hold time: the scene stays until the user or an input moves on
  }
  if (Ticks(m_holdElapsed) >= holdTicks) {
    GoToScene((m_activeScene + 1) % count);
    if (!SendScene(-1, false)) {
      StopRun();
      return;
    }
    m_holdElapsed = 0;
    SetStatus("", STATUS_HOLD);
    holdTicks = Ticks(m_document.GetScene(m_activeScene).hold);
    if (holdTicks < 1) {
      return;
    }
  }
  const long remaining = holdTicks - Ticks(m_holdElapsed);
  if (remaining % 5 == 0) {
    SetStatus(wxString::Format("%.1f", remaining / 10.0), STATUS_HOLD);
  }
}

void LumivaneFrame::PollInputs() {
  unsigned char levels = serial_getbits(0, 0);
  if (levels == m_inputState) {
    return;
  }
  // Wait for the inputs to settle: five equal readings in a row. A line that
  // keeps flickering is left for the next tick.
  int equal = 0;
  for (int reading = 0; equal < DEBOUNCE_EQUAL_READINGS; ++reading) {
    if (reading == DEBOUNCE_MAX_READINGS) {
      return;
    }
    PauseMilliseconds(DEBOUNCE_STEP_MS);
    const unsigned char again = serial_getbits(0, 0);
    if (again == levels) {
      ++equal;
    } else {
      levels = again;
      equal = 0;
    }
  }
  if (levels == m_inputState) {
    return;
  }
  const unsigned char changed = m_inputState ^ levels;
  m_inputState = levels;

  const int count = SceneCount();
  for (int input = 1; input <= INPUT_COUNT && m_running; ++input) {
    const unsigned char bit = 1 << (input - 1);
    if (!(changed & bit) || (levels & bit)) {
      continue;  // inputs are active low; only a new activation counts
    }
    const int code = m_document.GetScenario().inputs[input - 1];
    int target = m_activeScene;
    if (code == INPUT_PREVIOUS) {
      target = (m_activeScene + count - 1) % count;
    } else if (code == INPUT_NEXT) {
      target = (m_activeScene + 1) % count;
    } else if (code == INPUT_PAUSE) {
      m_paused = !m_paused;
    } else if (code >= 0 && code < count) {
      target = code;
    }
    // A code naming a scene the scenario doesn't have switches nothing.
    if (target != m_activeScene) {
      GoToScene(target);
      if (!SendScene(-1, false)) {
        StopRun();
      }
      m_holdElapsed = 0;
    }
    SetStatus(wxString::Format(MSG_INPUT_ACTIVE, input), STATUS_MESSAGE);
  }
}
