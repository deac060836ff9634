#include "gui/dialogs/remote_control_dlg.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/spinctrl.h>
#include <wx/statbmp.h>
#include <wx/textctrl.h>

#include "gui/remote/qr_bitmap.h"
#include "gui/remote/remote_servers.h"

namespace {

// Pixels per QR module: large enough for a phone's camera across a desk.
constexpr int QR_MODULE_PIXELS = 4;

}  // namespace

RemoteControlDlg::RemoteControlDlg(wxWindow* parent, const Settings& settings, const std::string& networkAddress)
    : RemoteControlDlgBase(parent, wxID_ANY, _("Remote control")),
      m_values(settings),
      m_networkAddress(networkAddress) {
  LoadValues();
}

void RemoteControlDlg::LoadValues() {
  m_oscCheck->SetValue(m_values.oscPort != 0);
  m_oscPort->SetValue(m_values.oscPort != 0 ? m_values.oscPort : DEFAULT_OSC_PORT);
  m_httpCheck->SetValue(m_values.httpPort != 0);
  m_httpPort->SetValue(m_values.httpPort != 0 ? m_values.httpPort : DEFAULT_HTTP_PORT);
  m_networkCheck->SetValue(m_values.remoteNetwork);
  m_token = m_values.remoteToken;
  ShowAccess();
}

void RemoteControlDlg::StoreValues() {
  m_values.oscPort = m_oscCheck->GetValue() ? m_oscPort->GetValue() : 0;
  m_values.httpPort = m_httpCheck->GetValue() ? m_httpPort->GetValue() : 0;
  m_values.remoteNetwork = m_networkCheck->GetValue();
  m_values.remoteToken = m_token;
}

void RemoteControlDlg::ShowAccess() {
  const bool network = m_networkCheck->GetValue();
  const bool http = m_httpCheck->GetValue();
  m_oscPort->Enable(m_oscCheck->GetValue());
  m_httpPort->Enable(http);
  if (network && m_token.empty()) {
    m_token = RemoteServers::MakeToken();
  }
  std::string url;
  if (http) {
    url = network ? RemoteServers::RemoteUrl(m_networkAddress, m_httpPort->GetValue(), m_token)
                  : RemoteServers::RemoteUrl(LOOPBACK_ADDRESS, m_httpPort->GetValue(), "");
  }
  m_urlText->ChangeValue(wxString::FromUTF8(url));
  m_urlText->Enable(http);
  m_tokenText->ChangeValue(network ? wxString::FromUTF8(m_token) : wxString());
  m_tokenText->Enable(network);
  m_newTokenButton->Enable(network);
  // A phone opens the address from the code; on this machine alone it
  // would be of no use.
  m_qrBitmap->SetBitmap(network && http ? QrBitmap(url, QR_MODULE_PIXELS) : wxBitmap());
  Layout();
  GetSizer()->Fit(this);
}

void RemoteControlDlg::OnSwitch(wxCommandEvent&) { ShowAccess(); }

void RemoteControlDlg::OnNewToken(wxCommandEvent&) {
  // Devices that knew the old token must open the new address.
  m_token = RemoteServers::MakeToken();
  ShowAccess();
}

void RemoteControlDlg::OnCancelClick(wxCommandEvent&) { Finish(wxID_CANCEL); }

void RemoteControlDlg::OnOkClick(wxCommandEvent&) {
  StoreValues();
  Finish(wxID_OK);
}

void RemoteControlDlg::Finish(int result) {
  SetReturnCode(result);
  EndDialog(result);
}
