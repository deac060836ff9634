#pragma once
// Where the board monitor opens: beside the main window, never over it.
#include <wx/gdicmn.h>

struct MonitorPlacement {
  wxRect monitor;      // the monitor's place and size
  wxPoint mainWindow;  // where the main window stands (moved when it had to)
};

// The monitor's place for a main window at `main` on a screen whose free
// area is `screen`: to the right of the main window, else to its left,
// narrowed down to `minWidth` at most where the room is short. When neither
// side has room, the main window moves along the screen to make it; a
// screen too small for both leaves the main window as it is and the
// monitor at the screen's right edge. `gap` lies between the two windows.
MonitorPlacement PlaceMonitor(const wxRect& main, const wxSize& wanted, const wxRect& screen, int gap,
                              int minWidth);
