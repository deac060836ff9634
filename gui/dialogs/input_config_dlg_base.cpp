#include "gui/dialogs/input_config_dlg_base.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>

#include "gui/app/texts.h"

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

  m_staticLine = new wxStaticLine(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL);
  topSizer->Add(m_staticLine, 0, wxEXPAND | wxALL, 5);

  m_buttonSizer = new wxStdDialogButtonSizer();
  m_okButton = new wxButton(this, wxID_OK);
  m_buttonSizer->AddButton(m_okButton);
  m_cancelButton = new wxButton(this, wxID_CANCEL);
  m_buttonSizer->AddButton(m_cancelButton);
  m_buttonSizer->Realize();
  topSizer->Add(m_buttonSizer, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 5);

  SetSizer(topSizer);
  Layout();
  topSizer->Fit(this);

  m_cancelButton->Bind(wxEVT_BUTTON, &InputConfigDlg::OnCancel, this);
  m_okButton->Bind(wxEVT_BUTTON, &InputConfigDlg::OnOK, this);
}

InputConfigDlg::~InputConfigDlg() {
  m_cancelButton->Unbind(wxEVT_BUTTON, &InputConfigDlg::OnCancel, this);
  m_okButton->Unbind(wxEVT_BUTTON, &InputConfigDlg::OnOK, this);
}
