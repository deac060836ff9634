// Row and scene commands: the grid's context menu, add, delete, rename,
// duplicate and move scenes, next and previous scene. Every command keeps
// the per-scene tables in step with the notebook pages.
#include "gui/frame/lumivane_frame.h"

#include <memory>
#include <utility>
#include <vector>

#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/textdlg.h>

#include "gui/app/texts.h"
#include "gui/app/trim_number.h"

namespace {

// The contents of one grid row: its texts and the "Colour" background.
struct RowCells {
  wxString text[GRID_COLUMNS];
  wxColour colour;
};

RowCells ReadRow(const wxGrid* grid, int row) {
  RowCells cells;
  for (int col = 0; col < GRID_COLUMNS; ++col) {
    cells.text[col] = grid->GetCellValue(row, col);
  }
  cells.colour = grid->GetCellBackgroundColour(row, COL_COLOUR);
  return cells;
}

void WriteRow(wxGrid* grid, int row, const RowCells& cells) {
  for (int col = 0; col < GRID_COLUMNS; ++col) {
    grid->SetCellValue(row, col, cells.text[col]);
  }
  grid->SetCellBackgroundColour(row, COL_COLOUR, cells.colour);
}

std::vector<RowCells> ReadRows(const wxGrid* grid) {
  std::vector<RowCells> rows;
  for (int row = 0; row < grid->GetNumberRows(); ++row) {
    rows.push_back(ReadRow(grid, row));
  }
  return rows;
}

// What a scene's grid shows of its columns: the widths (width 0 of "To"
// means hidden) and the first column's label, "From" or "ID".
struct ColumnState {
  int width[GRID_COLUMNS];
  wxString firstLabel;
};

ColumnState ReadColumns(const wxGrid* grid) {
  ColumnState state;
  for (int col = 0; col < GRID_COLUMNS; ++col) {
    state.width[col] = grid->GetColSize(col);
  }
  state.firstLabel = grid->GetColLabelValue(COL_FROM);
  return state;
}

void WriteColumns(wxGrid* grid, const ColumnState& state) {
  for (int col = 0; col < GRID_COLUMNS; ++col) {
    grid->SetColSize(col, state.width[col]);
  }
  grid->SetColLabelValue(COL_FROM, state.firstLabel);
}

// An open cell editor belongs to rows that are about to move or go.
void CloseEditor(wxGrid* grid) {
  grid->SaveEditControlValue();
  grid->HideCellEditControl();
}

}  // namespace

void LumivaneFrame::BindRowSceneCommands() {
  Bind(wxEVT_MENU, &LumivaneFrame::OnAddScene, this, wxID_ADD);
  Bind(wxEVT_MENU, &LumivaneFrame::OnDeleteScene, this, wxID_DELETE);
  Bind(wxEVT_MENU, &LumivaneFrame::OnRenameScene, this, wxID_EDIT);
  Bind(wxEVT_MENU, &LumivaneFrame::OnDuplicateScene, this, wxID_DUPLICATE);
  Bind(wxEVT_MENU, &LumivaneFrame::OnNextScene, this, wxID_FORWARD);
  Bind(wxEVT_MENU, &LumivaneFrame::OnPreviousScene, this, wxID_BACKWARD);
  // The context menu is shown by the frame, so its commands come here.
  Bind(wxEVT_MENU, &LumivaneFrame::OnInsertRow, this, ID_ROW_INSERT);
  Bind(wxEVT_MENU, &LumivaneFrame::OnDeleteRow, this, ID_ROW_DELETE);
  Bind(wxEVT_MENU, &LumivaneFrame::OnMoveRowUp, this, ID_ROW_UP);
  Bind(wxEVT_MENU, &LumivaneFrame::OnMoveRowDown, this, ID_ROW_DOWN);
  Bind(wxEVT_MENU, &LumivaneFrame::OnMoveSceneLeft, this, ID_SCENE_LEFT);
  Bind(wxEVT_MENU, &LumivaneFrame::OnMoveSceneRight, this, ID_SCENE_RIGHT);
}

