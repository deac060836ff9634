#pragma once
// How a Colour cell is drawn: the colour as a swatch with a thin border,
// inset so that the cell around it shows the selection as a frame and the
// cell cursor stays visible on dark colours. White is told from "no
// colour" by the border.
#include <wx/grid.h>

class ColourSwatchRenderer : public wxGridCellRenderer {
 public:
  // `swatch`: the cell has a colour, the attribute's background colour.
  explicit ColourSwatchRenderer(bool swatch) : m_swatch(swatch) {}

  void Draw(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, const wxRect& rect, int row, int col,
            bool isSelected) override;
  wxSize GetBestSize(wxGrid& grid, wxGridCellAttr& attr, wxDC& dc, int row, int col) override;
  wxGridCellRenderer* Clone() const override { return new ColourSwatchRenderer(m_swatch); }

  // The swatch within a cell's rectangle.
  static wxRect SwatchRect(const wxRect& cell);

 private:
  bool m_swatch;
};
