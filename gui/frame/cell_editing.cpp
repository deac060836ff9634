// Cell editing: typed values with their checks, colour choice, the
// fade/hold row. Values are checked and warned about, never rejected.
#include "gui/frame/lumivane_frame.h"

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
#include "gui/dialogs/colour_palette_dlg.h"
#include "gui/frame/cell_colours.h"

namespace {

constexpr int MAX_BLINK = 14;
constexpr int MAX_FADE = 216;
constexpr double MAX_HOLD = 120.0;

::PaletteColour ToPalette(const wxColour& colour) {
  return ::PaletteColour{true, colour.Red(), colour.Green(), colour.Blue()};
}

}  // namespace

void LumivaneFrame::ShowError(const wxString& message) {
  ShowMessage(message, CAPTION_ERROR, wxOK | wxICON_ERROR);
}

void LumivaneFrame::OnEditorShown(wxGridEvent& event) {
  StopRun();
  auto* grid = static_cast<wxGrid*>(event.GetEventObject());
  const int scene = SceneOfGrid(grid);
  const int row = event.GetRow();
  const int col = event.GetCol();
  if (col == COL_COLOUR) {
    // Typing into a colour cell opens the colour dialog instead, once this
    // event is over.
    m_colourScene = scene;
    m_colourRow = row;
    wxCommandEvent pick(wxEVT_MENU, ID_PICK_COLOUR);
    wxPostEvent(this, pick);
    event.Veto();
    return;
  }
  event.Skip();
}

void LumivaneFrame::OnPickColour(wxCommandEvent&) {
  const int scene = m_colourScene;
  const int row = m_colourRow;
  if (!m_document.HasScene(scene) || row < 0 || row >= m_document.RowCount(scene)) {
    return;
  }
  if (wxGrid* grid = ExistingGrid(scene)) {
    grid->HideCellEditControl();
  }
  m_document.SetCellText(scene, row, COL_COLOUR, " ");
  ChooseColour(scene, row);
}

void LumivaneFrame::OnCellLeftClick(wxGridEvent& event) {
  StopRun();
  if (event.GetCol() != COL_COLOUR) {
    event.Skip();
    return;
  }
  const int scene = SceneOfGrid(static_cast<wxGrid*>(event.GetEventObject()));
  ChooseColour(scene, event.GetRow());
}

bool LumivaneFrame::ChooseColour(wxGrid* grid, int row) { return ChooseColour(SceneOfGrid(grid), row); }

bool LumivaneFrame::ChooseColour(int scene, int row) {
  if (!m_document.HasScene(scene) || row < 0 || row >= m_document.RowCount(scene)) {
    return false;
  }
  // The dialogs wait for the user; the scene is looked up again afterwards.
  const Row before = m_document.GetRow(scene, row);
  const int scenes = SceneCount();
  // The boards' own colours first; the toolkit's dialog on request, its
  // pick snapped to the cube.
  std::array<wxColour, PALETTE_CUSTOM_SLOTS> customColours;
  for (int slot = 0; slot < PALETTE_SIZE && slot < PALETTE_CUSTOM_SLOTS; ++slot) {
    customColours[slot] = PaletteColour(slot);
  }
  const int shownNumber = before.colour == NO_COLOUR ? -1 : before.ColourIndex();
  ColourPaletteDlg palette(this, shownNumber, customColours);
  int answer = wxID_CANCEL;
  {
    ModalScope modal(this);
    answer = palette.ShowModal();
  }
  wxColourData data;
  data.SetChooseFull(true);
  if (answer == ColourPaletteDlg::ID_MORE_COLOURS) {
    for (int slot = 0; slot < PALETTE_SIZE; ++slot) {
      if (PaletteColour(slot).IsOk()) {
        data.SetCustomColour(slot, PaletteColour(slot));
      }
    }
    const Rgb shown = RowColour(before);
    data.SetColour(wxColour(shown.red, shown.green, shown.blue));
    wxColourDialog dialog(this, &data);
    ModalScope modal(this);
    answer = dialog.ShowModal();
    data = dialog.GetColourData();
  } else if (answer == wxID_OK) {
    data.SetColour(IndexToWxColour(palette.Chosen()));
  }
  if (answer != wxID_OK) {
    return false;
  }
  if (SceneCount() != scenes || row >= m_document.RowCount(scene) ||
      m_document.GetRow(scene, row) != before) {
    return false;  // the scenario changed under the dialog
  }
  const wxColourData& chosen = data;
  m_document.BeginStep(STEP_COLOUR, EditPlace{scene, row, COL_COLOUR});
  m_document.SetRowColour(scene, row, ColourToIndex(chosen.GetColour()));

  for (int slot = 0; slot < PALETTE_SIZE; ++slot) {
    const wxColour custom = chosen.GetCustomColour(slot);
    if (custom.IsOk() && custom != *wxWHITE) {
      m_document.SetPaletteColour(slot, ToPalette(SnapToCube(custom)));
    }
  }

  NumberFreshRow(scene, row);
  if (row == m_document.RowCount(scene) - 1) {
    m_document.InsertRows(scene, row + 1, 1);
  }
  m_document.EndStep();
  RefreshScene(scene);
  SetModified(true);
  UpdateUndoRedo();
  AutoTransfer(-1);
  return true;
}

