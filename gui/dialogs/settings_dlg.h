#pragma once
#include <string>
#include <vector>

#include "core/format/app_settings.h"
#include "gui/dialogs/settings_dlg_base.h"

// The settings dialog: shows a copy of the settings' baud rate, port and
// language and takes the user's choice into it on OK; Values() is then the edited copy.
// Show it with ShowModal; only wxID_OK means OK.
class LumivaneSettingsDlg : public SettingsDlg {
 public:
  LumivaneSettingsDlg(wxWindow* parent, const Settings& settings);
  // `languages` ("de", "en") follow "System default" in the language choice.
  LumivaneSettingsDlg(wxWindow* parent, const Settings& settings, const std::vector<std::string>& languages);

  const Settings& Values() const { return m_values; }

  // Settings -> controls. A baud index outside the choice shows no baud
  // rate; a port missing from the list (or empty) shows no port.
  void LoadValues();
  // Controls -> settings. The baud rate is taken first; with no port
  // selected an error box is shown and the port setting stays as it was.
  // With no baud rate selected the baud setting stays as it was.
  void StoreValues();

  // The port names, index for index the entries of the port choice.
  const wxArrayString& Ports() const { return m_ports; }
  // The controls, for window tests that work the dialog as a user would.
  wxChoice* BaudChoice() const { return m_baudChoice; }
  wxChoice* PortChoice() const { return m_portChoice; }
  wxChoice* LanguageChoice() const { return m_languageChoice; }
  wxButton* OkButton() const { return m_okButton; }
  wxButton* CancelButton() const { return m_cancelButton; }

 protected:
  void OnCancelClick(wxCommandEvent& event) override;
  void OnOkClick(wxCommandEvent& event) override;

 private:
  LumivaneSettingsDlg(wxWindow* parent, const Settings& settings, const wxArrayString& ports,
                      const std::vector<std::string>& languages);

  // Ends the dialog with `result`, also when it is not in a modal loop.
  void Finish(int result);

  wxArrayString m_ports;
  // The languages behind the language choice's entries after the first.
  std::vector<std::string> m_languages;
  Settings m_values;
};
