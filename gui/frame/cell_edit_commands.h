#pragma once
// Cell editing in the scene grids of the main window: a typed value goes to
// the core's cell command, and a click or typing in a Colour cell opens the
// boards' palette.
#include <wx/colour.h>

class wxGrid;
class wxGridEvent;
class Document;
class LumivaneFrame;

// A custom colour slot of the scenario's palette; not IsOk() when unset.
wxColour SlotColour(const Document& document, int slot);

class CellEditCommands {
 public:
  // Binds the colour pick of `frame`; it and `document` outlive this.
  CellEditCommands(LumivaneFrame& frame, Document& document);
  // The grid of a new page reports its edits here.
  void BindGrid(wxGrid* grid);

  // The palette, and the toolkit's colour dialog on request, for a row; true
  // when a colour was chosen and set.
  bool ChooseColour(wxGrid* grid, int row);
  bool ChooseColour(int scene, int row);

 private:
  void OnEditorShown(wxGridEvent& event);
  void OnCellLeftClick(wxGridEvent& event);
  void OnCellChanged(wxGridEvent& event);

  LumivaneFrame& m_frame;
  Document& m_document;
};
