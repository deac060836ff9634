// The Input configuration command: the functions of the four auxiliary
// inputs, chosen in their dialog.
#include <wx/notebook.h>

#include "gui/app/texts.h"
#include "gui/dialogs/input_config_dlg.h"
#include "gui/frame/lumivane_frame.h"

void LumivaneFrame::OnInputConfig(wxCommandEvent&) {
  wxArrayString names;
  for (size_t page = 0; page < m_notebook->GetPageCount(); ++page) {
    names.Add(m_notebook->GetPageText(page));
  }
  LumivaneInputConfig dialog(this, m_inputFunction, names);
  if (dialog.ShowModal() != wxID_OK) {
    return;
  }
  SetStatus(MSG_INPUT_CONFIG_CHANGED, STATUS_MESSAGE);
  for (int input = 0; input < LumivaneInputConfig::INPUTS; ++input) {
    m_inputFunction[input] = dialog.Function(input);
  }
  SetModified(true);
}
