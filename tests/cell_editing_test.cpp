// Editing scenes through real keyboard input: checks, warnings, colours,
// automatic rows and the fade/hold row.
#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

#include "gui/app/texts.h"
#include "gui/frame/cell_colours.h"
#include "gui/frame/fade_hold_row.h"
#include "gui/frame/frame_commands.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/gui_testing.h"
#include "support/ui_input.h"

namespace {
const wxString FROM_TO_ERROR = wxString(ERR_FROM_TO_NUMBER) + ERR_POSITIVE_NUMBER;
const wxString ID_ERROR = wxString(ERR_ID_NUMBER) + ERR_POSITIVE_NUMBER;

// Keys, then Enter, then whatever follows.
std::vector<int> WithEnter(std::vector<int> keys, int after = 0) {
  keys.push_back(WXK_RETURN);
  if (after != 0) {
    keys.push_back(after);
  }
  return keys;
}
}  // namespace

class CellEditing : public AppTest {
 protected:
  void SetUp() override {
    WriteSettings("[Settings]\nautorun=0\ntip=-1\n");
    Start();
    m_frame->Raise();
    Pump();
    grid = m_frame->Grid(0);
  }
  wxGrid* grid = nullptr;
};

TEST_F(CellEditing, InvalidFromNumbersWarnButKeepTheText) {
  for (const char* text : {"0", "-3", "2.5"}) {
    wxTEST_DIALOG(TypeIntoCell(grid, 0, COL_FROM, text),
                  ExpectMessageBox(FROM_TO_ERROR, "Error", wxOK));
    EXPECT_EQ(grid->GetCellValue(0, COL_FROM), text);
  }
  TypeIntoCell(grid, 0, COL_FROM, "12");
  EXPECT_EQ(grid->GetCellValue(0, COL_FROM), "12");
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(0), MSG_MODIFIED_SCENARIO);
}

TEST_F(CellEditing, HiddenToColumnSpeaksOfTheId) {
  wxCommandEvent hide(wxEVT_MENU, ID_HIDE_TO);
  hide.SetInt(1);  // the check as the click leaves it
  m_frame->ProcessWindowEvent(hide);
  wxTEST_DIALOG(TypeIntoCell(grid, 0, COL_FROM, "0"), ExpectMessageBox(ID_ERROR, "Error", wxOK));
}

TEST_F(CellEditing, BlinkAboveFourteenNamesTheMaximum) {
  wxTEST_DIALOG(TypeIntoCell(grid, 0, COL_BLINK, "15"),
                ExpectMessageBox("Value for the blink speed is too high (max = 14).", "Error", wxOK));
  TypeIntoCell(grid, 0, COL_BLINK, "14");
  TypeIntoCell(grid, 0, COL_BLINK, "0");
  EXPECT_EQ(grid->GetCellValue(0, COL_BLINK), "0");
}

TEST_F(CellEditing, FirstEditOfAFreshRowMakesItBlackAndGrowsTheGrid) {
  TypeIntoCell(grid, 0, COL_DESCRIPTION, "front");
  EXPECT_EQ(grid->GetCellValue(0, COL_COLOUR), " ");
  EXPECT_EQ(grid->GetCellBackgroundColour(0, COL_COLOUR), *wxBLACK);
  EXPECT_EQ(ColourToIndex(grid->GetCellBackgroundColour(0, COL_COLOUR)), 0);
  EXPECT_EQ(grid->GetNumberRows(), 2);
  EXPECT_EQ(grid->GetCellValue(1, COL_DESCRIPTION), "");
  // The new row can be edited with numbers too.
  wxGridCellEditor* editor = grid->GetCellEditor(1, COL_FROM);
  EXPECT_NE(dynamic_cast<wxGridCellNumberEditor*>(editor), nullptr);
  editor->DecRef();
}

TEST_F(CellEditing, ChosenColourSnapsToTheCubeAndNumbersTheLastRow) {
  TypeIntoCell(grid, 0, COL_FROM, "5");
  TypeIntoCell(grid, 0, COL_TO, "12");
  ASSERT_EQ(grid->GetNumberRows(), 2);

  wxTEST_DIALOG(m_frame->Commands().cells.ChooseColour(grid, 1),
                ExpectMoreColours(), wxExpectModal<wxColourDialog>(wxColour(100, 200, 30)));
  EXPECT_EQ(grid->GetCellBackgroundColour(1, COL_COLOUR), wxColour(126, 212, 40));
  EXPECT_EQ(ColourToIndex(grid->GetCellBackgroundColour(1, COL_COLOUR)), 96);
  EXPECT_EQ(grid->GetCellValue(1, COL_COLOUR), " ");
  EXPECT_EQ(grid->GetCellValue(1, COL_FROM), "13");
  EXPECT_EQ(grid->GetNumberRows(), 3);
}

