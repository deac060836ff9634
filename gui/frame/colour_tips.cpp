#include "gui/frame/colour_tips.h"

#include <wx/grid.h>
#include <wx/intl.h>

#include "core/model/colour_numbers.h"
#include "core/model/scenario.h"

namespace {

wxString CubeColourText(int colour) {
  const CubeLevels levels = LevelsOfIndex(colour);
  return wxString::Format(_("Colour %d: red %d, green %d, blue %d"), colour, levels.red, levels.green,
                          levels.blue);
}

}  // namespace

wxString ColourCellTip(int colour) {
  if (colour == NO_COLOUR) {
    return wxString::Format(_("No colour chosen: the boards show colour %d"), UNSET_COLOUR_INDEX);
  }
  // A fresh row's black is colour 0.
  return CubeColourText(colour == FRESH_BLACK ? 0 : colour);
}

wxString BoardTileTip(long board, bool given, int colour) {
  if (!given) {
    return wxString::Format(_("Board %ld: no colour given yet"), board);
  }
  const CubeLevels levels = LevelsOfIndex(colour);
  return wxString::Format(_("Board %ld: colour %d, red %d, green %d, blue %d"), board, colour, levels.red,
                          levels.green, levels.blue);
}

void ShowColourCellTips(wxGrid* grid, std::function<int(int row)> colourOfRow) {
  wxWindow* cells = grid->GetGridWindow();
  cells->Bind(wxEVT_MOTION, [grid, cells, colourOfRow](wxMouseEvent& event) {
    event.Skip();
    const wxPoint position = grid->CalcUnscrolledPosition(event.GetPosition());
    const int row = grid->YToRow(position.y);
    const int col = grid->XToCol(position.x);
    const wxString tip = row != wxNOT_FOUND && col == COL_COLOUR && row < grid->GetNumberRows()
                             ? ColourCellTip(colourOfRow(row))
                             : wxString();
    if (tip.empty()) {
      if (cells->GetToolTip() != nullptr) {
        cells->UnsetToolTip();
      }
    } else if (cells->GetToolTipText() != tip) {
      cells->SetToolTip(tip);
    }
  });
}
