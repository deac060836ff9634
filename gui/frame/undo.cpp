// The Undo command: puts the most recent recorded cell value back.
#include "gui/frame/lumivane_frame.h"

#include <cstdlib>

#include <wx/notebook.h>

void LumivaneFrame::ClearUndoHistory() { m_document.ClearUndo(); }

void LumivaneFrame::OnUndo(wxCommandEvent&) {
  UndoHistory& history = m_document.Undo();
  if (history.IsEmpty()) {
    return;
  }
  const UndoRecord record = history.Pop();

  // Rows and scenes may have gone since the edit: such a record is dropped.
  const bool cellExists = m_document.HasScene(record.scene) && record.column >= 0 &&
                          record.column < GRID_COLUMNS && record.row >= 0 &&
                          record.row < m_document.RowCount(record.scene);
  if (cellExists) {
    if (m_notebook->GetSelection() != record.scene) {
      m_notebook->SetSelection(record.scene);  // a normal page change
    }
    if (record.column == COL_COLOUR) {
      m_document.SetRowColour(record.scene, record.row, std::atoi(record.text.c_str()));
    } else {
      m_document.SetCellText(record.scene, record.row, record.column, record.text);
    }
    RefreshScene(record.scene);
  }

  if (history.IsEmpty()) {
    EnableUndo(false);
    if (!m_document.HasUnrecordedChange()) {
      SetModified(false);
    }
  }
}

void LumivaneFrame::ForgetCellPositions() {
  // Rows or scenes moved: the recorded positions no longer name the cells
  // they were taken from, and undoing them would change other cells.
  m_document.Undo().Clear();
  EnableUndo(false);
}
