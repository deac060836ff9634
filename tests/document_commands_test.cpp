// New, Open, Save, Save as, Save a copy, Revert, Exit and closing, with the
// file dialogs and questions answered as a user would.
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <functional>

#include <wx/filename.h>
#include <wx/log.h>
#include <wx/grid.h>
#include <wx/notebook.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include "gui/app/lumivane_app.h"
#include "gui/app/texts.h"
#include "gui/frame/fade_hold_row.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/file_dialog_expectation.h"
#include "support/gui_testing.h"
#include "support/temp_home.h"
#include "support/ui_input.h"

class DocumentCommands : public AppTest {
 protected:
  void SetUp() override {
    WriteSettings("[Settings]\nautorun=0\ntip=-1\n");
    Start();
    m_frame->Timer()->Stop();
  }
  void Command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    m_frame->ProcessWindowEvent(event);
  }
  void Edit(const char* description) {
    wxGrid* grid = m_frame->Grid(m_frame->CurrentScene());
    grid->SetCellValue(0, COL_FROM, "1");
    grid->SetCellValue(0, COL_DESCRIPTION, description);
    m_frame->GetDocument().SetModified(true);
  }
  wxString Status() { return m_frame->GetStatusBar()->GetStatusText(0); }
  std::string Home(const std::string& name) { return HomePath(name); }
  void SaveAs(const std::string& path) {
    wxTEST_DIALOG(Command(wxID_SAVEAS), ExpectFileDialog(path));
  }
};

TEST_F(DocumentCommands, SaveWithoutChangesDoesNothing) {
  Command(wxID_SAVE);  // no dialog expected
  EXPECT_EQ(Status(), "");
  SaveAs(Home("a.cfg"));
  m_frame->SetStatusText("", 0);
  Command(wxID_SAVE);
  EXPECT_EQ(Status(), "");
}

TEST_F(DocumentCommands, SaveAsPutsTheCfgExtensionOnAndRetitles) {
  Edit("x");
  SaveAs(Home("show.txt"));
  EXPECT_TRUE(wxFileExists(Home("show.cfg")));
  EXPECT_FALSE(wxFileExists(Home("show.txt")));
  EXPECT_EQ(m_frame->GetTitle(), "Lumivane - show.cfg");
  EXPECT_EQ(wxString::FromUTF8(m_frame->GetDocument().Path()), Home("show.cfg"));
  EXPECT_EQ(App().State().settings.activeDir, TestHomeDir());
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
  EXPECT_EQ(Status(), MSG_SAVED);

  SaveAs(Home("plain"));
  EXPECT_TRUE(wxFileExists(Home("plain.cfg")));
}

TEST_F(DocumentCommands, ModifiedTitledScenarioSavesWithoutADialog) {
  SaveAs(Home("a.cfg"));
  Edit("changed");
  Command(wxID_SAVE);
  EXPECT_NE(ReadFileText(Home("a.cfg")).find("changed"), std::string::npos);
  EXPECT_EQ(Status(), MSG_SAVED);
}

TEST_F(DocumentCommands, SaveACopyLeavesTheOpenFileAloneAndIsNotAnOutsideChange) {
  SaveAs(Home("a.cfg"));
  Edit("copy me");
  auto seen = std::make_shared<FileDialogSeen>();
  App().State().settings.copyDir = "/tmp";
  wxTEST_DIALOG(Command(ID_SAVE_COPY), ExpectFileDialog(Home("b.cfg"), wxID_OK, seen));
  EXPECT_EQ(seen->filename, "a.cfg");  // the name only, in the copy directory
  EXPECT_EQ(seen->directory, "/tmp");
  EXPECT_NE(ReadFileText(Home("b.cfg")).find("copy me"), std::string::npos);
  EXPECT_EQ(ReadFileText(Home("a.cfg")).find("copy me"), std::string::npos);
  EXPECT_EQ(wxString::FromUTF8(m_frame->GetDocument().Path()), Home("a.cfg"));
  EXPECT_EQ(m_frame->GetTitle(), "Lumivane - *a.cfg");  // the scenario itself is still unsaved
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  EXPECT_EQ(Status(), MSG_SAVED_COPY);
  EXPECT_EQ(App().State().settings.copyDir, TestHomeDir());
  // The file watch sees no change of a.cfg: no question appears.
  for (int tick = 0; tick < 60; ++tick) m_frame->TimerTick();
}

