#include "gui/monitor/monitor_placement.h"

#include <algorithm>

MonitorPlacement PlaceMonitor(const wxRect& main, const wxSize& wanted, const wxRect& screen, int gap,
                              int minWidth) {
  const int height = std::min(wanted.y, screen.height);
  const int top = std::max(screen.y, std::min(main.y, screen.GetBottom() + 1 - height));
  const int right = screen.GetRight() + 1;
  const int roomRight = right - (main.GetRight() + 1) - gap;
  const int roomLeft = main.x - screen.x - gap;
  const int least = std::min(minWidth, wanted.x);
  if (roomRight >= least) {
    const int width = std::min(wanted.x, roomRight);
    return {wxRect(main.GetRight() + 1 + gap, top, width, height), main.GetPosition(), main.width};
  }
  if (roomLeft >= least) {
    const int width = std::min(wanted.x, roomLeft);
    return {wxRect(main.x - gap - width, top, width, height), main.GetPosition(), main.width};
  }
  const int width = std::min(wanted.x, screen.width - main.width - gap);
  if (width >= least) {
    // The main window goes to the screen's left edge, the monitor beside it.
    const wxPoint moved(screen.x, main.y);
    return {wxRect(screen.x + main.width + gap, top, width, height), moved, main.width};
  }
  const int narrowed = screen.width - gap - least;
  if (narrowed >= MAIN_WINDOW_LEAST_WIDTH) {
    // The main window gives up width rather than be hidden.
    return {wxRect(screen.x + narrowed + gap, top, least, height), wxPoint(screen.x, main.y), narrowed};
  }
  return {wxRect(right - wanted.x, top, wanted.x, height), main.GetPosition(), main.width};
}
