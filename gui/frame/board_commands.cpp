// The main window's board operations: opening the link, sending a scene,
// and the reset, clear and program commands, handed to the board link's
// worker (core/board/link_worker.h), and what it reports back. The
// sequences on the wire are the core's; here they get the window's texts,
// pages and messages.
#include "gui/frame/lumivane_frame.h"

#include <wx/app.h>
#include <wx/notebook.h>
#include <wx/progdlg.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include <algorithm>
#include <cmath>

#include "core/board/board_commands.h"
#include "gui/app/app_state.h"
#include "gui/frame/scene_book.h"
#include "gui/app/texts.h"
#include "gui/frame/status_texts.h"

namespace {

constexpr long HIGH_BAUD_INDEX = 1;

// The port and speed as the settings have them now.
BoardTarget SettingsTarget(const Settings& settings) {
  return BoardTarget{settings.port, settings.baudIndex == HIGH_BAUD_INDEX ? LinkSpeed::HIGH : LinkSpeed::STANDARD};
}

wxString TimeLeftText(long seconds) {
  const wxString time = seconds >= 60 ? wxString::Format(TIME_MINUTES, seconds / 60, seconds % 60)
                                      : wxString::Format(TIME_SECONDS, seconds);
  return wxString::Format(MSG_PROGRAM_TIME_LEFT, time);
}

wxString ProgramProgressText(int scene, int count, long secondsLeft) {
  return wxString::Format(MSG_PROGRAM_SCENE_OF, scene, count) + "\n" + TimeLeftText(secondsLeft);
}

}  // namespace

bool LumivaneFrame::s_linkThreaded = true;

void LumivaneFrame::SetLinkThreaded(bool threaded) { s_linkThreaded = threaded; }

void LumivaneFrame::WaitLinkIdle() {
  m_worker->WaitIdle();
  wxTheApp->ProcessPendingEvents();
}

bool LumivaneFrame::Destroy() {
  // Cancels what the link still had to do and closes the port.
  m_closing = true;
  m_worker->Close();
  return wxFrame::Destroy();
}

bool LumivaneFrame::OpenLink(const wxString& text) {
  m_lastLinkFailure = LINK_OK;
  m_openingText = text;
  m_worker->Open(SettingsTarget(m_app.settings));
  return m_lastLinkFailure == LINK_OK;
}

