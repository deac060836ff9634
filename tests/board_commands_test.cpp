// What the boards receive: link opening, scene transfers, auto transfer,
// reset, clear and program, on the simulated FTDI device and on a real
// pseudo-terminal.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

#include <wx/grid.h>
#include <wx/notebook.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "gui/app/lumivane_app.h"
#include "gui/app/texts.h"
#include "gui/frame/cell_colours.h"
#include "gui/frame/fade_hold_row.h"
#include "gui/frame/frame_commands.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/ftdi_sim.h"
#include "support/gui_testing.h"
#include "support/ui_input.h"

namespace {

using Lines = std::vector<std::string>;

const Lines OPENING = {"FT_Write F8", "pause 500", "FT_SetBreakOn", "pause 200",
                       "FT_SetBreakOff", "pause 500"};

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

// The writes of one scene transfer: select all, fade, then per row select,
// colour and blink.
Lines SceneWrites(const char* fade, std::initializer_list<const char*> rows = {}) {
  Lines lines = {"FT_Write F5", "FT_Write 00 00 7F 7E", "FT_Write F2", std::string("FT_Write ") + fade};
  for (const char* row : rows) lines.push_back(row);
  return lines;
}

}  // namespace

class BoardCommands : public AppTest {
 protected:
  void SetUp() override {
    FtdiSimReset();
    FtdiSimAddDevice("Lumivane USB");
  }
  void TearDown() override {
    AppTest::TearDown();
  }
  // Starts with the given "autorun" and "baud" settings and the simulated adapter as port.
  void StartWith(int autorun, int baud = 0, const std::string& port = "Lumivane USB (1)") {
    WriteSettings("[Settings]\ncom=" + port + "\nbaud=" + std::to_string(baud) +
                  "\nautorun=" + std::to_string(autorun) + "\ntip=-1\n");
    Start();
  }
  // Lines of the device's log that reached the line: writes, breaks, speeds, pauses.
  static Lines LineLog() {
    Lines lines;
    for (const std::string& line : FtdiSimTrace()) {
      if (line.rfind("FT_Write", 0) == 0 || line.rfind("FT_SetBreak", 0) == 0 ||
          line.rfind("pause", 0) == 0 || line.rfind("FT_SetBaudRate", 0) == 0) {
        lines.push_back(line);
      }
    }
    return lines;
  }
  static Lines LineLogSince(size_t start) {
    const Lines all = LineLog();
    return Lines(all.begin() + std::min(start, all.size()), all.end());
  }
  void SetFade(int scene, const char* fade) {
    m_frame->Notebook()->SetSelection(scene);
    m_frame->FadeHold().FadeText()->ChangeValue(fade);
    m_frame->CommitFadeHold();
  }
  void AddRow(int scene, int row, const char* from, const char* to, const wxColour& colour,
              const char* blink) {
    wxGrid* grid = m_frame->Grid(scene);
    while (grid->GetNumberRows() <= row + 1) grid->AppendRows(1);
    grid->SetCellValue(row, COL_FROM, from);
    grid->SetCellValue(row, COL_TO, to);
    SetRowColour(m_frame, scene, row, ColourToIndex(colour));
    grid->SetCellValue(row, COL_BLINK, blink);
  }
  void Command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    m_frame->ProcessWindowEvent(event);
  }
  wxString Status() { return m_frame->GetStatusBar()->GetStatusText(0); }
};

TEST_F(BoardCommands, SceneTransferSendsTheDocumentedBytes) {
  StartWith(0);
  SetFade(0, "10");
  AddRow(0, 0, "1", "", wxColour(255, 0, 0), "");
  FtdiSimReset();
  FtdiSimAddDevice("Lumivane USB");
  m_frame->Commands().undo.EditMenu();
  m_frame->Session().SetAutoTransfer(true);
  EXPECT_TRUE(m_frame->AutoTransfer(-1));
  EXPECT_EQ(LineLog(),
            Concat({{"FT_SetBaudRate 9600"}, OPENING,
                    SceneWrites("0A", {"FT_Write F5", "FT_Write 00 00 01 00", "FT_Write F1",
                                       "FT_Write B4", "FT_Write F3", "FT_Write 00"})}));
}

TEST_F(BoardCommands, RowsWithoutAValidRangeAreLeftOut) {
  StartWith(0);
  AddRow(0, 0, "3", "5", *wxBLACK, "2");
  AddRow(0, 1, "0", "", *wxBLACK, "");
  AddRow(0, 2, "9", "4", *wxBLACK, "");
  AddRow(0, 3, "300", "", wxColour(43, 43, 43), "x");
  m_frame->Session().SetAutoTransfer(true);
  FtdiSimReset();
  FtdiSimAddDevice("Lumivane USB");
  EXPECT_TRUE(m_frame->AutoTransfer(-1));
  EXPECT_EQ(LineLog(),
            Concat({{"FT_SetBaudRate 9600"}, OPENING,
                    SceneWrites("00", {"FT_Write F5", "FT_Write 02 00 03 00", "FT_Write F1",
                                       "FT_Write 00", "FT_Write F3", "FT_Write 02",
                                       "FT_Write F5", "FT_Write 2B 02 01 00", "FT_Write F1",
                                       "FT_Write 2B", "FT_Write F3", "FT_Write 00"})}));
}

