// Row and scene commands: the grid's context menu, add, delete, rename,
// duplicate and move scenes, next and previous scene.
#include "frame/lumivane_frame.h"

#include <wx/grid.h>

void LumivaneFrame::BindRowSceneCommands() {}

void LumivaneFrame::OnCellRightClick(wxGridEvent& event) { event.Skip(); }
