#pragma once
#include <wx/weakref.h>

#include "gui/frame/lumivane_frame.h"

// What the board session tells, handed to the window: the session calls
// its waker on its worker's thread, the window takes the events in on its
// own thread, in the order they came.
class LumivaneFrame::LinkView : public BoardSessionListener {
 public:
  explicit LinkView(LumivaneFrame* frame) : m_frame(frame) {}
  void OnBoardEvent(const BoardEvent& event) override { m_frame->HandleLinkReport(event); }
  // For SetWaker: on any thread.
  void Wake() {
    wxWeakRef<LumivaneFrame> frame(m_frame);
    m_frame->CallAfter([frame] {
      if (frame) frame->Session().DeliverEvents();
    });
  }

 private:
  LumivaneFrame* m_frame;
};
