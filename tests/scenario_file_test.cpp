// The scenario file: what the writer produces, what the reader makes of
// good and damaged files, loading the recent scenario at start, and saves
// that fail without harming the file already there.
#include <dirent.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
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
#include "gui/frame/lumivane_frame.h"
#include "gui/frame/scenario_test_hook.h"
#include "gui/app/settings_file.h"
#include "support/child_process.h"
#include "support/app_fixture.h"

namespace {

bool g_killBeforeReplace = false;

std::string Golden(const std::string& name) { return ReadFileText(std::string(LUMIVANE_TEST_DATA) + "/" + name); }

wxString Utf8(const char* text) { return wxString::FromUTF8(text); }

void SetRow(wxGrid* grid, int row, const char* from, const char* to, int colour, const char* blink,
            const wxString& description) {
  grid->SetCellValue(row, COL_FROM, from);
  grid->SetCellValue(row, COL_TO, to);
  grid->SetCellValue(row, COL_COLOUR, " ");
  grid->SetCellBackgroundColour(row, COL_COLOUR, IndexToWxColour(colour));
  grid->SetCellValue(row, COL_BLINK, blink);
  grid->SetCellValue(row, COL_DESCRIPTION, description);
}

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

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    start = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

std::vector<std::string> DirectoryEntries(const std::string& path) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(path.c_str())) {
    while (dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") {
        names.push_back(name);
      }
    }
    closedir(dir);
  }
  return names;
}


}  // namespace

// Stops a save at its most delicate moment.
void ScenarioHookBeforeReplace(const char*) {
  if (g_killBeforeReplace) {
    raise(SIGKILL);
  }
}

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
    App().m_scenarioFile = wxString::FromUTF8(path.c_str());
    return m_frame->ReadScenario();
  }
  bool LoadText(const std::string& text) {
    const std::string path = ShowPath("loaded.cfg");
    WriteFileText(path, text);
    return Load(path);
  }
  bool Save(const std::string& path) {
    App().m_scenarioFile = wxString::FromUTF8(path.c_str());
    return m_frame->WriteScenario();
  }
  std::string SaveText() {
    const std::string path = ShowPath("saved.cfg");
    EXPECT_TRUE(Save(path)) << m_frame->LastScenarioError().utf8_str().data();
    return ReadFileText(path);
  }
  wxString PageName(int scene) { return m_frame->Notebook()->GetPageText(scene); }
};

// ---- The writer's output ---------------------------------------------------

TEST_F(ScenarioFile, WriterProducesTheExactFormat) {
  Start();
  // Input functions and custom colours come in through a file.
  ASSERT_TRUE(LoadText("[Inputs]\ninput2=-1\ninput3=-3\ninput4=5\n\n[Palette]\n"
                       "colour1=255 0 0\ncolour16=40 83 126\n"));
  Pump();
  m_frame->Notebook()->SetPageText(0, "Opening");
  wxGrid* first = m_frame->Grid(0);
  first->AppendRows(7);
  SetRow(first, 0, "1", "4", 215, "3", "front; left");
  SetRow(first, 1, "", "", 5, "", "no From: left out");
  SetRow(first, 2, " 5 ", "", 0, "", "");
  SetRow(first, 3, "0", "", 5, "", "From 0: left out");
  SetRow(first, 4, "9", "8", 5, "", "To below From: left out");
  SetRow(first, 5, "-3", "", 5, "", "negative From: left out");
  SetRow(first, 6, "7", "12", 86, "14", "back = wall");
  m_frame->FadeText()->ChangeValue("12");
  m_frame->HoldText()->ChangeValue("2.5");
  m_frame->CommitFadeHold();

  m_frame->CreateScenePage(1, "Finale = big", true);
  wxGrid* second = m_frame->Grid(1);
  second->InsertRows(0, 1);
  SetRow(second, 0, "3", "", 43, "0", Utf8("ünïcode ★"));
  second->SetColSize(COL_FROM, 60);
  second->SetColSize(COL_DESCRIPTION, 250);
  m_frame->Notebook()->SetSelection(1);
  m_frame->FadeText()->ChangeValue("216");
  m_frame->HoldText()->ChangeValue("120");
  m_frame->CommitFadeHold();

  EXPECT_EQ(Golden("scenario_small.cfg"), SaveText());
  EXPECT_TRUE(m_frame->LastScenarioError().empty());
}

