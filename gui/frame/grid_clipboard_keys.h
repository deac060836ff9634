#pragma once
// Ctrl+C, Ctrl+X and Ctrl+V in a scene grid are the Edit menu's Copy, Cut
// and Paste of rows. The grid would otherwise answer Ctrl+C itself with the
// cell texts, which have no colour numbers.
class wxGrid;
class wxWindow;

// Sends those keys, pressed in `grid` outside an open cell editor, to
// `commands` as the Edit menu's commands.
void RouteClipboardKeys(wxGrid* grid, wxWindow* commands);
