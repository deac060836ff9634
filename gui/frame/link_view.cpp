// What the board session tells, on the window's thread: status texts,
// messages, the page of the scene on the boards, Program's progress, and the
// scenario file changed on disk.
#include "gui/frame/link_view.h"

#include <wx/app.h>
#include <wx/notebook.h>
#include <wx/timer.h>

#include "gui/app/app_state.h"
#include "gui/app/texts.h"
#include "gui/frame/status_texts.h"

void LumivaneFrame::LinkView::ReportTransmitFailure() {
  // The link closed the port, since the adapter may be gone: the next
  // command opens it afresh. Auto transfer stops repeating the message.
  m_frame->SwitchAutoTransferOff();
  m_frame->m_lastLinkFailure = LINK_WRITE_FAILED;
  m_frame->ShowError(_(ERR_TRANSMIT));
}

void LumivaneFrame::LinkView::ReportOpenFailure() {
  wxString message = _(ERR_PORT_INIT);
  if (m_frame->m_session->Snapshot().autoTransfer) {
    message += _(ERR_AUTO_TRANSMIT_OFF);
    m_frame->SwitchAutoTransferOff();
  }
  m_frame->m_lastLinkFailure = LINK_OPEN_FAILED;
  m_frame->ShowError(message);
}

void LumivaneFrame::LinkView::LinkView::OnBoardEvent(const BoardEvent& report) {
  if (report.kind == LinkReport::FINISHED) {
    LinkFinished(report);
    return;
  }
  switch (report.kind) {
    case LinkReport::OPENING:
      if (report.job == LinkJob::RESET || report.job == LinkJob::CLEAR) {
        m_frame->SetStatus(_(MSG_RESETTING_BOARDS), STATUS_MESSAGE);
      } else if (report.job == LinkJob::OPEN) {
        m_frame->SetStatus(m_frame->m_openingText, STATUS_MESSAGE);
      } else {
        m_frame->SetStatus(LinkText(wxString::FromUTF8(m_frame->m_app.settings.port), _(MSG_OPENING_PORT), _(MSG_OPENING_VIRTUAL)), STATUS_MESSAGE);
      }
      break;
    case LinkReport::ERASING:
      m_frame->SetStatus(_(MSG_ERASING_ROM), STATUS_MESSAGE);
      break;
    case LinkReport::PROGRAM_SCENE:
      m_frame->GoToScene(report.number - 1);
      m_frame->m_programProgress.Show(*m_frame->m_session);
      break;
    case LinkReport::FILE_CHANGED:
      ScenarioFileChanged();
      break;
    case LinkReport::STORING:
      m_frame->SetStatus(wxString::Format(_(MSG_WRITING_SCENE), report.number), STATUS_MESSAGE);
      break;
    case LinkReport::PROGRAMMED:
      m_frame->m_programProgress.End();
      m_frame->SetStatus(_(MSG_PROGRAMMING_DONE), STATUS_MESSAGE);
      m_frame->ShowMessage(_(BOX_PROGRAMMING_DONE), CAPTION_LUMIVANE, wxOK | wxICON_INFORMATION);
      break;
    default:
      RunReport(report);
      break;
  }
}

void LumivaneFrame::LinkView::LinkFinished(const LinkReport& report) {
  const bool busy = report.job == LinkJob::RESET || report.job == LinkJob::CLEAR || report.job == LinkJob::PROGRAM;
  if (busy) {
    m_frame->m_linkBusy.End();
  }
  if (report.job == LinkJob::PROGRAM) {
    m_frame->m_programProgress.End();
  }
  if (report.cancelled) {
    return;
  }
  const BoardOutcome& outcome = report.outcome;
  switch (report.job) {
    case LinkJob::OPEN:
      if (outcome.result != BoardResult::OK) {
        m_frame->m_lastLinkFailure = LINK_OPEN_FAILED;
      }
      break;
    case LinkJob::ERASE:
      if (outcome.result != BoardResult::OK) {
        m_frame->m_lastLinkFailure = LINK_WRITE_FAILED;
      }
      break;
    case LinkJob::RUN:
      if (report.run != m_frame->m_session->CurrentRun()) {
        break;
      }
      [[fallthrough]];
    case LinkJob::SEND:
      // An automatic send that fails after auto transfer went off was told already.
      if (outcome.result == BoardResult::OK ||
          (report.automatic && !m_frame->m_session->Snapshot().autoTransfer)) {
        break;
      }
      if (outcome.result == BoardResult::OPEN_FAILED) {
        ReportOpenFailure();
      } else {
        ReportTransmitFailure();
      }
      break;
    case LinkJob::RESET:
      if (outcome.result != BoardResult::OK) {
        m_frame->ShowError(_(ERR_PORT_INIT));
      }
      break;
    case LinkJob::CLEAR:
      if (outcome.result == BoardResult::OPEN_FAILED) {
        m_frame->ShowError(_(ERR_PORT_INIT));
      } else if (outcome.result == BoardResult::WRITE_FAILED) {
        ReportTransmitFailure();
      }
      break;
    case LinkJob::PROGRAM:
      m_frame->m_activeScene = outcome.scenesStored;  // where the programming stopped
      if (outcome.result == BoardResult::OPEN_FAILED) {
        // The port message, then what it means for the programming.
        ReportOpenFailure();
        m_frame->ShowError(_(ERR_TRANSMIT));
      } else if (outcome.result == BoardResult::WRITE_FAILED) {
        ReportTransmitFailure();
      } else if (outcome.result == BoardResult::CANCELLED) {
        const wxString message = wxString::Format(_(MSG_PROGRAMMING_CANCELLED), outcome.scenesStored, report.count);
        m_frame->SetStatus(message, STATUS_MESSAGE);
        m_frame->ShowMessage(message, CAPTION_LUMIVANE, wxOK | wxICON_INFORMATION);
      }
      break;
    default:
      break;
  }
}