bool LumivaneFrame::IsSceneGrid(const wxGrid* grid) const {
  if (grid == nullptr) {
    return false;
  }
  for (int scene = 0; scene < SceneCount() && scene < MAX_SCENES; ++scene) {
    if (m_grids[scene] == grid) {
      return true;
    }
  }
  return false;
}

void LumivaneFrame::ShowSceneValues(int scene) {
  if (scene < 0 || scene >= SceneCount() || m_grids[scene] == nullptr) {
    return;
  }
  m_fadeText->ChangeValue(wxString::Format("%d", m_fade[scene]));
  m_holdText->ChangeValue(TrimNumber(wxString::Format("%.1f", m_hold[scene])));
  m_menuEdit->Check(ID_HIDE_TO, m_grids[scene]->GetColSize(COL_TO) == 0);
}

// ---------------------------------------------------------------------------
// The grid's context menu and the row commands.

void LumivaneFrame::OnCellRightClick(wxGridEvent& event) {
  StopRun();
  auto* grid = static_cast<wxGrid*>(event.GetEventObject());
  if (grid->IsCellEditControlShown()) {
    CloseEditor(grid);
  }
  std::unique_ptr<wxMenu> menu(BuildContextMenu(grid, event.GetRow()));
  PopupMenu(menu.get());
  // Consumed: the grid cursor stays where it was.
}

wxMenu* LumivaneFrame::BuildContextMenu(wxGrid* grid, int row) {
  m_contextGrid = grid;
  m_contextRow = row;
  auto* menu = new wxMenu;
  menu->Append(ID_ROW_INSERT, CONTEXT_INSERT_ROW, CONTEXT_INSERT_ROW_HELP);
  menu->Append(ID_ROW_DELETE, CONTEXT_DELETE_ROW, CONTEXT_DELETE_ROW_HELP);
  menu->AppendSeparator();
  menu->Append(ID_ROW_UP, CONTEXT_ROW_UP, CONTEXT_ROW_UP_HELP);
  menu->Append(ID_ROW_DOWN, CONTEXT_ROW_DOWN, CONTEXT_ROW_DOWN_HELP);
  menu->AppendSeparator();
  menu->Append(ID_SCENE_LEFT, CONTEXT_SCENE_LEFT, CONTEXT_SCENE_LEFT_HELP);
  menu->Append(ID_SCENE_RIGHT, CONTEXT_SCENE_RIGHT, CONTEXT_SCENE_RIGHT_HELP);

  const int rows = m_contextGrid != nullptr ? m_contextGrid->GetNumberRows() : 0;
  if (m_contextRow < 1) {
    menu->Enable(ID_ROW_UP, false);
  }
  if (m_contextRow >= rows - 1) {
    // The empty last row is where the user appends: it stays last.
    menu->Enable(ID_ROW_DOWN, false);
    menu->Enable(ID_ROW_DELETE, false);
  }
  const int count = SceneCount();
  const int scene = CurrentScene();
  menu->Enable(ID_SCENE_LEFT, count >= 2 && scene > 0 && scene < count);
  menu->Enable(ID_SCENE_RIGHT, count >= 2 && scene < count - 1);
  return menu;
}

void LumivaneFrame::OnInsertRow(wxCommandEvent&) {
  StopRun();
  if (!IsSceneGrid(m_contextGrid) || m_contextRow < 0 ||
      m_contextRow >= m_contextGrid->GetNumberRows()) {
    return;
  }
  m_contextGrid->InsertRows(m_contextRow, 1);
  SetNumberEditors(m_contextGrid, m_contextRow);
  m_contextGrid->ForceRefresh();
  SetModified(true);
  ForgetCellPositions();
  SetStatus(MSG_MODIFIED_SCENARIO, STATUS_MESSAGE);
}

