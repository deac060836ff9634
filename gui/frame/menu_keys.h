#pragma once
// F2, PgUp, PgDn and Ctrl+Shift+Z do what the menus say, wherever the focus
// is. The grid takes F2 (edit a cell), PgUp and PgDn (scroll) before the
// menu sees them, and a page change puts the focus into the grid.
#include <functional>

class wxGrid;
class wxWindow;

// Sends those keys, pressed anywhere in `window`, to it as the menu
// commands; an open cell editor in `shownGrid()` (null when none) keeps
// PgUp, PgDn and Ctrl+Shift+Z.
void RouteMenuKeys(wxWindow* window, std::function<const wxGrid*()> shownGrid);