TEST_F(ScenarioFile, GoldenFileLoadsWholeAndSavesUnchanged) {
  Start();
  const std::string path = ShowPath("golden.cfg");
  WriteFileText(path, Golden("scenario_small.cfg"));
  ASSERT_TRUE(Load(path));

  ASSERT_EQ(m_frame->SceneCount(), 2);
  EXPECT_EQ(PageName(0), "Opening");
  EXPECT_EQ(PageName(1), "Finale = big");
  EXPECT_EQ(m_frame->Fade(0), 12);
  EXPECT_EQ(m_frame->Hold(0), 2.5);
  EXPECT_EQ(m_frame->Fade(1), 216);
  EXPECT_EQ(m_frame->Hold(1), 120.0);
  ExpectRows(m_frame->Grid(0), {{"1", "4", 215, "3", "front; left"},
                                {"5", "", 0, "", ""},
                                {"7", "12", 86, "14", "back = wall"}});
  ExpectRows(m_frame->Grid(1), {{"3", "", 43, "", "ünïcode ★"}});
  ExpectWidths(m_frame->Grid(0), {40, 40, 50, 40, 300});
  ExpectWidths(m_frame->Grid(1), {60, 0, 50, 40, 250});
  EXPECT_EQ(m_frame->Grid(0)->GetColLabelValue(COL_FROM), "From");
  EXPECT_EQ(m_frame->Grid(1)->GetColLabelValue(COL_FROM), "ID");
  EXPECT_EQ(m_frame->InputFunction(0), 0);
  EXPECT_EQ(m_frame->InputFunction(1), -1);
  EXPECT_EQ(m_frame->InputFunction(2), -3);
  EXPECT_EQ(m_frame->InputFunction(3), 5);
  EXPECT_EQ(m_frame->PaletteColour(0), wxColour(255, 0, 0));
  EXPECT_EQ(m_frame->PaletteColour(15), wxColour(40, 83, 126));
  EXPECT_FALSE(m_frame->PaletteColour(1).IsOk());

  // The first scene is shown: its values fill the fade/hold row, and the
  // Hide "To" mark follows it, not the last scene read.
  EXPECT_EQ(m_frame->Notebook()->GetSelection(), 0);
  EXPECT_EQ(m_frame->FadeText()->GetValue(), "12");
  EXPECT_EQ(m_frame->HoldText()->GetValue(), "2.5");
  EXPECT_FALSE(m_frame->EditMenu()->IsChecked(ID_HIDE_TO));
  EXPECT_FALSE(m_frame->IsModified());

  EXPECT_EQ(Golden("scenario_small.cfg"), SaveText());
}

TEST_F(ScenarioFile, OnlyTheFirst512RowsOfAGridAreWritten) {
  Start();
  wxGrid* grid = m_frame->Grid(0);
  grid->AppendRows(599);
  for (int row = 0; row < 600; ++row) {
    SetRow(grid, row, std::to_string(row + 1).c_str(), "", 1, "", "");
  }
  const std::string text = SaveText();
  EXPECT_NE(text.find("\nrange512=512:512; 1; 0\n"), std::string::npos);
  EXPECT_EQ(text.find("range513"), std::string::npos);

  ASSERT_TRUE(Load(ShowPath("saved.cfg")));
  EXPECT_EQ(m_frame->Grid(0)->GetNumberRows(), 513);
  EXPECT_EQ(m_frame->Grid(0)->GetCellValue(511, COL_FROM), "512");
}

