#include "support/ui_input.h"

#include <wx/notebook.h>
#include <wx/grid.h>
#include <wx/uiaction.h>

#include "support/app_fixture.h"

bool ClickNotebookTab(wxNotebook* notebook, int page) {
  AppTestPump(50);  // let new tabs be laid out
  // The tabs lie along the top edge; find a point inside the wanted one.
  const wxSize size = notebook->GetSize();
  for (int y = 2; y < 60 && y < size.y; y += 3) {
    for (int x = 2; x < size.x; x += 3) {
      long flags = 0;
      if (notebook->HitTest(wxPoint(x, y), &flags) == page) {
        wxUIActionSimulator input;
        input.MouseMove(notebook->ClientToScreen(wxPoint(x + 4, y + 2)));
        AppTestPump(30);
        input.MouseClick();
        AppTestPump(100);
        return true;
      }
    }
  }
  return false;
}

void TypeIntoCell(wxGrid* grid, int row, int col, const wxString& text) {
  grid->GetGridWindow()->SetFocus();
  grid->SetGridCursor(row, col);
  grid->MakeCellVisible(row, col);
  AppTestPump(30);
  wxUIActionSimulator input;
  input.Text(text.utf8_str());
  AppTestPump(30);
  input.Char(WXK_RETURN);
  AppTestPump(80);
}
