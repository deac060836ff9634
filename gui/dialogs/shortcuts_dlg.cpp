#include "gui/dialogs/shortcuts_dlg.h"

#include <wx/listctrl.h>

ShortcutsDlg::ShortcutsDlg(wxWindow* parent, const std::vector<KeyboardShortcut>& shortcuts)
    : ShortcutsDlgBase(parent) {
  for (const KeyboardShortcut& shortcut : shortcuts) {
    const long line = m_list->InsertItem(m_list->GetItemCount(), shortcut.key);
    m_list->SetItem(line, 1, shortcut.command);
    m_list->SetItem(line, 2, shortcut.menu);
  }
}

std::vector<KeyboardShortcut> ShortcutsDlg::Lines() const {
  std::vector<KeyboardShortcut> lines;
  for (long line = 0; line < m_list->GetItemCount(); ++line) {
    lines.push_back({m_list->GetItemText(line, 0), m_list->GetItemText(line, 1), m_list->GetItemText(line, 2)});
  }
  return lines;
}
