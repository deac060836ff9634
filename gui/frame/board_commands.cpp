// The main window's board operations: opening the link, sending a scene,
// and the reset, clear and program commands, handed to the board session
// (core/board/board_session.h), and what it tells back. The
// sequences on the wire are the core's; here they get the window's texts,
// pages and messages.
#include "gui/frame/lumivane_frame.h"

#include <wx/app.h>
#include <wx/notebook.h>
#include <wx/utils.h>


#include "core/board/board_commands.h"
#include "core/board/link_budget.h"
#include "gui/app/app_state.h"
#include "gui/frame/scene_book.h"
#include "gui/app/texts.h"
#include "gui/frame/status_texts.h"

namespace {

constexpr long HIGH_BAUD_INDEX = 1;

}  // namespace

// The port and speed as the settings have them now.
BoardTarget LumivaneFrame::Target() const {
  const Settings& settings = m_app.settings;
  return BoardTarget{settings.port, settings.baudIndex == HIGH_BAUD_INDEX ? LinkSpeed::HIGH : LinkSpeed::STANDARD};
}

void LumivaneFrame::WaitLinkIdle() {
  m_session->WaitIdle();
  wxTheApp->ProcessPendingEvents();
}

bool LumivaneFrame::Destroy() {
  // Cancels what the link still had to do and closes the port.
  m_session->BeginClosing();
  m_session->Close();
  return wxFrame::Destroy();
}

bool LumivaneFrame::OpenLink(const wxString& text) {
  m_lastLinkFailure = LINK_OK;
  m_openingText = text;
  m_session->Open(Target());
  return m_lastLinkFailure == LINK_OK;
}

void LumivaneFrame::SwitchAutoTransferOff() {
  m_session->SetAutoTransfer(false);
}

void LumivaneFrame::ReportTransmitFailure() {
  // The link closed the port, since the adapter may be gone: the next
  // command opens it afresh. Auto transfer stops repeating the message.
  SwitchAutoTransferOff();
  m_lastLinkFailure = LINK_WRITE_FAILED;
  ShowError(ERR_TRANSMIT);
}

void LumivaneFrame::ReportOpenFailure() {
  wxString message = ERR_PORT_INIT;
  if (m_session->Snapshot().autoTransfer) {
    message += ERR_AUTO_TRANSMIT_OFF;
    SwitchAutoTransferOff();
  }
  m_lastLinkFailure = LINK_OPEN_FAILED;
  ShowError(message);
}

bool LumivaneFrame::SendScene(int scene, bool automatic) {
  m_lastLinkFailure = LINK_OK;
  if (m_activeScene < 0) {
    return false;
  }
  if (scene < 0) {
    scene = Notebook()->GetSelection() == wxNOT_FOUND ? 0 : CurrentScene();
  }
  if (!m_document.HasScene(scene)) {
    scene = 0;
  }
  // The scene's values go, not a view of the grid; a failure is reported
  // when it comes (at once when the link is ticked).
  if (!m_session->SendScene(Target(), m_document.GetScene(scene), scene, automatic)) {
    return false;
  }
  return m_lastLinkFailure == LINK_OK;
}

void LumivaneFrame::StartRun() {
  if (m_activeScene < 0) {
    return;
  }
  int scene = Notebook()->GetSelection() == wxNOT_FOUND ? 0 : CurrentScene();
  if (!m_document.HasScene(scene)) {
    scene = 0;
  }
  m_lastLinkFailure = LINK_OK;
  m_session->Run(Target(), m_document.GetScenario(), scene);
}

bool LumivaneFrame::EraseRom() {
  SetStatus(MSG_ERASING_ROM, STATUS_MESSAGE);
  m_lastLinkFailure = LINK_OK;
  m_session->Erase();
  return m_lastLinkFailure == LINK_OK;
}

void LumivaneFrame::OnResetBoards(wxCommandEvent&) {
  StopRun();
  m_linkBusy.Begin();
  // The reset is the reopening: sync, break and, when set, the speed switch.
  m_session->Reset(Target());
}

void LumivaneFrame::OnClearBoards(wxCommandEvent&) {
  StopRun();
  CommitFadeHold();
  m_linkBusy.Begin();
  m_session->Clear(Target());
}

