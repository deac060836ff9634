// The window with the board link on its own thread, on the simulated
// adapter paced as a 9600 bit/s line: the window answers during a long
// transfer and closes in its middle, an automatic transfer that fails is
// told once, and Program's cancel stops after the scene being written.
#include <chrono>
#include <cstdio>

#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/progdlg.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/uiaction.h>
#include <wx/weakref.h>

#include "gui/app/texts.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/ftdi_sim.h"
#include "support/gui_testing.h"

namespace {

using Clock = std::chrono::steady_clock;

double Seconds(Clock::duration duration) { return std::chrono::duration<double>(duration).count(); }

// Scene `number` with `rows` one-board ranges.
std::string SceneText(int number, int rows, const char* hold = "0") {
  std::string text =
      "\n[Scene" + std::to_string(number) + "]\nname=S" + std::to_string(number) + "\nhold=" + hold + "\n";
  for (int row = 1; row <= rows; ++row) {
    text += "range" + std::to_string(row) + "=" + std::to_string(row) + ":" + std::to_string(row) + "; " +
            std::to_string(row % 200) + "; 0\n";
  }
  return text;
}

// `scenes` scenes of `rows` rows each.
std::string ScenarioText(int scenes, int rows) {
  std::string text = "# Lumivane scenario\n";
  for (int scene = 1; scene <= scenes; ++scene) text += SceneText(scene, rows);
  return text;
}

int Count(const std::vector<std::string>& lines, const std::string& line) {
  return static_cast<int>(std::count(lines.begin(), lines.end(), line));
}

}  // namespace

class LinkThread : public AppTest {
 protected:
  void SetUp() override {
    m_linkMode = BoardSession::Mode::THREAD;
    FtdiSimReset();
    FtdiSimAddDevice("Lumivane USB");
    FtdiSimSetLinePace(true);
  }
  void TearDown() override {
    AppTest::TearDown();
    FtdiSimReset();
  }
  // Starts with the scenario loaded as the recent one, not running.
  void StartWith(const std::string& scenario, int autorun) {
    const std::string path = HomePath("show.cfg");
    WriteFileText(path, scenario);
    WriteSettings("[Settings]\ncom=Lumivane USB (1)\nbaud=0\nautorun=" + std::to_string(autorun) +
                  "\ntip=-1\n\n[Session]\nfile=" + path + "\n");
    Start();
  }
  // Lets the toolkit work in 1 ms steps until `done`; how long it took.
  template <class Done>
  double PumpUntil(Done done, double limit = 10) {
    const Clock::time_point start = Clock::now();
    while (!done() && Seconds(Clock::now() - start) < limit) {
      wxTheApp->ProcessPendingEvents();
      wxYield();
      wxMilliSleep(1);
    }
    return Seconds(Clock::now() - start);
  }
  void Command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    m_frame->ProcessWindowEvent(event);
  }
};

TEST_F(LinkThread, TheWindowAnswersDuringALongTransferAndClosesInItsMiddle) {
  // 511 rows: about 4600 bytes, 4.8 s on the line.
  StartWith(ScenarioText(1, 511), 1);
  PumpUntil([] { return FtdiSimWrittenBytes().size() > 100; });
  m_frame->Raise();

  // A menu opens: Alt+E, as a user would.
  bool menuOpen = false;
  m_frame->Bind(wxEVT_MENU_OPEN, [&](wxMenuEvent& event) {
    menuOpen = true;
    event.Skip();
  });
  wxUIActionSimulator input;
  const Clock::time_point asked = Clock::now();
  input.Char('e', wxMOD_ALT);
  const double menu = PumpUntil([&] { return menuOpen; }, 3);
  input.Char(WXK_ESCAPE);
  PumpUntil([] { return false; }, 0.05);

  // A typed cell shows its text.
  wxGrid* grid = m_frame->Grid(0);
  grid->GetGridWindow()->SetFocus();
  grid->SetGridCursor(0, COL_DESCRIPTION);
  PumpUntil([] { return false; }, 0.05);
  const Clock::time_point typing = Clock::now();
  input.Text("lit");
  input.Char(WXK_RETURN);
  const double typed = PumpUntil([&] { return grid->GetCellValue(0, COL_DESCRIPTION) == "lit"; }, 3);

  const size_t sent = FtdiSimWrittenBytes().size();
  printf("[ figures  ] menu opened after %.0f ms, typed cell shown after %.0f ms (%.1f s into the transfer, "
         "%zu bytes sent)\n",
         menu * 1000, typed * 1000, Seconds(Clock::now() - asked), sent);
  EXPECT_TRUE(menuOpen);
  EXPECT_LT(menu, 0.5);
  EXPECT_EQ(grid->GetCellValue(0, COL_DESCRIPTION), "lit");
  EXPECT_LT(typed, 0.5);
  EXPECT_LT(Seconds(Clock::now() - typing), 2.0);
  EXPECT_LT(sent, 4000u) << "the transfer was still under way";

  // Closing cancels the rest and closes the port at once.
  const Clock::time_point closing = Clock::now();
  m_frame->Destroy();
  m_frame = nullptr;
  EXPECT_LT(Seconds(Clock::now() - closing), 0.5);
  EXPECT_EQ(FtdiSimOpenCount(), 0);
}

