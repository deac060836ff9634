#pragma once
#include <wx/dialog.h>
#include <wx/listctrl.h>

#include <vector>

#include "core/model/scenario_check.h"

class wxButton;

// The findings as a virtual list: a line's texts are made when it is
// drawn, so that a long list opens at once.
class FindingList : public wxListCtrl {
 public:
  explicit FindingList(wxWindow* parent);
  void SetFindings(const Scenario& scenario, const std::vector<Finding>& findings);

 protected:
  wxString OnGetItemText(long item, long column) const override;

 private:
  std::vector<Finding> m_findings;
  std::vector<wxString> m_sceneLabels;  // `2 "Finale"`, by scene
};

// The layout of the Check scenario dialog: a list of findings and a button.
class CheckDlgBase : public wxDialog {
 public:
  explicit CheckDlgBase(wxWindow* parent);

 protected:
  FindingList* m_list;
  wxButton* m_closeButton;
};

// The findings of the scenario check, one line each: severity, scene, rows
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
