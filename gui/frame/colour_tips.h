#pragma once
// Tooltips that say what a colour is: on the grid's Colour cells and on
// the board monitor's tiles, its number and its cube levels.
#include <wx/string.h>

#include <functional>

class wxGrid;

// "Colour 180: red 5, green 0, blue 0" for a row's colour (0..215, or the
// scenario's NO_COLOUR or FRESH_BLACK).
wxString ColourCellTip(int colour);

// The same for board `board`'s tile, with the board's number; `given`
// false for a board that was given no colour yet.
wxString BoardTileTip(long board, bool given, int colour);

// Shows ColourCellTip of the row under the mouse on `grid`'s Colour cells;
// `colourOfRow` gives a row's colour, or is not asked past the last row.
void ShowColourCellTips(wxGrid* grid, std::function<int(int row)> colourOfRow);