TEST_F(BoardCommands, NothingIsSentWithoutAnActiveScene) {
  StartWith(0);
  EXPECT_EQ(m_frame->ActiveScene(), -1);
  EXPECT_FALSE(m_frame->SendScene(-1, false));
  EXPECT_TRUE(FtdiSimEvents().empty());
}

TEST_F(BoardCommands, HighSpeedSwitchesAfterTheSyncAndSendsTheSceneFast) {
  StartWith(0, 1);
  m_frame->Session().SetAutoTransfer(true);
  EXPECT_TRUE(m_frame->AutoTransfer(-1));
  EXPECT_EQ(LineLog(), Concat({{"FT_SetBaudRate 9600"}, OPENING,
                               {"FT_Write F6 02", "pause 100", "FT_SetBaudRate 115200", "pause 100"},
                               SceneWrites("00")}));
}

TEST_F(BoardCommands, AutoTransferAtStartSendsTheFirstSceneOnce) {
  StartWith(1);
  EXPECT_EQ(LineLog(), Concat({{"FT_SetBaudRate 9600"}, OPENING, SceneWrites("00")}));
}

TEST_F(BoardCommands, EditWithAutoTransferSendsTheSceneOnceAndSwitchingOffSendsNothing) {
  StartWith(1);
  m_frame->Raise();
  size_t before = LineLog().size();
  TypeIntoCell(m_frame->Grid(0), 0, COL_FROM, "2");
  // The link is open already: one transfer, no opening sequence.
  EXPECT_EQ(LineLogSince(before), SceneWrites("00", {"FT_Write F5", "FT_Write 01 00 01 00", "FT_Write F1",
                                          "FT_Write 00", "FT_Write F3", "FT_Write 00"}));
  before = LineLog().size();
  wxCommandEvent tool(wxEVT_TOOL, ID_AUTO_TRANSFER);
  tool.SetInt(0);  // the tool as the click leaves it
  m_frame->ProcessWindowEvent(tool);
  EXPECT_TRUE(LineLogSince(before).empty());
}

TEST_F(BoardCommands, PortThatWillNotOpenWarnsOnceAndSwitchesAutoTransferOff) {
  wxTEST_DIALOG(StartWith(1, 0, "/nonexistent/port"),
                ExpectMessageBox(wxString(ERR_PORT_INIT) + ERR_AUTO_TRANSMIT_OFF, "Error", wxOK));
  EXPECT_FALSE(m_frame->Session().Snapshot().autoTransfer);
  // Further edits stay quiet.
  m_frame->GetDocument().SetModified(true);
  EXPECT_FALSE(m_frame->AutoTransfer(-1));
}

TEST_F(BoardCommands, EmptyPortFailsSilentlyForAutoTransferOnly) {
  StartWith(1, 0, "");
  EXPECT_TRUE(m_frame->Session().Snapshot().autoTransfer);
  wxTEST_DIALOG(Command(ID_RESET_BOARDS), ExpectMessageBox(ERR_PORT_INIT, "Error", wxOK));
}

TEST_F(BoardCommands, UnpluggedAdapterGivesOneTransmitErrorAndClosesThePort) {
  StartWith(1);
  FtdiSimFailWrites(true);
  wxTEST_DIALOG(EXPECT_FALSE(m_frame->AutoTransfer(-1)),
                ExpectMessageBox(ERR_TRANSMIT, "Error", wxOK));
  EXPECT_EQ(FtdiSimOpenCount(), 0);
  EXPECT_FALSE(m_frame->Session().Snapshot().autoTransfer);
}

TEST_F(BoardCommands, ResetReopensTheLinkAndClearErasesTheRom) {
  StartWith(0);
  FtdiSimReset();
  FtdiSimAddDevice("Lumivane USB");
  Command(ID_RESET_BOARDS);
  EXPECT_EQ(Status(), MSG_RESETTING_BOARDS);
  Command(ID_ERASE_BOARDS);
  EXPECT_EQ(Status(), MSG_ERASING_ROM);
  EXPECT_EQ(LineLog(), Concat({{"FT_SetBaudRate 9600"}, OPENING, {"FT_SetBaudRate 9600"}, OPENING,
                               {"FT_Write F7 00 DF", "pause 2000"}}));
}

