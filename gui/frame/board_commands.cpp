// The main window's board operations: opening the link, sending a scene,
// and the reset, clear and program commands. Every byte and pause of the
// protocol goes out from here, through the serial driver.
#include "gui/frame/lumivane_frame.h"


#include <wx/grid.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include "gui/app/lumivane_app.h"
#include "gui/app/texts.h"
#include "gui/frame/cell_colours.h"
#include "core/board/pause.h"
#include "core/board/protocol_bytes.h"
#include "core/serial/serial.h"
#include "gui/app/trim_number.h"

namespace {

constexpr int STANDARD_BAUD = 9600;
constexpr int HIGH_BAUD = 115200;
constexpr long HIGH_BAUD_INDEX = 1;
constexpr int SYNC_PAUSE_MS = 500;
constexpr int SPEED_PAUSE_MS = 100;
constexpr int SCENE_PAUSE_MS = 100;
constexpr int ERASE_PAUSE_MS = 2000;
constexpr int PROGRAM_END_PAUSE_MS = 500;

}  // namespace

bool LumivaneFrame::OpenLink(const wxString& text) {
  if (serial_isopen()) {
    return true;
  }
  SetStatus(text, STATUS_MESSAGE);
  const wxScopedCharBuffer port = g_app->m_port.utf8_str();
  if (serial_open(port, STANDARD_BAUD) != 0) {
    return serial_isopen();
  }
  WriteBoardMessage(SyncMessage());
  PauseMilliseconds(SYNC_PAUSE_MS);
  serial_break();
  PauseMilliseconds(SYNC_PAUSE_MS);
  if (g_app->m_baudIndex == HIGH_BAUD_INDEX) {
    WriteBoardMessage(SpeedMessage());
    PauseMilliseconds(SPEED_PAUSE_MS);
    serial_close();
    serial_open(port, HIGH_BAUD);
    PauseMilliseconds(SPEED_PAUSE_MS);
  }
  return serial_isopen();
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
    wxString message = ERR_PORT_INIT;
    if (m_toolBar->GetToolState(ID_AUTO_TRANSFER)) {
      message += ERR_AUTO_TRANSMIT_OFF;
      SwitchAutoTransferOff();
    }
    m_lastLinkFailure = LINK_OPEN_FAILED;
    ShowError(message);
    return false;
  }

  if (scene < 0) {
    scene = m_notebook->GetSelection() == wxNOT_FOUND ? 0 : CurrentScene();
  }
  if (scene < 0 || scene >= SceneCount() || m_grids[scene] == nullptr) {
    scene = 0;
  }
  wxGrid* grid = m_grids[scene];
  if (grid == nullptr) {
    return false;
  }

  bool sent = WriteBoardMessage(SelectAllMessage()) && WriteBoardMessage(FadeMessage(m_fade[scene]));
  for (int row = 0; sent && row < grid->GetNumberRows(); ++row) {
    const wxString fromText = grid->GetCellValue(row, COL_FROM);
    if (fromText.empty()) {
      continue;
    }
    const long from = LeadingNumber(fromText);
    const wxString toText = grid->GetCellValue(row, COL_TO);
    const long to = toText.empty() ? from : LeadingNumber(toText);
    if (from == 0 || from > to) {
      continue;
    }
    long blink = 0;
    if (!grid->GetCellValue(row, COL_BLINK).ToLong(&blink, 10)) {
      blink = 0;
    }
    sent = WriteBoardMessage(SelectMessage(from - 1, to - from + 1)) &&
           WriteBoardMessage(ColourMessage(
               ColourToIndex(grid->GetCellBackgroundColour(row, COL_COLOUR)))) &&
           WriteBoardMessage(BlinkMessage(blink));
  }
  if (!sent) {
    ReportTransmitFailure();
    return false;
  }
  return true;
}

bool LumivaneFrame::EraseRom() {
  SetStatus(MSG_ERASING_ROM, STATUS_MESSAGE);
  const bool sent = WriteBoardMessage(EraseMessage());
  PauseMilliseconds(ERASE_PAUSE_MS);
  return sent;
}

void LumivaneFrame::OnResetBoards(wxCommandEvent&) {
  StopRun();
  wxBusyCursor busy;
  if (serial_isopen()) {
    serial_close();
  }
  // The reset is the reopening: sync, break and, when set, the speed switch.
  if (!OpenLink(MSG_RESETTING_BOARDS)) {
    ShowError(ERR_PORT_INIT);
  }
}

void LumivaneFrame::OnClearBoards(wxCommandEvent&) {
  StopRun();
  CommitFadeHold();
  if (serial_isopen()) {
    serial_close();
  }
  wxBusyCursor busy;
  if (!OpenLink(MSG_RESETTING_BOARDS)) {
    ShowError(ERR_PORT_INIT);
  } else if (!EraseRom()) {
    ReportTransmitFailure();
  }
}

void LumivaneFrame::OnProgramBoards(wxCommandEvent&) {
  StopRun();
  CommitFadeHold();
  if (serial_isopen()) {
    serial_close();  // the first transfer reopens it with the full start-up
  }
  wxBusyCursor busy;
  m_activeScene = 0;
  bool first = true;
  while (m_activeScene < SceneCount()) {
    m_pageEventsEnabled = false;
    m_notebook->SetSelection(m_activeScene);
    m_pageEventsEnabled = true;

    if (!SendScene(-1, false)) {
      // A failed write has told the user already; a port that did not open
      // gets the transmission message after its own.
      if (m_lastLinkFailure != LINK_WRITE_FAILED) {
        ShowError(ERR_TRANSMIT);
      }
      return;
    }
    PauseMilliseconds(SCENE_PAUSE_MS);
    if (first) {
      if (!EraseRom()) {
        ReportTransmitFailure();
        return;
      }
      SendScene(-1, false);
      if (m_lastLinkFailure != LINK_OK) {
        return;
      }
    }
    SetStatus(wxString::Format(MSG_WRITING_SCENE, m_activeScene + 1), STATUS_MESSAGE);
    if (!WriteBoardMessage(StoreMessage(m_hold[m_activeScene], m_activeScene + 1))) {
      ReportTransmitFailure();
      return;
    }
    PauseMilliseconds(SCENE_PAUSE_MS);
    first = false;
    ++m_activeScene;
  }
  SetStatus(MSG_PROGRAMMING_DONE, STATUS_MESSAGE);
  wxMessageBox(BOX_PROGRAMMING_DONE, CAPTION_LUMIVANE, wxOK | wxICON_INFORMATION, this);
  serial_break();
  PauseMilliseconds(PROGRAM_END_PAUSE_MS);
}
