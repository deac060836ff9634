// The main window's layout on screen: its first size, the Description
// column taking the room left, the board monitor beside it, and the status
// bar's fields and messages.
#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/statusbr.h>

#include "core/model/scenario.h"
#include "gui/app/lumivane_app.h"
#include "gui/app/texts.h"
#include "gui/frame/lumivane_frame.h"
#include "gui/frame/status_texts.h"
#include "gui/monitor/monitor_placement.h"
#include "support/app_fixture.h"
#include "support/gui_testing.h"
#include "support/ui_input.h"

using WindowLayout = AppTest;

TEST_F(WindowLayout, AFirstStartFitsTheColumnsAndAStoredSizeWins) {
  struct Case {
    const char* settings;
    wxSize size;
  } cases[] = {
      {"[Settings]\ntip=-1\ncom=\n", wxSize(900, 600)},
      {"[Settings]\ntip=-1\ncom=\n[Position]\nframe=500 400\n", wxSize(500, 400)},
  };
  for (const Case& c : cases) {
    WriteSettings(c.settings);
    Start();
    EXPECT_EQ(m_frame->GetSize(), c.size) << c.settings;
    CloseMainWindow();
  }
}

TEST_F(WindowLayout, DescriptionTakesTheWidthLeftWhileTheSceneKeepsItsOwn) {
  Start();
  wxGrid* grid = m_frame->Grid(0);
  const auto columnsWidth = [grid] {
    int sum = 0;
    for (int col = 0; col < GRID_COLUMNS; ++col) {
      sum += grid->GetColSize(col);
    }
    return sum;
  };
  for (const wxSize& size : {wxSize(1100, 650), wxSize(1200, 700)}) {
    m_frame->SetSize(size);
    Pump(150);
    const int room = grid->GetGridWindow()->GetClientSize().x;
    EXPECT_GT(grid->GetColSize(COL_DESCRIPTION), 300) << size.x;
    EXPECT_EQ(columnsWidth(), room - 1) << size.x;
  }
  // Too narrow for the scene's own width: that width shows.
  m_frame->SetSize(wxSize(400, 500));
  Pump(150);
  EXPECT_EQ(grid->GetColSize(COL_DESCRIPTION), 300);
  m_frame->SetSize(wxSize(1100, 650));
  Pump(150);
  // An edit redraws the scene; the stretch stays, and saving keeps the
  // scene's width.
  TypeIntoCell(grid, 0, COL_FROM, "1");
  EXPECT_GT(grid->GetColSize(COL_DESCRIPTION), 300);
  const std::string path = HomePath("wide.cfg");
  App().m_scenarioFile = wxString::FromUTF8(path.c_str());
  ASSERT_TRUE(m_frame->WriteScenario());
  EXPECT_NE(ReadFileText(path).find("columns=40 40 50 40 300\n"), std::string::npos) << ReadFileText(path);
}

TEST(MonitorPlacement, BesideTheMainWindowAndNeverOverIt) {
  const wxRect screen(0, 0, 1280, 1024);
  const wxSize wanted(500, 360);
  struct Case {
    const char* what;
    wxRect main;
    MonitorPlacement expected;
  } cases[] = {
      {"room on the right", wxRect(0, 0, 700, 500), {wxRect(712, 0, 500, 360), wxPoint(0, 0)}},
      {"short room on the right: narrower", wxRect(0, 0, 900, 600), {wxRect(912, 0, 368, 360), wxPoint(0, 0)}},
      {"room on the left", wxRect(700, 100, 580, 400), {wxRect(188, 100, 500, 360), wxPoint(700, 100)}},
      {"no room either side: the main window moves", wxRect(200, 50, 900, 600),
       {wxRect(912, 50, 368, 360), wxPoint(0, 50)}},
      {"kept on the screen", wxRect(0, 900, 700, 100), {wxRect(712, 664, 500, 360), wxPoint(0, 900)}},
      {"a screen too small for both", wxRect(0, 0, 1200, 600), {wxRect(780, 0, 500, 360), wxPoint(0, 0)}},
  };
  for (const Case& c : cases) {
    const MonitorPlacement place = PlaceMonitor(c.main, wanted, screen, 12, 300);
    EXPECT_EQ(place.monitor, c.expected.monitor) << c.what;
    EXPECT_EQ(place.mainWindow, c.expected.mainWindow) << c.what;
  }
}

TEST_F(WindowLayout, StatusFieldsAreWideEnoughForTheirTexts) {
  Start();
  wxStatusBar* bar = m_frame->GetStatusBar();
  for (const char* state : {STATE_MODIFIED, STATE_RUNNING}) {
    wxRect field;
    ASSERT_TRUE(bar->GetFieldRect(1, field));
    EXPECT_GE(field.width, bar->GetTextExtent(state).x + 8) << state;
  }
}

TEST_F(WindowLayout, TheModifiedMessageGoesWhenUndoReturnsToTheSavedState) {
  Start();
  TypeIntoCell(m_frame->Grid(0), 0, COL_FROM, "1");
  EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(0), MSG_MODIFIED_SCENARIO);
  wxCommandEvent undo(wxEVT_MENU, wxID_UNDO);
  m_frame->ProcessWindowEvent(undo);
  EXPECT_FALSE(m_frame->IsModified());
  EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(0), "");
  EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(1), "");
}

TEST(StatusTexts, MessagesNameWhatTheyAreAbout) {
  Scenario three;
  three.scenes.resize(3);
  const wxString serial = LinkText("/dev/ttyUSB0", MSG_TRANSFERRED, MSG_TRANSFERRED_VIRTUAL);
  const wxString boards = LinkText("Virtual boards", MSG_TRANSFERRED, MSG_TRANSFERRED_VIRTUAL);
  const wxString opening = LinkText("Virtual boards", MSG_OPENING_PORT, MSG_OPENING_VIRTUAL);
  struct Case {
    wxString shown;
    const char* expected;
  } cases[] = {
      {serial, "Transferred the scene to the serial port"},
      {boards, "Transferred the scene to the virtual boards"},
      {opening, "Opening the virtual boards"},
      {InputActiveMessage(1, three), "Input 1 active"},
      {InputActiveMessage(4, three), "Input 4 active: scene 4 does not exist"},
      {SavedMessage(MSG_SAVED, 0), "Saved scenario"},
      {SavedMessage(MSG_SAVED_COPY, 2), "Saved backup of the scenario; 2 rows without a board number are not saved"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.shown, c.expected);
  }
}