void LumivaneFrame::OnDeleteRow(wxCommandEvent&) {
  StopRun();
  if (!IsSceneGrid(m_contextGrid) || m_contextRow < 0) {
    return;
  }
  if (m_contextRow < m_contextGrid->GetNumberRows() - 1) {
    m_contextGrid->DeleteRows(m_contextRow, 1);
  }
  m_contextGrid->ForceRefresh();
  SetModified(true);
  ForgetCellPositions();
  SetStatus(MSG_MODIFIED_SCENARIO, STATUS_MESSAGE);
}

void LumivaneFrame::OnMoveRowUp(wxCommandEvent&) {
  StopRun();
  SwapRows(m_contextGrid, m_contextRow, m_contextRow - 1);
}

void LumivaneFrame::OnMoveRowDown(wxCommandEvent&) {
  StopRun();
  SwapRows(m_contextGrid, m_contextRow, m_contextRow + 1);
}

void LumivaneFrame::SwapRows(wxGrid* grid, int a, int b) {
  if (!IsSceneGrid(grid)) {
    return;
  }
  const int rows = grid->GetNumberRows();
  if (a < 0 || b < 0 || a >= rows || b >= rows || a == b) {
    return;
  }
  // Only the contents move; editors and alignment stay with the positions.
  const RowCells first = ReadRow(grid, a);
  const RowCells second = ReadRow(grid, b);
  WriteRow(grid, a, second);
  WriteRow(grid, b, first);
  grid->ForceRefresh();
  SetModified(true);
  ForgetCellPositions();
  AutoTransfer(-1);
}

// ---------------------------------------------------------------------------
// Moving scenes.

void LumivaneFrame::OnMoveSceneLeft(wxCommandEvent&) {
  StopRun();
  const int scene = CurrentScene();
  SwapScenes(scene, scene - 1);
}

void LumivaneFrame::OnMoveSceneRight(wxCommandEvent&) {
  StopRun();
  const int scene = CurrentScene();
  SwapScenes(scene, scene + 1);
}

void LumivaneFrame::SwapScenes(int a, int b) {
  const int count = SceneCount();
  if (a < 0 || b < 0 || a >= count || b >= count || a == b || m_grids[a] == nullptr ||
      m_grids[b] == nullptr) {
    return;
  }
  wxGrid* gridA = m_grids[a];
  wxGrid* gridB = m_grids[b];
  const wxString nameA = m_notebook->GetPageText(a);
  const wxString nameB = m_notebook->GetPageText(b);
  CloseEditor(gridA);
  CloseEditor(gridB);
  CommitFadeHold();

  std::swap(m_fade[a], m_fade[b]);
  std::swap(m_hold[a], m_hold[b]);

  // The grid windows stay at their pages; their contents change places.
  const std::vector<RowCells> rowsA = ReadRows(gridA);
  const std::vector<RowCells> rowsB = ReadRows(gridB);
  const ColumnState columnsA = ReadColumns(gridA);
  const ColumnState columnsB = ReadColumns(gridB);
  gridA->DeleteRows(0, gridA->GetNumberRows());
  gridB->DeleteRows(0, gridB->GetNumberRows());
  for (size_t row = 0; row < rowsA.size(); ++row) {
    gridB->AppendRows(1);
    WriteRow(gridB, static_cast<int>(row), rowsA[row]);
    SetNumberEditors(gridB, static_cast<int>(row));
    gridB->SetCellAlignment(static_cast<int>(row), COL_COLOUR, wxALIGN_CENTRE, wxALIGN_TOP);
  }
  for (size_t row = 0; row < rowsB.size(); ++row) {
    gridA->AppendRows(1);
    WriteRow(gridA, static_cast<int>(row), rowsB[row]);
    SetNumberEditors(gridA, static_cast<int>(row));
    gridA->SetCellAlignment(static_cast<int>(row), COL_COLOUR, wxALIGN_CENTRE, wxALIGN_TOP);
  }
  // The hidden "To" column is part of the scene and moves with it.
  WriteColumns(gridA, columnsB);
  WriteColumns(gridB, columnsA);
  m_notebook->SetPageText(a, nameB);
  m_notebook->SetPageText(b, nameA);
  gridA->ForceRefresh();
  gridB->ForceRefresh();

  // The fade/hold row still shows the moved scene's values, which now
  // belong to position b: the page change must not store them at a.
  m_currentScene = -1;
  m_pageEventsEnabled = false;
  m_notebook->SetSelection(b);
  m_pageEventsEnabled = true;
  ShowSceneValues(CurrentScene());
  SetModified(true);
  ForgetCellPositions();
}

