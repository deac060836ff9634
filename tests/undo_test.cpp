// Undo and redo in the window: menus, keys, labels and what they show.
#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/toolbar.h>

#include "gui/frame/cell_colours.h"
#include "gui/frame/frame_commands.h"
#include "gui/frame/fade_hold_row.h"
#include "gui/frame/lumivane_frame.h"
#include <wx/textctrl.h>
#include <wx/uiaction.h>
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
    const bool menu = m_frame->Commands().undo.EditMenu()->IsEnabled(wxID_UNDO);
    EXPECT_EQ(menu, m_frame->GetToolBar()->GetToolEnabled(wxID_UNDO));
    return menu;
  }
  void ClickColourCell(int row, const wxColour& colour) {
    wxTEST_DIALOG(
        {
          wxGridEvent click(grid->GetId(), wxEVT_GRID_CELL_LEFT_CLICK, grid, row, COL_COLOUR);
          grid->ProcessWindowEvent(click);
        },
        ExpectMoreColours(), wxExpectModal<wxColourDialog>(colour));
  }
  wxGrid* grid = nullptr;
};

TEST_F(Undo, RestoresTheOldTextThenDisablesItselfAndClearsModified) {
  TypeIntoCell(grid, 0, COL_DESCRIPTION, "front");
  EXPECT_TRUE(UndoEnabled());
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  ChooseUndo();
  EXPECT_EQ(grid->GetCellValue(0, COL_DESCRIPTION), "");
  EXPECT_FALSE(UndoEnabled());
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
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
      ExpectMoreColours(), wxExpectModal<wxColourDialog>(*wxRED, wxID_CANCEL));
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

TEST_F(Undo, RowsAndCellsComeBackStepByStep) {
  TypeIntoCell(grid, 0, COL_DESCRIPTION, "a");
  TypeIntoCell(grid, 1, COL_DESCRIPTION, "b");
  grid->DeleteRows(1, 2);
  ChooseUndo();  // the rows are back
  EXPECT_EQ(grid->GetNumberRows(), 3);
  EXPECT_EQ(grid->GetCellValue(1, COL_DESCRIPTION), "b");
  ChooseUndo();
  EXPECT_EQ(grid->GetCellValue(1, COL_DESCRIPTION), "");
  ChooseUndo();
  EXPECT_EQ(grid->GetCellValue(0, COL_DESCRIPTION), "");
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
}

TEST_F(Undo, InsertingARowIsAStepOfItsOwnNamedInTheMenu) {
  TypeIntoCell(grid, 0, COL_DESCRIPTION, "a");
  delete m_frame->Commands().rows.BuildContextMenu(grid, 0);
  wxCommandEvent insert(wxEVT_MENU, ID_ROW_INSERT);
  m_frame->ProcessWindowEvent(insert);  // row 0 is now the new empty row
  EXPECT_EQ(m_frame->Commands().undo.EditMenu()->GetLabel(wxID_UNDO), "Undo insert row\tCtrl-Z");
  ChooseUndo();
  EXPECT_EQ(grid->GetCellValue(0, COL_DESCRIPTION), "a");
  EXPECT_EQ(m_frame->Commands().undo.EditMenu()->GetLabel(wxID_UNDO), "Undo edit cell\tCtrl-Z");
  EXPECT_EQ(m_frame->Commands().undo.EditMenu()->GetLabel(wxID_REDO), "Redo insert row\tCtrl-Y");
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
}

TEST_F(Undo, ModifiedFollowsTheSavedPointThroughUndoAndRedo) {
  TypeIntoCell(grid, 0, COL_DESCRIPTION, "a");
  m_frame->FadeHold().HoldText()->ChangeValue("2");
  m_frame->CommitFadeHold();
  ChooseUndo();
  EXPECT_EQ(HoldOf(m_frame, 0), 0.0);
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  ChooseUndo();
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
  EXPECT_FALSE(UndoEnabled());
  // Ctrl+Y and Ctrl+Shift+Z both redo.
  wxUIActionSimulator keys;
  grid->GetGridWindow()->SetFocus();
  Pump();
  keys.Char('y', wxMOD_CONTROL);
  Pump();
  EXPECT_EQ(grid->GetCellValue(0, COL_DESCRIPTION), "a");
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  keys.Char('z', wxMOD_CONTROL | wxMOD_SHIFT);
  Pump();
  EXPECT_EQ(HoldOf(m_frame, 0), 2.0);
  EXPECT_EQ(m_frame->FadeHold().HoldText()->GetValue(), "2");
  EXPECT_FALSE(m_frame->Commands().undo.EditMenu()->IsEnabled(wxID_REDO));
}