void LumivaneFrame::SwitchAutoTransferOff() {
  m_toolBar->ToggleTool(ID_AUTO_TRANSFER, false);
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
  if (m_toolBar->GetToolState(ID_AUTO_TRANSFER)) {
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
  if (m_app.settings.port.empty() && automatic) {
    return false;
  }
  if (scene < 0) {
    scene = m_notebook->GetSelection() == wxNOT_FOUND ? 0 : CurrentScene();
  }
  if (!m_document.HasScene(scene)) {
    scene = 0;
  }
  // The scene's values go, not a view of the grid; a failure is reported
  // when it comes (at once when the link is ticked).
  m_worker->SendScene(SettingsTarget(m_app.settings), m_document.GetScene(scene), scene, automatic);
  return m_lastLinkFailure == LINK_OK;
}

void LumivaneFrame::StartRun() {
  if (m_activeScene < 0) {
    return;
  }
  int scene = m_notebook->GetSelection() == wxNOT_FOUND ? 0 : CurrentScene();
  if (!m_document.HasScene(scene)) {
    scene = 0;
  }
  if (m_run != 0) {
    m_worker->StopRun();  // the run playing gives way
  }
  m_lastLinkFailure = LINK_OK;
  m_run = ++m_runs;
  m_worker->StartRun(SettingsTarget(m_app.settings), m_document.GetScenario(), scene, m_run);
}

bool LumivaneFrame::EraseRom() {
  SetStatus(MSG_ERASING_ROM, STATUS_MESSAGE);
  m_lastLinkFailure = LINK_OK;
  m_worker->Erase();
  return m_lastLinkFailure == LINK_OK;
}

void LumivaneFrame::BeginLinkBusy() {
  if (m_linkBusy++ == 0) {
    wxBeginBusyCursor();
  }
}

void LumivaneFrame::EndLinkBusy() {
  if (m_linkBusy > 0 && --m_linkBusy == 0) {
    wxEndBusyCursor();
  }
}

void LumivaneFrame::OnResetBoards(wxCommandEvent&) {
  StopRun();
  BeginLinkBusy();
  // The reset is the reopening: sync, break and, when set, the speed switch.
  m_worker->Reset(SettingsTarget(m_app.settings));
}

void LumivaneFrame::OnClearBoards(wxCommandEvent&) {
  StopRun();
  CommitFadeHold();
  BeginLinkBusy();
  m_worker->Clear(SettingsTarget(m_app.settings));
}

void LumivaneFrame::OnProgramBoards(wxCommandEvent&) {
  StopRun();
  CommitFadeHold();
  BeginLinkBusy();
  const Scenario& scenario = m_document.GetScenario();
  m_programScenes = static_cast<int>(scenario.scenes.size());
  m_programScene = 0;
  m_programCancelled = false;
  if (m_programScenes > 0 && m_programProgress == nullptr) {
    // Made with the widest text it will show, so that none is cut off.
    m_programProgress =
        new wxProgressDialog(PROGRESS_PROGRAM_TITLE, ProgramProgressText(m_programScenes, m_programScenes, 35999),
                             m_programScenes, this, wxPD_APP_MODAL | wxPD_CAN_ABORT);
  }
  m_worker->Program(SettingsTarget(m_app.settings), scenario);
}

void LumivaneFrame::ShowProgramProgress() {
  if (m_programProgress == nullptr || m_programScene < 1 || m_programCancelled) {
    return;
  }
  if (m_programProgress->WasCancelled()) {
    // The scene under way is finished and stored, then Program stops.
    m_programCancelled = true;
    m_worker->CancelProgram();
    return;
  }
  const double elapsed = std::chrono::duration<double>(m_steadyClock.Now() - m_programSceneStart).count();
  const long left = std::max(0L, std::lround(m_programSecondsLeft - elapsed));
  m_programProgress->Update(m_programScene - 1, ProgramProgressText(m_programScene, m_programScenes, left));
}

void LumivaneFrame::EndProgramProgress() {
  delete m_programProgress;
  m_programProgress = nullptr;
}

void LumivaneFrame::HandleLinkReport(const LinkReport& report) {
  if (report.kind == LinkReport::FINISHED) {
    LinkFinished(report);
    return;
  }
  if (m_closing || (report.job == LinkJob::RUN && report.run != m_run)) {
    return;  // for a window going away, or a run stopped since
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
      m_activeScene = report.number - 1;
      m_book->Select(report.number - 1, false);
      m_programScene = report.number;
      m_programScenes = report.count;
      m_programSecondsLeft = report.secondsLeft;
      m_programSceneStart = m_steadyClock.Now();
      ShowProgramProgress();
      break;
    case LinkReport::STORING:
      SetStatus(wxString::Format(MSG_WRITING_SCENE, report.number), STATUS_MESSAGE);
      break;
    case LinkReport::PROGRAMMED:
      EndProgramProgress();
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
    EndLinkBusy();
  }
  if (report.job == LinkJob::PROGRAM) {
    EndProgramProgress();
  }
  if (m_closing || report.cancelled) {
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
      if (report.run != m_run || outcome.result == BoardResult::OK) {
        break;
      }
      m_run = 0;
      [[fallthrough]];
    case LinkJob::SEND:
      // An automatic send that fails after auto transfer went off was told already.
      if (outcome.result == BoardResult::OK ||
          (report.automatic && !m_toolBar->GetToolState(ID_AUTO_TRANSFER))) {
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
