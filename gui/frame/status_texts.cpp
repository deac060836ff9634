#include "gui/frame/status_texts.h"

#include <algorithm>
#include <initializer_list>

#include <wx/statusbr.h>

#include "core/model/scenario.h"
#include "core/board/board_lines.h"
#include "gui/app/texts.h"
#include "gui/frame/ids.h"

namespace {

// Room for the field's frame and the text's margins on both sides.
constexpr int FIELD_PADDING = 24;
// The longest countdown and lateness the hold field shows.
constexpr const char* LONGEST_HOLD = "120.0";
constexpr double LONGEST_LATE_SECONDS = 99.99;
// The widest figure of a scene's transfer: 512 rows at 9600 bit/s.
constexpr const char* LONGEST_BUDGET = "4,615 bytes, 4.8 s";

int WidestText(wxStatusBar* statusBar, std::initializer_list<wxString> texts, int least) {
  int widest = 0;
  for (const wxString& text : texts) {
    widest = std::max(widest, statusBar->GetTextExtent(text).x);
  }
  return std::max(least, widest + FIELD_PADDING);
}

}  // namespace

void SetStatusFieldWidths(wxStatusBar* statusBar, bool late) {
  const wxString hold = LONGEST_HOLD;
  const int state = WidestText(statusBar, {_(STATE_MODIFIED), _(STATE_RUNNING)}, STATUS_STATE_WIDTH);
  const int holdWidth =
      late ? WidestText(statusBar, {hold + "  " + wxString::Format(_(MSG_RUN_LATE), LONGEST_LATE_SECONDS)},
                        STATUS_LATE_WIDTH)
           : WidestText(statusBar, {hold}, STATUS_HOLD_WIDTH);
  const int budget = WidestText(statusBar, {LONGEST_BUDGET}, 0);
  // A field after the bar's own, when there is one, keeps its width (the remotes').
  const int fields = statusBar->GetFieldsCount();
  const int widths[STATUS_FIELDS + 1] = {-1, state, holdWidth, budget,
                                         fields > STATUS_FIELDS ? statusBar->GetStatusWidth(STATUS_FIELDS) : 0};
  statusBar->SetStatusWidths(fields > STATUS_FIELDS ? STATUS_FIELDS + 1 : STATUS_FIELDS, widths);
}

void ClearStaleMessage(wxStatusBar* statusBar, bool (*stale)(const wxString&)) {
  if (stale(statusBar->GetStatusText(STATUS_MESSAGE))) {
    statusBar->SetStatusText("", STATUS_MESSAGE);
  }
}

bool IsInputMessage(const wxString& text) {
  for (int input = 1; input <= INPUT_COUNT; ++input) {
    if (text == wxString::Format(_(MSG_INPUT_ACTIVE), input) ||
        text.StartsWith(wxString::Format(_(MSG_INPUT_ACTIVE), input) + _(MSG_INPUT_NO_SCENE_SEPARATOR))) {
      return true;
    }
  }
  return false;
}

bool IsModifiedMessage(const wxString& text) { return text == _(MSG_MODIFIED_SCENARIO); }

wxString InputActiveMessage(int input, const Scenario& scenario) {
  const int code = input >= 1 && input <= INPUT_COUNT ? scenario.inputs[input - 1] : -1;
  if (code >= static_cast<int>(scenario.scenes.size())) {
    return wxString::Format(_(MSG_INPUT_NO_SCENE), input, code + 1);
  }
  return wxString::Format(_(MSG_INPUT_ACTIVE), input);
}

wxString SavedMessage(const char* saved, int rowsLeftOut) {
  if (rowsLeftOut <= 0) {
    return saved;
  }
  return saved + wxString::Format(rowsLeftOut == 1 ? _(MSG_ROW_LEFT_OUT) : _(MSG_ROWS_LEFT_OUT), rowsLeftOut);
}

const char* LinkText(const wxString& port, const char* serialText, const char* virtualText) {
  return BoardLines::IsVirtual(port.utf8_string()) ? virtualText : serialText;
}
