// The window on a screen scaled by two (run with GDK_SCALE=2): icons drawn
// at the doubled size, and the board monitor placed beside the main window
// in the toolkit's logical units, not over it.
#include <wx/toolbar.h>

#include "gui/frame/lumivane_frame.h"
#include "gui/monitor/board_monitor.h"
#include "gui/monitor/monitor_placement.h"
#include "support/app_fixture.h"

namespace {

class ScaledWindow : public AppTest {
 protected:
  void SetUp() override {
    WriteSettings("[Settings]\ncom=\nautorun=0\ntip=-1\n[Position]\nframe=400 300\n");
    Start();
    Pump(200);
  }
};

}  // namespace

TEST_F(ScaledWindow, IconsAreDrawnForTheScreensScale) {
  ASSERT_EQ(m_frame->GetContentScaleFactor(), 2.0) << "run with GDK_SCALE=2";
  const int tools[] = {wxID_NEW, wxID_OPEN, wxID_SAVE, wxID_UNDO, ID_TRANSFER, ID_STOP, ID_AUTO_TRANSFER};
  for (int id : tools) {
    const wxBitmapBundle bundle = m_frame->GetToolBar()->FindById(id)->GetNormalBitmapBundle();
    // Drawn at twice its 16 logical pixels, not enlarged from 16 pixels.
    const wxBitmap bitmap = bundle.GetBitmapFor(m_frame->GetToolBar());
    ASSERT_TRUE(bitmap.IsOk()) << id;
    EXPECT_EQ(bitmap.GetWidth(), 32) << "tool " << id;
  }
  const wxBitmap icon = m_frame->GetMenuBar()->FindItem(ID_TRANSFER)->GetBitmap();
  EXPECT_TRUE(icon.IsOk());
  EXPECT_EQ(m_frame->GetIcons().GetIconCount(), 7u);
}

TEST_F(ScaledWindow, MonitorOpensBesideTheMainWindow) {
  wxCommandEvent command(wxEVT_MENU, ID_BOARD_MONITOR);
  m_frame->ProcessWindowEvent(command);
  Pump(200);
  BoardMonitor* monitor = BoardMonitor::Instance();
  ASSERT_NE(monitor, nullptr);
  const wxRect main = m_frame->GetScreenRect();
  const wxRect beside = monitor->GetScreenRect();
  EXPECT_FALSE(main.Intersects(beside)) << "main " << main.x << "," << main.width << " monitor " << beside.x << ","
                                        << beside.width;
  // 1280 pixels scaled by two leave 640 logical ones for both windows.
  EXPECT_LE(beside.GetRight(), 640);
  EXPECT_GE(main.width, MAIN_WINDOW_LEAST_WIDTH);
}
