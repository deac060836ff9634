// Copy, cut and paste of rows through the clipboard, as tab-separated text
// that spreadsheets and other Lumivane windows understand. An open cell
// editor keeps the keys for its own text.
#include "gui/frame/clipboard_commands.h"

#include <algorithm>
#include <set>

#include <wx/clipbrd.h>
#include <wx/grid.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

#include "core/edit/edit_commands.h"
#include "core/model/row_clipboard.h"
#include "gui/app/texts.h"
#include "gui/frame/lumivane_frame.h"
#include "gui/frame/scene_book.h"

namespace {

// The text control of an open cell editor, or null.
wxTextCtrl* OpenEditorText(wxGrid* grid) {
  if (grid == nullptr || !grid->IsCellEditControlShown()) {
    return nullptr;
  }
  wxGridCellEditor* editor = grid->GetCellEditor(grid->GetGridCursorRow(), grid->GetGridCursorCol());
  wxTextCtrl* text = wxDynamicCast(editor->GetControl(), wxTextCtrl);
  editor->DecRef();
  return text;
}

std::string ClipboardText() {
  std::string text;
  if (wxTheClipboard->Open()) {
    if (wxTheClipboard->IsSupported(wxDF_UNICODETEXT) || wxTheClipboard->IsSupported(wxDF_TEXT)) {
      wxTextDataObject data;
      if (wxTheClipboard->GetData(data)) {
        text = data.GetText().utf8_string();
      }
    }
    wxTheClipboard->Close();
  }
  return text;
}

}  // namespace

ClipboardCommands::ClipboardCommands(LumivaneFrame& frame, Document& document)
    : m_frame(frame), m_document(document) {
  m_frame.Bind(wxEVT_MENU, &ClipboardCommands::OnCopy, this, wxID_COPY);
  m_frame.Bind(wxEVT_MENU, &ClipboardCommands::OnCut, this, wxID_CUT);
  m_frame.Bind(wxEVT_MENU, &ClipboardCommands::OnPaste, this, wxID_PASTE);
}

std::vector<int> ClipboardCommands::SelectedRows(int scene) {
  wxGrid* grid = m_frame.ExistingGrid(scene);
  std::set<int> rows;
  if (grid != nullptr) {
    for (int row : grid->GetSelectedRows()) {
      rows.insert(row);
    }
    for (const wxGridBlockCoords& block : grid->GetSelectedBlocks()) {
      for (int row = block.GetTopRow(); row <= block.GetBottomRow(); ++row) {
        rows.insert(row);
      }
    }
    if (rows.empty() && grid->GetGridCursorRow() >= 0) {
      rows.insert(grid->GetGridCursorRow());
    }
  }
  std::vector<int> inScene;
  for (int row : rows) {
    if (row >= 0 && row < m_document.RowCount(scene)) {
      inScene.push_back(row);
    }
  }
  return inScene;
}

bool ClipboardCommands::CopyRows(int scene) {
  const std::vector<int> selected = SelectedRows(scene);
  if (selected.empty()) {
    return false;
  }
  std::vector<Row> rows;
  for (int row : selected) {
    rows.push_back(m_document.GetRow(scene, row));
  }
  if (!wxTheClipboard->Open()) {
    return false;
  }
  wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(RowsToText(rows))));
  wxTheClipboard->Flush();  // the rows stay for other programs after this one ends
  wxTheClipboard->Close();
  return true;
}

void ClipboardCommands::OnCopy(wxCommandEvent&) {
  const int scene = m_frame.CurrentScene();
  if (wxTextCtrl* text = OpenEditorText(m_frame.ExistingGrid(scene))) {
    text->Copy();
    return;
  }
  CopyRows(scene);
}

void ClipboardCommands::OnCut(wxCommandEvent&) {
  const int scene = m_frame.CurrentScene();
  if (wxTextCtrl* text = OpenEditorText(m_frame.ExistingGrid(scene))) {
    text->Cut();
    return;
  }
  m_frame.StopRun();
  if (!CopyRows(scene)) {
    return;
  }
  // The empty last row is where the user appends: it stays.
  const std::vector<int> rows = SelectedRows(scene);
  const int last = m_document.RowCount(scene) - 1;
  if (std::none_of(rows.begin(), rows.end(), [last](int row) { return row < last; })) {
    return;
  }
  // The selection goes before the rows it covers.
  if (wxGrid* grid = m_frame.ExistingGrid(scene)) {
    grid->ClearSelection();
  }
  CutRows(m_document, scene, rows);
  m_frame.SetStatus(_(MSG_MODIFIED_SCENARIO), STATUS_MESSAGE);
}

void ClipboardCommands::OnPaste(wxCommandEvent&) {
  const int scene = m_frame.CurrentScene();
  wxGrid* grid = m_frame.ExistingGrid(scene);
  if (wxTextCtrl* text = OpenEditorText(grid)) {
    text->Paste();
    return;
  }
  if (grid == nullptr) {
    return;
  }
  m_frame.StopRun();
  const std::string text = ClipboardText();
  if (text.empty()) {
    return;
  }
  const int row = std::max(0, std::min(grid->GetGridCursorRow(), m_document.RowCount(scene) - 1));
  EditResult pasted;
  std::vector<Row> rows;
  bool suspect = false;
  if (RowsFromText(text, &rows, &suspect)) {
    grid->ClearSelection();  // before the rows it covers move
  }
  if (!PasteRows(m_document, scene, row, text, &pasted)) {
    // Not rows: the text goes into the current cell, as if typed there.
    const int col = std::max(0, grid->GetGridCursorCol());
    if (col == COL_COLOUR) {
      return;
    }
    grid->SetCellValue(row, col, wxString::FromUTF8(text));
    wxGridEvent changed(grid->GetId(), wxEVT_GRID_CELL_CHANGED, grid, row, col);
    grid->ProcessWindowEvent(changed);
    return;
  }
  m_frame.SetStatus(_(MSG_MODIFIED_SCENARIO), STATUS_MESSAGE);
  m_frame.ShowWarnings(pasted.warnings);
}
