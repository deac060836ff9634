// The Undo command: puts the most recent recorded cell value back.
#include "gui/frame/lumivane_frame.h"

#include <wx/grid.h>
#include <wx/notebook.h>

#include "gui/frame/cell_colours.h"
#include "gui/frame/undo_history.h"

void LumivaneFrame::ClearUndoHistory() {
  g_undo.Clear();
  m_unrecordedChange = false;
}

void LumivaneFrame::OnUndo(wxCommandEvent&) {
  if (g_undo.IsEmpty()) {
    return;
  }
  const UndoRecord record = g_undo.Pop();

  // Rows and scenes may have gone since the edit: such a record is dropped.
  const bool cellExists = record.scene >= 0 && record.scene < SceneCount() &&
                          record.column >= 0 && record.column < GRID_COLUMNS &&
                          m_grids[record.scene] != nullptr && record.row >= 0 &&
                          record.row < m_grids[record.scene]->GetNumberRows();
  if (cellExists) {
    if (m_notebook->GetSelection() != record.scene) {
      m_notebook->SetSelection(record.scene);  // a normal page change
    }
    wxGrid* grid = m_grids[record.scene];
    if (record.column == COL_COLOUR) {
      long index = 0;
      record.text.ToLong(&index);
      grid->SetCellBackgroundColour(record.row, COL_COLOUR, IndexToWxColour(static_cast<int>(index)));
    } else {
      grid->SetCellValue(record.row, record.column, record.text);
    }
    grid->ForceRefresh();
  }

  if (g_undo.IsEmpty()) {
    EnableUndo(false);
    if (!m_unrecordedChange) {
      SetModified(false);
    }
  }
}

void LumivaneFrame::ForgetCellPositions() {
  // Rows or scenes moved: the recorded positions no longer name the cells
  // they were taken from, and undoing them would change other cells.
  g_undo.Clear();
  EnableUndo(false);
}
