// Undo and Redo: every change of the scenario is a step of the Document's
// history; here the window shows where a step took it back or forward.
#include "gui/frame/lumivane_frame.h"

#include <algorithm>

#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/toolbar.h>

#include "core/edit/step_label_parts.h"
#include "gui/app/texts.h"
#include "gui/frame/scene_book.h"

namespace {

// The step's name in the user's language: its pattern translated, with
// the scene name put back in.
wxString TranslatedStepLabel(const std::string& label) {
  const StepLabelParts parts = SplitStepLabel(label);
  const wxString pattern = wxGetTranslation(wxString::FromUTF8(parts.pattern));
  return wxString::FromUTF8(FillStepLabel(pattern.utf8_string(), parts.name));
}

wxString MenuText(const char* verb, const char* verbWithStep, const std::string& label, const char* accelerator) {
  if (label.empty()) {
    return wxGetTranslation(verb) + accelerator;
  }
  wxString text = wxGetTranslation(verbWithStep);
  text.Replace("%s", TranslatedStepLabel(label), false);
  return text + accelerator;
}

}  // namespace

void LumivaneFrame::ClearUndoHistory() { m_document.ResetHistory(); }

void LumivaneFrame::UpdateUndoRedo() {
  const bool undo = m_document.CanUndo();
  const bool redo = m_document.CanRedo();
  GetMenuBar()->Enable(wxID_UNDO, undo);
  GetToolBar()->EnableTool(wxID_UNDO, undo);
  GetMenuBar()->Enable(wxID_REDO, redo);
  GetToolBar()->EnableTool(wxID_REDO, redo);
  GetMenuBar()->SetLabel(wxID_UNDO, MenuText(MENU_UNDO, MENU_UNDO_STEP, m_document.UndoLabel(), MENU_UNDO_ACCEL));
  GetMenuBar()->SetLabel(wxID_REDO, MenuText(MENU_REDO, MENU_REDO_STEP, m_document.RedoLabel(), MENU_REDO_ACCEL));
}

wxMenu* LumivaneFrame::EditMenu() const {
  wxMenu* menu = nullptr;
  GetMenuBar()->FindItem(wxID_UNDO, &menu);
  return menu;
}

void LumivaneFrame::StepHistory(bool back) {
  const int current = CurrentScene();
  if (wxGrid* grid = ExistingGrid(current)) {
    grid->HideCellEditControl();  // its text belongs to the state being left
  }
  // A typed fade or hold is a step of its own before it: undo takes it back
  // first, as the user sees it in the field.
  CommitFadeHold();
  StopRun();
  EditPlace place;
  // The Document announces the step; the book shows its place.
  if (back) {
    m_document.Undo(&place);
  } else {
    m_document.Redo(&place);
  }
}
