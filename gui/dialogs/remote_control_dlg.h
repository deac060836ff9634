#pragma once
#include <string>

#include "core/format/app_settings.h"
#include "gui/dialogs/remote_control_dlg_base.h"

// The Remote control dialog: shows a copy of the settings' remotes and takes
// the user's choice into it on OK; Values() is then the edited copy. The
// first time other devices are allowed it makes the web remote's token, and
// it shows the address to open with its QR code while they are allowed.
class RemoteControlDlg : public RemoteControlDlgBase {
 public:
  // Devices on the network reach this machine at `networkAddress`.
  RemoteControlDlg(wxWindow* parent, const Settings& settings, const std::string& networkAddress);

  const Settings& Values() const { return m_values; }

  // Settings -> controls; a remote that is off shows its default port.
  void LoadValues();
  // Controls -> settings.
  void StoreValues();

  // The controls, for window tests that work the dialog as a user would.
  wxCheckBox* OscCheck() const { return m_oscCheck; }
  wxSpinCtrl* OscPort() const { return m_oscPort; }
  wxCheckBox* HttpCheck() const { return m_httpCheck; }
  wxSpinCtrl* HttpPort() const { return m_httpPort; }
  wxCheckBox* NetworkCheck() const { return m_networkCheck; }
  wxTextCtrl* UrlText() const { return m_urlText; }
  wxTextCtrl* TokenText() const { return m_tokenText; }
  wxStaticBitmap* QrCode() const { return m_qrBitmap; }
  wxButton* OkButton() const { return m_okButton; }
  wxButton* CancelButton() const { return m_cancelButton; }

 protected:
  void OnSwitch(wxCommandEvent& event) override;
  void OnNewToken(wxCommandEvent& event) override;
  void OnCancelClick(wxCommandEvent& event) override;
  void OnOkClick(wxCommandEvent& event) override;

 private:
  // The ports, the address, the token and the QR code follow the checks.
  void ShowAccess();
  void Finish(int result);

  Settings m_values;
  std::string m_token;
  std::string m_networkAddress;
};
