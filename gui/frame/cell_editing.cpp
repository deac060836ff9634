// Cell editing: typed values with their checks, colour choice, the
// fade/hold row. Values are checked and warned about, never rejected.
#include "gui/frame/lumivane_frame.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <wx/colordlg.h>
#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "gui/app/texts.h"
#include "gui/frame/cell_colours.h"
#include "gui/frame/undo_history.h"

namespace {

constexpr int MAX_BLINK = 14;
constexpr int MAX_FADE = 216;
constexpr double MAX_HOLD = 120.0;
const wxString COLOUR_SET_TEXT = " ";

// The whole text as a decimal whole number.
bool ParseWhole(const wxString& text, long& value) { return text.ToLong(&value, 10); }

wxString ColourNumberText(wxGrid* grid, int row) {
  return wxString::Format("%d", ColourToIndex(grid->GetCellBackgroundColour(row, COL_COLOUR)));
}

}  // namespace

void LumivaneFrame::ShowError(const wxString& message) {
  wxMessageBox(message, CAPTION_ERROR, wxOK | wxICON_ERROR, this);
}

void LumivaneFrame::EnableUndo(bool enable) {
  m_menuEdit->Enable(wxID_UNDO, enable);
  m_toolBar->EnableTool(wxID_UNDO, enable);
}

void LumivaneFrame::SetModifiedByCellEdit() {
  // A cell edit is in the undo history; undoing it all restores the file's
  // state unless something unrecorded changed too.
  const bool unrecorded = m_unrecordedChange;
  SetModified(true);
  m_unrecordedChange = unrecorded;
}

void LumivaneFrame::AppendEmptyRow(wxGrid* grid) {
  grid->AppendRows(1);
  SetNumberEditors(grid, grid->GetNumberRows() - 1);
  grid->ForceRefresh();
}

void LumivaneFrame::OnEditorShown(wxGridEvent& event) {
  StopRun();
  auto* grid = static_cast<wxGrid*>(event.GetEventObject());
  const int row = event.GetRow();
  const int col = event.GetCol();
  const wxString before = col == COL_COLOUR ? ColourNumberText(grid, row) : grid->GetCellValue(row, col);
  g_undo.BeginEdit(UndoRecord{CurrentScene(), row, col, before});

  if (col == COL_COLOUR) {
    // Typing into a colour cell opens the colour dialog instead, once this
    // event is over.
    m_colourGrid = grid;
    m_colourRow = row;
    wxCommandEvent pick(wxEVT_MENU, ID_PICK_COLOUR);
    wxPostEvent(this, pick);
    event.Veto();
    return;
  }
  event.Skip();
}

void LumivaneFrame::OnPickColour(wxCommandEvent&) {
  if (m_colourGrid == nullptr || m_colourRow < 0 || m_colourRow >= m_colourGrid->GetNumberRows()) {
    return;
  }
  m_colourGrid->HideCellEditControl();
  m_colourGrid->SetCellValue(m_colourRow, COL_COLOUR, COLOUR_SET_TEXT);
  ChooseColour(m_colourGrid, m_colourRow);
}

void LumivaneFrame::OnCellLeftClick(wxGridEvent& event) {
  StopRun();
  if (event.GetCol() != COL_COLOUR) {
    event.Skip();
    return;
  }
  auto* grid = static_cast<wxGrid*>(event.GetEventObject());
  const int row = event.GetRow();
  g_undo.BeginEdit(UndoRecord{CurrentScene(), row, COL_COLOUR, ColourNumberText(grid, row)});
  ChooseColour(grid, row);
}

bool LumivaneFrame::ChooseColour(wxGrid* grid, int row) {
  wxColourData data;
  data.SetChooseFull(true);
  for (int slot = 0; slot < PALETTE_SIZE; ++slot) {
    if (m_palette[slot].IsOk()) {
      data.SetCustomColour(slot, m_palette[slot]);
    }
  }
  data.SetColour(grid->GetCellBackgroundColour(row, COL_COLOUR));

  wxColourDialog dialog(this, &data);
  if (dialog.ShowModal() != wxID_OK) {
    return false;
  }
  const wxColourData& chosen = dialog.GetColourData();
  const wxColour colour = SnapToCube(chosen.GetColour());
  grid->SetCellValue(row, COL_COLOUR, COLOUR_SET_TEXT);
  grid->SetCellBackgroundColour(row, COL_COLOUR, colour);
  grid->SetCellAlignment(row, COL_COLOUR, wxALIGN_CENTRE, wxALIGN_TOP);
  grid->ForceRefresh();

  g_undo.CommitEdit(
      UndoRecord{CurrentScene(), row, COL_COLOUR, wxString::Format("%d", ColourToIndex(colour))});
  EnableUndo(true);

  for (int slot = 0; slot < PALETTE_SIZE; ++slot) {
    const wxColour custom = chosen.GetCustomColour(slot);
    if (custom.IsOk() && custom != *wxWHITE) {
      m_palette[slot] = SnapToCube(custom);
    }
  }

  NumberFreshRow(grid, row);
  if (row == grid->GetNumberRows() - 1) {
    AppendEmptyRow(grid);
  }
  SetModifiedByCellEdit();
  AutoTransfer(-1);
  return true;
}

