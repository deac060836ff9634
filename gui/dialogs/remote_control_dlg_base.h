#pragma once
#include <wx/wx.h>  // the toolkit's headers expect its core set first
#include <wx/dialog.h>

class wxButton;
class wxCheckBox;
class wxSpinCtrl;
class wxStaticBitmap;
class wxStaticText;
class wxStdDialogButtonSizer;
class wxTextCtrl;

// Layout of the Remote control dialog: OSC and the web remote, each on or
// off with its port; "Allow other devices on the network" with the address
// to open, the token and a QR code of the address; OK and Cancel. It only
// builds controls; the derived class fills them and takes the values back.
class RemoteControlDlgBase : public wxDialog {
 public:
  RemoteControlDlgBase(wxWindow* parent, wxWindowID id = wxID_ANY, const wxString& title = wxEmptyString,
                       const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                       long style = wxDEFAULT_DIALOG_STYLE);

 protected:
  // Handlers to override; these only pass the event on.
  virtual void OnSwitch(wxCommandEvent& event) { event.Skip(); }
  virtual void OnNewToken(wxCommandEvent& event) { event.Skip(); }
  virtual void OnCancelClick(wxCommandEvent& event) { event.Skip(); }
  virtual void OnOkClick(wxCommandEvent& event) { event.Skip(); }

  wxCheckBox* m_oscCheck;
  wxSpinCtrl* m_oscPort;
  wxCheckBox* m_httpCheck;
  wxSpinCtrl* m_httpPort;
  wxCheckBox* m_networkCheck;
  wxStaticText* m_urlLabel;
  wxTextCtrl* m_urlText;
  wxStaticText* m_tokenLabel;
  wxTextCtrl* m_tokenText;
  wxButton* m_newTokenButton;
  wxStaticBitmap* m_qrBitmap;
  wxStdDialogButtonSizer* m_buttonSizer;
  wxButton* m_okButton;
  wxButton* m_cancelButton;
};
