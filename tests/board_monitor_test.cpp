// The board monitor in a real window: it opens by itself at the first
// transfer to the virtual boards, paints each board's colour, presses the
// virtual inputs for the runner, and shows what went to a real port.
#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/image.h>
#include <wx/statusbr.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include "core/model/colour_numbers.h"
#include "core/board/board_lines.h"
#include "gui/app/texts.h"
#include "gui/frame/lumivane_frame.h"
#include "gui/monitor/board_monitor.h"
#include "support/app_fixture.h"
#include "support/ftdi_sim.h"
#include "support/gui_testing.h"

namespace {

// Scene 1 stays: boards 1-3 colour 180, board 5 colour 30 blinking (3).
// Scene 2: board 2 colour 5.
const char SHOW[] =
    "# Lumivane scenario\n\n"
    "[Scene1]\nname=One\nfade=0\nhold=0\nrange1=1:3; 180; 0\nrange2=5:5; 30; 3\n\n"
    "[Scene2]\nname=Two\nfade=0\nhold=2.5\nrange1=2:2; 5; 0\n";

class BoardMonitorTest : public AppTest {
 protected:
  void SetUp() override { FtdiSimReset(); }
  void TearDown() override { AppTest::TearDown(); }
  // Starts with `port` and plays SHOW.
  void Play(const std::string& port) {
    WriteSettings("[Settings]\ncom=" + port + "\nautorun=0\ntip=-1\n");
    StartWithScenario(HomePath("show.cfg"), SHOW);
    ASSERT_FALSE(HasFatalFailure());
    Command(ID_TRANSFER);
    m_frame->Timer()->Stop();
    Pump();  // the monitor opens once the transfer is told
    ASSERT_TRUE(m_frame->Session().Running());
  }
  void Command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    m_frame->ProcessWindowEvent(event);
  }
  // The colour in the middle of board `number`'s field, painted by the
  // monitor's own drawing as at `nowMs`.
  static wxColour Painted(BoardMonitor* monitor, long number, long long nowMs) {
    BoardTiles* tiles = monitor->Tiles();
    const wxRect field = tiles->FieldRect(number);
    wxBitmap bitmap(field.GetRight() + 10, field.GetBottom() + 10, 24);
    wxMemoryDC dc(bitmap);
    tiles->Draw(dc, wxRect(wxPoint(0, 0), bitmap.GetSize()), nowMs);
    dc.SelectObject(wxNullBitmap);
    const wxImage image = bitmap.ConvertToImage();
    const wxPoint middle(field.x + field.width / 2, field.y + field.height / 2);
    return wxColour(image.GetRed(middle.x, middle.y), image.GetGreen(middle.x, middle.y),
                    image.GetBlue(middle.x, middle.y));
  }
  static wxColour Cube(int index) {
    const Rgb rgb = IndexToColour(index);
    return wxColour(rgb.red, rgb.green, rgb.blue);
  }
};

}  // namespace

TEST_F(BoardMonitorTest, OpensByItselfOnceAndPaintsEachBoardsColour) {
  ASSERT_EQ(BoardMonitor::Instance(), nullptr);
  Play(VIRTUAL_PORT_NAME);
  BoardMonitor* monitor = BoardMonitor::Instance();
  ASSERT_NE(monitor, nullptr) << "the first transfer opens it";
  EXPECT_TRUE(monitor->IsShown());
  EXPECT_EQ(monitor->GetTitle(), "Board monitor");
  monitor->Poll();
  EXPECT_EQ(monitor->Tiles()->TileCount(), 8);

  const long long lit = 0;       // blink 3: 300 ms lit, 300 ms dark
  const long long dark = 300;
  const wxColour unset = Painted(monitor, 4, lit);
  const struct {
    long board;
    long long at;
    wxColour colour;
  } cases[] = {
      {1, lit, Cube(180)}, {3, dark, Cube(180)}, {5, lit, Cube(30)}, {5, dark, *wxBLACK},
      {6, lit, unset},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Painted(monitor, c.board, c.at), c.colour) << "board " << c.board << " at " << c.at;
  }
  EXPECT_NE(unset, Cube(180));
  EXPECT_NE(unset, *wxBLACK);

  // Closed by the user, it stays closed; the menu brings it back.
  monitor->Close(true);
  Pump();
  ASSERT_EQ(BoardMonitor::Instance(), nullptr);
  Command(wxID_FORWARD);
  Pump();
  EXPECT_EQ(BoardMonitor::Instance(), nullptr);
  Command(ID_BOARD_MONITOR);
  ASSERT_NE(BoardMonitor::Instance(), nullptr);
  BoardMonitor::Instance()->Poll();
  EXPECT_EQ(Painted(BoardMonitor::Instance(), 2, lit), Cube(5)) << "scene 2 went out meanwhile";
}