void LumivaneFrame::NumberFreshRow(int scene, int row) {
  if (!m_document.GetRow(scene, row).from.empty()) {
    return;
  }
  std::string number;
  if (row == 0) {
    number = "1";
  } else {
    const Row& above = m_document.GetRow(scene, row - 1);
    long last = 0;
    if (ParseWholeNumber(above.to.empty() ? above.from : above.to, &last) && last > 0) {
      number = std::to_string(last + 1);
    }
  }
  if (!number.empty()) {
    m_document.SetCellText(scene, row, COL_FROM, number);
  }
}

void LumivaneFrame::OnCellChanged(wxGridEvent& event) {
  StopRun();
  auto* grid = static_cast<wxGrid*>(event.GetEventObject());
  const int scene = SceneOfGrid(grid);
  const int row = event.GetRow();
  const int col = event.GetCol();
  if (!m_document.HasScene(scene) || row < 0 || row >= m_document.RowCount(scene)) {
    return;
  }
  const std::string text = m_document.GetRow(scene, row).Text(col);
  // What the edit brings with it belongs to the grid's step of the cell.
  const EditPlace place{scene, row, col};
  m_document.ContinueLastStep(place, STEP_EDIT_CELL);
  if (m_document.GetRow(scene, row).colour == NO_COLOUR) {
    // A fresh row gets colour number 0.
    m_document.SetRowColour(scene, row, FRESH_BLACK);
    RefreshScene(scene);
  }
  if (row + 1 >= m_document.RowCount(scene)) {
    m_document.InsertRows(scene, row + 1, 1);
  }
  m_document.EndStep();
  UpdateUndoRedo();

  long value = 0;
  if ((col == COL_FROM || col == COL_TO) && !text.empty() &&
      (!ParseWholeNumber(text, &value) || value <= 0)) {
    const bool idOnly = m_menuEdit->IsChecked(ID_HIDE_TO);
    ShowError(wxString(idOnly ? ERR_ID_NUMBER : ERR_FROM_TO_NUMBER) + ERR_POSITIVE_NUMBER);
  } else if (col == COL_DESCRIPTION && text.size() > LONG_DESCRIPTION_BYTES) {
    ShowMessage(wxString::Format(WARN_LONG_DESCRIPTION, LONG_DESCRIPTION_BYTES), CAPTION_WARNING,
                wxOK | wxICON_INFORMATION);
  } else if (col == COL_BLINK && !text.empty()) {
    if (!ParseWholeNumber(text, &value) || value < 0) {
      ShowError(ERR_BLINK_NUMBER);
    } else if (value > MAX_BLINK) {
      ShowError(wxString::Format(ERR_BLINK_TOO_HIGH, MAX_BLINK));
    }
  }

  RefreshScene(scene);
  SetModified(true);
  SetStatus(MSG_MODIFIED_SCENARIO, STATUS_MESSAGE);
  AutoTransfer(-1);
  event.Skip();
}

void LumivaneFrame::CommitFadeHold() {
  if (m_currentScene < 0 || m_currentScene >= SceneCount()) {
    return;
  }
  const int scene = m_currentScene;
  bool changed = false;
  m_document.BeginStep(STEP_FADE_HOLD, EditPlace{scene, -1, -1});

  long fade = 0;
  if (!m_fadeText->GetValue().ToLong(&fade, 10)) {
    fade = 0;
  }
  if (fade != m_document.GetScene(scene).fade) {
    if (fade > MAX_FADE || fade < 0) {
      ShowError(wxString::Format(ERR_FADE_RANGE, MAX_FADE));
    }
    m_document.SetFade(scene, static_cast<int>(fade));
    changed = true;
  }

  double hold = 0.0;
  if (!m_holdText->GetValue().ToCDouble(&hold)) {
    hold = 0.0;
  }
  if (std::fabs(hold - m_document.GetScene(scene).hold) > 0.05) {
    if (hold < 0 || hold > MAX_HOLD) {
      ShowError(ERR_HOLD_RANGE);
    }
    const double rounded = std::trunc(2 * hold + 0.5) * 0.5;
    if (std::fabs(rounded - hold) >= 0.1) {
      ShowMessage(WARN_HOLD_ROUNDED, CAPTION_WARNING, wxOK | wxICON_INFORMATION);
    }
    m_document.SetHold(scene, rounded);
    m_holdText->ChangeValue(wxString::Format("%.1f", rounded));
    changed = true;
  }

  m_document.EndStep();
  if (changed) {
    SetModified(true);
    UpdateUndoRedo();
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
  {
    Document::Step step(m_document, STEP_SET_ALL_HOLDS, EditPlace{source, -1, -1});
    m_document.SetAllHold(m_document.GetScene(source).hold);
  }
  SetModified(true);
  UpdateUndoRedo();
}
