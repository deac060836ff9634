#pragma once
#include <wx/thread.h>

#include "gui/frame/lumivane_frame.h"

// What the board link's worker reports, brought to the window's thread:
// at once when it reports there (ticked), else as an event in the order
// the reports came.
class LumivaneFrame::LinkView : public LinkListener {
 public:
  explicit LinkView(LumivaneFrame* frame) : m_frame(frame) {}
  void OnLinkReport(const LinkReport& report) override {
    if (wxThread::IsMain()) {
      m_frame->HandleLinkReport(report);
    } else {
      m_frame->CallAfter([frame = m_frame, report] { frame->HandleLinkReport(report); });
    }
  }

 private:
  LumivaneFrame* m_frame;
};