// A description or name longer than the reader's 511-byte line pieces would
// come back in pieces, the later ones read as keys of their own. The writer
// keeps every line within one piece instead.
TEST_F(ScenarioFile, LongTextsAreCutSoThatEveryLineReadsBackWhole) {
  Start();
  std::string trap;
  while (trap.size() < 2000) {
    trap += "x=y range9=1:1; 5; 5 [Scene9] ";
  }
  trap.resize(2000);
  const wxString longName = wxString(trap).Left(700);
  wxString accents;
  for (int i = 0; i < 400; ++i) {
    accents += Utf8("é");
  }
  m_frame->Notebook()->SetPageText(0, longName);
  wxGrid* grid = m_frame->Grid(0);
  grid->AppendRows(3);
  SetRow(grid, 0, "1", "", 1, "", wxString(trap));
  SetRow(grid, 1, "2", "", 2, "", "second");
  SetRow(grid, 2, "3", "", 3, "", accents);

  const std::string text = SaveText();
  for (const std::string& line : Lines(text)) {
    EXPECT_LE(line.size() + 1, 511u) << line.substr(0, 40);
  }

  ASSERT_TRUE(Load(ShowPath("saved.cfg")));
  ASSERT_EQ(m_frame->SceneCount(), 1);
  EXPECT_TRUE(longName.StartsWith(PageName(0)));
  EXPECT_GT(PageName(0).size(), 400u);
  grid = m_frame->Grid(0);
  ASSERT_EQ(grid->GetNumberRows(), 4);
  const wxString description = grid->GetCellValue(0, COL_DESCRIPTION);
  EXPECT_TRUE(wxString(trap).StartsWith(description));
  EXPECT_GT(description.size(), 400u);
  EXPECT_EQ(grid->GetCellValue(1, COL_FROM), "2");
  EXPECT_EQ(grid->GetCellValue(1, COL_DESCRIPTION), "second");
  // Cut between characters, never inside one.
  const wxString cut = grid->GetCellValue(2, COL_DESCRIPTION);
  EXPECT_TRUE(accents.StartsWith(cut));
  EXPECT_GT(cut.size(), 200u);
  // Nothing else came back as keys of their own.
  EXPECT_EQ(SettingsFile(ShowPath("saved.cfg")).ReadString("Scene1", "range9", "none"), "none");
  EXPECT_EQ(SettingsFile(ShowPath("saved.cfg")).ReadString("Scene9", "name", "none"), "none");
  // A tab far wider than the window upsets the toolkit's drawing.
  m_frame->Notebook()->SetPageText(0, "short");
}

TEST_F(ScenarioFile, NewlinesInTextsCannotStartLinesOfTheirOwn) {
  Start();
  m_frame->Notebook()->SetPageText(0, "two\nlines");
  SetRow(m_frame->Grid(0), 0, "1", "", 1, "", "a\nrange2=9:9; 9; 9");
  const std::string text = SaveText();
  EXPECT_NE(text.find("name=two lines\n"), std::string::npos);
  EXPECT_NE(text.find("range1=1:1; 1; 0; a range2=9:9; 9; 9\n"), std::string::npos);
}

// ---- The reader ------------------------------------------------------------

TEST_F(ScenarioFile, ReaderSkipsUnnamedScenesAndStopsRowsAtTheFirstBadRange) {
  Start();
  ASSERT_TRUE(LoadText("# not checked\n"
                       "[Scene1]\n"
                       "name=\n"
                       "fade=\n"
                       "hold=2.5x\n"
                       "range1=1:4;20;2;front\n"
                       "range2=5 : 6 ; 7 ; 0 ; a;b ; c \n"
                       "range4=9:9; 1; 1\n"
                       "[Scene2]\n"
                       "range1=1:1; 1; 1\n"
                       "[Scene3]\n"
                       "name= \"Quoted\"  \n"
                       "fade=7\n"
                       "hold=3\n"
                       "range1=7:3; 10; 0\n"
                       "range2=1:2; 3; 4\n"
                       "[Scene4]\n"
                       "name=  spaced = name  \n"
                       "range1=1:2; 216; 0\n"
                       "[Scene5]\n"
                       "name=Single\n"
                       "range1=8:8; 1; 0\n"
                       "range2=4:5\n"
                       "range3=6\n"));
  ASSERT_EQ(m_frame->SceneCount(), 4);
  EXPECT_EQ(PageName(0), "Scene 1");
  EXPECT_EQ(m_frame->Fade(0), 0);
  EXPECT_EQ(m_frame->Hold(0), 0.0);
  ExpectRows(m_frame->Grid(0), {{"1", "4", 20, "2", "front"}, {"5", "6", 7, "", "a;b ; c"}});

  EXPECT_EQ(PageName(1), "Quoted");
  EXPECT_EQ(m_frame->Fade(1), 7);
  EXPECT_EQ(m_frame->Hold(1), 3.0);
  ExpectRows(m_frame->Grid(1), {});
  EXPECT_EQ(PageName(2), "spaced = name");
  ExpectRows(m_frame->Grid(2), {});
  // A range without colour and Blink gives colour 0; one without "To" ends.
  ExpectRows(m_frame->Grid(3), {{"8", "", 1, "", ""}, {"4", "5", 0, "", ""}});

  // Saved again, the scenes are numbered without gaps.
  const std::string text = SaveText();
  EXPECT_NE(text.find("[Scene2]\nname=Quoted\nfade=7\nhold=3.0\n"), std::string::npos);
  EXPECT_NE(text.find("[Scene4]\nname=Single\n"), std::string::npos);
}

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
  EXPECT_TRUE(m_frame->EditMenu()->IsChecked(ID_HIDE_TO));

  EXPECT_EQ(m_frame->InputFunction(0), -2);
  EXPECT_EQ(m_frame->InputFunction(1), 1);
  EXPECT_EQ(m_frame->InputFunction(2), 0);
  EXPECT_EQ(m_frame->InputFunction(3), 3);
  EXPECT_EQ(m_frame->PaletteColour(1), wxColour(1, 2, 3));
  EXPECT_EQ(m_frame->PaletteColour(2), wxColour(44, 0, 0));
  // Malformed entries leave the colours of the scenario before.
  EXPECT_EQ(m_frame->PaletteColour(3), wxColour(9, 9, 9));
  EXPECT_EQ(m_frame->PaletteColour(4), wxColour(8, 8, 8));
}

