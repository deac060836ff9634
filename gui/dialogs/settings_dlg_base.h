#pragma once
#include <wx/wx.h>  // the toolkit's headers expect its core set first
#include <wx/arrstr.h>
#include <wx/dialog.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class wxButton;
class wxChoice;
class wxStaticLine;
class wxStaticText;
class wxStdDialogButtonSizer;

// Layout of the settings dialog: a baud rate choice, a port choice, a
// language choice with its note, and the OK/Cancel buttons. It only builds controls; the derived class fills them
// and takes the values back. The port entries are handed in, so that the
// caller keeps the very list the choice indexes into.
class SettingsDlg : public wxDialog {
 public:
  SettingsDlg(wxWindow* parent, const wxArrayString& ports, const wxArrayString& languages,
              wxWindowID id = wxID_ANY,
              const wxString& title = wxEmptyString, const wxPoint& pos = wxDefaultPosition,
              const wxSize& size = wxDefaultSize, long style = wxDEFAULT_DIALOG_STYLE);
  ~SettingsDlg() override;

 protected:
  // Button handlers to override; these only pass the event on to the
  // toolkit's default dialog handling.
  virtual void OnCancelClick(wxCommandEvent& event) { event.Skip(); }
  virtual void OnOkClick(wxCommandEvent& event) { event.Skip(); }

  wxStaticText* m_baudLabel;
  wxChoice* m_baudChoice;
  wxStaticText* m_portLabel;
  wxChoice* m_portChoice;
  wxStaticText* m_languageLabel;
  wxChoice* m_languageChoice;
  wxStaticText* m_languageNote;
  wxStaticLine* m_staticLine;
  wxStdDialogButtonSizer* m_buttonSizer;
  wxButton* m_okButton;
  wxButton* m_cancelButton;
};
