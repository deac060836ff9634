// Undo and Redo: every change of the scenario is a step of the Document's
// history; here the window shows where a step took it back or forward.
#include "gui/frame/undo_commands.h"

#include <algorithm>

#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/toolbar.h>

#include "core/edit/step_label_parts.h"
#include "core/model/document.h"
#include "gui/app/texts.h"
#include "gui/frame/lumivane_frame.h"
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

UndoCommands::UndoCommands(LumivaneFrame& frame, Document& document) : m_frame(frame), m_document(document) {
  m_frame.Bind(wxEVT_MENU, [this](wxCommandEvent&) { StepHistory(true); }, wxID_UNDO);
  m_frame.Bind(wxEVT_MENU, [this](wxCommandEvent&) { StepHistory(false); }, wxID_REDO);
  // Edits made straight through a grid reach the menu and tools here as well.
  m_frame.Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(m_document.CanUndo()); }, wxID_UNDO);
  m_frame.Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Enable(m_document.CanRedo()); }, wxID_REDO);
  m_document.AddListener(this);
}

UndoCommands::~UndoCommands() { m_document.RemoveListener(this); }

void UndoCommands::DocumentChanged(const ChangeSet&) {
  const bool undo = m_document.CanUndo();
  const bool redo = m_document.CanRedo();
  m_frame.GetMenuBar()->Enable(wxID_UNDO, undo);
  m_frame.GetToolBar()->EnableTool(wxID_UNDO, undo);
  m_frame.GetMenuBar()->Enable(wxID_REDO, redo);
  m_frame.GetToolBar()->EnableTool(wxID_REDO, redo);
  m_frame.GetMenuBar()->SetLabel(wxID_UNDO, MenuText(MENU_UNDO, MENU_UNDO_STEP, m_document.UndoLabel(), MENU_UNDO_ACCEL));
  m_frame.GetMenuBar()->SetLabel(wxID_REDO, MenuText(MENU_REDO, MENU_REDO_STEP, m_document.RedoLabel(), MENU_REDO_ACCEL));
}

wxMenu* UndoCommands::EditMenu() const {
  wxMenu* menu = nullptr;
  m_frame.GetMenuBar()->FindItem(wxID_UNDO, &menu);
  return menu;
}

void UndoCommands::StepHistory(bool back) {
  const int current = m_frame.CurrentScene();
  if (wxGrid* grid = m_frame.ExistingGrid(current)) {
    grid->HideCellEditControl();  // its text belongs to the state being left
  }
  // A typed fade or hold is a step of its own before it: undo takes it back
  // first, as the user sees it in the field.
  m_frame.CommitFadeHold();
  m_frame.StopRun();
  EditPlace place;
  // The Document announces the step; the book shows its place.
  if (back) {
    m_document.Undo(&place);
  } else {
    m_document.Redo(&place);
  }
}
