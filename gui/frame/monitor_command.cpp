// The Board monitor command, and the monitor opening by itself the first
// time a transfer goes to the virtual boards.
#include "gui/dialogs/dialog_commands.h"

#include "gui/frame/lumivane_frame.h"

#include <wx/app.h>
#include <wx/weakref.h>

#include <atomic>

#include "core/board/board_lines.h"
#include "gui/monitor/board_monitor.h"

namespace {

// Which main window the monitor was shown for, by hand or by itself: each
// window gets a number, and opens the monitor by itself only once.
int s_windows = 0;
std::atomic<int> s_shownFor{0};
// The latest main window and its number, for the window's thread only.
wxWeakRef<LumivaneFrame> s_frame;

}  // namespace

void BindMonitorCommand(LumivaneFrame& frame, BoardLines& lines) {
  frame.Bind(
      wxEVT_MENU,
      [&frame, &lines](wxCommandEvent&) {
        s_shownFor = s_windows;
        BoardMonitor::Open(&frame, lines);
      },
      ID_BOARD_MONITOR);
  const int window = ++s_windows;
  s_frame = &frame;
  // Called inside a board command, on the board link's thread: the window
  // opens on the window's thread once that is over.
  lines.SetListener([window, &lines] {
    int shown = s_shownFor.load();
    if (shown != window && s_shownFor.compare_exchange_strong(shown, window)) {
      wxTheApp->CallAfter([window, &lines] {
        if (s_frame && s_windows == window) BoardMonitor::Open(s_frame, lines);
      });
    }
  });
}
