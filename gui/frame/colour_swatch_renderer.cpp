#include "gui/frame/colour_swatch_renderer.h"

#include <wx/dc.h>

namespace {

// Wider than the grid's cursor (2 pixels), so the cursor lies on the cell's
// own background and not on the colour.
constexpr int SWATCH_INSET = 3;
const wxColour SWATCH_BORDER(96, 96, 96);

}  // namespace

wxRect ColourSwatchRenderer::SwatchRect(const wxRect& cell) {
  return wxRect(cell).Deflate(SWATCH_INSET);
}

void ColourSwatchRenderer::Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int, int,
                                bool isSelected) {
  // Around the swatch: the selection's colour, as a frame, or the grid's.
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(isSelected ? grid.GetSelectionBackground() : grid.GetDefaultCellBackgroundColour()));
  dc.DrawRectangle(rect);
  if (!m_swatch) {
    return;
  }
  dc.SetPen(wxPen(SWATCH_BORDER));
  dc.SetBrush(wxBrush(attr.GetBackgroundColour()));
  dc.DrawRectangle(SwatchRect(rect));
}

wxSize ColourSwatchRenderer::GetBestSize(wxGrid&, wxGridCellAttr&, wxDC&, int, int) {
  return wxSize(4 * SWATCH_INSET + 8, 4 * SWATCH_INSET + 8);
}
