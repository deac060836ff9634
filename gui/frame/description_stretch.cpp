#include "gui/frame/description_stretch.h"

#include <algorithm>

#include <wx/grid.h>

#include "core/model/scenario.h"

void StretchDescription(wxGrid* grid, int keptWidth) {
  int others = 0;
  for (int col = 0; col < grid->GetNumberCols(); ++col) {
    if (col != COL_DESCRIPTION) {
      others += grid->GetColSize(col);
    }
  }
  // One pixel short of the edge, so that no horizontal scroll bar appears.
  const int room = grid->GetGridWindow()->GetClientSize().x - others - 1;
  const int width = std::max(keptWidth, room);
  if (COL_DESCRIPTION < grid->GetNumberCols() && grid->GetColSize(COL_DESCRIPTION) != width) {
    grid->SetColSize(COL_DESCRIPTION, width);
  }
}

void KeepDescriptionStretched(wxGrid* grid, std::function<int()> keptWidth) {
  // After the grid has laid its windows out anew.
  const auto later = [grid, keptWidth] {
    grid->CallAfter([grid, keptWidth] { StretchDescription(grid, keptWidth()); });
  };
  grid->Bind(wxEVT_SIZE, [later](wxSizeEvent& event) {
    event.Skip();
    later();
  });
  grid->Bind(wxEVT_GRID_COL_SIZE, [later](wxGridSizeEvent& event) {
    event.Skip();
    later();
  });
}
