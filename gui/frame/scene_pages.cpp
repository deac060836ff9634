// Scene pages: one notebook page per scene, whose window is the scene's grid.
#include "gui/frame/lumivane_frame.h"
#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

#include "gui/app/texts.h"
#include "gui/frame/lumivane_frame.h"
#include "gui/frame/number_cell_editor.h"
#include "gui/app/trim_number.h"

namespace {

struct ColumnSpec {
  const char* label;
  int width;
  bool numeric;
};

constexpr ColumnSpec COLUMNS[GRID_COLUMNS] = {
    {LABEL_FROM, 40, true},
    {LABEL_TO, 40, true},
    {LABEL_COLOUR, 50, false},
    {LABEL_BLINK, 40, true},
    {LABEL_DESCRIPTION, 300, false},
};

constexpr int TO_COLUMN_WIDTH = 40;
constexpr int COLUMN_LABEL_HEIGHT = 20;

// Shows or hides a grid's "To" column; the From column's label follows.
void ShowToColumn(wxGrid* grid, bool show) {
  grid->SetColSize(COL_TO, show ? TO_COLUMN_WIDTH : 0);
  grid->SetColLabelValue(COL_FROM, show ? LABEL_FROM : LABEL_ID);
}

}  // namespace

void LumivaneFrame::CreateScenePage(int position, const wxString& name, bool hideTo) {
  auto* grid = new wxGrid(m_notebook, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL);
  m_grids[position] = grid;

  grid->CreateGrid(1, GRID_COLUMNS, wxGrid::wxGridSelectCells);
  grid->SetRowLabelSize(0);
  grid->SetColLabelSize(COLUMN_LABEL_HEIGHT);
  grid->SetColLabelAlignment(wxALIGN_CENTRE, wxALIGN_CENTRE);
  grid->SetDefaultCellAlignment(wxALIGN_LEFT, wxALIGN_TOP);
  grid->EnableGridLines(true);
  grid->EnableEditing(true);
  grid->SetMargins(0, 0);
  grid->EnableDragColSize(true);
  grid->EnableDragColMove(false);
  grid->EnableDragRowSize(true);
  grid->EnableDragGridSize(false);
  grid->SetColMinimalAcceptableWidth(0);
  for (int col = 0; col < GRID_COLUMNS; ++col) {
    grid->SetColLabelValue(col, COLUMNS[col].label);
    grid->SetColSize(col, COLUMNS[col].width);
    if (COLUMNS[col].numeric) {
      grid->SetColFormatNumber(col);
    }
  }
  grid->AutoSizeRows();

  grid->Bind(wxEVT_GRID_CELL_LEFT_CLICK, &LumivaneFrame::OnCellLeftClick, this);
  grid->Bind(wxEVT_GRID_CELL_RIGHT_CLICK, &LumivaneFrame::OnCellRightClick, this);
  grid->Bind(wxEVT_GRID_EDITOR_SHOWN, &LumivaneFrame::OnEditorShown, this);
  grid->Bind(wxEVT_GRID_CELL_CHANGED, &LumivaneFrame::OnCellChanged, this);

  m_fade[position] = 0;
  m_hold[position] = 0.0;
  SetNumberEditors(grid, 0);

  m_menuEdit->Check(ID_HIDE_TO, hideTo);
  if (hideTo) {
    ShowToColumn(grid, false);
  }

  const wxString title = name.empty() ? wxString::Format(SCENE_NAME_FORMAT, position + 1) : name;
  m_notebook->AddPage(grid, title, false);
  m_notebook->Layout();
  Layout();
  Refresh();
}

void LumivaneFrame::SetNumberEditors(wxGrid* grid, int row) {
  // Each cell gets its own editor; no range, so any number can be typed and
  // the checks after the edit can warn about it.
  for (int col : {COL_FROM, COL_TO, COL_BLINK}) {
    grid->SetCellEditor(row, col, new NumberCellEditor);
  }
}

int LumivaneFrame::SceneCount() const { return static_cast<int>(m_notebook->GetPageCount()); }

int LumivaneFrame::CurrentScene() {
  const int selection = m_notebook->GetSelection();
  wxWindow* page = selection == wxNOT_FOUND ? nullptr : m_notebook->GetPage(selection);
  int position = 0;
  while (position < MAX_SCENES && m_grids[position] != page) {
    ++position;
  }
  m_currentScene = position;
  return position;
}

void LumivaneFrame::OnPageChanged(wxBookCtrlEvent& event) {
  event.Skip();
  const int selection = event.GetSelection();
  const bool scenePage = selection >= 0 && selection < MAX_SCENES &&
                         selection < static_cast<int>(m_notebook->GetPageCount()) &&
                         m_grids[selection] != nullptr &&
                         m_notebook->GetPage(selection) == m_grids[selection];
  if (!scenePage) {
    return;  // pages are being removed or rebuilt; the tables don't match them yet
  }
  if (m_pageEventsEnabled) {
    StopRun();
  }
  // The fade/hold row still shows the scene that was current until now.
  CommitFadeHold();
  m_currentScene = selection;
  m_fadeText->ChangeValue(wxString::Format("%d", m_fade[m_currentScene]));
  m_holdText->ChangeValue(TrimNumber(wxString::Format("%.1f", m_hold[m_currentScene])));
  m_menuEdit->Check(ID_HIDE_TO, m_grids[m_currentScene]->GetColSize(COL_TO) == 0);
  AutoTransfer(m_currentScene);
}

void LumivaneFrame::OnHideToColumn(wxCommandEvent&) {
  const int selection = m_notebook->GetSelection();
  if (selection == wxNOT_FOUND) {
    return;
  }
  auto* grid = static_cast<wxGrid*>(m_notebook->GetPage(selection));
  grid->SaveEditControlValue();
  grid->HideCellEditControl();

  const bool hide = m_menuEdit->IsChecked(ID_HIDE_TO);
  if (hide && grid->GetNumberRows() > 0) {
    bool toColumnUsed = false;
    for (int row = 0; row < grid->GetNumberRows() && !toColumnUsed; ++row) {
      toColumnUsed = !grid->GetCellValue(row, COL_TO).Strip(wxString::both).empty();
    }
    if (toColumnUsed &&
        wxMessageBox(ASK_HIDE_TO, CAPTION_WARNING, wxYES_NO | wxICON_QUESTION, this) != wxYES) {
      m_menuEdit->Check(ID_HIDE_TO, false);
      return;
    }
  }
  ShowToColumn(grid, !hide);
  grid->ForceRefresh();
}