TEST_F(LinkThread, AnAutomaticTransferThatFailsIsToldOnceAndSwitchesItOff) {
  StartWith(ScenarioText(2, 3), 1);
  m_frame->WaitLinkIdle();
  FtdiSimFailWrites(true);
  wxTEST_DIALOG(
      {
        m_frame->AutoTransfer(0);
        m_frame->AutoTransfer(1);
        m_frame->WaitLinkIdle();
        Pump(50);
      },
      ExpectMessageBox(ERR_TRANSMIT, "Error", wxOK));
  EXPECT_FALSE(m_frame->Session().Snapshot().autoTransfer);
  EXPECT_EQ(FtdiSimOpenCount(), 0);
}

TEST_F(LinkThread, CancellingProgramStopsAfterTheSceneBeingWritten) {
  // Each scene takes about a second on the line.
  StartWith(ScenarioText(4, 100), 0);
  Command(ID_PROGRAM_BOARDS);
  wxWeakRef<wxGenericProgressDialog> dialog;
  for (wxWindow* window : wxTopLevelWindows) {
    if (auto* progress = dynamic_cast<wxGenericProgressDialog*>(window)) dialog = progress;
  }
  ASSERT_TRUE(dialog);
  EXPECT_EQ(dialog->GetTitle(), PROGRESS_PROGRAM_TITLE);
  // Program may end (and its dialog go) when the machine is slow to let the
  // test see scene 2.
  PumpUntil([&] { return !dialog || dialog->GetMessage().StartsWith("Writing scene 2 of 4\nAbout "); });
  ASSERT_TRUE(dialog) << "Program ended before scene 2 was seen";
  ASSERT_TRUE(dialog->GetMessage().StartsWith("Writing scene 2 of 4")) << dialog->GetMessage();
  wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
  cancel.SetEventObject(dialog->FindWindow(wxID_CANCEL));
  dialog->FindWindow(wxID_CANCEL)->ProcessWindowEvent(cancel);
  wxTEST_DIALOG(
      {
        PumpUntil([this] { return m_frame->GetStatusBar()->GetStatusText(STATUS_MESSAGE).StartsWith("Programming"); });
        m_frame->WaitLinkIdle();
      },
      ExpectMessageBox("Programming cancelled after 2 of 4 scenes.", CAPTION_LUMIVANE, wxOK));
  const std::vector<std::string> line = FtdiSimLineTrace();
  EXPECT_EQ(Count(line, "FT_Write F7"), 2) << "scenes 1 and 2 stored";
  EXPECT_EQ(Count(line, "FT_SetBreakOn"), 1) << "no closing break: the boards keep what they got";
  EXPECT_EQ(m_frame->ActiveScene(), 2);
}

TEST_F(LinkThread, ARunBehindItsPlanSaysHowLateAfterTheCountdown) {
  // The first scene's 100 rows take about 0.95 s on the line, its hold is
  // 0.5 s: the second starts about 0.45 s late.
  const std::string path = HomePath("late.cfg");
  WriteFileText(path, "# Lumivane scenario\n" + SceneText(1, 100, "0.5") + SceneText(2, 1, "2.0"));
  WriteSettings("[Settings]\ncom=Lumivane USB (1)\nbaud=0\nautorun=0\ntip=-1\n");
  wxArrayString arguments;
  arguments.Add(path);
  Start(arguments);
  wxStatusBar* bar = m_frame->GetStatusBar();
  PumpUntil([&] { return bar->GetStatusText(STATUS_HOLD).StartsWith("2.0"); });
  const wxString hold = bar->GetStatusText(STATUS_HOLD);
  EXPECT_EQ(m_frame->ActiveScene(), 1);
  EXPECT_EQ(bar->GetStatusText(STATUS_STATE), STATE_RUNNING);
  ASSERT_TRUE(hold.StartsWith("2.0  +") && hold.EndsWith(" s late")) << hold;
  double late = 0;
  ASSERT_TRUE(hold.AfterFirst('+').BeforeFirst(' ').ToCDouble(&late)) << hold;
  // At least the overrun; a loaded machine's sleeps may stretch the line.
  EXPECT_GT(late, 0.35);
  EXPECT_LT(late, 2.0);
}
