// The scenario file in the window: what it shows of a loaded file, loading
// the recent scenario at start, and what it says when a save fails. The
// format itself is tested in the core (scenario_text_test.cpp,
// scenario_file_io_test.cpp).
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <vector>

#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "gui/app/lumivane_app.h"
#include "gui/frame/cell_colours.h"
#include "gui/frame/fade_hold_row.h"
#include "gui/frame/frame_commands.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/directory_entries.h"
#include "support/gui_testing.h"

namespace {

std::string Golden(const std::string& name) { return ReadFileText(std::string(LUMIVANE_TEST_DATA) + "/" + name); }

wxString Utf8(const char* text) { return wxString::FromUTF8(text); }

struct Row {
  const char* from;
  const char* to;
  int colour;
  const char* blink;
  const char* description;
};

void ExpectRows(wxGrid* grid, const std::vector<Row>& rows) {
  ASSERT_EQ(grid->GetNumberRows(), static_cast<int>(rows.size()) + 1);
  for (size_t i = 0; i < rows.size(); ++i) {
    const int row = static_cast<int>(i);
    SCOPED_TRACE("row " + std::to_string(row));
    EXPECT_EQ(grid->GetCellValue(row, COL_FROM), rows[i].from);
    EXPECT_EQ(grid->GetCellValue(row, COL_TO), rows[i].to);
    EXPECT_EQ(grid->GetCellValue(row, COL_COLOUR), " ");
    EXPECT_EQ(grid->GetCellBackgroundColour(row, COL_COLOUR), IndexToWxColour(rows[i].colour));
    EXPECT_EQ(grid->GetCellValue(row, COL_BLINK), rows[i].blink);
    EXPECT_EQ(grid->GetCellValue(row, COL_DESCRIPTION), Utf8(rows[i].description));
    int horizontal = 0;
    int vertical = 0;
    grid->GetCellAlignment(row, COL_COLOUR, &horizontal, &vertical);
    EXPECT_EQ(horizontal, wxALIGN_CENTRE);
    wxGridCellEditor* editor = grid->GetCellEditor(row, COL_BLINK);
    EXPECT_NE(dynamic_cast<wxGridCellNumberEditor*>(editor), nullptr);
    editor->DecRef();
  }
  // The empty row to append to comes last, still with its number editor.
  const int last = grid->GetNumberRows() - 1;
  for (int col = 0; col < GRID_COLUMNS; ++col) {
    EXPECT_EQ(grid->GetCellValue(last, col), "") << col;
  }
  wxGridCellEditor* editor = grid->GetCellEditor(last, COL_FROM);
  EXPECT_NE(dynamic_cast<wxGridCellNumberEditor*>(editor), nullptr);
  editor->DecRef();
}

void ExpectWidths(wxGrid* grid, std::vector<int> widths) {
  for (int col = 0; col < GRID_COLUMNS; ++col) {
    EXPECT_EQ(grid->GetColSize(col), widths[static_cast<size_t>(col)]) << "column " << col;
  }
}

}  // namespace

class ScenarioFile : public AppTest {
 protected:
  // A fresh directory for scenario files, apart from the settings.
  std::string Dir() {
    const std::string dir = HomePath("shows");
    mkdir(dir.c_str(), 0777);
    return dir;
  }
  std::string ShowPath(const std::string& name) { return Dir() + "/" + name; }

  bool Load(const std::string& path) {
    m_frame->GetDocument().SetPath(path);
    return m_frame->ReadScenario();
  }
  bool LoadText(const std::string& text) {
    const std::string path = ShowPath("loaded.cfg");
    WriteFileText(path, text);
    return Load(path);
  }
  bool Save(const std::string& path) {
    m_frame->GetDocument().SetPath(path);
    return m_frame->WriteScenario(wxString::FromUTF8(m_frame->GetDocument().Path()));
  }
  std::string SaveText() {
    const std::string path = ShowPath("saved.cfg");
    EXPECT_TRUE(Save(path)) << m_frame->LastScenarioError().utf8_str().data();
    return ReadFileText(path);
  }
  wxString PageName(int scene) { return m_frame->Notebook()->GetPageText(scene); }
};

// ---- Loading and saving ------------------------------------------------------