TEST_F(CellEditing, ColourOfTheFirstRowNumbersItOne) {
  wxTEST_DIALOG(m_frame->Commands().cells.ChooseColour(grid, 0), ExpectMoreColours(), wxExpectModal<wxColourDialog>(*wxRED));
  EXPECT_EQ(grid->GetCellValue(0, COL_FROM), "1");
}

TEST_F(CellEditing, CancelledColourChangesNothing) {
  wxTEST_DIALOG(EXPECT_FALSE(m_frame->Commands().cells.ChooseColour(grid, 0)),
                ExpectMoreColours(), wxExpectModal<wxColourDialog>(*wxRED, wxID_CANCEL));
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
  EXPECT_EQ(grid->GetNumberRows(), 1);
  EXPECT_FALSE(m_frame->Commands().undo.EditMenu()->IsEnabled(wxID_UNDO));
}

TEST_F(CellEditing, CustomColoursGoBothWaysSnappedAndWhiteSlotsAreKept) {
  auto seen = std::make_shared<wxExpectModal<wxColourDialog>::Seen>();
  wxTEST_DIALOG(m_frame->Commands().cells.ChooseColour(grid, 0),
                ExpectMoreColours(),
                wxExpectModal<wxColourDialog>(*wxBLUE, wxID_OK, seen)
                    .WithCustomColour(2, wxColour(100, 200, 30))
                    .WithCustomColour(3, *wxWHITE));
  EXPECT_EQ(SlotColour(m_frame->GetDocument(), 2), wxColour(126, 212, 40));
  EXPECT_FALSE(SlotColour(m_frame->GetDocument(), 3).IsOk());

  wxTEST_DIALOG(m_frame->Commands().cells.ChooseColour(grid, 0),
                ExpectMoreColours(), wxExpectModal<wxColourDialog>(*wxBLUE, wxID_OK, seen));
  EXPECT_EQ(seen->data.GetCustomColour(2), wxColour(126, 212, 40));
  EXPECT_EQ(seen->data.GetColour(), IndexToWxColour(ColourToIndex(*wxBLUE)));
}

TEST_F(CellEditing, ClickingAColourCellOpensTheColourDialog) {
  wxTEST_DIALOG(
      {
        wxGridEvent click(grid->GetId(), wxEVT_GRID_CELL_LEFT_CLICK, grid, 0, COL_COLOUR);
        grid->ProcessWindowEvent(click);
      },
      ExpectMoreColours(), wxExpectModal<wxColourDialog>(*wxGREEN));
  EXPECT_EQ(ColourToIndex(grid->GetCellBackgroundColour(0, COL_COLOUR)),
            ColourToIndex(*wxGREEN));
}

TEST_F(CellEditing, VeryLongDescriptionWarnsThatSavingMayShortenIt) {
  const wxString longText(wxT('x'), 401);
  grid->SetCellValue(0, COL_DESCRIPTION, longText);
  wxGridEvent changed(grid->GetId(), wxEVT_GRID_CELL_CHANGED, grid, 0, COL_DESCRIPTION);
  wxTEST_DIALOG(grid->ProcessWindowEvent(changed),
                ExpectMessageBox(wxString::Format(WARN_LONG_DESCRIPTION, 400), "Warning", wxOK));
  EXPECT_EQ(grid->GetCellValue(0, COL_DESCRIPTION), longText);
  TypeIntoCell(grid, 0, COL_DESCRIPTION, "short");  // no warning
}

class FadeHold : public CellEditing {
 protected:
  void Commit(const char* fade, const char* hold) {
    m_frame->FadeHold().FadeText()->ChangeValue(fade);
    m_frame->FadeHold().HoldText()->ChangeValue(hold);
    m_frame->CommitFadeHold();
  }
};

// The rounding and range rules are the core's (edit_commands_test.cpp);
// here the window shows them.
TEST_F(FadeHold, RoundingAndRangeWarningsShowTheirTexts) {
  wxTEST_DIALOG(Commit("300", "2.3"),
                ExpectMessageBox("Value for the fade interval is out of range (max = 216).", "Error", wxOK),
                ExpectMessageBox(WARN_HOLD_ROUNDED, "Warning", wxOK));
  EXPECT_EQ(m_frame->FadeHold().HoldText()->GetValue(), "2.5");
  wxTEST_DIALOG(Commit("0", "130"), ExpectMessageBox(ERR_HOLD_RANGE, "Error", wxOK));
  EXPECT_EQ(m_frame->FadeHold().HoldText()->GetValue(), "130.0");
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
}