// ---------------------------------------------------------------------------
// Adding, duplicating, deleting and renaming scenes.

bool LumivaneFrame::CheckSceneName(const wxString& name) {
  for (size_t page = 0; page < m_notebook->GetPageCount(); ++page) {
    if (m_notebook->GetPageText(page).IsSameAs(name, false)) {
      return wxMessageBox(ASK_DUPLICATE_SCENE_NAME, CAPTION_DUPLICATE_SCENE_NAME,
                          wxYES_NO | wxICON_QUESTION, this) == wxYES;
    }
  }
  return true;
}

wxString LumivaneFrame::AskSceneName(const wxString& message, const wxString& caption,
                                     wxString suggestion) {
  for (;;) {
    const wxString answer =
        wxGetTextFromUser(message, caption, suggestion, this, wxDefaultCoord, wxDefaultCoord, true);
    if (answer.empty() || CheckSceneName(answer)) {
      return answer;
    }
    suggestion = answer;  // refused: offer it again for editing
  }
}

int LumivaneFrame::FirstFreePosition() const {
  // New pages are appended, so the first free table entry is the one after
  // the last page.
  const int count = SceneCount();
  return count < MAX_SCENES && m_grids[count] == nullptr ? count : MAX_SCENES;
}

void LumivaneFrame::OnAddScene(wxCommandEvent&) {
  StopRun();
  const int position = FirstFreePosition();
  if (position >= MAX_SCENES) {
    return;
  }
  const wxString name = AskSceneName(ASK_NEW_SCENE_NAME, CAPTION_NEW_SCENE,
                                     wxString::Format(SCENE_NAME_FORMAT, SceneCount() + 1));
  if (name.empty()) {
    return;
  }
  CreateScenePage(position, name, m_menuEdit->IsChecked(ID_HIDE_TO));
  SetModified(true);
  SetStatus(MSG_ADDED_SCENE, STATUS_MESSAGE);
  m_notebook->SetSelection(position);
}

void LumivaneFrame::OnDuplicateScene(wxCommandEvent&) {
  StopRun();
  CommitFadeHold();
  const int source = CurrentScene();
  if (source >= SceneCount() || m_grids[source] == nullptr) {
    return;
  }
  wxGrid* from = m_grids[source];
  CloseEditor(from);

  const int position = FirstFreePosition();
  if (position >= MAX_SCENES) {
    return;
  }
  const wxString name = AskSceneName(ASK_NEW_SCENE_NAME, CAPTION_NEW_SCENE,
                                     wxString::Format(SCENE_NAME_FORMAT, SceneCount() + 1));
  if (name.empty()) {
    return;
  }
  // The copy hides "To" as its source does; the menu's check mark need not
  // mirror the source (after a load it shows the last scene read).
  CreateScenePage(position, name, from->GetColSize(COL_TO) == 0);
  wxGrid* copy = m_grids[position];
  for (int row = 0; row < from->GetNumberRows() - 1; ++row) {
    copy->InsertRows(row, 1);  // the copy's own empty row moves down and stays last
    WriteRow(copy, row, ReadRow(from, row));
    copy->SetCellAlignment(row, COL_COLOUR, wxALIGN_CENTRE, wxALIGN_TOP);
    SetNumberEditors(copy, row);
  }
  m_hold[position] = m_hold[source];
  m_fade[position] = m_fade[source];
  SetModified(true);
  SetStatus(MSG_DUPLICATED_SCENE, STATUS_MESSAGE);
  m_notebook->SetSelection(position);
}