// Files from earlier versions can hold lines longer than the reader's
// 511-byte pieces; they must still load as they always did, piece by piece.
TEST_F(ScenarioFile, OldFilesWithLongLinesReadAsKeyByKey) {
  Start();
  const std::string head = "range1=1:1; 0; 0; ";
  const std::string text = "[Scene1]\nname=Old\n" + head + std::string(511 - head.size(), 'x') +
                           "range2=9:9; 5; 5\nrange2=2:2; 1; 1\n";
  const std::string path = ShowPath("old.cfg");
  WriteFileText(path, text);
  const SettingsFile keyByKey(wxString::FromUTF8(path.c_str()));
  ASSERT_EQ(keyByKey.ReadString("Scene1", "range2", ""), "9:9; 5; 5");

  ASSERT_TRUE(Load(path));
  ExpectRows(m_frame->Grid(0), {{"1", "", 0, "", std::string(493, 'x').c_str()},
                                {"9", "", 5, "5", ""}});
}

TEST_F(ScenarioFile, AFileWithoutScenesStillGivesOneScene) {
  Start();
  ASSERT_TRUE(LoadText("[Scene2]\nname=Lonely\n"));
  ASSERT_EQ(m_frame->SceneCount(), 2);
  EXPECT_EQ(PageName(0), "Scene 1");
  EXPECT_EQ(PageName(1), "Lonely");
  ASSERT_TRUE(LoadText("nothing of a scenario\n"));
  ASSERT_EQ(m_frame->SceneCount(), 1);
  EXPECT_EQ(PageName(0), "Scene 1");
  EXPECT_EQ(m_frame->Grid(0)->GetNumberRows(), 1);
}

TEST_F(ScenarioFile, AMissingOrUnreadableFileChangesNothing) {
  Start();
  m_frame->Grid(0)->SetCellValue(0, COL_FROM, "42");
  EXPECT_FALSE(Load(ShowPath("missing.cfg")));
  EXPECT_FALSE(Load(Dir()));
  App().m_scenarioFile.clear();
  EXPECT_FALSE(m_frame->ReadScenario());
  ASSERT_EQ(m_frame->SceneCount(), 1);
  EXPECT_EQ(m_frame->Grid(0)->GetCellValue(0, COL_FROM), "42");
}

// The file watch reloads a changed file in the middle of a run; rebuilding
// the pages must not end it.
TEST_F(ScenarioFile, AReloadLeavesARunGoing) {
  Start();
  m_frame->ToolBar()->ToggleTool(ID_AUTO_TRANSFER, false);
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
  WriteSettings("[Settings]\ntip=-1\n\n[Session]\nfile=" + path + "\n");
  Start();
  EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(0), "Loaded recent scenario");
  EXPECT_EQ(App().m_scenarioFile, wxString::FromUTF8(path.c_str()));
  ASSERT_EQ(m_frame->SceneCount(), 2);
  EXPECT_EQ(PageName(1), "Finale = big");
  EXPECT_EQ(m_frame->FadeText()->GetValue(), "12");
  EXPECT_FALSE(m_frame->IsModified());
}

TEST_F(ScenarioFile, AMissingRecentScenarioIsForgottenAtStart) {
  WriteSettings("[Settings]\ntip=-1\n\n[Session]\nfile=" + ShowPath("gone.cfg") + "\n");
  Start();
  EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(0), "Failed to load recent scenario");
  EXPECT_TRUE(App().m_scenarioFile.empty());
  ASSERT_EQ(m_frame->SceneCount(), 1);
  EXPECT_EQ(PageName(0), "Scene 1");
}

// ---- Saving safely -----------------------------------------------------------

