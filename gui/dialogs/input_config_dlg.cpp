#include "gui/dialogs/input_config_dlg.h"

#include <wx/choice.h>

#include "gui/app/texts.h"
#include "gui/frame/ids.h"

namespace {

// The fixed entries stand at positions 0..3; scene k follows at 4 + k.
constexpr int FIXED_ENTRIES = 4;
constexpr int LOWEST_CODE = INPUT_PAUSE;

}  // namespace

LumivaneInputConfig::LumivaneInputConfig(wxWindow* parent, const int functions[INPUTS],
                                         const wxArrayString& sceneNames)
    : InputConfigDlg(parent, functions, sceneNames, wxID_ANY, _(INPUT_CONFIG_TITLE), wxDefaultPosition,
                     wxDefaultSize, wxDEFAULT_DIALOG_STYLE) {
  for (int input = 0; input < INPUTS; ++input) {
    m_function[input] = functions[input];
    // A code that names a scene the list doesn't hold, or that means
    // nothing, shows no entry; OK then keeps it as it is.
    const int position = CodeToPosition(functions[input]);
    const bool listed = position >= 0 && position < static_cast<int>(m_inputChoice[input]->GetCount());
    m_inputChoice[input]->SetSelection(listed ? position : wxNOT_FOUND);
  }
}

int LumivaneInputConfig::CodeToPosition(int code) {
  if (code < LOWEST_CODE) {
    return wxNOT_FOUND;
  }
  if (code < 0) {
    return -code;
  }
  return code == 0 ? 0 : code + FIXED_ENTRIES;
}

int LumivaneInputConfig::PositionToCode(int position) {
  return position < FIXED_ENTRIES ? -position : position - FIXED_ENTRIES;
}

void LumivaneInputConfig::OnCancel(wxCommandEvent&) { Finish(wxID_CANCEL); }

void LumivaneInputConfig::OnOK(wxCommandEvent&) {
  for (int input = 0; input < INPUTS; ++input) {
    const int position = m_inputChoice[input]->GetSelection();
    if (position != wxNOT_FOUND) {
      m_function[input] = PositionToCode(position);
    }
  }
  Finish(wxID_OK);
}

void LumivaneInputConfig::Finish(int result) {
  SetReturnCode(result);
  EndDialog(result);
}
