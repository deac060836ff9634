#pragma once
#include <wx/dialog.h>

#include <vector>

#include "core/model/scenario_check.h"

class wxListCtrl;
class wxListEvent;
class wxButton;

// The layout of the Check scenario dialog: a list of findings and a button.
class CheckDlgBase : public wxDialog {
 public:
  explicit CheckDlgBase(wxWindow* parent);

 protected:
  wxListCtrl* m_list;
  wxButton* m_closeButton;
};

// The findings of the scenario check, one line each: severity, scene, row
// and message. Double-clicking a line ends the dialog with wxID_OK and
// Chosen() names the finding, so the window can go to it.
class CheckDlg : public CheckDlgBase {
 public:
  CheckDlg(wxWindow* parent, const Scenario& scenario, const std::vector<Finding>& findings);

  // The finding double-clicked, or -1.
  int Chosen() const { return m_chosen; }
  wxListCtrl* List() const { return m_list; }
  // Ends the dialog as a double-click on line `index` does.
  void Choose(int index);

 private:
  void OnActivated(wxListEvent& event);

  int m_chosen = -1;
};
