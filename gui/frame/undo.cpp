// Undo and Redo: every change of the scenario is a step of the Document's
// history; here the window shows where a step took it back or forward.
#include "gui/frame/lumivane_frame.h"

#include <algorithm>

#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/toolbar.h>

#include "gui/app/texts.h"

namespace {

wxString MenuText(const char* verb, const std::string& label, const char* accelerator) {
  wxString text = verb;
  if (!label.empty()) {
    text += " " + wxString::FromUTF8(label);
  }
  return text + accelerator;
}

}  // namespace

void LumivaneFrame::ClearUndoHistory() {
  m_document.ResetHistory();
  UpdateUndoRedo();
}

void LumivaneFrame::UpdateUndoRedo() {
  const bool undo = m_document.CanUndo();
  const bool redo = m_document.CanRedo();
  m_menuEdit->Enable(wxID_UNDO, undo);
  m_toolBar->EnableTool(wxID_UNDO, undo);
  m_menuEdit->Enable(wxID_REDO, redo);
  m_toolBar->EnableTool(wxID_REDO, redo);
  m_menuEdit->SetLabel(wxID_UNDO, MenuText(MENU_UNDO, m_document.UndoLabel(), MENU_UNDO_ACCEL));
  m_menuEdit->SetLabel(wxID_REDO, MenuText(MENU_REDO, m_document.RedoLabel(), MENU_REDO_ACCEL));
}

void LumivaneFrame::OnUpdateUndoRedo(wxUpdateUIEvent& event) {
  // Edits made straight through a grid reach the menu here as well.
  event.Enable(event.GetId() == wxID_UNDO ? m_document.CanUndo() : m_document.CanRedo());
}

void LumivaneFrame::OnUndo(wxCommandEvent&) { StepHistory(true); }

void LumivaneFrame::OnRedo(wxCommandEvent&) { StepHistory(false); }

void LumivaneFrame::StepHistory(bool back) {
  const int current = CurrentScene();
  if (wxGrid* grid = ExistingGrid(current)) {
    grid->HideCellEditControl();  // its text belongs to the state being left
  }
  EditPlace place;
  if (!(back ? m_document.Undo(&place) : m_document.Redo(&place))) {
    return;
  }
  const bool modified = m_document.IsModified();
  StopRun();
  ShowEditPlace(place.scene < 0 ? current : place.scene, place.row, place.column);
  SetModified(modified);
  UpdateUndoRedo();
  AutoTransfer(-1);
}

void LumivaneFrame::ShowEditPlace(int scene, int row, int column) {
  if (static_cast<int>(m_pages.size()) != SceneCount()) {
    // Scenes came or went: the pages follow the Document.
    RebuildPages();
  } else {
    for (int page = 0; page < SceneCount(); ++page) {
      RefreshScene(page);
    }
  }
  scene = std::min(std::max(scene, 0), SceneCount() - 1);
  if (scene < 0) {
    return;
  }
  // No page-change event: the step itself says what to send and show.
  m_currentScene = -1;
  m_notebook->ChangeSelection(static_cast<size_t>(scene));
  m_currentScene = scene;
  wxGrid* grid = MakeGrid(scene);
  ShowSceneValues(scene);
  if (grid != nullptr && row >= 0 && row < grid->GetNumberRows()) {
    grid->SetGridCursor(row, std::max(column, 0));
    grid->MakeCellVisible(row, std::max(column, 0));
  }
}
