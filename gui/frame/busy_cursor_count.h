#pragma once
#include <wx/utils.h>

// The busy cursor while board commands are under way: shown from the first
// that begins until the last one ends.
class BusyCursorCount {
 public:
  void Begin() {
    if (m_count++ == 0) {
      wxBeginBusyCursor();
    }
  }
  void End() {
    if (m_count > 0 && --m_count == 0) {
      wxEndBusyCursor();
    }
  }
  // Commands whose end will not be told any more.
  void EndAll() {
    while (m_count > 0) {
      End();
    }
  }

 private:
  int m_count = 0;
};
