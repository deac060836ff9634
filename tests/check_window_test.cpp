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

namespace {

// Rows of one board each, none aliased on the wire.
std::vector<Row> BoardRows(int count) {
  std::vector<Row> rows(count);
  for (int row = 0; row < count; ++row) {
    rows[row].from = std::to_string(row / 128 * 256 + row % 128 + 1);
    rows[row].colour = 3;
  }
  return rows;
}

}  // namespace

TEST_F(CheckWindow, RowsOfOneKindAreOneLineThatLeadsToTheFirstOfThem) {
  Start();
  wxGrid* grid = m_frame->Grid(0);
  grid->AppendRows(3);
  grid->SetCellValue(0, COL_FROM, "5");
  grid->SetCellValue(1, COL_FROM, "129");
  grid->SetCellValue(2, COL_FROM, "130");
  grid->SetCellValue(3, COL_FROM, "131");
  for (int input = 1; input < INPUT_COUNT; ++input) {
    m_frame->GetDocument().SetInputFunction(input, INPUT_NEXT);
  }
  std::vector<std::string> lines;
  wxTEST_DIALOG(Check(), ExpectCheckDialog(0, &lines));
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "warning|1 \"Scene 1\"|2-4|boards 129-131 go out as boards 1-3 on the wire"}));
  EXPECT_EQ(grid->GetGridCursorRow(), 1);
}

TEST_F(CheckWindow, ATransferLongerThanItsHoldIsWarnedAboutAtTheSettingsSpeed) {
  const std::string warning = "warning|1 \"Scene 1\"||its transfer takes 4.8 s at 9600 bit/s, longer than its "
                              "hold of 0.5 s; a run falls behind here";
  for (const char* baud : {"0", "1"}) {
    SCOPED_TRACE(baud);
    WriteSettings(std::string("[Settings]\ncom=\ntip=-1\nbaud=") + baud + "\n");
    Start();
    m_frame->GetDocument().InsertRows(0, 0, BoardRows(511));
    m_frame->GetDocument().SetHold(0, 0.5);
    m_frame->GetDocument().SetInputFunction(0, 0);
    m_frame->GetDocument().SetInputFunction(1, INPUT_NEXT);
    m_frame->GetDocument().SetInputFunction(2, INPUT_NEXT);
    m_frame->GetDocument().SetInputFunction(3, INPUT_NEXT);
    if (baud[0] == '0') {
      std::vector<std::string> lines;
      wxTEST_DIALOG(Check(), ExpectCheckDialog(-1, &lines));
      EXPECT_EQ(lines, std::vector<std::string>{warning});
    } else {
      wxTEST_DIALOG(Check(), ExpectMessageBox("The check found nothing to report in this scenario.",
                                              "Check scenario", wxOK));
    }
    CloseMainWindow();
  }
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
