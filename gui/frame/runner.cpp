// The scenario runner: the board session plays the scenario on the boards
// and watches the scenario file; the window's 100 ms timer ticks it, and the
// window shows what it tells.
#include "gui/frame/lumivane_frame.h"

#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/timer.h>

#include "core/format/scenario_file.h"
#include "core/model/unsaved_rows.h"
#include "gui/app/app_state.h"
#include "gui/app/texts.h"
#include "gui/frame/link_view.h"
#include "gui/frame/scene_book.h"
#include "gui/frame/status_texts.h"
#include "gui/remote/window_remotes.h"

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

wxString LumivaneFrame::RunWithoutDialogs() {
  if (m_modalDepth > 0) {
    return _("The window is waiting for an answer in a dialog");
  }
  CommitOpenEdits();
  if (m_document.IsModified()) {
    // Transfer/run saves first; only a save that needs no question is made.
    if (m_document.Path().empty()) {
      return _("The scenario has no file yet; save it in the window first");
    }
    if (m_document.ScenesLeftOut() > 0) {
      return _("Saving would lose scenes of the file; save it in the window first");
    }
    if (!WriteScenario(wxString::FromUTF8(m_document.Path()))) {
      return wxString::Format(_("The scenario could not be saved: %s"), LastScenarioError());
    }
    m_document.SetScenesLeftOut(0);
    m_document.MarkSaved();
    m_document.SetModified(false);
    SetStatus(SavedMessage(_(MSG_SAVED), RowsLeftOutOfFile(m_document.GetScenario())), STATUS_MESSAGE);
  }
  SwitchAutoTransferOff();
  m_activeScene = CurrentScene();
  StartRun();
  return wxString();
}

void LumivaneFrame::TimerTick() {
  // The file watch; when ticked, the link's keep-alive, the run's hold and
  // its inputs.
  m_session->Tick();
  m_programProgress.Show(*m_session);
  if (m_remotes) m_remotes->Tick();
}

void LumivaneFrame::WatchScenarioFile() {
  m_session->WatchFile(FILE_WATCH_TICKS, [this] {
    return WatchedFile{m_document.Path(), m_document.FileTime()};
  });
}

void LumivaneFrame::GoToScene(int scene) {
  if (scene < 0 || scene >= SceneCount()) {
    return;  // a scene of a scenario since reloaded with fewer
  }
  m_activeScene = scene;
  m_book->Select(scene, false);
}