void LumivaneFrame::OnProgramBoards(wxCommandEvent&) {
  StopRun();
  CommitFadeHold();
  m_linkBusy.Begin();
  const Scenario& scenario = m_document.GetScenario();
  const int scenes = static_cast<int>(scenario.scenes.size());
  m_programProgress.Begin(this, scenes, BudgetOfScenario(scenario, Target().speed).programSeconds);
  m_session->Program(Target(), scenario);
}

void LumivaneFrame::HandleLinkReport(const LinkReport& report) {
  if (report.kind == LinkReport::FINISHED) {
    LinkFinished(report);
    return;
  }
  switch (report.kind) {
    case LinkReport::OPENING:
      if (report.job == LinkJob::RESET || report.job == LinkJob::CLEAR) {
        SetStatus(MSG_RESETTING_BOARDS, STATUS_MESSAGE);
      } else if (report.job == LinkJob::OPEN) {
        SetStatus(m_openingText, STATUS_MESSAGE);
      } else {
        SetStatus(LinkText(wxString::FromUTF8(m_app.settings.port), MSG_OPENING_PORT, MSG_OPENING_VIRTUAL), STATUS_MESSAGE);
      }
      break;
    case LinkReport::ERASING:
      SetStatus(MSG_ERASING_ROM, STATUS_MESSAGE);
      break;
    case LinkReport::PROGRAM_SCENE:
      GoToScene(report.number - 1);
      m_programProgress.Show(*m_session);
      break;
    case LinkReport::FILE_CHANGED:
      ScenarioFileChanged();
      break;
    case LinkReport::STORING:
      SetStatus(wxString::Format(MSG_WRITING_SCENE, report.number), STATUS_MESSAGE);
      break;
    case LinkReport::PROGRAMMED:
      m_programProgress.End();
      SetStatus(MSG_PROGRAMMING_DONE, STATUS_MESSAGE);
      ShowMessage(BOX_PROGRAMMING_DONE, CAPTION_LUMIVANE, wxOK | wxICON_INFORMATION);
      break;
    default:
      RunReport(report);
      break;
  }
}

void LumivaneFrame::LinkFinished(const LinkReport& report) {
  const bool busy = report.job == LinkJob::RESET || report.job == LinkJob::CLEAR || report.job == LinkJob::PROGRAM;
  if (busy) {
    m_linkBusy.End();
  }
  if (report.job == LinkJob::PROGRAM) {
    m_programProgress.End();
  }
  if (report.cancelled) {
    return;
  }
  const BoardOutcome& outcome = report.outcome;
  switch (report.job) {
    case LinkJob::OPEN:
      if (outcome.result != BoardResult::OK) {
        m_lastLinkFailure = LINK_OPEN_FAILED;
      }
      break;
    case LinkJob::ERASE:
      if (outcome.result != BoardResult::OK) {
        m_lastLinkFailure = LINK_WRITE_FAILED;
      }
      break;
    case LinkJob::RUN:
      if (report.run != m_session->CurrentRun()) {
        break;
      }
      [[fallthrough]];
    case LinkJob::SEND:
      // An automatic send that fails after auto transfer went off was told already.
      if (outcome.result == BoardResult::OK ||
          (report.automatic && !m_session->Snapshot().autoTransfer)) {
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
        ShowError(ERR_PORT_INIT);
      }
      break;
    case LinkJob::CLEAR:
      if (outcome.result == BoardResult::OPEN_FAILED) {
        ShowError(ERR_PORT_INIT);
      } else if (outcome.result == BoardResult::WRITE_FAILED) {
        ReportTransmitFailure();
      }
      break;
    case LinkJob::PROGRAM:
      m_activeScene = outcome.scenesStored;  // where the programming stopped
      if (outcome.result == BoardResult::OPEN_FAILED) {
        // The port message, then what it means for the programming.
        ReportOpenFailure();
        ShowError(ERR_TRANSMIT);
      } else if (outcome.result == BoardResult::WRITE_FAILED) {
        ReportTransmitFailure();
      } else if (outcome.result == BoardResult::CANCELLED) {
        const wxString message = wxString::Format(MSG_PROGRAMMING_CANCELLED, outcome.scenesStored, report.count);
        SetStatus(message, STATUS_MESSAGE);
        ShowMessage(message, CAPTION_LUMIVANE, wxOK | wxICON_INFORMATION);
      }
      break;
    default:
      break;
  }
}