void LumivaneFrame::LinkView::ReloadScenario() {
  // The window shows the file again: nothing is left to save.
  if (m_frame->ReadScenario()) {
    // A run plays the file as read from its next tick on.
    m_frame->m_session->UpdateScenario(m_frame->m_document.GetScenario());
    m_frame->m_document.SetModified(false);
  }
}

void LumivaneFrame::LinkView::ScenarioFileChanged() {
  // Off until the next load or save, so one outside change asks once, also
  // while the question below is open and the timer goes on.
  m_frame->m_document.SetFileTime(-1);
  if (m_frame->m_modalDepth > 0) {
    // A command waits for the user in a dialog and may hold a scene's
    // position: the question comes once the dialog is gone.
    m_frame->m_fileChangePending = true;
    return;
  }
  AskAboutChangedFile();
}

void LumivaneFrame::LinkView::AskAboutChangedFile() {
  if (m_frame->m_fileChangePending) {
    if (m_frame->m_modalDepth > 0) {
      return;  // still under a dialog
    }
    m_frame->m_fileChangePending = false;
    // A save, an open or a new scenario since then settled the question.
    if (m_frame->m_document.Path().empty() || m_frame->m_document.FileTime() != -1) {
      return;
    }
  }
  if (m_frame->Session().Running()) {
    ReloadScenario();
    return;
  }
  wxString question = _(ASK_FILE_CHANGED);
  if (m_frame->m_document.IsModified()) {
    question += _(ASK_FILE_CHANGED_LOSE);
  }
  question += _(ASK_RELOAD);
  if (m_frame->ShowMessage(question, _(CAPTION_FILE_CHANGED), wxYES_NO | wxICON_QUESTION) == wxYES) {
    ReloadScenario();
  }
}

void LumivaneFrame::LinkView::RunReport(const LinkReport& report) {
  switch (report.kind) {
    case LinkReport::RUN_STARTED:
      m_frame->SetStatus(LinkText(wxString::FromUTF8(m_frame->m_app.settings.port), _(MSG_TRANSFERRED), _(MSG_TRANSFERRED_VIRTUAL)), STATUS_MESSAGE);
      m_frame->m_timer->Start(TIMER_PERIOD_MS, wxTIMER_CONTINUOUS);
      m_frame->SetStatus(_(STATE_RUNNING), STATUS_STATE);
      break;
    case LinkReport::RUN_SCENE:
      m_frame->GoToScene(report.number);
      break;
    case LinkReport::RUN_HOLD:
    case LinkReport::RUN_LATE:
      ShowHoldField();
      break;
    case LinkReport::RUN_INPUT:
      m_frame->SetStatus(InputActiveMessage(report.number, m_frame->m_document.GetScenario()), STATUS_MESSAGE);
      break;
    case LinkReport::RUN_FAILED:
      if (report.outcome.result == BoardResult::OPEN_FAILED) {
        ReportOpenFailure();
      } else {
        ReportTransmitFailure();
      }
      break;
    case LinkReport::RUN_STOPPED:
      m_frame->StopRun();
      break;
    default:
      break;
  }
}

void LumivaneFrame::LinkView::ShowHoldField() {
  const BoardSnapshot run = m_frame->m_session->Snapshot();
  wxString text = wxString::FromUTF8(run.remaining);
  const bool late = run.late > std::chrono::milliseconds(RUN_LATE_SHOWN_MS);
  if (late) {
    text += (text.empty() ? "" : "  ") +
            wxString::Format(_(MSG_RUN_LATE), std::chrono::duration<double>(run.late).count());
  }
  // The field widens while it tells the lateness.
  SetStatusFieldWidths(m_frame->GetStatusBar(), late);
  m_frame->SetStatus(text, STATUS_HOLD);
}
