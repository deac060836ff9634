#include "gui/frame/grid_clipboard_keys.h"

#include <wx/grid.h>
#include <wx/weakref.h>

namespace {

// The Edit command a key stands for, or wxID_NONE.
int ClipboardCommand(const wxKeyEvent& event) {
  if (event.GetModifiers() != wxMOD_CONTROL) {
    return wxID_NONE;
  }
  switch (event.GetKeyCode()) {
    case 'C': return wxID_COPY;
    case 'X': return wxID_CUT;
    case 'V': return wxID_PASTE;
    default: return wxID_NONE;
  }
}

}  // namespace

void RouteClipboardKeys(wxGrid* grid, wxWindow* commands) {
  wxWeakRef<wxWindow> target(commands);
  // Bound handlers run before the grid's own key handling.
  grid->Bind(wxEVT_KEY_DOWN, [grid, target](wxKeyEvent& event) {
    const int command = ClipboardCommand(event);
    if (command == wxID_NONE || !target || grid->IsCellEditControlShown()) {
      event.Skip();
      return;
    }
    wxCommandEvent menu(wxEVT_MENU, command);
    menu.SetEventObject(target.get());
    target->ProcessWindowEvent(menu);
  });
}
