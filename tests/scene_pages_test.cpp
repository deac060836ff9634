// Scene pages, their grids, page switching and the hidden "To" column.
#include <wx/dcmemory.h>
#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

#include "gui/app/lumivane_app.h"
#include "gui/frame/cell_colours.h"
#include "gui/frame/fade_hold_row.h"
#include "gui/frame/frame_commands.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/gui_testing.h"
#include "support/ui_input.h"

namespace {
const char* const ASK_HIDE =
    "The \"To\" column is not empty. Are you sure that you want to hide it?";

void ChooseHideTo(LumivaneFrame* frame, bool on) {
  frame->Commands().undo.EditMenu()->Check(ID_HIDE_TO, on);
  wxCommandEvent event(wxEVT_MENU, ID_HIDE_TO);
  event.SetInt(on);
  frame->ProcessWindowEvent(event);
}
}  // namespace

using ScenePages = AppTest;

TEST_F(ScenePages, NewPageHasOneEmptyRowFiveColumnsAndADefaultName) {
  Start();
  m_frame->CreateScenePage(1, "", false);
  m_frame->CreateScenePage(2, "Finale", false);
  EXPECT_EQ(m_frame->Notebook()->GetPageText(1), "Scene 2");
  EXPECT_EQ(m_frame->Notebook()->GetPageText(2), "Finale");

  wxGrid* grid = m_frame->Grid(1);
  ASSERT_EQ(grid->GetParent(), m_frame->Notebook()->GetPage(1));
  EXPECT_EQ(grid->GetNumberRows(), 1);
  ASSERT_EQ(grid->GetNumberCols(), 5);
  const char* labels[] = {"From", "To", "Colour", "Blink", "Description"};
  const int widths[] = {40, 40, 50, 40, 300};
  for (int col = 0; col < 5; ++col) {
    EXPECT_EQ(grid->GetColLabelValue(col), labels[col]);
    EXPECT_EQ(grid->GetColSize(col), widths[col]);
    EXPECT_EQ(grid->GetCellValue(0, col), "");
  }
  EXPECT_EQ(grid->GetRowLabelSize(), 0);
  EXPECT_EQ(grid->GetColLabelSize(), 20);
  EXPECT_EQ(FadeOf(m_frame, 1), 0);
  EXPECT_EQ(HoldOf(m_frame, 1), 0.0);
  // Number editors on From, To and Blink; plain text elsewhere.
  for (int col : {COL_FROM, COL_TO, COL_BLINK}) {
    wxGridCellEditor* editor = grid->GetCellEditor(0, col);
    EXPECT_NE(dynamic_cast<wxGridCellNumberEditor*>(editor), nullptr) << col;
    editor->DecRef();
  }
  wxGridCellEditor* text = grid->GetCellEditor(0, COL_DESCRIPTION);
  EXPECT_EQ(dynamic_cast<wxGridCellNumberEditor*>(text), nullptr);
  text->DecRef();
}

TEST_F(ScenePages, HidingABlankToColumnAsksNothing) {
  Start();
  wxGrid* grid = m_frame->Grid(0);
  grid->SetCellValue(0, COL_TO, "   ");
  ChooseHideTo(m_frame, true);
  EXPECT_EQ(grid->GetColSize(COL_TO), 0);
  EXPECT_EQ(grid->GetColLabelValue(COL_FROM), "ID");
  EXPECT_EQ(grid->GetCellValue(0, COL_TO), "   ");

  ChooseHideTo(m_frame, false);
  EXPECT_EQ(grid->GetColSize(COL_TO), 40);
  EXPECT_EQ(grid->GetColLabelValue(COL_FROM), "From");
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
}

TEST_F(ScenePages, HidingAFilledToColumnWarnsAndNoKeepsItShown) {
  Start();
  wxGrid* grid = m_frame->Grid(0);
  grid->AppendRows(1);
  grid->SetCellValue(1, COL_TO, "12");
  wxTEST_DIALOG(ChooseHideTo(m_frame, true), ExpectMessageBox(ASK_HIDE, "Warning", wxNO));
  EXPECT_EQ(grid->GetColSize(COL_TO), 40);
  EXPECT_FALSE(m_frame->View().hideTo);

  wxTEST_DIALOG(ChooseHideTo(m_frame, true), ExpectMessageBox(ASK_HIDE, "Warning", wxYES));
  EXPECT_EQ(grid->GetColSize(COL_TO), 0);
  EXPECT_EQ(grid->GetCellValue(1, COL_TO), "12");
  EXPECT_TRUE(m_frame->View().hideTo);
}

