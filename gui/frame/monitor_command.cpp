// The Board monitor command, and the monitor opening by itself the first
// time a transfer goes to the virtual boards.
#include "gui/frame/lumivane_frame.h"

#include <wx/weakref.h>

#include "core/serial/virtual_port.h"
#include "gui/monitor/board_monitor.h"

namespace {

// Which main window the monitor was shown for, by hand or by itself: each
// window gets a number, and opens the monitor by itself only once.
int s_windows = 0;
int s_shownFor = 0;

}  // namespace

void LumivaneFrame::BindMonitorCommands() {
  Bind(wxEVT_MENU, &LumivaneFrame::OnBoardMonitor, this, ID_BOARD_MONITOR);
  const int window = ++s_windows;
  wxWeakRef<LumivaneFrame> frame(this);
  // Called inside a board command: the window opens once that is over.
  serial_virtual_set_listener([frame, window] {
    if (frame && s_shownFor != window) {
      s_shownFor = window;
      frame->CallAfter([frame] {
        if (frame) BoardMonitor::Open(frame);
      });
    }
  });
}

void LumivaneFrame::OnBoardMonitor(wxCommandEvent&) {
  s_shownFor = s_windows;
  BoardMonitor::Open(this);
}
