#include "gui/dialogs/settings_dlg_base.h"

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include "gui/app/texts.h"
#include "gui/dialogs/ok_cancel_foot.h"

SettingsDlg::SettingsDlg(wxWindow* parent, const wxArrayString& ports, const wxArrayString& languages,
                         wxWindowID id,
                         const wxString& title, const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style) {
  SetSizeHints(wxDefaultSize, wxDefaultSize);

  wxBoxSizer* topSizer = new wxBoxSizer(wxVERTICAL);
  // Flexible, so that the two declared rows left empty take no room.
  wxFlexGridSizer* gridSizer = new wxFlexGridSizer(4, 2, 0, 0);

  m_baudLabel = new wxStaticText(this, wxID_ANY, _(LABEL_BAUD_RATE), wxDefaultPosition, wxDefaultSize, 0);
  m_baudLabel->Wrap(-1);
  gridSizer->Add(m_baudLabel, 0, wxALL, 5);

  const wxString baudRates[] = {_(BAUD_STANDARD), _(BAUD_HIGH)};
  m_baudChoice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                              WXSIZEOF(baudRates), baudRates, 0);
  m_baudChoice->SetSelection(0);
  gridSizer->Add(m_baudChoice, 0, wxALL | wxEXPAND, 5);

  m_portLabel = new wxStaticText(this, wxID_ANY, _(LABEL_PORT), wxDefaultPosition, wxDefaultSize, 0);
  m_portLabel->Wrap(-1);
  gridSizer->Add(m_portLabel, 0, wxALL, 5);

  m_portChoice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, ports, 0);
  m_portChoice->SetSelection(wxNOT_FOUND);
  gridSizer->Add(m_portChoice, 0, wxALL | wxEXPAND, 5);

  m_languageLabel = new wxStaticText(this, wxID_ANY, _(LABEL_LANGUAGE), wxDefaultPosition, wxDefaultSize, 0);
  m_languageLabel->Wrap(-1);
  gridSizer->Add(m_languageLabel, 0, wxALL, 5);

  m_languageChoice = new wxChoice(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, languages, 0);
  m_languageChoice->SetSelection(0);
  gridSizer->Add(m_languageChoice, 0, wxALL | wxEXPAND, 5);

  topSizer->Add(gridSizer, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 5);

  m_languageNote = new wxStaticText(this, wxID_ANY, _(NOTE_LANGUAGE_NEXT_START));
  topSizer->Add(m_languageNote, 0, wxLEFT | wxRIGHT, 10);

  const OkCancelFoot foot = AddOkCancelFoot(this, topSizer, 1);
  m_staticLine = foot.line;
  m_buttonSizer = foot.buttons;
  m_okButton = foot.ok;
  m_cancelButton = foot.cancel;

  m_cancelButton->Bind(wxEVT_BUTTON, &SettingsDlg::OnCancelClick, this);
  m_okButton->Bind(wxEVT_BUTTON, &SettingsDlg::OnOkClick, this);
}

SettingsDlg::~SettingsDlg() {
  m_cancelButton->Unbind(wxEVT_BUTTON, &SettingsDlg::OnCancelClick, this);
  m_okButton->Unbind(wxEVT_BUTTON, &SettingsDlg::OnOkClick, this);
}