TEST_F(DocumentCommands, SaveAsProposesTheFullPathInTheActiveDirectory) {
  SaveAs(Home("a.cfg"));
  auto seen = std::make_shared<FileDialogSeen>();
  wxTEST_DIALOG(Command(wxID_SAVEAS), ExpectFileDialog("", wxID_CANCEL, seen));
  EXPECT_EQ(seen->title, DIALOG_SAVE_TITLE);
  EXPECT_EQ(seen->directory, TestHomeDir());
  EXPECT_EQ(seen->filename, "a.cfg");
  EXPECT_EQ(App().State().settings.activeDir, TestHomeDir());
  EXPECT_TRUE(seen->style & wxFD_OVERWRITE_PROMPT);
}

TEST_F(DocumentCommands, NewSavesAModifiedTitledScenarioFirst) {
  SaveAs(Home("a.cfg"));
  m_frame->CreateScenePage(1, "Two", false);
  Edit("keep");
  Command(wxID_NEW);
  EXPECT_NE(ReadFileText(Home("a.cfg")).find("keep"), std::string::npos);
  EXPECT_EQ(m_frame->SceneCount(), 1);
  EXPECT_EQ(m_frame->Notebook()->GetPageText(0), "Scene 1");
  EXPECT_EQ(m_frame->GetTitle(), "Lumivane - [Untitled]");
  EXPECT_EQ(Status(), MSG_NEW);
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
}

TEST_F(DocumentCommands, CancellingTheSaveDialogCancelsOpen) {
  Edit("unsaved");
  wxTEST_DIALOG(Command(wxID_OPEN), CancelFileDialog());
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  EXPECT_EQ(m_frame->Grid(0)->GetCellValue(0, COL_DESCRIPTION), "unsaved");
}

TEST_F(DocumentCommands, OpenLoadsTheChosenScenario) {
  WriteFileText(Home("show.cfg"), "# Lumivane scenario\n\n[Scene1]\nname=Opening\n");
  wxTEST_DIALOG(Command(wxID_OPEN), ExpectFileDialog(Home("show.cfg")));
  EXPECT_EQ(m_frame->Notebook()->GetPageText(0), "Opening");
  EXPECT_EQ(m_frame->GetTitle(), "Lumivane - show.cfg");
  EXPECT_EQ(Status(), MSG_LOADED);
}

TEST_F(DocumentCommands, OpenOfANameWithoutItsCfgFileKeepsTheScenario) {
  WriteFileText(Home("notes.txt"), "hello");
  Edit("mine");
  SaveAs(Home("mine.cfg"));
  wxTEST_DIALOG(Command(wxID_OPEN), ExpectFileDialog(Home("notes.txt")),
                ExpectMessageBox(wxString::Format(ERR_OPEN_MISSING, Home("notes.cfg")),
                                 CAPTION_FILE_NOT_FOUND, wxOK));
  EXPECT_EQ(wxString::FromUTF8(m_frame->GetDocument().Path()), Home("mine.cfg"));
  EXPECT_EQ(m_frame->Grid(0)->GetCellValue(0, COL_DESCRIPTION), "mine");
}

TEST_F(DocumentCommands, FailedSaveNamesTheFileAndKeepsTheChanges) {
  Edit("x");
  // A directory stands where the file would go.
  const std::string target = Home("x.cfg");
  mkdir(target.c_str(), 0755);
  WriteFileText(target + "/inside", "");
  wxTEST_DIALOG(Command(wxID_SAVEAS), ExpectFileDialog(target),
                ExpectMessageBox(wxString::Format(ERR_SAVE_FAILED, target, "Is a directory"),
                                 CAPTION_ERROR, wxOK));
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
}

TEST_F(DocumentCommands, RevertOfAnUntitledScenarioStartsEmpty) {
  m_frame->CreateScenePage(1, "Two", false);
  Edit("gone");
  Command(wxID_REVERT_TO_SAVED);
  EXPECT_EQ(m_frame->SceneCount(), 1);
  EXPECT_EQ(m_frame->Notebook()->GetPageText(0), "Scene 1");
  EXPECT_EQ(Status(), MSG_RELOADED);
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
}

TEST_F(DocumentCommands, RevertReadsTheFileAgainOrSaysItIsGone) {
  SaveAs(Home("a.cfg"));
  Edit("dropped");
  Command(wxID_REVERT_TO_SAVED);
  EXPECT_EQ(m_frame->Grid(0)->GetCellValue(0, COL_DESCRIPTION), "");
  remove(Home("a.cfg").c_str());
  Edit("kept");
  wxTEST_DIALOG(Command(wxID_REVERT_TO_SAVED),
                ExpectMessageBox(ERR_REVERT_MISSING, CAPTION_FILE_NOT_FOUND, wxOK));
  EXPECT_EQ(m_frame->Grid(0)->GetCellValue(0, COL_DESCRIPTION), "kept");
}