TEST_F(BoardMonitorTest, AnInputButtonReachesTheRunnerThroughTheVirtualAdapter) {
  Play(VIRTUAL_PORT_NAME);
  BoardMonitor* monitor = BoardMonitor::Instance();
  ASSERT_NE(monitor, nullptr);
  monitor->Poll();
  ASSERT_TRUE(monitor->InputButton(2)->IsEnabled());
  wxCommandEvent click(wxEVT_BUTTON, monitor->InputButton(2)->GetId());
  click.SetEventObject(monitor->InputButton(2));
  monitor->InputButton(2)->ProcessWindowEvent(click);

  m_frame->TimerTick();
  EXPECT_EQ(m_frame->ActiveScene(), 1) << "input 2 goes to scene 2";
  EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(STATUS_MESSAGE), "Input 2 active");
}

TEST_F(BoardMonitorTest, ShowsWhatARealPortTookWithTheRomAndSpeed) {
  FtdiSimAddDevice("Lumivane USB");
  Play("Lumivane USB (1)");
  EXPECT_EQ(BoardMonitor::Instance(), nullptr) << "a real port opens no monitor by itself";
  m_frame->StopRun();
  wxTEST_DIALOG(Command(ID_PROGRAM_BOARDS),
                ExpectMessageBox(BOX_PROGRAMMING_DONE, CAPTION_LUMIVANE, wxOK));
  Command(ID_BOARD_MONITOR);
  BoardMonitor* monitor = BoardMonitor::Instance();
  ASSERT_NE(monitor, nullptr);
  EXPECT_EQ(Painted(monitor, 2, 0), Cube(5));
  EXPECT_FALSE(monitor->InputButton(1)->IsEnabled());
  const wxString status = monitor->StatusText();
  EXPECT_TRUE(status.StartsWith("Lumivane USB (1) (what was written to it) | 9600 bit/s | ")) << status;
  EXPECT_TRUE(status.Contains(" bytes received | last reset ")) << status;
  EXPECT_TRUE(status.Contains("\nROM: scene 1 (hold 0 s), scene 2 (hold 2.5 s) | Record: complete, 2 scenes, programmed "))
      << status;
}

TEST_F(BoardMonitorTest, EachTileTellsItsBoardAndColour) {
  Play(VIRTUAL_PORT_NAME);
  BoardMonitor* monitor = BoardMonitor::Instance();
  ASSERT_NE(monitor, nullptr);
  monitor->Poll();
  BoardTiles* tiles = monitor->Tiles();
  const struct {
    long board;
    const char* tip;
  } cases[] = {
      {1, "Board 1: colour 180, red 5, green 0, blue 0"},
      {5, "Board 5: colour 30, red 0, green 5, blue 0"},
      {6, "Board 6: no colour given yet"},
  };
  for (const auto& c : cases) {
    const wxRect field = tiles->FieldRect(c.board);
    EXPECT_EQ(tiles->TileAt(field.GetPosition() + wxPoint(field.width / 2, field.height / 2)), c.board);
    EXPECT_EQ(tiles->TileTip(c.board), c.tip);
  }
  EXPECT_EQ(tiles->TileAt(wxPoint(1, 1)), 0) << "the margin is no tile";
}