TEST_F(Undo, ADeletedSceneComesBackWithItsPageAndIsShown) {
  m_frame->CreateScenePage(1, "Finale", false);
  m_frame->Notebook()->SetSelection(1);
  Pump();
  TypeIntoCell(m_frame->Grid(1), 0, COL_FROM, "7");
  wxTEST_DIALOG(
      {
        wxCommandEvent remove(wxEVT_MENU, wxID_DELETE);
        m_frame->ProcessWindowEvent(remove);
      },
      ExpectMessageBox("Delete scene - are you sure?", "Delete scene", wxYES));
  ASSERT_EQ(m_frame->SceneCount(), 1);
  EXPECT_EQ(m_frame->Commands().undo.EditMenu()->GetLabel(wxID_UNDO), "Undo delete scene \"Finale\"\tCtrl-Z");
  ChooseUndo();
  ASSERT_EQ(m_frame->SceneCount(), 2);
  EXPECT_EQ(m_frame->Notebook()->GetPageText(1), "Finale");
  EXPECT_EQ(m_frame->Notebook()->GetSelection(), 1);
  EXPECT_EQ(m_frame->Grid(1)->GetCellValue(0, COL_FROM), "7");
}

// A typed hold is a step of its own: Ctrl+Z takes it back and leaves the
// step before it done.
TEST_F(Undo, ATypedHoldIsTakenBackBeforeTheStepBeforeIt) {
  m_frame->FadeHold().HoldText()->ChangeValue("2.5");
  m_frame->CommitFadeHold();
  m_frame->FadeHold().HoldText()->ChangeValue("7");
  ChooseUndo();
  EXPECT_EQ(HoldOf(m_frame, 0), 2.5);
  EXPECT_EQ(m_frame->FadeHold().HoldText()->GetValue(), "2.5");
  EXPECT_EQ(m_frame->Commands().undo.EditMenu()->GetLabel(wxID_UNDO), "Undo fade and hold\tCtrl-Z");
  wxCommandEvent redo(wxEVT_MENU, wxID_REDO);
  m_frame->ProcessWindowEvent(redo);
  EXPECT_EQ(HoldOf(m_frame, 0), 7.0);
  EXPECT_EQ(m_frame->FadeHold().HoldText()->GetValue(), "7");
}

// Typing into a colour cell opens the colour dialog; cancelling it leaves
// the cell, the history and the modified state as they were.
TEST_F(Undo, TypingIntoAColourCellAndCancellingRecordsNothing) {
  wxTEST_DIALOG(
      {
        wxGridEvent shown(grid->GetId(), wxEVT_GRID_EDITOR_SHOWN, grid, 0, COL_COLOUR);
        grid->ProcessWindowEvent(shown);
        Pump();
      },
      ExpectPalette({}, wxID_CANCEL));
  EXPECT_FALSE(UndoEnabled());
  EXPECT_EQ(grid->GetCellValue(0, COL_COLOUR), "");
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
}

// The scene book follows undo and redo page by page: the other pages and
// their grids stay as they were.
TEST_F(Undo, PagesFollowUndoAndRedoWithoutBeingMadeAgain) {
  m_frame->CreateScenePage(1, "Middle", false);
  m_frame->CreateScenePage(2, "Finale", false);
  wxGrid* first = m_frame->Grid(0);
  wxGrid* last = m_frame->Grid(2);
  m_frame->Notebook()->SetSelection(1);
  Pump();
  wxTEST_DIALOG(
      {
        wxCommandEvent remove(wxEVT_MENU, wxID_DELETE);
        m_frame->ProcessWindowEvent(remove);
      },
      ExpectMessageBox("Delete scene - are you sure?", "Delete scene", wxYES));
  ASSERT_EQ(m_frame->Notebook()->GetPageCount(), 2u);
  EXPECT_EQ(m_frame->Grid(1), last);
  ChooseUndo();
  ASSERT_EQ(m_frame->Notebook()->GetPageCount(), 3u);
  EXPECT_EQ(m_frame->Notebook()->GetPageText(1), "Middle");
  EXPECT_EQ(m_frame->Grid(0), first);
  EXPECT_EQ(m_frame->Grid(2), last);
  // Moving a scene moves its page with its grid.
  wxCommandEvent right(wxEVT_MENU, ID_SCENE_RIGHT);
  m_frame->ProcessWindowEvent(right);
  EXPECT_EQ(m_frame->Notebook()->GetPageText(2), "Middle");
  EXPECT_EQ(m_frame->Grid(1), last);
  EXPECT_EQ(m_frame->Notebook()->GetSelection(), 2);
  ChooseUndo();
  EXPECT_EQ(m_frame->Notebook()->GetPageText(1), "Middle");
  EXPECT_EQ(m_frame->Grid(2), last);
}