void LumivaneFrame::OnDeleteScene(wxCommandEvent&) {
  StopRun();
  if (wxMessageBox(ASK_DELETE_SCENE, CAPTION_DELETE_SCENE, wxYES_NO | wxICON_QUESTION, this) !=
      wxYES) {
    return;
  }
  const int count = SceneCount();
  const int scene = CurrentScene();
  if (scene >= count || m_grids[scene] == nullptr) {
    return;
  }
  wxGrid* grid = m_grids[scene];

  if (count == 1) {
    // The last scene stays; it loses its rows down to one empty row.
    grid->HideCellEditControl();
    grid->ClearGrid();
    if (grid->GetNumberRows() > 1) {
      grid->DeleteRows(0, grid->GetNumberRows() - 1);
    }
    if (grid->GetNumberRows() > 0) {
      grid->SetCellBackgroundColour(0, COL_COLOUR, grid->GetDefaultCellBackgroundColour());
    }
    grid->ForceRefresh();
    // The rows are gone from the window: the file no longer matches it.
    SetModified(true);
    ForgetCellPositions();
    return;
  }

  // The fade/hold row holds the deleted scene's values; none of them is
  // stored anywhere. The neighbour is shown first, while the tables still
  // match the pages, so that the removal itself changes no selection.
  grid->HideCellEditControl();
  m_currentScene = -1;
  m_notebook->SetSelection(scene + 1 < count ? scene + 1 : scene - 1);
  m_currentScene = -1;
  m_notebook->DeletePage(scene);
  for (int i = scene; i < count - 1; ++i) {
    m_grids[i] = m_grids[i + 1];
    m_fade[i] = m_fade[i + 1];
    m_hold[i] = m_hold[i + 1];
  }
  m_grids[count - 1] = nullptr;
  m_fade[count - 1] = 0;
  m_hold[count - 1] = 0.0;
  if (m_contextGrid == grid) {
    m_contextGrid = nullptr;
  }
  if (m_colourGrid == grid) {
    m_colourGrid = nullptr;
  }
  ShowSceneValues(CurrentScene());
  SetModified(true);
  ForgetCellPositions();
  SetStatus(MSG_DELETED_SCENE, STATUS_MESSAGE);
}

void LumivaneFrame::OnRenameScene(wxCommandEvent&) {
  StopRun();
  const int scene = CurrentScene();
  if (scene >= SceneCount()) {
    return;
  }
  const wxString name =
      AskSceneName(ASK_RENAME_SCENE, CAPTION_RENAME_SCENE, m_notebook->GetPageText(scene));
  if (name.empty()) {
    return;
  }
  m_notebook->SetPageText(scene, name);
  SetStatus(MSG_RENAMED_SCENE, STATUS_MESSAGE);
  SetModified(true);
}

// ---------------------------------------------------------------------------
// Next and previous scene: a run goes on with the scene chosen here.

void LumivaneFrame::OnNextScene(wxCommandEvent&) { StepScene(1); }

void LumivaneFrame::OnPreviousScene(wxCommandEvent&) { StepScene(-1); }

void LumivaneFrame::StepScene(int step) {
  const int count = SceneCount();
  if (count < 1) {
    return;
  }
  int scene = CurrentScene();
  if (scene >= count) {
    scene = 0;
  }
  const int target = (count + scene + step) % count;
  m_pageEventsEnabled = false;
  m_notebook->SetSelection(target);
  m_pageEventsEnabled = true;
  if (m_running) {
    // The run goes on from the scene now on the boards.
    m_activeScene = target;
    if (!SendScene(-1, false)) {
      StopRun();
    }
    m_holdElapsed = 0;
  }
}