TEST_F(ScenarioFile, AKillBeforeTheRenameLeavesTheOldFileWhole) {
  Start();
  const std::string path = ShowPath("show.cfg");
  WriteFileText(path, "old content\n");
  App().m_scenarioFile = wxString::FromUTF8(path.c_str());
  m_frame->Notebook()->SetPageText(0, "New");

  const int status = RunInChild([this] {
    g_killBeforeReplace = true;
    m_frame->WriteScenario();
    return 0;
  });
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(WTERMSIG(status), SIGKILL);
  EXPECT_EQ(ReadFileText(path), "old content\n");
  // The new content was complete, under the temporary name.
  bool sawTemporary = false;
  for (const std::string& name : DirectoryEntries(Dir())) {
    if (name != "show.cfg") {
      const std::string text = ReadFileText(Dir() + "/" + name);
      EXPECT_NE(text.find("name=New\n"), std::string::npos);
      EXPECT_NE(text.find("[Palette]\n"), std::string::npos);
      sawTemporary = true;
    }
  }
  EXPECT_TRUE(sawTemporary);
}

TEST_F(ScenarioFile, AFullDiskFailsTheSaveAndKeepsTheOldFile) {
  Start();
  const std::string path = ShowPath("show.cfg");
  const std::string old = "old content\n";
  WriteFileText(path, old);
  App().m_scenarioFile = wxString::FromUTF8(path.c_str());
  wxGrid* grid = m_frame->Grid(0);
  grid->AppendRows(300);
  for (int row = 0; row < 300; ++row) {
    SetRow(grid, row, std::to_string(row + 1).c_str(), "", 1, "", "enough text to pass the limit");
  }

  const wxString expectedReason = wxSysErrorMsgStr(EFBIG);
  const int status = RunInChild([this, &expectedReason] {
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limit);
    if (m_frame->WriteScenario()) {
      return 1;
    }
    return m_frame->LastScenarioError() == expectedReason ? 0 : 2;
  });
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(ReadFileText(path), old);
  EXPECT_EQ(DirectoryEntries(Dir()), std::vector<std::string>{"show.cfg"});
}

TEST_F(ScenarioFile, ReadOnlyDirectoriesAndFilesFailTheSaveAndKeepTheOldFile) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "root writes into read-only directories and files";
  }
  Start();
  const std::string path = ShowPath("show.cfg");
  WriteFileText(path, "old content\n");
  ASSERT_EQ(0, chmod(Dir().c_str(), 0555));
  EXPECT_FALSE(Save(path));
  EXPECT_EQ(m_frame->LastScenarioError(), wxSysErrorMsgStr(EACCES));
  chmod(Dir().c_str(), 0755);
  EXPECT_EQ(ReadFileText(path), "old content\n");
  EXPECT_EQ(DirectoryEntries(Dir()), std::vector<std::string>{"show.cfg"});

  ASSERT_EQ(0, chmod(path.c_str(), 0444));
  EXPECT_FALSE(Save(path));
  EXPECT_EQ(m_frame->LastScenarioError(), wxSysErrorMsgStr(EACCES));
  EXPECT_EQ(ReadFileText(path), "old content\n");
  EXPECT_EQ(DirectoryEntries(Dir()), std::vector<std::string>{"show.cfg"});
}

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

TEST_F(ScenarioFile, SavingThroughASymbolicLinkReplacesItsTargetAndKeepsPermissions) {
  Start();
  const std::string target = ShowPath("real.cfg");
  const std::string link = ShowPath("link.cfg");
  WriteFileText(target, "old content\n");
  ASSERT_EQ(0, chmod(target.c_str(), 0640));
  ASSERT_EQ(0, symlink("real.cfg", link.c_str()));
  m_frame->Notebook()->SetPageText(0, "Linked");

  ASSERT_TRUE(Save(link));
  struct stat status;
  ASSERT_EQ(0, lstat(link.c_str(), &status));
  EXPECT_TRUE(S_ISLNK(status.st_mode));
  ASSERT_EQ(0, stat(target.c_str(), &status));
  EXPECT_EQ(status.st_mode & 07777, 0640u);
  EXPECT_NE(ReadFileText(target).find("name=Linked\n"), std::string::npos);
  EXPECT_EQ(ReadFileText(link), ReadFileText(target));

  // A new file gets the usual permissions, 0666 less the umask.
  const mode_t previous = umask(027);
  EXPECT_TRUE(Save(ShowPath("new.cfg")));
  umask(previous);
  ASSERT_EQ(0, stat(ShowPath("new.cfg").c_str(), &status));
  EXPECT_EQ(status.st_mode & 07777, 0640u);
}
