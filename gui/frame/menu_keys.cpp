#include "gui/frame/menu_keys.h"

#include <wx/event.h>
#include <wx/grid.h>
#include <wx/window.h>

namespace {

// The menu command of a key, or wxID_NONE.
int MenuCommandOfKey(const wxKeyEvent& event) {
  if (event.GetModifiers() == wxMOD_NONE) {
    switch (event.GetKeyCode()) {
      case WXK_F2: return wxID_PROPERTIES;
      case WXK_PAGEUP: return wxID_BACKWARD;
      case WXK_PAGEDOWN: return wxID_FORWARD;
      default: return wxID_NONE;
    }
  }
  if (event.GetModifiers() == (wxMOD_CONTROL | wxMOD_SHIFT) && event.GetKeyCode() == 'Z') {
    return wxID_REDO;  // the second key of Redo, as other programs have it
  }
  return wxID_NONE;
}

}  // namespace

void RouteMenuKeys(wxWindow* window, std::function<const wxGrid*()> shownGrid) {
  window->Bind(wxEVT_CHAR_HOOK, [window, shownGrid](wxKeyEvent& event) {
    int command = MenuCommandOfKey(event);
    const wxGrid* grid = shownGrid();
    if (command != wxID_PROPERTIES && grid != nullptr && grid->IsCellEditControlShown()) {
      command = wxID_NONE;
    }
    if (command == wxID_NONE) {
      event.Skip();
      return;
    }
    wxCommandEvent menu(wxEVT_MENU, command);
    window->ProcessWindowEvent(menu);
  });
}
