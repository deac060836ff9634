// The frame's side of the scene pages: the scene book shows them; here the
// frame hears page changes, shows the fade/hold row of the scene shown and
// routes Hide "To".
#include "gui/frame/lumivane_frame.h"

#include <algorithm>

#include <wx/grid.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>

#include "core/edit/edit_commands.h"
#include "gui/app/texts.h"
#include "gui/frame/fade_hold_row.h"
#include "gui/frame/scene_book.h"
#include "gui/frame/status_texts.h"

void LumivaneFrame::CreateScenePage(int position, const wxString& name, bool hideTo) {
  // A page made, as the reader once made them: no change to save.
  Scene scene;
  scene.name = name.empty() ? DefaultSceneName(position + 1) : name.utf8_string();
  if (hideTo) {
    scene.columnWidths[COL_TO] = 0;
    scene.idLabel = true;
  }
  m_document.InsertScene(position, scene);
  m_view.hideTo = hideTo;
}

wxGrid* LumivaneFrame::Grid(int scene) { return m_book->Grid(scene); }

wxNotebook* LumivaneFrame::Notebook() const { return m_book->Notebook(); }

wxGrid* LumivaneFrame::ExistingGrid(int scene) const { return m_book->ExistingGrid(scene); }


int LumivaneFrame::SceneCount() const { return m_document.SceneCount(); }

int LumivaneFrame::CurrentScene() {
  const int selection = m_book->Selection();
  // Without a selection, the position a new scene would take.
  return selection == wxNOT_FOUND ? std::min(SceneCount(), MAX_SCENES) : selection;
}

void LumivaneFrame::ShowSceneValues(int scene) {
  if (!m_document.HasScene(scene)) {
    return;
  }
  m_fadeHold->ShowScene(m_document, scene);
  m_view.hideTo = !m_document.GetScene(scene).ToShown();
}

void LumivaneFrame::OnPageChanged(wxBookCtrlEvent& event) {
  event.Skip();
  const int selection = event.GetSelection();
  if (selection < 0 || selection >= SceneCount() || !m_book->InStep()) {
    return;  // pages are being removed or rebuilt; the tables don't match them yet
  }
  m_book->Grid(selection);
  if (m_book->PageEventsFromUser()) {
    StopRun();
  }
  // The fade/hold row still shows the scene that was shown until now.
  CommitFadeHold();
  if (m_document.IdOfScene(selection) != m_fadeHold->SceneShown()) {
    ShowSceneValues(selection);
    AutoTransfer(selection);
  }
}

void LumivaneFrame::OnHideToColumn(wxCommandEvent& event) {
  const int scene = m_book->Selection();
  if (scene == wxNOT_FOUND || scene >= SceneCount()) {
    return;
  }
  m_book->CloseEditor(scene);
  // The check has toggled itself; the event carries its new state.
  const bool hide = event.IsChecked();
  if (hide && ToColumnUsed(m_document, scene) &&
      ShowMessage(_(ASK_HIDE_TO), _(CAPTION_WARNING), wxYES_NO | wxICON_QUESTION) != wxYES) {
    m_view.hideTo = false;
    return;
  }
  m_view.hideTo = hide;
  // A change of the view alone: the scenario is no different to save, but
  // the step can be taken back.
  HideTo(m_document, scene, hide);
}

void LumivaneFrame::RefreshScene(int scene) { m_book->RefreshScene(scene); }

void LumivaneFrame::DocumentChanged(const ChangeSet& changes) {
  if (changes.typedIntoCell) {
    return;  // the cell edit's command follows and says what changed
  }
  if (changes.pathChanged || changes.modifiedChanged || changes.markedModified) {
    UpdateTitle();
  }
  if (changes.markedModified && m_document.IsModified()) {
    StopRun();
    SetStatus(_(STATE_MODIFIED), STATUS_STATE);
  } else if (changes.modifiedChanged && !m_document.IsModified()) {
    if (!m_session->Running()) {
      SetStatus("", STATUS_STATE);
    }
    // "Modified scenario" no longer holds.
    ClearStaleMessage(GetStatusBar(), IsModifiedMessage);
  }
  const int current = CurrentScene();
  const SceneId shown = m_document.IdOfScene(current);
  const bool switched = m_document.HasScene(current) && shown != m_fadeHold->SceneShown();
  const bool fadeHoldChanged = changes.valuesChanged.count(shown) > 0 && changes.contentChanged.count(shown) > 0;
  if (switched || changes.replaced || changes.steppedHistory || fadeHoldChanged) {
    ShowSceneValues(current);
  }
  // The boards follow what the show holds now: the auto-transfer policy.
  if (!changes.contentChanged.empty() || changes.replaced || switched) {
    AutoTransfer(-1);
  }
}