TEST_F(FadeHold, SetAllCopiesTheHoldToEveryScene) {
  m_frame->CreateScenePage(1, "", false);
  m_frame->CreateScenePage(2, "", false);
  m_frame->FadeHold().HoldText()->ChangeValue("4");
  wxCommandEvent click(wxEVT_BUTTON, ID_HOLD_SET_ALL);
  m_frame->ProcessWindowEvent(click);
  for (int scene = 0; scene < 3; ++scene) {
    EXPECT_EQ(HoldOf(m_frame, scene), 4.0);
  }
}

TEST_F(FadeHold, SetAllCopiesTheFadeToEveryScene) {
  m_frame->CreateScenePage(1, "", false);
  m_frame->FadeHold().FadeText()->ChangeValue("70");
  wxCommandEvent click(wxEVT_BUTTON, ID_FADE_SET_ALL);
  m_frame->ProcessWindowEvent(click);
  EXPECT_EQ(FadeOf(m_frame, 0), 70);
  EXPECT_EQ(FadeOf(m_frame, 1), 70);
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
}

TEST_F(FadeHold, PageChangeCommitsTheRowToThePreviousScene) {
  m_frame->CreateScenePage(1, "", false);
  m_frame->FadeHold().HoldText()->ChangeValue("3");
  ASSERT_TRUE(ClickNotebookTab(m_frame->Notebook(), 1));
  EXPECT_EQ(HoldOf(m_frame, 0), 3.0);
  EXPECT_EQ(m_frame->FadeHold().HoldText()->GetValue(), "0");
  ASSERT_TRUE(ClickNotebookTab(m_frame->Notebook(), 0));
  EXPECT_EQ(m_frame->FadeHold().HoldText()->GetValue(), "3");
}

TEST_F(CellEditing, ThePaletteStartsOnTheRowsColourAndItsKeysMoveChooseAndCancel) {
  m_frame->GetDocument().SetPaletteColour(0, ::PaletteColour{true, 126, 212, 40});  // number 96
  struct Case {
    const char* what;
    int colour;  // the row's colour before
    std::vector<int> keys;
    int focusedAtStart;
    int after;  // the row's colour after
  } cases[] = {
      {"Enter keeps", 192, {WXK_RETURN}, 192, 192},
      {"right: blue up", 192, {WXK_RIGHT, WXK_RETURN}, 192, 193},
      {"down: green up", 192, {WXK_DOWN, WXK_RETURN}, 192, 198},
      {"left: into the square before", 192, {WXK_LEFT, WXK_RETURN}, 192, 161},
      {"up to the top row", 192, WithEnter(std::vector<int>(8, WXK_UP)), 192, 72},
      {"Escape cancels", 192, {WXK_RIGHT, WXK_ESCAPE}, 192, 192},
      {"no colour starts at 0", NO_COLOUR, {WXK_RETURN}, 0, 0},
      {"a custom colour beneath", NO_COLOUR, WithEnter(std::vector<int>(12, WXK_DOWN)), 0, 96},
      {"an empty custom slot is no choice", 5, WithEnter(std::vector<int>(12, WXK_DOWN), WXK_ESCAPE), 5, 5},
  };
  for (const Case& c : cases) {
    SetRowColour(m_frame, 0, 0, c.colour);
    const std::vector<int>& keys = c.keys;
    auto seen = std::make_shared<PaletteSeen>();
    wxTEST_DIALOG(m_frame->Commands().cells.ChooseColour(grid, 0), ExpectPalette(keys, wxID_CANCEL, seen));
    EXPECT_TRUE(seen->shown) << c.what;
    EXPECT_EQ(seen->focusedAtStart, c.focusedAtStart) << c.what;
    EXPECT_EQ(m_frame->GetDocument().GetRow(0, 0).colour, c.after) << c.what;
  }
  EXPECT_EQ(grid->GetCellValue(0, COL_FROM), "1");  // numbered as any colour choice does
}

TEST(ColourPalette, ToolTipsGiveTheNumberAndLevels) {
  EXPECT_EQ(ColourPaletteDlg::CubeToolTip(0), "Colour 0: red 0, green 0, blue 0 (levels 0 to 5)");
  EXPECT_EQ(ColourPaletteDlg::CubeToolTip(192), "Colour 192: red 5, green 2, blue 0 (levels 0 to 5)");
  EXPECT_EQ(ColourPaletteDlg::CubeToolTip(215), "Colour 215: red 5, green 5, blue 5 (levels 0 to 5)");
}