TEST_F(ScenarioFile, GoldenFileLoadsWholeAndSavesUnchanged) {
  Start();
  const std::string path = ShowPath("golden.cfg");
  WriteFileText(path, Golden("scenario_small.cfg"));
  ASSERT_TRUE(Load(path));

  ASSERT_EQ(m_frame->SceneCount(), 2);
  EXPECT_EQ(PageName(0), "Opening");
  EXPECT_EQ(PageName(1), "Finale = big");
  EXPECT_EQ(FadeOf(m_frame, 0), 12);
  EXPECT_EQ(HoldOf(m_frame, 0), 2.5);
  EXPECT_EQ(FadeOf(m_frame, 1), 216);
  EXPECT_EQ(HoldOf(m_frame, 1), 120.0);
  ExpectRows(m_frame->Grid(0), {{"1", "4", 215, "3", "front; left"},
                                {"5", "", 0, "", ""},
                                {"7", "12", 86, "14", "back = wall"}});
  ExpectRows(m_frame->Grid(1), {{"3", "", 43, "", "ünïcode ★"}});
  ExpectWidths(m_frame->Grid(0), {40, 40, 50, 40, 300});
  ExpectWidths(m_frame->Grid(1), {60, 0, 50, 40, 250});
  EXPECT_EQ(m_frame->Grid(0)->GetColLabelValue(COL_FROM), "From");
  EXPECT_EQ(m_frame->Grid(1)->GetColLabelValue(COL_FROM), "ID");
  EXPECT_EQ(m_frame->GetDocument().GetScenario().inputs[0], 0);
  EXPECT_EQ(m_frame->GetDocument().GetScenario().inputs[1], -1);
  EXPECT_EQ(m_frame->GetDocument().GetScenario().inputs[2], -3);
  EXPECT_EQ(m_frame->GetDocument().GetScenario().inputs[3], 5);
  EXPECT_EQ(SlotColour(m_frame->GetDocument(), 0), wxColour(255, 0, 0));
  EXPECT_EQ(SlotColour(m_frame->GetDocument(), 15), wxColour(40, 83, 126));
  EXPECT_FALSE(SlotColour(m_frame->GetDocument(), 1).IsOk());

  // The first scene is shown: its values fill the fade/hold row, and the
  // Hide "To" mark follows it, not the last scene read.
  EXPECT_EQ(m_frame->Notebook()->GetSelection(), 0);
  EXPECT_EQ(m_frame->FadeHold().FadeText()->GetValue(), "12");
  EXPECT_EQ(m_frame->FadeHold().HoldText()->GetValue(), "2.5");
  EXPECT_FALSE(m_frame->View().hideTo);
  EXPECT_FALSE(m_frame->GetDocument().IsModified());

  EXPECT_EQ(Golden("scenario_small.cfg"), SaveText());
}

// ---- The reader ------------------------------------------------------------

TEST_F(ScenarioFile, ReaderTakesColumnsToColumnInputsAndPaletteAsWritten) {
  Start();
  ASSERT_TRUE(LoadText("[Palette]\ncolour4=9 9 9\ncolour5=8 8 8\n"));
  ASSERT_TRUE(LoadText("[Scene1]\n"
                       "name=Hidden\n"
                       "to-column=0\n"
                       "columns=60 0 50\n"
                       "[Scene2]\n"
                       "name=Gaps\n"
                       "columns=60  50\n"
                       "[Inputs]\n"
                       "input1=-2\n"
                       "input3=abc\n"
                       "[Palette]\n"
                       "colour2=1 2 3\n"
                       "colour3=300 0 0\n"
                       "colour4=-1 0 0\n"
                       "colour5=1 2\n"));
  ASSERT_EQ(m_frame->SceneCount(), 2);
  ExpectWidths(m_frame->Grid(0), {60, 0, 50, 40, 300});
  EXPECT_EQ(m_frame->Grid(0)->GetColLabelValue(COL_FROM), "ID");
  ExpectWidths(m_frame->Grid(1), {60, 0, 50, 40, 300});
  EXPECT_EQ(m_frame->Grid(1)->GetColLabelValue(COL_FROM), "From");
  EXPECT_TRUE(m_frame->View().hideTo);

  EXPECT_EQ(m_frame->GetDocument().GetScenario().inputs[0], -2);
  EXPECT_EQ(m_frame->GetDocument().GetScenario().inputs[1], 1);
  EXPECT_EQ(m_frame->GetDocument().GetScenario().inputs[2], 0);
  EXPECT_EQ(m_frame->GetDocument().GetScenario().inputs[3], 3);
  EXPECT_EQ(SlotColour(m_frame->GetDocument(), 1), wxColour(1, 2, 3));
  EXPECT_EQ(SlotColour(m_frame->GetDocument(), 2), wxColour(44, 0, 0));
  // Malformed entries leave the colours of the scenario before.
  EXPECT_EQ(SlotColour(m_frame->GetDocument(), 3), wxColour(9, 9, 9));
  EXPECT_EQ(SlotColour(m_frame->GetDocument(), 4), wxColour(8, 8, 8));
}

TEST_F(ScenarioFile, AMissingOrUnreadableFileChangesNothing) {
  Start();
  m_frame->Grid(0)->SetCellValue(0, COL_FROM, "42");
  EXPECT_FALSE(Load(ShowPath("missing.cfg")));
  EXPECT_FALSE(Load(Dir()));
  m_frame->GetDocument().SetPath(std::string());
  EXPECT_FALSE(m_frame->ReadScenario());
  ASSERT_EQ(m_frame->SceneCount(), 1);
  EXPECT_EQ(m_frame->Grid(0)->GetCellValue(0, COL_FROM), "42");
}

