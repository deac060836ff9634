// The scenario runner: the board session plays the scenario on the boards
// and watches the scenario file; the window's 100 ms timer ticks it, and the
// window shows what it tells.
#include "gui/frame/lumivane_frame.h"

#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/timer.h>

#include "core/format/scenario_file.h"
#include "gui/app/app_state.h"
#include "gui/app/texts.h"
#include "gui/frame/link_view.h"
#include "gui/frame/scene_book.h"
#include "gui/frame/status_texts.h"

namespace {

// The window asks before it reloads a file changed on disk, so a look every
// 5 seconds is enough and keeps the question from coming at every save of
// another program.
constexpr int FILE_WATCH_TICKS = 50;

}  // namespace

void LumivaneFrame::OnTransferRun(wxCommandEvent&) {
  CommitOpenEdits();
  if (!SaveScenario(false, false, false)) {
    return;
  }
  SwitchAutoTransferOff();
  m_activeScene = CurrentScene();
  // The link sends the scene, then plays; RunReport hears when it plays.
  StartRun();
}

void LumivaneFrame::TimerTick() {
  // The file watch; when ticked, the link's keep-alive, the run's hold and
  // its inputs.
  m_session->Tick();
  m_programProgress.Show(*m_session);
}

void LumivaneFrame::ReloadScenario() {
  // The window shows the file again: nothing is left to save.
  if (ReadScenario()) {
    // A run plays the file as read from its next tick on.
    m_session->UpdateScenario(m_document.GetScenario());
    m_document.SetModified(false);
  }
}

void LumivaneFrame::WatchScenarioFile() {
  m_session->WatchFile(FILE_WATCH_TICKS, [this] {
    return WatchedFile{m_document.Path(), m_document.FileTime()};
  });
}

void LumivaneFrame::ScenarioFileChanged() {
  // Off until the next load or save, so one outside change asks once, also
  // while the question below is open and the timer goes on.
  m_document.SetFileTime(-1);
  if (m_modalDepth > 0) {
    // A command waits for the user in a dialog and may hold a scene's
    // position: the question comes once the dialog is gone.
    m_fileChangePending = true;
    return;
  }
  AskAboutChangedFile();
}

void LumivaneFrame::AskAboutChangedFile() {
  if (m_fileChangePending) {
    if (m_modalDepth > 0) {
      return;  // still under a dialog
    }
    m_fileChangePending = false;
    // A save, an open or a new scenario since then settled the question.
    if (m_document.Path().empty() || m_document.FileTime() != -1) {
      return;
    }
  }
  if (IsRunning()) {
    ReloadScenario();
    return;
  }
  wxString question = _(ASK_FILE_CHANGED);
  if (m_document.IsModified()) {
    question += _(ASK_FILE_CHANGED_LOSE);
  }
  question += _(ASK_RELOAD);
  if (ShowMessage(question, _(CAPTION_FILE_CHANGED), wxYES_NO | wxICON_QUESTION) == wxYES) {
    ReloadScenario();
  }
}

void LumivaneFrame::GoToScene(int scene) {
  if (scene < 0 || scene >= SceneCount()) {
    return;  // a scene of a scenario since reloaded with fewer
  }
  m_activeScene = scene;
  m_book->Select(scene, false);
}

void LumivaneFrame::RunReport(const LinkReport& report) {
  switch (report.kind) {
    case LinkReport::RUN_STARTED:
      SetStatus(LinkText(wxString::FromUTF8(m_app.settings.port), _(MSG_TRANSFERRED), _(MSG_TRANSFERRED_VIRTUAL)), STATUS_MESSAGE);
      m_timer->Start(TIMER_PERIOD_MS, wxTIMER_CONTINUOUS);
      SetStatus(_(STATE_RUNNING), STATUS_STATE);
      break;
    case LinkReport::RUN_SCENE:
      GoToScene(report.number);
      break;
    case LinkReport::RUN_HOLD:
    case LinkReport::RUN_LATE:
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
  const BoardSnapshot run = m_session->Snapshot();
  wxString text = wxString::FromUTF8(run.remaining);
  const bool late = run.late > std::chrono::milliseconds(RUN_LATE_SHOWN_MS);
  if (late) {
    text += (text.empty() ? "" : "  ") +
            wxString::Format(_(MSG_RUN_LATE), std::chrono::duration<double>(run.late).count());
  }
  // The field widens while it tells the lateness.
  SetStatusFieldWidths(GetStatusBar(), late);
  SetStatus(text, STATUS_HOLD);
}
