#include "gui/dialogs/remote_control_dlg_base.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "gui/dialogs/ok_cancel_foot.h"

namespace {

constexpr int LOWEST_PORT = 1;
constexpr int HIGHEST_PORT = 65535;
constexpr int URL_WIDTH = 360;

}  // namespace

RemoteControlDlgBase::RemoteControlDlgBase(wxWindow* parent, wxWindowID id, const wxString& title,
                                           const wxPoint& pos, const wxSize& size, long style)
    : wxDialog(parent, id, title, pos, size, style) {
  auto* topSizer = new wxBoxSizer(wxVERTICAL);

  auto* portSizer = new wxFlexGridSizer(2, 2, 0, 0);
  m_oscCheck = new wxCheckBox(this, wxID_ANY, _("OSC (a lighting desk, TouchOSC, QLab); UDP port:"));
  portSizer->Add(m_oscCheck, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
  m_oscPort = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS,
                             LOWEST_PORT, HIGHEST_PORT, LOWEST_PORT);
  portSizer->Add(m_oscPort, 0, wxALL, 5);
  m_httpCheck = new wxCheckBox(this, wxID_ANY, _("Web remote (a phone's browser); port:"));
  portSizer->Add(m_httpCheck, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
  m_httpPort = new wxSpinCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS,
                              LOWEST_PORT, HIGHEST_PORT, LOWEST_PORT);
  portSizer->Add(m_httpPort, 0, wxALL, 5);
  topSizer->Add(portSizer, 0, wxEXPAND | wxALL, 5);

  m_networkCheck = new wxCheckBox(this, wxID_ANY, _("Allow other devices on the network"));
  topSizer->Add(m_networkCheck, 0, wxALL, 10);

  auto* accessSizer = new wxFlexGridSizer(2, 2, 0, 0);
  accessSizer->AddGrowableCol(1);
  m_urlLabel = new wxStaticText(this, wxID_ANY, _("Address:"));
  accessSizer->Add(m_urlLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
  m_urlText = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxSize(URL_WIDTH, -1),
                             wxTE_READONLY);
  accessSizer->Add(m_urlText, 1, wxALL | wxEXPAND, 5);
  m_tokenLabel = new wxStaticText(this, wxID_ANY, _("Token:"));
  accessSizer->Add(m_tokenLabel, 0, wxALL | wxALIGN_CENTER_VERTICAL, 5);
  auto* tokenSizer = new wxBoxSizer(wxHORIZONTAL);
  m_tokenText = new wxTextCtrl(this, wxID_ANY, wxEmptyString, wxDefaultPosition, wxDefaultSize, wxTE_READONLY);
  tokenSizer->Add(m_tokenText, 1, wxEXPAND | wxRIGHT, 5);
  m_newTokenButton = new wxButton(this, wxID_ANY, _("New token"));
  tokenSizer->Add(m_newTokenButton, 0);
  accessSizer->Add(tokenSizer, 1, wxALL | wxEXPAND, 5);
  topSizer->Add(accessSizer, 0, wxEXPAND | wxLEFT | wxRIGHT, 5);

  m_qrBitmap = new wxStaticBitmap(this, wxID_ANY, wxNullBitmap);
  topSizer->Add(m_qrBitmap, 0, wxALL | wxALIGN_CENTER_HORIZONTAL, 5);

  const OkCancelFoot foot = AddOkCancelFoot(this, topSizer, 0);
  m_buttonSizer = foot.buttons;
  m_okButton = foot.ok;
  m_cancelButton = foot.cancel;

  m_oscCheck->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) { OnSwitch(event); });
  m_httpCheck->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) { OnSwitch(event); });
  m_networkCheck->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& event) { OnSwitch(event); });
  m_httpPort->Bind(wxEVT_SPINCTRL, [this](wxCommandEvent& event) { OnSwitch(event); });
  m_newTokenButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) { OnNewToken(event); });
  m_okButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) { OnOkClick(event); });
  m_cancelButton->Bind(wxEVT_BUTTON, [this](wxCommandEvent& event) { OnCancelClick(event); });
}
