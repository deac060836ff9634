// The main window's layout on screen: the Description column taking the
// room left, the board monitor beside it, and the status
// bar's fields and messages.
#include <algorithm>

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

TEST_F(WindowLayout, DescriptionTakesTheWidthLeftWhileTheSceneKeepsItsOwn) {
  Start();
  wxGrid* grid = m_frame->Grid(0);
  // The room left beside the other four columns (170 pixels), or the
  // scene's own 300 when the window is too narrow.
  for (const wxSize& size : {wxSize(1200, 700), wxSize(400, 500), wxSize(1100, 650)}) {
    m_frame->SetSize(size);
    Pump(150);
    const int room = grid->GetGridWindow()->GetClientSize().x - 170 - 1;
    EXPECT_EQ(grid->GetColSize(COL_DESCRIPTION), std::max(room, 300)) << size.x;
  }
  // An edit redraws the scene and the stretch stays; a save keeps the
  // scene's own width.
  TypeIntoCell(grid, 0, COL_FROM, "1");
  EXPECT_GT(grid->GetColSize(COL_DESCRIPTION), 300);
  const std::string path = HomePath("wide.cfg");
  m_frame->GetDocument().SetPath(path);
  ASSERT_TRUE(m_frame->WriteScenario(wxString::FromUTF8(m_frame->GetDocument().Path())));
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
      {"room on the right", wxRect(0, 0, 700, 500), {wxRect(712, 0, 500, 360), wxPoint(0, 0), 700}},
      {"short room on the right: narrower", wxRect(0, 0, 900, 600),
       {wxRect(912, 0, 368, 360), wxPoint(0, 0), 900}},
      {"room on the left", wxRect(700, 100, 580, 400), {wxRect(188, 100, 500, 360), wxPoint(700, 100), 580}},
      {"no room either side: the main window moves", wxRect(200, 50, 900, 600),
       {wxRect(912, 50, 368, 360), wxPoint(0, 50), 900}},
      {"a screen too small for both: the main window narrows", wxRect(0, 0, 1200, 600),
       {wxRect(980, 0, 300, 360), wxPoint(0, 0), 968}},
  };
  for (const Case& c : cases) {
    const MonitorPlacement place = PlaceMonitor(c.main, wanted, screen, 12, 300);
    EXPECT_EQ(place.monitor, c.expected.monitor) << c.what;
    EXPECT_EQ(place.mainWindow, c.expected.mainWindow) << c.what;
    EXPECT_EQ(place.mainWidth, c.expected.mainWidth) << c.what;
  }
  // 1920 x 1080 pixels scaled by two, with a first start's 900 x 540 window.
  const MonitorPlacement scaled = PlaceMonitor(wxRect(30, 0, 900, 540), wanted, wxRect(0, 0, 960, 540), 12, 300);
  EXPECT_EQ(scaled.monitor, wxRect(660, 0, 300, 360));
  EXPECT_EQ(scaled.mainWindow, wxPoint(0, 0));
  EXPECT_EQ(scaled.mainWidth, 648);
  // A screen too small even for a narrowed main window: the monitor keeps
  // to the screen's right edge.
  const MonitorPlacement tiny = PlaceMonitor(wxRect(0, 0, 500, 400), wanted, wxRect(0, 0, 600, 400), 12, 300);
  EXPECT_EQ(tiny.monitor, wxRect(100, 0, 500, 360));
  EXPECT_EQ(tiny.mainWidth, 500);
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
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
  EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(0), "");
  EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(1), "");
}

TEST(StatusTexts, MessagesNameWhatTheyAreAbout) {
  EXPECT_STREQ(LinkText("/dev/ttyUSB0", MSG_TRANSFERRED, MSG_TRANSFERRED_VIRTUAL),
               "Transferred the scene to the serial port");
  EXPECT_STREQ(LinkText("Virtual boards", MSG_TRANSFERRED, MSG_TRANSFERRED_VIRTUAL),
               "Transferred the scene to the virtual boards");
  EXPECT_STREQ(LinkText("Virtual boards", MSG_OPENING_PORT, MSG_OPENING_VIRTUAL), "Opening the virtual boards");
}