TEST_F(DocumentCommands, ExitOfAModifiedUntitledScenarioAsksTwice) {
  Edit("x");
  wxTEST_DIALOG(Command(wxID_EXIT), CancelFileDialog(),
                ExpectMessageBox(ASK_EXIT_LOSE, CAPTION_EXIT_LOSE, wxYES), CancelFileDialog(),
                ExpectMessageBox(ASK_EXIT_LOSE, CAPTION_EXIT_LOSE, wxYES));
  Pump();
  m_frame = nullptr;  // destroyed by its close handler
  EXPECT_NE(ReadSettings().find("[Position]"), std::string::npos);
}

TEST_F(DocumentCommands, ClosingCanBeRefused) {
  Edit("x");
  wxTEST_DIALOG(m_frame->Close(), CancelFileDialog(),
                ExpectMessageBox(ASK_EXIT_LOSE, CAPTION_EXIT_LOSE, wxNO));
  Pump();
  EXPECT_TRUE(m_frame->IsShown());
}

TEST_F(DocumentCommands, RecentScenarioReloadsAtStart) {
  SaveAs(Home("recent.cfg"));
  CloseMainWindow();
  Start();
  EXPECT_EQ(wxString::FromUTF8(m_frame->GetDocument().Path()), Home("recent.cfg"));
  EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(0), MSG_LOADED_RECENT);
  CloseMainWindow();
  remove(Home("recent.cfg").c_str());
  Start();
  EXPECT_EQ(wxString::FromUTF8(m_frame->GetDocument().Path()), "");
  EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(0), MSG_FAILED_RECENT);
}

TEST_F(DocumentCommands, OpeningAnotherScenarioTakesNothingOverFromTheShownOne) {
  WriteFileText(Home("a.cfg"), "# Lumivane scenario\n\n[Scene1]\nname=A\nfade=40\nhold=2.0\n"
                               "\n[Scene2]\nname=A2\nfade=50\n");
  WriteFileText(Home("b.cfg"), "# Lumivane scenario\n\n[Scene1]\nname=B\n\n[Scene2]\nname=B2\n");
  wxTEST_DIALOG(Command(wxID_OPEN), ExpectFileDialog(Home("a.cfg")));
  m_frame->Notebook()->SetSelection(1);
  wxTEST_DIALOG(Command(wxID_OPEN), ExpectFileDialog(Home("b.cfg")));
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
  EXPECT_EQ(FadeOf(m_frame, 0), 0);
  EXPECT_EQ(FadeOf(m_frame, 1), 0);
  EXPECT_EQ(HoldOf(m_frame, 0), 0.0);
  EXPECT_EQ(m_frame->FadeHold().FadeText()->GetValue(), "0");
}

namespace {

// File access as an unprivileged user while it lives, also when the tests
// run as root (who may read any file).
class AsNobody {
 public:
  AsNobody() : m_uid(geteuid() == 0 ? static_cast<int>(setfsuid(65534)) : -1) {}
  ~AsNobody() {
    if (m_uid >= 0) setfsuid(static_cast<uid_t>(m_uid));
  }

 private:
  int m_uid;
};

}  // namespace

