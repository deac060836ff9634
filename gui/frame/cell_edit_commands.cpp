// Cell editing in the scene grids: typed values and the colour choice. The
// rules are the core's commands; here the window hands them what the user
// did and shows the warnings they return.
#include "gui/frame/cell_edit_commands.h"

#include <array>
#include <optional>

#include <wx/colordlg.h>
#include <wx/grid.h>

#include "core/edit/edit_commands.h"
#include "core/model/document.h"
#include "gui/app/texts.h"
#include "gui/dialogs/colour_palette_dlg.h"
#include "gui/frame/cell_colours.h"
#include "gui/frame/lumivane_frame.h"
#include "gui/frame/scene_book.h"

wxColour SlotColour(const Document& document, int slot) {
  const ::PaletteColour& colour = document.GetScenario().palette[slot];
  return colour.set ? wxColour(colour.red, colour.green, colour.blue) : wxColour();
}

CellEditCommands::CellEditCommands(LumivaneFrame& frame, Document& document) : m_frame(frame), m_document(document) {
  // A colour cell typed into: the colour dialog, once the grid's event is over.
  m_frame.Bind(
      wxEVT_MENU,
      [this](wxCommandEvent&) {
        SceneBook& book = *m_frame.m_book;
        if (wxGrid* grid = book.ExistingGrid(book.ColourScene())) {
          grid->HideCellEditControl();
        }
        ChooseColour(book.ColourScene(), book.ColourRow());
      },
      ID_PICK_COLOUR);
}

void CellEditCommands::BindGrid(wxGrid* grid) {
  grid->Bind(wxEVT_GRID_CELL_LEFT_CLICK, &CellEditCommands::OnCellLeftClick, this);
  grid->Bind(wxEVT_GRID_EDITOR_SHOWN, &CellEditCommands::OnEditorShown, this);
  grid->Bind(wxEVT_GRID_CELL_CHANGED, &CellEditCommands::OnCellChanged, this);
}

void CellEditCommands::OnEditorShown(wxGridEvent& event) {
  m_frame.StopRun();
  if (event.GetCol() == COL_COLOUR) {
    // Typing into a colour cell opens the colour dialog instead, once this
    // event is over; the cell changes only when a colour is chosen.
    m_frame.m_book->SetColourCell(m_frame.m_book->SceneOfGrid(static_cast<wxGrid*>(event.GetEventObject())), event.GetRow());
    wxCommandEvent pick(wxEVT_MENU, ID_PICK_COLOUR);
    wxPostEvent(&m_frame, pick);
    event.Veto();
    return;
  }
  event.Skip();
}

void CellEditCommands::OnCellLeftClick(wxGridEvent& event) {
  m_frame.StopRun();
  if (event.GetCol() != COL_COLOUR) {
    event.Skip();
    return;
  }
  ChooseColour(static_cast<wxGrid*>(event.GetEventObject()), event.GetRow());
}

bool CellEditCommands::ChooseColour(wxGrid* grid, int row) { return ChooseColour(m_frame.m_book->SceneOfGrid(grid), row); }

bool CellEditCommands::ChooseColour(int scene, int row) {
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
    customColours[slot] = SlotColour(m_document, slot);
  }
  const int shownNumber = before.colour == NO_COLOUR ? -1 : before.ColourIndex();
  ColourPaletteDlg palette(&m_frame, shownNumber, customColours);
  int answer = wxID_CANCEL;
  {
    LumivaneFrame::ModalScope modal(&m_frame);
    answer = palette.ShowModal();
  }
  wxColourData data;
  data.SetChooseFull(true);
  if (answer == ColourPaletteDlg::ID_MORE_COLOURS) {
    for (int slot = 0; slot < PALETTE_SIZE; ++slot) {
      if (SlotColour(m_document, slot).IsOk()) {
        data.SetCustomColour(slot, SlotColour(m_document, slot));
      }
    }
    const Rgb shown = RowColour(before);
    data.SetColour(wxColour(shown.red, shown.green, shown.blue));
    wxColourDialog dialog(&m_frame, &data);
    LumivaneFrame::ModalScope modal(&m_frame);
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

void CellEditCommands::OnCellChanged(wxGridEvent& event) {
  m_frame.StopRun();
  const int scene = m_frame.m_book->SceneOfGrid(static_cast<wxGrid*>(event.GetEventObject()));
  const int row = event.GetRow();
  if (!m_document.HasScene(scene) || row < 0 || row >= m_document.RowCount(scene)) {
    return;
  }
  const std::string text = m_document.GetRow(scene, row).Text(event.GetCol());
  const EditResult result = EditCell(m_document, scene, row, event.GetCol(), text);
  m_frame.ShowWarnings(result.warnings);
  m_frame.SetStatus(_(MSG_MODIFIED_SCENARIO), STATUS_MESSAGE);
  event.Skip();
}
