// Control > What the boards hold... in the window: the record after
// Program compared with the open scenario, the question before programming
// the same scenario again, and what was programmed opened as a new one.
#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

#include "core/board/board_lines.h"
#include "core/board/rom_record.h"
#include "core/board/virtual_chain.h"
#include "gui/app/rom_record_directory.h"
#include "gui/app/texts.h"
#include "gui/dialogs/rom_record_dlg.h"
#include "gui/frame/fade_hold_row.h"
#include "gui/app/lumivane_app.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/gui_testing.h"

namespace {

// What the dialog showed: its record text and its comparison lines.
struct SeenRecord {
  wxString text;
  std::vector<std::string> lines;
  bool canOpen = false;
};

// The dialog, noted, then closed or left through "Open what was programmed".
class ExpectRomDialog : public wxExpectModalBase<RomRecordDlg, ExpectRomDialog> {
 public:
  ExpectRomDialog(bool open, SeenRecord* seen) : m_open(open), m_seen(seen) {}

 protected:
  int OnInvoked(RomRecordDlg* dialog) const override {
    m_seen->text = dialog->RecordText();
    for (unsigned line = 0; line < dialog->Differences()->GetCount(); ++line) {
      m_seen->lines.push_back(dialog->Differences()->GetString(line).utf8_string());
    }
    m_seen->canOpen = dialog->OpenButton()->IsEnabled();
    if (!m_open) {
      return wxID_CANCEL;
    }
    dialog->SetReturnCode(0);
    wxCommandEvent click(wxEVT_BUTTON, dialog->OpenButton()->GetId());
    click.SetEventObject(dialog->OpenButton());
    dialog->OpenButton()->ProcessWindowEvent(click);
    return dialog->GetReturnCode();
  }

 private:
  bool m_open;
  SeenRecord* m_seen;
};

const char SHOW[] =
    "[Scene1]\nname=Red\nfade=10\nhold=0.5\nrange1=1:1; 180; 0\n\n"
    "[Scene2]\nname=Two\nfade=200\nhold=0.0\nrange1=3:5; 0; 2\n";

}  // namespace

class RomRecordWindow : public AppTest {
 protected:
  void SetUp() override {
    WriteSettings("[Settings]\ncom=Virtual boards\nautorun=0\ntip=-1\n");
    WriteFileText(show, SHOW);
    Start();
    ASSERT_TRUE(m_frame->ReadScenarioFrom(wxString::FromUTF8(show)));
    m_frame->GetDocument().SetPath(show);
    m_frame->GetDocument().SetModified(false);
  }
  void Command(int id) {
    wxCommandEvent command(wxEVT_MENU, id);
    m_frame->ProcessWindowEvent(command);
  }
  long long BytesOnTheBoards() {
    const auto lock = App().Lines().Lock();
    return App().Lines().VirtualBoards().BytesReceived();
  }
  std::string show = HomePath("show.cfg");
};

TEST_F(RomRecordWindow, NoRecordBeforeProgramThenTheSameScenario) {
  SeenRecord none;
  wxTEST_DIALOG(Command(ID_ROM_RECORD), ExpectRomDialog(false, &none));
  EXPECT_TRUE(none.text.StartsWith("No record of what the boards on Virtual boards hold")) << none.text;
  EXPECT_FALSE(none.canOpen);

  wxTEST_DIALOG(Command(ID_PROGRAM_BOARDS), ExpectMessageBox(BOX_PROGRAMMING_DONE, CAPTION_LUMIVANE, wxOK));
  SeenRecord same;
  wxTEST_DIALOG(Command(ID_ROM_RECORD), ExpectRomDialog(false, &same));
  EXPECT_TRUE(same.text.Contains("Port: Virtual boards\n")) << same.text;
  EXPECT_TRUE(same.text.Contains("State: complete\n")) << same.text;
  EXPECT_EQ(same.lines, std::vector<std::string>{"Same as the open scenario"});
  EXPECT_TRUE(same.canOpen);
}

TEST_F(RomRecordWindow, ProgramAsksBeforeWritingTheSameAgainAndTheProgrammedOpensAsNew) {
  wxTEST_DIALOG(Command(ID_PROGRAM_BOARDS), ExpectMessageBox(BOX_PROGRAMMING_DONE, CAPTION_LUMIVANE, wxOK));
  const RomRecordRead read = ReadRomRecord(RomRecordDirectory(), VIRTUAL_PORT_NAME);
  ASSERT_TRUE(read.Found()) << read.warning;
  const wxString question = "The boards on Virtual boards hold the open scenario already (programmed " +
                            wxString::FromUTF8(RomTimeText(read.record.time)) + ").\n\nProgram them again?";
  const long long sent = BytesOnTheBoards();
  wxTEST_DIALOG(Command(ID_PROGRAM_BOARDS), ExpectMessageBox(question, "Program Lumivanes", wxNO));
  EXPECT_EQ(BytesOnTheBoards(), sent) << "declined: nothing went out";

  m_frame->Notebook()->SetSelection(1);
  m_frame->FadeHold().FadeText()->ChangeValue("7");
  m_frame->CommitFadeHold();
  // Changed: Program asks nothing.
  SeenRecord changed;
  wxTEST_DIALOG(Command(ID_ROM_RECORD), ExpectRomDialog(true, &changed));
  EXPECT_EQ(changed.lines, std::vector<std::string>{"scene 2 \"Two\": fade (200 in the boards, 7 here)"});
  EXPECT_EQ(FadeOf(m_frame, 1), 200) << "what was programmed is open";
  EXPECT_EQ(m_frame->GetDocument().Path(), "");
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  EXPECT_NE(ReadFileText(show).find("fade=7"), std::string::npos) << "the changed file was saved first";
}
