// Copy, cut and paste of rows through the real clipboard, in the window.
#include <wx/clipbrd.h>
#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/uiaction.h>

#include "gui/frame/frame_commands.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/gui_testing.h"
#include "support/ui_input.h"

namespace {

const char* const WARN_PASTED =
    "Some pasted values are not valid numbers or are out of range.\n"
    "They were pasted as they are; Edit > Check scenario lists them.";

std::string ClipboardText() {
  wxTextDataObject data;
  if (wxTheClipboard->Open()) {
    wxTheClipboard->GetData(data);
    wxTheClipboard->Close();
  }
  return data.GetText().utf8_string();
}

void SetClipboard(const char* text) {
  if (wxTheClipboard->Open()) {
    wxTheClipboard->SetData(new wxTextDataObject(wxString::FromUTF8(text)));
    wxTheClipboard->Close();
  }
}

}  // namespace

class Clipboard : public AppTest {
 protected:
  void SetUp() override {
    WriteSettings("[Settings]\ncom=\nautorun=0\ntip=-1\n");
    Start();
    m_frame->CreateScenePage(1, "Two", false);
  }
  void Command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    m_frame->ProcessWindowEvent(event);
  }
  std::string Row(int scene, int row) {
    wxGrid* grid = m_frame->Grid(scene);
    std::string text;
    for (int col = 0; col < GRID_COLUMNS; ++col) {
      text += (col ? "|" : "") + grid->GetCellValue(row, col).utf8_string();
    }
    return text;
  }
};

TEST_F(Clipboard, RowsCopiedFromOneScenePasteIntoAnotherAsOneStep) {
  wxGrid* first = m_frame->Grid(0);
  first->AppendRows(2);
  first->SetCellValue(0, COL_FROM, "1");
  first->SetCellValue(0, COL_TO, "4");
  SetRowColour(m_frame, 0, 0, 86);
  first->SetCellValue(0, COL_DESCRIPTION, "front\tleft");
  first->SetCellValue(1, COL_FROM, "7");
  first->SelectRow(0);
  first->SelectRow(1, true);
  Command(wxID_COPY);
  EXPECT_EQ(ClipboardText(), "1\t4\t86\t\tfront left\n7\t\t\t\t\n");

  m_frame->Notebook()->SetSelection(1);
  Pump();
  wxGrid* second = m_frame->Grid(1);
  second->SetGridCursor(0, COL_FROM);
  Command(wxID_PASTE);
  ASSERT_EQ(second->GetNumberRows(), 3);
  EXPECT_EQ(Row(1, 0), "1|4| ||front left");
  EXPECT_EQ(m_frame->GetDocument().GetRow(1, 0).colour, 86);
  EXPECT_EQ(Row(1, 1), "7||||");  // no colour: none pasted
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  EXPECT_EQ(m_frame->Commands().undo.EditMenu()->GetLabel(wxID_UNDO), "Undo paste\tCtrl-Z");
  Command(wxID_UNDO);
  EXPECT_EQ(second->GetNumberRows(), 1);
}

TEST_F(Clipboard, SpreadsheetRowsWithBadValuesPasteAsTheyAreWithOneWarning) {
  SetClipboard("3\t2\t999\t20\tx\r\n0\tabc\t5\t\t\r\n");
  wxTEST_DIALOG(Command(wxID_PASTE), ExpectMessageBox(WARN_PASTED, "Warning", wxOK));
  EXPECT_EQ(Row(0, 0), "3|2||20|x");  // colour 999 leaves the colour empty
  EXPECT_EQ(Row(0, 1), "0|abc| ||");
  EXPECT_EQ(m_frame->GetDocument().GetRow(0, 1).colour, 5);
}

TEST_F(Clipboard, TextThatIsNotRowsGoesIntoTheCurrentCell) {
  SetClipboard("just words");
  m_frame->Grid(0)->SetGridCursor(0, COL_DESCRIPTION);
  Command(wxID_PASTE);
  EXPECT_EQ(m_frame->Grid(0)->GetNumberRows(), 2);  // as typing there: a fresh row follows
  EXPECT_EQ(Row(0, 0), "|| ||just words");
}

TEST_F(Clipboard, CutKeepsTheEmptyLastRow) {
  wxGrid* grid = m_frame->Grid(0);
  grid->SetCellValue(0, COL_FROM, "5");
  grid->AppendRows(1);
  grid->SelectAll();
  Command(wxID_CUT);
  EXPECT_EQ(ClipboardText(), "5\t\t\t\t\n\t\t\t\t\n");
  ASSERT_EQ(grid->GetNumberRows(), 1);
  EXPECT_EQ(Row(0, 0), "||||");
}

namespace {

// Presses Ctrl and a letter in a grid, outside any cell editor.
void PressCtrl(wxGrid* grid, char key) {
  grid->GetGridWindow()->SetFocus();
  AppTestPump(30);
  wxUIActionSimulator input;
  input.Char(key, wxMOD_CONTROL);
  AppTestPump(80);
}

}  // namespace

TEST_F(Clipboard, KeysCopyAndPasteWholeRowsWithTheirColours) {
  wxGrid* first = m_frame->Grid(0);
  first->AppendRows(1);
  first->SetCellValue(0, COL_FROM, "1");
  first->SetCellValue(0, COL_TO, "4");
  SetRowColour(m_frame, 0, 0, 192);
  first->SetCellValue(0, COL_BLINK, "2");
  first->SetCellValue(0, COL_DESCRIPTION, "Stage left warm");
  first->SetCellValue(1, COL_FROM, "9");
  // A block of cells, then the cursor alone: the whole row either way.
  for (bool block : {true, false}) {
    SetClipboard("");
    first->ClearSelection();
    first->SetGridCursor(0, COL_DESCRIPTION);
    if (block) {
      first->SelectBlock(0, COL_FROM, 0, COL_DESCRIPTION);
    }
    PressCtrl(first, 'C');
    EXPECT_EQ(ClipboardText(), "1\t4\t192\t2\tStage left warm\n") << block;
  }

  m_frame->Notebook()->SetSelection(1);
  Pump();
  wxGrid* second = m_frame->Grid(1);
  second->SetGridCursor(0, COL_FROM);
  PressCtrl(second, 'V');
  ASSERT_EQ(second->GetNumberRows(), 2);
  EXPECT_EQ(Row(1, 0), "1|4| |2|Stage left warm");
  EXPECT_EQ(m_frame->GetDocument().GetRow(1, 0).colour, 192);

  // Ctrl+X takes the row out, onto the clipboard.
  second->SetGridCursor(0, COL_BLINK);
  PressCtrl(second, 'X');
  EXPECT_EQ(ClipboardText(), "1\t4\t192\t2\tStage left warm\n");
  EXPECT_EQ(second->GetNumberRows(), 1);
}
