#pragma once
// Where the board monitor opens: beside the main window, never over it.
#include <wx/gdicmn.h>

struct MonitorPlacement {
  wxRect monitor;      // the monitor's place and size
  wxPoint mainWindow;  // where the main window stands (moved when it had to)
  int mainWidth;       // the main window's width (narrowed when it had to)
};

// The main window is narrowed no further than this to make room.
constexpr int MAIN_WINDOW_LEAST_WIDTH = 320;

// The monitor's place for a main window at `main` on a screen whose free
// area is `screen`: to the right of the main window, else to its left,
// narrowed down to `minWidth` at most where the room is short. When neither
// side has room, the main window moves along the screen to make it, and on
// a screen too small for both (a small or scaled one) it is narrowed too,
// down to MAIN_WINDOW_LEAST_WIDTH; only a screen smaller still leaves the
// main window as it is and the monitor at the screen's right edge. `gap`
// lies between the two windows; all in the toolkit's logical units.
MonitorPlacement PlaceMonitor(const wxRect& main, const wxSize& wanted, const wxRect& screen, int gap,
                              int minWidth);
