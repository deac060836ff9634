#pragma once
#include <wx/weakref.h>

#include "gui/frame/lumivane_frame.h"

// What the board session tells, handed to the window: the session calls
// its waker on its worker's thread, the window takes the events in on its
// own thread, in the order they came, and shows them: status texts,
// messages, the page of the scene on the boards, Program's progress. The
// file watch's finding comes this way too: a changed scenario file is
// reloaded, or the user is asked, once no dialog waits.
class LumivaneFrame::LinkView : public BoardSessionListener {
 public:
  explicit LinkView(LumivaneFrame* frame) : m_frame(frame) {}
  void OnBoardEvent(const BoardEvent& report) override;
  // For SetWaker: on any thread.
  void Wake() {
    wxWeakRef<LumivaneFrame> frame(m_frame);
    m_frame->CallAfter([frame] {
      if (frame) frame->Session().DeliverEvents();
    });
  }

  // The countdown, and the run's lateness when it is late.
  void ShowHoldField();
  // The question about the changed file, put off while a dialog was open.
  void AskAboutChangedFile();

 private:
  void LinkFinished(const LinkReport& report);
  void RunReport(const LinkReport& report);
  void ReportTransmitFailure();
  void ReportOpenFailure();
  void ScenarioFileChanged();
  void ReloadScenario();

  LumivaneFrame* m_frame;
};
