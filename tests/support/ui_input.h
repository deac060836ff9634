#pragma once
// Real mouse and keyboard input through the toolkit's UI action simulator.
#include <wx/gdicmn.h>

class wxNotebook;

// Clicks the tab of notebook page `page`; false when no tab was found.
bool ClickNotebookTab(wxNotebook* notebook, int page);

class wxGrid;
class wxString;

// Selects a grid cell and types `text` followed by Enter, as a user would.
void TypeIntoCell(wxGrid* grid, int row, int col, const wxString& text);
