#pragma once
#include <vector>

#include "gui/dialogs/shortcuts_dlg_base.h"
#include "gui/frame/menu_table.h"

// Help > Keyboard shortcuts: every key of the program, one line each, in
// the order of the menus (menu_table.h).
class ShortcutsDlg : public ShortcutsDlgBase {
 public:
  ShortcutsDlg(wxWindow* parent, const std::vector<KeyboardShortcut>& shortcuts);

  // The lines as shown, for tests.
  std::vector<KeyboardShortcut> Lines() const;
};
