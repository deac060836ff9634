// The scenario runner: plays the scenario on the boards, driven by the
// window's 100 ms timer, which also sends the keep-alive, watches the
// scenario file and reads the adapter's four inputs.
#include "gui/frame/lumivane_frame.h"

#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include "core/format/scenario_file.h"
#include "gui/app/app_state.h"
#include "gui/app/texts.h"
#include "gui/frame/link_view.h"
#include "gui/frame/scene_book.h"
#include "gui/frame/status_texts.h"

namespace {

constexpr int FILE_WATCH_TICKS = 50;  // every 5 seconds

int s_fileWatchTicks = 0;

}  // namespace

void LumivaneFrame::OnTransferRun(wxCommandEvent&) {
  CommitOpenEdits();
  if (!SaveScenario(false, false, false)) {
    return;
  }
  m_toolBar->ToggleTool(ID_AUTO_TRANSFER, false);
  m_activeScene = CurrentScene();
  // The link sends the scene, then plays; RunReport hears when it plays.
  StartRun();
}

void LumivaneFrame::OnStop(wxCommandEvent&) { StopRun(); }

void LumivaneFrame::OnTimer(wxTimerEvent&) { TimerTick(); }

void LumivaneFrame::TimerTick() {
  if (++s_fileWatchTicks >= FILE_WATCH_TICKS) {
    s_fileWatchTicks = 0;
    WatchScenarioFile();
  }
  if (m_linkTicked) {
    // This tick of the link: keep-alive, the run's hold and its inputs.
    m_tickClock.Advance(std::chrono::milliseconds(TIMER_PERIOD_MS));
    m_worker->RunDue();
  }
  ShowProgramProgress();
}

void LumivaneFrame::ReloadScenario() {
  // The window shows the file again: nothing is left to save.
  if (ReadScenario()) {
    if (m_running) {
      m_worker->UpdateRunScenario(m_document.GetScenario());
    }
    m_document.SetModified(false);
  }
}

void LumivaneFrame::WatchScenarioFile() {
  if (m_fileChangePending) {
    if (m_modalDepth > 0) {
      return;  // still under a dialog
    }
    m_fileChangePending = false;
    // A save, an open or a new scenario since then settled the question.
    if (m_document.Path().empty() || m_document.FileTime() != -1) {
      return;
    }
  } else {
    const std::string& file = m_document.Path();
    if (file.empty() || m_document.FileTime() == -1) {
      return;
    }
    // One look at the file: one that is gone or unreadable counts as unchanged.
    const time_t modified = ScenarioFileTime(file);
    if (modified == -1 || modified == m_document.FileTime()) {
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
  m_book->Select(scene, false);
}

void LumivaneFrame::RunReport(const LinkReport& report) {
  switch (report.kind) {
    case LinkReport::RUN_STARTED:
      SetStatus(LinkText(wxString::FromUTF8(m_app.settings.port), MSG_TRANSFERRED, MSG_TRANSFERRED_VIRTUAL), STATUS_MESSAGE);
      m_timer->Start(TIMER_PERIOD_MS, wxTIMER_CONTINUOUS);
      m_running = true;
      SetStatus(STATE_RUNNING, STATUS_STATE);
      break;
    case LinkReport::RUN_SCENE:
      GoToScene(report.number);
      break;
    case LinkReport::RUN_HOLD:
      m_holdCountdown = wxString::FromUTF8(report.text);
      ShowHoldField();
      break;
    case LinkReport::RUN_LATE:
      m_runLate = report.late;
      ShowHoldField();
      break;
    case LinkReport::RUN_INPUT:
      SetStatus(InputActiveMessage(report.number, m_document.GetScenario()), STATUS_MESSAGE);
      break;
    case LinkReport::RUN_FAILED:
      if (report.outcome.result == BoardResult::OPEN_FAILED) {
        ReportOpenFailure();
      } else {
        ReportTransmitFailure();
      }
      break;
    case LinkReport::RUN_STOPPED:
      StopRun();
      break;
    default:
      break;
  }
}

void LumivaneFrame::ShowHoldField() {
  wxString text = m_holdCountdown;
  const bool late = m_runLate > std::chrono::milliseconds(RUN_LATE_SHOWN_MS);
  if (late) {
    text += (text.empty() ? "" : "  ") +
            wxString::Format(MSG_RUN_LATE, std::chrono::duration<double>(m_runLate).count());
  }
  // The field widens while it tells the lateness.
  SetStatusFieldWidths(m_statusBar, late);
  SetStatus(text, STATUS_HOLD);
}
