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
#include "gui/dialogs/dialog_commands.h"
#include "gui/frame/status_texts.h"
#include "gui/remote/window_remotes.h"

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
  // No remote acts on a window that is going: they stop first.
  m_remotes.reset();
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
  SetStatus(_(MSG_ERASING_ROM), STATUS_MESSAGE);
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
  if (!ConfirmProgramAgain(*this, m_app, m_document)) {
    return;
  }
  StopRun();
  CommitFadeHold();
  m_linkBusy.Begin();
  const Scenario& scenario = m_document.GetScenario();
  const int scenes = static_cast<int>(scenario.scenes.size());
  m_programProgress.Begin(this, scenes, BudgetOfScenario(scenario, Target().speed).programSeconds);
  m_session->Program(Target(), scenario);
}

