#pragma once
// What the window benchmarks share: the toolkit's warnings going nowhere,
// as in the program, and the events handled between measurements.
#include <glib.h>

#include <wx/app.h>
#include <wx/evtloop.h>

inline GLogWriterOutput DiscardLogMessage(GLogLevelFlags, const GLogField*, gsize, gpointer) {
  return G_LOG_WRITER_HANDLED;
}

// Handles what is waiting: the display's events, the events posted to the
// program and the idle handlers, until none asks for more.
inline void HandleWaitingEvents() {
  wxEventLoopBase* loop = wxEventLoopBase::GetActive();
  for (int round = 0; round < 100; ++round) {
    while (loop->Pending()) {
      loop->Dispatch();
    }
    wxTheApp->ProcessPendingEvents();
    const bool moreIdle = wxTheApp->ProcessIdle();
    if (!moreIdle && !loop->Pending() && !wxTheApp->HasPendingEvents()) {
      return;
    }
  }
}