void LumivaneFrame::NumberFreshRow(wxGrid* grid, int row) {
  if (!grid->GetCellValue(row, COL_FROM).empty()) {
    return;
  }
  wxString number;
  if (row == 0) {
    number = "1";
  } else {
    wxString previous = grid->GetCellValue(row - 1, COL_TO);
    if (previous.empty()) {
      previous = grid->GetCellValue(row - 1, COL_FROM);
    }
    long last = 0;
    if (ParseWhole(previous, last) && last > 0) {
      number = wxString::Format("%ld", last + 1);
    }
  }
  if (!number.empty()) {
    grid->SetCellValue(row, COL_FROM, number);
    m_unrecordedChange = true;  // the undo history doesn't know this cell
  }
}

void LumivaneFrame::OnCellChanged(wxGridEvent& event) {
  static bool s_growing = false;  // inserting a row raises grid events itself

  StopRun();
  auto* grid = static_cast<wxGrid*>(event.GetEventObject());
  const int row = event.GetRow();
  const int col = event.GetCol();
  const wxString text = grid->GetCellValue(row, col);
  const wxString after = col == COL_COLOUR ? ColourNumberText(grid, row) : text;
  g_undo.CommitEdit(UndoRecord{CurrentScene(), row, col, after});
  EnableUndo(true);

  if (grid->GetCellValue(row, COL_COLOUR).empty()) {
    // A fresh row gets colour number 0.
    grid->SetCellValue(row, COL_COLOUR, COLOUR_SET_TEXT);
    grid->SetCellBackgroundColour(row, COL_COLOUR, *wxBLACK);
    grid->ForceRefresh();
  }

  long value = 0;
  if ((col == COL_FROM || col == COL_TO) && !text.empty() &&
      (!ParseWhole(text, value) || value <= 0)) {
    const bool idOnly = m_menuEdit->IsChecked(ID_HIDE_TO);
    ShowError(wxString(idOnly ? ERR_ID_NUMBER : ERR_FROM_TO_NUMBER) + ERR_POSITIVE_NUMBER);
  } else if (col == COL_DESCRIPTION && strlen(text.utf8_str()) > LONG_DESCRIPTION_BYTES) {
    wxMessageBox(wxString::Format(WARN_LONG_DESCRIPTION, LONG_DESCRIPTION_BYTES), CAPTION_WARNING,
                 wxOK | wxICON_INFORMATION, this);
  } else if (col == COL_BLINK && !text.empty()) {
    if (!ParseWhole(text, value) || value < 0) {
      ShowError(ERR_BLINK_NUMBER);
    } else if (value > MAX_BLINK) {
      ShowError(wxString::Format(ERR_BLINK_TOO_HIGH, MAX_BLINK));
    }
  }

  if (row + 1 >= grid->GetNumberRows() && !s_growing) {
    s_growing = true;
    grid->InsertRows(row + 1, 1);
    SetNumberEditors(grid, row + 1);
    grid->ForceRefresh();
    s_growing = false;
  }

  SetModifiedByCellEdit();
  SetStatus(MSG_MODIFIED_SCENARIO, STATUS_MESSAGE);
  AutoTransfer(-1);
  event.Skip();
}

void LumivaneFrame::CommitFadeHold() {
  if (m_currentScene < 0 || m_currentScene >= MAX_SCENES) {
    return;
  }
  const int scene = m_currentScene;
  bool changed = false;

  long fade = 0;
  if (!m_fadeText->GetValue().ToLong(&fade, 10)) {
    fade = 0;
  }
  if (fade != m_fade[scene]) {
    if (fade > MAX_FADE || fade < 0) {
      ShowError(wxString::Format(ERR_FADE_RANGE, MAX_FADE));
    }
    m_fade[scene] = static_cast<int>(fade);
    changed = true;
  }

  double hold = 0.0;
  if (!m_holdText->GetValue().ToCDouble(&hold)) {
    hold = 0.0;
  }
  if (std::fabs(hold - m_hold[scene]) > 0.05) {
    if (hold < 0 || hold > MAX_HOLD) {
      ShowError(ERR_HOLD_RANGE);
    }
    const double rounded = std::trunc(2 * hold + 0.5) * 0.5;
    if (std::fabs(rounded - hold) >= 0.1) {
      wxMessageBox(WARN_HOLD_ROUNDED, CAPTION_WARNING, wxOK | wxICON_INFORMATION, this);
    }
    m_hold[scene] = rounded;
    m_holdText->ChangeValue(wxString::Format("%.1f", rounded));
    changed = true;
  }

  if (changed) {
    SetModified(true);
    SetStatus(MSG_MODIFIED_SCENARIO, STATUS_MESSAGE);
    AutoTransfer(-1);
  }
}

int LumivaneFrame::SetAllSource() {
  StopRun();
  CommitFadeHold();
  return m_currentScene >= 0 && m_currentScene < SceneCount() ? m_currentScene : -1;
}

void LumivaneFrame::OnSetAllHold(wxCommandEvent&) {
  const int source = SetAllSource();
  if (source < 0) {
    return;
  }
  const double hold = m_hold[source];
  std::fill_n(m_hold, SceneCount(), hold);
  SetModified(true);
}
