// Cell editing: typed values, colour choice, the fade/hold row. The rules
// are the core's commands; here the window hands them what the user did
// and shows the warnings they return.
#include "gui/frame/lumivane_frame.h"

#include <wx/colordlg.h>
#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "core/edit/edit_commands.h"
#include "gui/app/texts.h"
#include "gui/dialogs/colour_palette_dlg.h"
#include "gui/frame/cell_colours.h"
#include "gui/frame/fade_hold_row.h"
#include "gui/frame/scene_book.h"

void LumivaneFrame::ShowError(const wxString& message) {
  ShowMessage(message, _(CAPTION_ERROR), wxOK | wxICON_ERROR);
}

void LumivaneFrame::ShowWarnings(const std::vector<EditWarning>& warnings) {
  for (const EditWarning& warning : warnings) {
    const int value = static_cast<int>(warning.value);
    switch (warning.code) {
      case EditWarning::FROM_TO_NOT_POSITIVE: ShowError(wxString(_(ERR_FROM_TO_NUMBER)) + _(ERR_POSITIVE_NUMBER)); break;
      case EditWarning::ID_NOT_POSITIVE: ShowError(wxString(_(ERR_ID_NUMBER)) + _(ERR_POSITIVE_NUMBER)); break;
      case EditWarning::BLINK_NOT_NUMBER: ShowError(_(ERR_BLINK_NUMBER)); break;
      case EditWarning::BLINK_TOO_HIGH: ShowError(wxString::Format(_(ERR_BLINK_TOO_HIGH), value)); break;
      case EditWarning::LONG_DESCRIPTION:
        ShowMessage(wxString::Format(_(WARN_LONG_DESCRIPTION), value), _(CAPTION_WARNING), wxOK | wxICON_INFORMATION);
        break;
      case EditWarning::FADE_OUT_OF_RANGE: ShowError(wxString::Format(_(ERR_FADE_RANGE), value)); break;
      case EditWarning::HOLD_OUT_OF_RANGE: ShowError(_(ERR_HOLD_RANGE)); break;
      case EditWarning::HOLD_ROUNDED:
        ShowMessage(_(WARN_HOLD_ROUNDED), _(CAPTION_WARNING), wxOK | wxICON_INFORMATION);
        break;
      case EditWarning::PASTED_SUSPECT_VALUES:
        ShowMessage(_(WARN_PASTED_VALUES), _(CAPTION_WARNING), wxOK | wxICON_INFORMATION);
        break;
    }
  }
}

void LumivaneFrame::OnEditorShown(wxGridEvent& event) {
  StopRun();
  if (event.GetCol() == COL_COLOUR) {
    // Typing into a colour cell opens the colour dialog instead, once this
    // event is over; the cell changes only when a colour is chosen.
    m_book->SetColourCell(m_book->SceneOfGrid(static_cast<wxGrid*>(event.GetEventObject())), event.GetRow());
    wxCommandEvent pick(wxEVT_MENU, ID_PICK_COLOUR);
    wxPostEvent(this, pick);
    event.Veto();
    return;
  }
  event.Skip();
}

void LumivaneFrame::OnCellLeftClick(wxGridEvent& event) {
  StopRun();
  if (event.GetCol() != COL_COLOUR) {
    event.Skip();
    return;
  }
  ChooseColour(static_cast<wxGrid*>(event.GetEventObject()), event.GetRow());
}

bool LumivaneFrame::ChooseColour(wxGrid* grid, int row) { return ChooseColour(m_book->SceneOfGrid(grid), row); }

bool LumivaneFrame::ChooseColour(int scene, int row) {
  if (!m_document.HasScene(scene) || row < 0 || row >= m_document.RowCount(scene)) {
    return false;
  }
  // The dialogs wait for the user; the scene is looked up again afterwards.
  const SceneId id = m_document.IdOfScene(scene);
  const Row before = m_document.GetRow(scene, row);
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
  scene = m_document.IndexOfScene(id);
  if (scene < 0 || row >= m_document.RowCount(scene) || m_document.GetRow(scene, row) != before) {
    return false;  // the scenario changed under the dialog
  }
  const wxColourData& chosen = data;
  std::array<std::optional<::PaletteColour>, PALETTE_SIZE> customs;
  for (int slot = 0; slot < PALETTE_SIZE; ++slot) {
    const wxColour custom = chosen.GetCustomColour(slot);
    if (custom.IsOk() && custom != *wxWHITE) {
      const wxColour snapped = SnapToCube(custom);
      customs[slot] = ::PaletteColour{true, snapped.Red(), snapped.Green(), snapped.Blue()};
    }
  }
  SetColour(m_document, scene, row, ColourToIndex(chosen.GetColour()), customs);
  return true;
}

void LumivaneFrame::OnCellChanged(wxGridEvent& event) {
  StopRun();
  const int scene = m_book->SceneOfGrid(static_cast<wxGrid*>(event.GetEventObject()));
  const int row = event.GetRow();
  if (!m_document.HasScene(scene) || row < 0 || row >= m_document.RowCount(scene)) {
    return;
  }
  const std::string text = m_document.GetRow(scene, row).Text(event.GetCol());
  const EditResult result = EditCell(m_document, scene, row, event.GetCol(), text);
  ShowWarnings(result.warnings);
  SetStatus(_(MSG_MODIFIED_SCENARIO), STATUS_MESSAGE);
  event.Skip();
}

wxTextCtrl* LumivaneFrame::FadeText() const { return m_fadeHold->FadeText(); }

wxTextCtrl* LumivaneFrame::HoldText() const { return m_fadeHold->HoldText(); }

void LumivaneFrame::CommitFadeHold() {
  const EditResult result = m_fadeHold->Commit(m_document);
  ShowWarnings(result.warnings);
  if (!result.changes.Empty()) {
    SetStatus(_(MSG_MODIFIED_SCENARIO), STATUS_MESSAGE);
  }
}

int LumivaneFrame::SetAllSource() {
  StopRun();
  CommitFadeHold();
  const int scene = CurrentScene();
  return m_document.HasScene(scene) ? scene : -1;
}
