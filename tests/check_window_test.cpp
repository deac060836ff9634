// Edit > Check scenario in the window: the list of findings and the way
// from a finding to its row.
#include <wx/grid.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>

#include "gui/dialogs/check_dlg.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/gui_testing.h"

namespace {

// The check dialog: its lines are noted, then line `choose` is
// double-clicked (or the dialog closed when -1).
class ExpectCheckDialog : public wxExpectModalBase<CheckDlg, ExpectCheckDialog> {
 public:
  ExpectCheckDialog(int choose, std::vector<std::string>* lines) : m_choose(choose), m_lines(lines) {}

 protected:
  int OnInvoked(CheckDlg* dialog) const override {
    wxListCtrl* list = dialog->List();
    for (long item = 0; item < list->GetItemCount(); ++item) {
      std::string line;
      for (int col = 0; col < list->GetColumnCount(); ++col) {
        line += (col ? "|" : "") + list->GetItemText(item, col).utf8_string();
      }
      m_lines->push_back(line);
    }
    if (m_choose < 0) {
      return wxID_CANCEL;
    }
    dialog->Choose(m_choose);
    return wxID_OK;
  }

 private:
  int m_choose;
  std::vector<std::string>* m_lines;
};

}  // namespace

class CheckWindow : public AppTest {
 protected:
  void Check() {
    wxCommandEvent check(wxEVT_MENU, ID_CHECK_SCENARIO);
    m_frame->ProcessWindowEvent(check);
  }
};

TEST_F(CheckWindow, ACleanScenarioSaysSo) {
  Start();
  m_frame->Grid(0)->SetCellValue(0, COL_FROM, "1");
  for (int input = 1; input < INPUT_COUNT; ++input) {
    m_frame->GetDocument().SetInputFunction(input, INPUT_NEXT);
  }
  wxTEST_DIALOG(Check(), ExpectMessageBox("The check found nothing to report in this scenario.",
                                          "Check scenario", wxOK));
}

TEST_F(CheckWindow, FindingsAreListedAndADoubleClickGoesToTheRow) {
  Start();
  m_frame->CreateScenePage(1, "Finale", false);
  wxGrid* grid = m_frame->Grid(1);
  grid->AppendRows(2);
  grid->SetCellValue(0, COL_FROM, "1");
  grid->SetCellValue(2, COL_FROM, "0");
  std::vector<std::string> lines;
  wxTEST_DIALOG(Check(), ExpectCheckDialog(1, &lines));
  EXPECT_EQ(lines, (std::vector<std::string>{"warning|1 \"Scene 1\"||the scene sends no row",
                                             "error|2 \"Finale\"|3|From 0 is never sent",
                                             "warning|2 \"Finale\"|3|row 3 has no board number and is not saved",
                                             "note|Input 3||jumps to scene 3, which does not exist",
                                             "note|Input 4||jumps to scene 4, which does not exist"}));
  EXPECT_EQ(m_frame->Notebook()->GetSelection(), 1);
  EXPECT_EQ(grid->GetGridCursorRow(), 2);
}
