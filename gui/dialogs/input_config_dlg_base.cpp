#include "gui/dialogs/input_config_dlg_base.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "gui/app/texts.h"
#include "gui/dialogs/ok_cancel_foot.h"

InputConfigDlg::InputConfigDlg(wxWindow* parent, const int* /*functions*/,
                               const wxArrayString& sceneNames, wxWindowID id,
                               const wxString& title, const wxPoint& pos, const wxSize& size,
                               long style)
    : wxDialog(parent, id, title, pos, size, style) {
  SetSizeHints(wxDefaultSize, wxDefaultSize);

  wxBoxSizer* topSizer = new wxBoxSizer(wxVERTICAL);
  wxFlexGridSizer* gridSizer = new wxFlexGridSizer(INPUTS, 2, 0, 0);

  wxArrayString entries;
  entries.Add(_(INPUT_ENTRY_RESTART));
  entries.Add(_(INPUT_ENTRY_NEXT));
  entries.Add(_(INPUT_ENTRY_PREVIOUS));
  entries.Add(_(INPUT_ENTRY_PAUSE));
  // With one scene, "Restart" is the only scene there is to go to.
  if (sceneNames.GetCount() >= 2) {
    for (const wxString& name : sceneNames) {
      entries.Add(name);
    }
  }

  for (int input = 0; input < INPUTS; ++input) {
    m_inputLabel[input] = new wxStaticText(this, wxID_ANY, wxString::Format(_(INPUT_LABEL_FORMAT), input + 1),
                                           wxDefaultPosition, wxDefaultSize, 0);
    m_inputLabel[input]->Wrap(-1);
    gridSizer->Add(m_inputLabel[input], 0, wxALL, 5);

    m_inputChoice[input] = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, entries, 0);
    m_inputChoice[input]->SetSelection(wxNOT_FOUND);
    gridSizer->Add(m_inputChoice[input], 0, wxALL | wxEXPAND, 5);
  }
  topSizer->Add(gridSizer, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 5);

  const OkCancelFoot foot = AddOkCancelFoot(this, topSizer, 1);
  m_staticLine = foot.line;
  m_buttonSizer = foot.buttons;
  m_okButton = foot.ok;
  m_cancelButton = foot.cancel;

  m_cancelButton->Bind(wxEVT_BUTTON, &InputConfigDlg::OnCancel, this);
  m_okButton->Bind(wxEVT_BUTTON, &InputConfigDlg::OnOK, this);
}

InputConfigDlg::~InputConfigDlg() {
  m_cancelButton->Unbind(wxEVT_BUTTON, &InputConfigDlg::OnCancel, this);
  m_okButton->Unbind(wxEVT_BUTTON, &InputConfigDlg::OnOK, this);
}
