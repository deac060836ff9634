// The main window's board operations: opening the link, sending a scene,
// and the reset, clear and program commands. The sequences on the wire are
// the core's; here they get the window's texts, pages and messages.
#include "gui/frame/lumivane_frame.h"

#include <wx/notebook.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "core/board/board_commands.h"
#include "core/board/serial_board_link.h"
#include "core/serial/serial.h"
#include "gui/app/lumivane_app.h"
#include "gui/app/texts.h"

namespace {

constexpr long HIGH_BAUD_INDEX = 1;

// The port and speed as the settings have them now.
BoardTarget SettingsTarget() {
  return BoardTarget{g_app->m_port.utf8_string(),
                     g_app->m_baudIndex == HIGH_BAUD_INDEX ? LinkSpeed::HIGH : LinkSpeed::STANDARD};
}

}  // namespace

bool LumivaneFrame::OpenLink(const wxString& text) {
  SerialBoardLink link;
  BoardHooks hooks;
  hooks.opening = [this, &text] { SetStatus(text, STATUS_MESSAGE); };
  return OpenBoardLink(link, SettingsTarget(), hooks) == 0;
}

void LumivaneFrame::SwitchAutoTransferOff() {
  m_toolBar->ToggleTool(ID_AUTO_TRANSFER, false);
}

void LumivaneFrame::ReportTransmitFailure() {
  // The adapter may be gone: close the port so that the next command opens
  // it afresh, and stop auto transfer from repeating the message.
  serial_close();
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
  if (g_app->m_port.empty() && automatic) {
    return false;
  }
  wxBusyCursor busy;
  if (!OpenLink(MSG_OPENING_PORT)) {
    ReportOpenFailure();
    return false;
  }
  if (scene < 0) {
    scene = m_notebook->GetSelection() == wxNOT_FOUND ? 0 : CurrentScene();
  }
  if (!m_document.HasScene(scene)) {
    scene = 0;
  }
  SerialBoardLink link;
  if (!WriteScene(link, m_document.GetScene(scene))) {
    ReportTransmitFailure();
    return false;
  }
  return true;
}

bool LumivaneFrame::EraseRom() {
  SetStatus(MSG_ERASING_ROM, STATUS_MESSAGE);
  SerialBoardLink link;
  return EraseBoardRom(link);
}

void LumivaneFrame::OnResetBoards(wxCommandEvent&) {
  StopRun();
  wxBusyCursor busy;
  SerialBoardLink link;
  BoardHooks hooks;
  hooks.opening = [this] { SetStatus(MSG_RESETTING_BOARDS, STATUS_MESSAGE); };
  // The reset is the reopening: sync, break and, when set, the speed switch.
  if (ResetBoards(link, SettingsTarget(), hooks).result != BoardResult::OK) {
    ShowError(ERR_PORT_INIT);
  }
}

void LumivaneFrame::OnClearBoards(wxCommandEvent&) {
  StopRun();
  CommitFadeHold();
  wxBusyCursor busy;
  SerialBoardLink link;
  BoardHooks hooks;
  hooks.opening = [this] { SetStatus(MSG_RESETTING_BOARDS, STATUS_MESSAGE); };
  hooks.erasing = [this] { SetStatus(MSG_ERASING_ROM, STATUS_MESSAGE); };
  const BoardOutcome outcome = ClearBoards(link, SettingsTarget(), hooks);
  if (outcome.result == BoardResult::OPEN_FAILED) {
    ShowError(ERR_PORT_INIT);
  } else if (outcome.result == BoardResult::WRITE_FAILED) {
    ReportTransmitFailure();
  }
}

void LumivaneFrame::OnProgramBoards(wxCommandEvent&) {
  StopRun();
  CommitFadeHold();
  wxBusyCursor busy;
  SerialBoardLink link;
  BoardHooks hooks;
  hooks.sceneStarting = [this](int scene) {
    m_activeScene = scene;
    m_pageEventsEnabled = false;
    m_notebook->SetSelection(scene);
    m_pageEventsEnabled = true;
  };
  hooks.opening = [this] { SetStatus(MSG_OPENING_PORT, STATUS_MESSAGE); };
  hooks.erasing = [this] { SetStatus(MSG_ERASING_ROM, STATUS_MESSAGE); };
  hooks.writingScene = [this](int number) {
    SetStatus(wxString::Format(MSG_WRITING_SCENE, number), STATUS_MESSAGE);
  };
  hooks.programmed = [this] {
    SetStatus(MSG_PROGRAMMING_DONE, STATUS_MESSAGE);
    ShowMessage(BOX_PROGRAMMING_DONE, CAPTION_LUMIVANE, wxOK | wxICON_INFORMATION);
  };
  const BoardOutcome outcome = ProgramBoards(link, SettingsTarget(), m_document.GetScenario(), hooks);
  m_activeScene = outcome.scenesStored;  // where the programming stopped
  if (outcome.result == BoardResult::OPEN_FAILED) {
    // The port message, then what it means for the programming.
    ReportOpenFailure();
    ShowError(ERR_TRANSMIT);
  } else if (outcome.result == BoardResult::WRITE_FAILED) {
    ReportTransmitFailure();
  }
}