TEST_F(ScenarioFile, AFileTooLargeIsRefusedAndTheScenarioStays) {
  Start();
  m_frame->Grid(0)->SetCellValue(0, COL_FROM, "42");
  const std::string huge = ShowPath("huge.cfg");
  WriteFileText(huge, "[Scene1]\nname=huge\n");
  ASSERT_EQ(0, truncate(huge.c_str(), 64LL * 1024 * 1024 + 1));
  EXPECT_FALSE(Load(huge));
  EXPECT_EQ(m_frame->LastScenarioError(), "File too large to be a scenario (over 64 MB)");
  ASSERT_EQ(m_frame->SceneCount(), 1);
  EXPECT_EQ(m_frame->Grid(0)->GetCellValue(0, COL_FROM), "42");
}

// Scenes past the ones held are told of at once, and a save asks before it
// writes fewer than the file had.
TEST_F(ScenarioFile, ScenesLeftOutAreToldAndASaveAsksBeforeDroppingThem) {
  Start();
  std::string text;
  for (int scene = 1; scene <= 66; ++scene) {
    text += "[Scene" + std::to_string(scene) + "]\nname=S" + std::to_string(scene) + "\n";
  }
  const std::string path = ShowPath("many.cfg");
  WriteFileText(path, text);
  wxTEST_DIALOG(EXPECT_TRUE(Load(path)),
                ExpectMessageBox("This file holds 2 more scene(s) than the 64 this program can hold.\n"
                                 "They were left out.",
                                 "Warning", wxOK));
  EXPECT_EQ(m_frame->SceneCount(), 64);
  const wxString ask =
      "The file held 2 more scene(s) than the 64 this program can hold.\n"
      "Saving writes only the first 64 scenes.\nSave anyway?";
  wxTEST_DIALOG(EXPECT_FALSE(m_frame->SaveScenario(true, false, false)), ExpectMessageBox(ask, "Warning", wxNO));
  EXPECT_EQ(ReadFileText(path), text);
  wxTEST_DIALOG(EXPECT_TRUE(m_frame->SaveScenario(true, false, false)), ExpectMessageBox(ask, "Warning", wxYES));
  EXPECT_EQ(ReadFileText(path).find("[Scene65]"), std::string::npos);
  EXPECT_TRUE(m_frame->SaveScenario(true, false, false));  // the file holds what is shown now
}

// The file watch reloads a changed file in the middle of a run; rebuilding
// the pages must not end it.
TEST_F(ScenarioFile, AReloadLeavesARunGoing) {
  Start();
  m_frame->Session().SetAutoTransfer(false);
  ASSERT_EQ(m_frame->ActiveScene(), 0);  // sent by auto transfer at start
  ASSERT_TRUE(LoadText(Golden("scenario_small.cfg")));
  Pump();
  EXPECT_EQ(m_frame->ActiveScene(), 0);
  EXPECT_EQ(m_frame->Notebook()->GetSelection(), 0);
}

// ---- Start-up --------------------------------------------------------------

TEST_F(ScenarioFile, TheRecentScenarioLoadsAtStart) {
  const std::string path = ShowPath("recent.cfg");
  WriteFileText(path, Golden("scenario_small.cfg"));
  WriteSettings("[Settings]\ncom=\ntip=-1\n\n[Session]\nfile=" + path + "\n");
  Start();
  EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(0), "Loaded recent scenario");
  EXPECT_EQ(wxString::FromUTF8(m_frame->GetDocument().Path()), wxString::FromUTF8(path.c_str()));
  ASSERT_EQ(m_frame->SceneCount(), 2);
  EXPECT_EQ(PageName(1), "Finale = big");
  EXPECT_EQ(m_frame->FadeHold().FadeText()->GetValue(), "12");
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
}

TEST_F(ScenarioFile, AMissingRecentScenarioIsForgottenAtStart) {
  WriteSettings("[Settings]\ncom=\ntip=-1\n\n[Session]\nfile=" + ShowPath("gone.cfg") + "\n");
  Start();
  EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(0), "Failed to load recent scenario");
  EXPECT_TRUE(wxString::FromUTF8(m_frame->GetDocument().Path()).empty());
  ASSERT_EQ(m_frame->SceneCount(), 1);
  EXPECT_EQ(PageName(0), "Scene 1");
}

// ---- Saving safely -----------------------------------------------------------

TEST_F(ScenarioFile, ASaveThatCannotCreateTheFileReportsWhy) {
  Start();
  EXPECT_FALSE(Save(ShowPath("no such directory/show.cfg")));
  EXPECT_EQ(m_frame->LastScenarioError(), wxSysErrorMsgStr(ENOENT));
  EXPECT_FALSE(Save(Dir()));
  EXPECT_EQ(m_frame->LastScenarioError(), wxSysErrorMsgStr(EISDIR));
  EXPECT_TRUE(DirectoryEntries(Dir()).empty());
  // A later save that works clears the reason.
  EXPECT_TRUE(Save(ShowPath("show.cfg")));
  EXPECT_TRUE(m_frame->LastScenarioError().empty());
}