TEST_F(DocumentCommands, AFileThatCannotBeReadIsNeitherOpenedNorReverted) {
  chmod(TestHome().c_str(), 0755);  // an unprivileged user may look in
  WriteFileText(Home("a.cfg"), "# Lumivane scenario\n\n[Scene1]\nname=A\n");
  wxTEST_DIALOG(Command(wxID_OPEN), ExpectFileDialog(Home("a.cfg")));
  WriteFileText(Home("locked.cfg"), "# Lumivane scenario\n\n[Scene1]\nname=Locked\n");
  chmod(Home("locked.cfg").c_str(), 0);
  const wxString denied = wxString::Format(ERR_READ_FAILED, Home("locked.cfg"), wxSysErrorMsgStr(EACCES));
  {
    AsNobody nobody;
    wxTEST_DIALOG(Command(wxID_OPEN), ExpectFileDialog(Home("locked.cfg")),
                  ExpectMessageBox(denied, CAPTION_ERROR, wxOK));
  }
  EXPECT_EQ(wxString::FromUTF8(m_frame->GetDocument().Path()), Home("a.cfg"));
  EXPECT_EQ(m_frame->Notebook()->GetPageText(0), "A");
  EXPECT_EQ(m_frame->GetTitle(), "Lumivane - a.cfg");

  // Revert of a file that became unreadable keeps what is shown.
  Edit("kept");
  chmod(Home("a.cfg").c_str(), 0);
  m_frame->SetStatusText("", 0);
  {
    AsNobody nobody;
    wxTEST_DIALOG(Command(wxID_REVERT_TO_SAVED),
                  ExpectMessageBox(wxString::Format(ERR_READ_FAILED, Home("a.cfg"), wxSysErrorMsgStr(EACCES)),
                                   CAPTION_ERROR, wxOK));
  }
  EXPECT_EQ(Status(), "");
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  EXPECT_EQ(m_frame->Grid(0)->GetCellValue(0, COL_DESCRIPTION), "kept");
}

TEST_F(DocumentCommands, SaveAsAsksBeforeReplacingTheFileTheExtensionNames) {
  WriteFileText(Home("show.cfg"), "precious");
  Edit("new");
  const wxString question = wxString::Format(ASK_REPLACE_FILE, "show.cfg");
  wxTEST_DIALOG(Command(wxID_SAVEAS), ExpectFileDialog(Home("show")),
                ExpectMessageBox(question, DIALOG_SAVE_TITLE, wxNO));
  EXPECT_EQ(ReadFileText(Home("show.cfg")), "precious");
  EXPECT_EQ(wxString::FromUTF8(m_frame->GetDocument().Path()), "");
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  wxTEST_DIALOG(Command(wxID_SAVEAS), ExpectFileDialog(Home("show")),
                ExpectMessageBox(question, DIALOG_SAVE_TITLE, wxYES));
  EXPECT_NE(ReadFileText(Home("show.cfg")), "precious");
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
}

TEST_F(DocumentCommands, AWatchedFileThatDisappearsCountsAsUnchanged) {
  SaveAs(Home("gone.cfg"));
  remove(Home("gone.cfg").c_str());
  for (int tick = 0; tick < 50; ++tick) {
    m_frame->TimerTick();  // no question, no logged error
  }
  EXPECT_EQ(wxString::FromUTF8(m_frame->GetDocument().Path()), Home("gone.cfg"));
}

TEST_F(DocumentCommands, TheTitleMarksUnsavedChangesBeforeTheName) {
  struct Step {
    const char* what;
    std::function<void()> act;
    const char* title;
  } steps[] = {
      {"a new scenario", [] {}, "Lumivane - [Untitled]"},
      {"an edit", [this] { Edit("x"); }, "Lumivane - *[Untitled]"},
      {"saved", [this] { SaveAs(Home("show.cfg")); }, "Lumivane - show.cfg"},
      {"edited again", [this] { TypeIntoCell(m_frame->Grid(0), 0, COL_DESCRIPTION, "y"); },
       "Lumivane - *show.cfg"},
      {"undone to the saved state", [this] { Command(wxID_UNDO); }, "Lumivane - show.cfg"},
  };
  for (const Step& step : steps) {
    step.act();
    EXPECT_EQ(m_frame->GetTitle(), step.title) << step.what;
  }
}

TEST_F(DocumentCommands, ASaveTellsHowManyRowsWithoutABoardNumberItLeftOut) {
  wxGrid* grid = m_frame->Grid(0);
  grid->AppendRows(3);
  grid->SetCellValue(0, COL_FROM, "1");
  grid->SetCellValue(1, COL_DESCRIPTION, "spare note");
  m_frame->GetDocument().SetModified(true);
  SaveAs(Home("a.cfg"));
  EXPECT_EQ(Status(), "Saved scenario; 1 row without a board number is not saved");
  EXPECT_EQ(ReadFileText(Home("a.cfg")).find("spare note"), std::string::npos);

  grid->SetCellValue(2, COL_TO, "4");
  m_frame->GetDocument().SetModified(true);
  Command(wxID_SAVE);
  EXPECT_EQ(Status(), "Saved scenario; 2 rows without a board number are not saved");

  grid->SetCellValue(1, COL_FROM, "2");
  grid->SetCellValue(2, COL_FROM, "3");
  m_frame->GetDocument().SetModified(true);
  Command(wxID_SAVE);
  EXPECT_EQ(Status(), MSG_SAVED);
}
