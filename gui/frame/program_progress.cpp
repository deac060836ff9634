#include "gui/frame/program_progress.h"

#include <wx/progdlg.h>

#include <algorithm>
#include <chrono>
#include <cmath>

#include "core/board/board_session.h"
#include "gui/app/texts.h"

namespace {

wxString TimeLeftText(long seconds) {
  const wxString time = seconds >= 60 ? wxString::Format(_(TIME_MINUTES), seconds / 60, seconds % 60)
                                      : wxString::Format(_(TIME_SECONDS), seconds);
  return wxString::Format(_(MSG_PROGRAM_TIME_LEFT), time);
}

wxString ProgramProgressText(int scene, int count, long secondsLeft) {
  return wxString::Format(_(MSG_PROGRAM_SCENE_OF), scene, count) + "\n" + TimeLeftText(secondsLeft);
}

}  // namespace

void ProgramProgress::Begin(wxWindow* parent, int scenes, double seconds) {
  m_cancelled = false;
  if (scenes > 0 && m_dialog == nullptr) {
    // Made with the widest text it will show, so that none is cut off.
    m_dialog = new wxProgressDialog(_(PROGRESS_PROGRAM_TITLE), ProgramProgressText(scenes, scenes, 35999), scenes,
                                    parent, wxPD_APP_MODAL | wxPD_CAN_ABORT);
    m_dialog->Update(0, ProgramProgressText(1, scenes, std::max(0L, std::lround(seconds))));
  }
}

void ProgramProgress::Show(BoardSession& session) {
  const BoardSnapshot progress = session.Snapshot();
  if (m_dialog == nullptr || progress.programScene < 1 || m_cancelled) {
    return;
  }
  if (m_dialog->WasCancelled()) {
    m_cancelled = true;
    session.CancelProgram();
    return;
  }
  const double elapsed = std::chrono::duration<double>(session.Now() - progress.programSceneStart).count();
  const long left = std::max(0L, std::lround(progress.programSecondsLeft - elapsed));
  m_dialog->Update(progress.programScene - 1, ProgramProgressText(progress.programScene, progress.programCount, left));
}

void ProgramProgress::End() {
  delete m_dialog;
  m_dialog = nullptr;
}