TEST_F(BoardCommands, ProgrammingTwoScenesAtHighSpeedSendsTheWholeSequence) {
  StartWith(0, 1);
  m_frame->CreateScenePage(1, "", false);
  m_frame->FadeHold().HoldText()->ChangeValue("2.5");
  m_frame->CommitFadeHold();
  m_frame->Notebook()->SetSelection(1);
  m_frame->FadeHold().HoldText()->ChangeValue("120");
  m_frame->CommitFadeHold();
  FtdiSimReset();
  FtdiSimAddDevice("Lumivane USB");
  wxTEST_DIALOG(Command(ID_PROGRAM_BOARDS),
                ExpectMessageBox(BOX_PROGRAMMING_DONE, CAPTION_LUMIVANE, wxOK));
  const Lines highSpeed = {"FT_Write F6 02", "pause 100", "FT_SetBaudRate 115200", "pause 100"};
  EXPECT_EQ(LineLog(),
            Concat({{"FT_SetBaudRate 9600"}, OPENING, highSpeed, SceneWrites("00"), {"pause 100"},
                    {"FT_Write F7 00 DF", "pause 2000"}, SceneWrites("00"),
                    {"FT_Write F7", "FT_Write 05", "FT_Write 01", "pause 100"}, SceneWrites("00"),
                    {"pause 100", "FT_Write F7", "FT_Write F0", "FT_Write 02", "pause 100",
                     "FT_SetBreakOn", "pause 200", "FT_SetBreakOff", "pause 500"}}));
  EXPECT_EQ(Status(), MSG_PROGRAMMING_DONE);
  EXPECT_EQ(m_frame->ActiveScene(), 2);
}

TEST_F(BoardCommands, ProgrammingNoScenesSendsNothingButCompletes) {
  StartWith(0);
  m_frame->ResetScenes();
  FtdiSimReset();
  FtdiSimAddDevice("Lumivane USB");
  wxTEST_DIALOG(Command(ID_PROGRAM_BOARDS),
                ExpectMessageBox(BOX_PROGRAMMING_DONE, CAPTION_LUMIVANE, wxOK));
  for (const std::string& line : LineLog()) {
    EXPECT_TRUE(line.rfind("FT_Write", 0) != 0) << line;
  }
}

TEST_F(BoardCommands, ProgrammingStopsAtAFailedTransferWithoutRepeatingTheMessage) {
  StartWith(0);
  m_frame->CreateScenePage(1, "", false);
  FtdiSimFailWrites(true);
  wxTEST_DIALOG(Command(ID_PROGRAM_BOARDS), ExpectMessageBox(ERR_TRANSMIT, "Error", wxOK));
  EXPECT_EQ(FtdiSimOpenCount(), 0);
}

// The same stream on a real pseudo-terminal, read on the master side.
class PtyBoardLink : public BoardCommands {
 protected:
  void SetUp() override {
    BoardCommands::SetUp();
    char name[256];
    ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
    slaveName = name;
  }
  void TearDown() override {
    BoardCommands::TearDown();
    if (master >= 0) close(master);
    close(slave);
  }
  std::vector<unsigned char> ReadMaster() {
    std::vector<unsigned char> bytes;
    pollfd p{master, POLLIN, 0};
    unsigned char buffer[4096];
    while (poll(&p, 1, 100) > 0 && (p.revents & POLLIN)) {
      const ssize_t n = read(master, buffer, sizeof buffer);
      if (n <= 0) break;
      bytes.insert(bytes.end(), buffer, buffer + n);
    }
    return bytes;
  }
  int master = -1;
  int slave = -1;
  std::string slaveName;
};

TEST_F(PtyBoardLink, SceneArrivesByteForByte) {
  StartWith(0, 0, slaveName);
  SetFade(0, "10");
  AddRow(0, 0, "1", "", wxColour(255, 0, 0), "");
  m_frame->Session().SetAutoTransfer(true);
  EXPECT_TRUE(m_frame->AutoTransfer(-1));
  const std::vector<unsigned char> expected = {0xF8, 0xF5, 0x00, 0x00, 0x7F, 0x7E, 0xF2, 0x0A, 0xF5,
                                               0x00, 0x00, 0x01, 0x00, 0xF1, 0xB4, 0xF3, 0x00};
  EXPECT_EQ(ReadMaster(), expected);
}

TEST_F(PtyBoardLink, ClosedOtherEndGivesOneErrorAndNoHang) {
  StartWith(1, 0, slaveName);
  ReadMaster();
  close(master);
  master = -1;
  wxTEST_DIALOG(EXPECT_FALSE(m_frame->AutoTransfer(-1)),
                ExpectMessageBox(ERR_TRANSMIT, "Error", wxOK));
  EXPECT_EQ(FtdiSimOpenCount(), 0);
}
