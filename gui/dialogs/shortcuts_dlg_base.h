#pragma once
#include <wx/dialog.h>

class wxButton;
class wxListCtrl;

// The layout of the Keyboard shortcuts dialog: a list of keys, commands and
// menus, and a Close button.
class ShortcutsDlgBase : public wxDialog {
 public:
  explicit ShortcutsDlgBase(wxWindow* parent);

 protected:
  wxListCtrl* m_list;
  wxButton* m_closeButton;
};
