// Undoing cell edits.
#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/toolbar.h>

#include "gui/frame/cell_colours.h"
#include "gui/frame/lumivane_frame.h"
#include "core/model/undo_history.h"
#include "support/app_fixture.h"
#include "support/gui_testing.h"
#include "support/ui_input.h"

class Undo : public AppTest {
 protected:
  void SetUp() override {
    WriteSettings("[Settings]\nautorun=0\ntip=-1\n");
    Start();
    m_frame->Raise();
    Pump();
    grid = m_frame->Grid(0);
  }
  void ChooseUndo() {
    wxCommandEvent undo(wxEVT_MENU, wxID_UNDO);
    m_frame->ProcessWindowEvent(undo);
  }
  bool UndoEnabled() {
    const bool menu = m_frame->EditMenu()->IsEnabled(wxID_UNDO);
    EXPECT_EQ(menu, m_frame->ToolBar()->GetToolEnabled(wxID_UNDO));
    return menu;
  }
  void ClickColourCell(int row, const wxColour& colour) {
    wxTEST_DIALOG(
        {
          wxGridEvent click(grid->GetId(), wxEVT_GRID_CELL_LEFT_CLICK, grid, row, COL_COLOUR);
          grid->ProcessWindowEvent(click);
        },
        wxExpectModal<wxColourDialog>(colour));
  }
  wxGrid* grid = nullptr;
};

TEST_F(Undo, RestoresTheOldTextThenDisablesItselfAndClearsModified) {
  TypeIntoCell(grid, 0, COL_DESCRIPTION, "front");
  EXPECT_TRUE(UndoEnabled());
  EXPECT_TRUE(m_frame->IsModified());
  ChooseUndo();
  EXPECT_EQ(grid->GetCellValue(0, COL_DESCRIPTION), "");
  EXPECT_FALSE(UndoEnabled());
  EXPECT_FALSE(m_frame->IsModified());
  ChooseUndo();  // nothing left: nothing happens
  EXPECT_EQ(grid->GetCellValue(0, COL_DESCRIPTION), "");
}

TEST_F(Undo, TwoEditsOfOneCellComeBackInReverse) {
  TypeIntoCell(grid, 0, COL_DESCRIPTION, "A");
  TypeIntoCell(grid, 0, COL_DESCRIPTION, "B");
  TypeIntoCell(grid, 0, COL_DESCRIPTION, "C");
  ChooseUndo();
  EXPECT_EQ(grid->GetCellValue(0, COL_DESCRIPTION), "B");
  ChooseUndo();
  EXPECT_EQ(grid->GetCellValue(0, COL_DESCRIPTION), "A");
}

TEST_F(Undo, ColourChoiceComesBackAsTheOldColour) {
  ClickColourCell(0, *wxRED);
  const wxColour red = grid->GetCellBackgroundColour(0, COL_COLOUR);
  ClickColourCell(0, *wxBLUE);
  ChooseUndo();
  EXPECT_EQ(grid->GetCellBackgroundColour(0, COL_COLOUR), red);
  EXPECT_EQ(grid->GetCellValue(0, COL_COLOUR), " ");
  ChooseUndo();
  EXPECT_EQ(ColourToIndex(grid->GetCellBackgroundColour(0, COL_COLOUR)), 215);  // the grid's white
}

TEST_F(Undo, CancelledColourRecordsNothing) {
  wxTEST_DIALOG(
      {
        wxGridEvent click(grid->GetId(), wxEVT_GRID_CELL_LEFT_CLICK, grid, 0, COL_COLOUR);
        grid->ProcessWindowEvent(click);
      },
      wxExpectModal<wxColourDialog>(*wxRED, wxID_CANCEL));
  EXPECT_FALSE(UndoEnabled());
}

TEST_F(Undo, EditOfAnotherSceneSwitchesToItsPage) {
  m_frame->CreateScenePage(1, "", false);
  m_frame->Notebook()->SetSelection(1);
  Pump();
  TypeIntoCell(m_frame->Grid(1), 0, COL_DESCRIPTION, "x");
  m_frame->Notebook()->SetSelection(0);
  Pump();
  ChooseUndo();
  EXPECT_EQ(m_frame->Notebook()->GetSelection(), 1);
  EXPECT_EQ(m_frame->Grid(1)->GetCellValue(0, COL_DESCRIPTION), "");
}

TEST_F(Undo, RecordOfARowThatIsGoneIsDropped) {
  TypeIntoCell(grid, 0, COL_DESCRIPTION, "a");
  TypeIntoCell(grid, 1, COL_DESCRIPTION, "b");
  grid->DeleteRows(1, 2);
  ChooseUndo();  // row 1 is gone: nothing is touched
  EXPECT_EQ(grid->GetNumberRows(), 1);
  EXPECT_EQ(grid->GetCellValue(0, COL_DESCRIPTION), "a");
  ChooseUndo();
  EXPECT_EQ(grid->GetCellValue(0, COL_DESCRIPTION), "");
}

TEST_F(Undo, MovingRowsDropsTheHistoryInsteadOfUndoingTheWrongCell) {
  TypeIntoCell(grid, 0, COL_DESCRIPTION, "a");
  delete m_frame->BuildContextMenu(grid, 0);
  wxCommandEvent insert(wxEVT_MENU, ID_ROW_INSERT);
  m_frame->ProcessWindowEvent(insert);  // row 0 is now the new empty row
  EXPECT_FALSE(UndoEnabled());
  ChooseUndo();
  EXPECT_EQ(grid->GetCellValue(1, COL_DESCRIPTION), "a");
  EXPECT_TRUE(m_frame->IsModified());
}

TEST_F(Undo, UnrecordedChangesKeepTheScenarioModified) {
  TypeIntoCell(grid, 0, COL_DESCRIPTION, "a");
  m_frame->HoldText()->ChangeValue("2");
  m_frame->CommitFadeHold();
  ChooseUndo();
  EXPECT_FALSE(UndoEnabled());
  EXPECT_TRUE(m_frame->IsModified());
}

TEST(UndoHistory, RecordsOnlyTheEditThatBeganAndChangedSomething) {
  UndoHistory history;
  history.BeginEdit({0, 1, 2, "7"});
  EXPECT_FALSE(history.CommitEdit({0, 1, 3, "8"}));  // another cell
  EXPECT_FALSE(history.CommitEdit({0, 1, 2, "7"}));  // unchanged
  EXPECT_TRUE(history.IsEmpty());
  EXPECT_TRUE(history.CommitEdit({0, 1, 2, "8"}));
  EXPECT_TRUE(history.CommitEdit({0, 1, 2, "9"}));
  EXPECT_EQ(history.Pop().text, "8");
  // A new edit abandons the undone tail.
  history.BeginEdit({1, 0, 0, "x"});
  EXPECT_TRUE(history.CommitEdit({1, 0, 0, "y"}));
  EXPECT_EQ(history.Pop().text, "x");
  EXPECT_EQ(history.Pop().text, "7");
  EXPECT_TRUE(history.IsEmpty());
}