TEST_F(ScenePages, ClickingATabSwitchesTheSceneAndItsHideToState) {
  Start();
  m_frame->CreateScenePage(1, "", true);
  m_frame->CreateScenePage(2, "", false);
  m_frame->Notebook()->SetSelection(0);
  Pump();
  EXPECT_FALSE(m_frame->View().hideTo);

  ASSERT_TRUE(ClickNotebookTab(m_frame->Notebook(), 1));
  EXPECT_EQ(m_frame->Notebook()->GetSelection(), 1);
  EXPECT_EQ(m_frame->CurrentScene(), 1);
  EXPECT_TRUE(m_frame->View().hideTo);
  EXPECT_EQ(m_frame->FadeHold().FadeText()->GetValue(), "0");
  EXPECT_EQ(m_frame->FadeHold().HoldText()->GetValue(), "0");

  ASSERT_TRUE(ClickNotebookTab(m_frame->Notebook(), 2));
  EXPECT_EQ(m_frame->CurrentScene(), 2);
  EXPECT_FALSE(m_frame->View().hideTo);
}

TEST_F(ScenePages, UserPageChangeEndsAnAutoTransferState) {
  Start();
  m_frame->CreateScenePage(1, "", false);
  m_frame->AutoTransfer(-1);
  EXPECT_EQ(m_frame->ActiveScene(), 0);
  ASSERT_TRUE(ClickNotebookTab(m_frame->Notebook(), 1));
  // The new page is sent at once, so it becomes the active scene.
  EXPECT_EQ(m_frame->ActiveScene(), 1);
}

namespace {

// A Colour cell drawn as the grid draws it: the colours at its middle, at
// the swatch's edge and between the cell's edge and the swatch.
std::vector<wxColour> DrawColourCell(wxGrid* grid, int row, bool selected) {
  wxBitmap bitmap(50, 24);
  wxMemoryDC dc(bitmap);
  wxGridCellAttr* attr = grid->GetTable()->GetAttr(row, COL_COLOUR, wxGridCellAttr::Any);
  wxGridCellRenderer* renderer = attr->GetRenderer(grid, row, COL_COLOUR);
  renderer->Draw(*grid, *attr, dc, wxRect(0, 0, 50, 24), row, COL_COLOUR, selected);
  renderer->DecRef();
  attr->DecRef();
  dc.SelectObject(wxNullBitmap);
  const wxImage image = bitmap.ConvertToImage();
  std::vector<wxColour> seen;
  for (int x : {25, 3, 1}) {
    seen.emplace_back(image.GetRed(x, 12), image.GetGreen(x, 12), image.GetBlue(x, 12));
  }
  return seen;
}

}  // namespace

TEST_F(ScenePages, ColourCellsShowABorderedSwatchThatSelectionOnlyFrames) {
  Start();
  wxGrid* grid = m_frame->Grid(0);
  grid->AppendRows(2);
  SetRowColour(m_frame, 0, 0, 0);    // black
  SetRowColour(m_frame, 0, 1, 215);  // white
  const wxColour white = grid->GetDefaultCellBackgroundColour();
  const wxColour frame = grid->GetSelectionBackground();
  const wxColour border(96, 96, 96);
  const wxColour black = IndexToWxColour(0);
  EXPECT_EQ(DrawColourCell(grid, 0, false), (std::vector<wxColour>{black, border, white}));
  EXPECT_EQ(DrawColourCell(grid, 0, true), (std::vector<wxColour>{black, border, frame}));
  EXPECT_EQ(DrawColourCell(grid, 1, false), (std::vector<wxColour>{IndexToWxColour(215), border, white}));
  EXPECT_EQ(DrawColourCell(grid, 2, false), (std::vector<wxColour>{white, white, white}));  // no colour
  EXPECT_EQ(DrawColourCell(grid, 2, true), (std::vector<wxColour>{frame, frame, frame}));
}
