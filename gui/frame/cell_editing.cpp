// The warnings of the core's edit commands in their boxes, and the fade/hold
// row committed (cell edits: cell_edit_commands.cpp).
#include "gui/frame/lumivane_frame.h"

#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/toolbar.h>

#include "core/edit/edit_commands.h"
#include "gui/app/texts.h"
#include "gui/frame/fade_hold_row.h"
#include "gui/frame/scene_book.h"

void LumivaneFrame::ShowError(const wxString& message) {
  ShowMessage(message, _(CAPTION_ERROR), wxOK | wxICON_ERROR);
}

void LumivaneFrame::ShowWarnings(const std::vector<EditWarning>& warnings) {
  for (const EditWarning& warning : warnings) {
    const int value = static_cast<int>(warning.value);
    switch (warning.code) {
      case EditWarning::FROM_TO_NOT_POSITIVE: ShowError(wxString(_(ERR_FROM_TO_NUMBER)) + _(ERR_POSITIVE_NUMBER)); break;
      case EditWarning::ID_NOT_POSITIVE: ShowError(wxString(_(ERR_ID_NUMBER)) + _(ERR_POSITIVE_NUMBER)); break;
      case EditWarning::BLINK_NOT_NUMBER: ShowError(_(ERR_BLINK_NUMBER)); break;
      case EditWarning::BLINK_TOO_HIGH: ShowError(wxString::Format(_(ERR_BLINK_TOO_HIGH), value)); break;
      case EditWarning::LONG_DESCRIPTION:
        ShowMessage(wxString::Format(_(WARN_LONG_DESCRIPTION), value), _(CAPTION_WARNING), wxOK | wxICON_INFORMATION);
        break;
      case EditWarning::FADE_OUT_OF_RANGE: ShowError(wxString::Format(_(ERR_FADE_RANGE), value)); break;
      case EditWarning::HOLD_OUT_OF_RANGE: ShowError(_(ERR_HOLD_RANGE)); break;
      case EditWarning::HOLD_ROUNDED:
        ShowMessage(_(WARN_HOLD_ROUNDED), _(CAPTION_WARNING), wxOK | wxICON_INFORMATION);
        break;
      case EditWarning::PASTED_SUSPECT_VALUES:
        ShowMessage(_(WARN_PASTED_VALUES), _(CAPTION_WARNING), wxOK | wxICON_INFORMATION);
        break;
    }
  }
}

void LumivaneFrame::CommitFadeHold() {
  const EditResult result = m_fadeHold->Commit(m_document);
  ShowWarnings(result.warnings);
  if (!result.changes.Empty()) {
    SetStatus(_(MSG_MODIFIED_SCENARIO), STATUS_MESSAGE);
  }
}

int LumivaneFrame::SetAllSource() {
  StopRun();
  CommitFadeHold();
  const int scene = CurrentScene();
  return m_document.HasScene(scene) ? scene : -1;
}
