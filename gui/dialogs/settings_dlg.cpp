#include "gui/dialogs/settings_dlg.h"

#include <algorithm>
#include <string>
#include <vector>

#include <wx/choice.h>
#include <wx/msgdlg.h>

#include "gui/app/app_language.h"
#include "gui/app/texts.h"
#include "core/serial/ports.h"
#include "core/board/board_lines.h"

namespace {

// The virtual boards first, then the adapters and ttys.
wxArrayString ListPorts() {
  wxArrayString ports;
  ports.Add(VIRTUAL_PORT_NAME);
  for (const std::string& name : serial_list_ports()) {
    ports.Add(wxString::FromUTF8(name.c_str()));
  }
  return ports;
}

// "System default", then each language by its own name.
wxArrayString LanguageEntries(const std::vector<std::string>& languages) {
  wxArrayString entries;
  entries.Add(_(LANGUAGE_SYSTEM_DEFAULT));
  for (const std::string& language : languages) {
    entries.Add(LanguageName(language));
  }
  return entries;
}

}  // namespace

// One enumeration fills both the choice and m_ports: a device that comes or
// goes between two runs could otherwise shift the list under the index.
LumivaneSettingsDlg::LumivaneSettingsDlg(wxWindow* parent, const Settings& settings)
    : LumivaneSettingsDlg(parent, settings, std::vector<std::string>()) {}

LumivaneSettingsDlg::LumivaneSettingsDlg(wxWindow* parent, const Settings& settings,
                                         const std::vector<std::string>& languages)
    : LumivaneSettingsDlg(parent, settings, ListPorts(), languages) {}

LumivaneSettingsDlg::LumivaneSettingsDlg(wxWindow* parent, const Settings& settings,
                                         const wxArrayString& ports, const std::vector<std::string>& languages)
    : SettingsDlg(parent, ports, LanguageEntries(languages), wxID_ANY, _(SETTINGS_TITLE), wxDefaultPosition,
                  wxDefaultSize, wxDEFAULT_DIALOG_STYLE),
      m_ports(ports),
      m_languages(languages),
      m_values(settings) {
  LoadValues();
}

void LumivaneSettingsDlg::LoadValues() {
  const long baud = m_values.baudIndex;
  if (baud >= 0 && baud < static_cast<long>(m_baudChoice->GetCount())) {
    m_baudChoice->SetSelection(static_cast<int>(baud));
  } else {
    m_baudChoice->SetSelection(wxNOT_FOUND);
  }

  // A language no longer installed shows as the desktop's.
  const auto language = std::find(m_languages.begin(), m_languages.end(), m_values.language);
  m_languageChoice->SetSelection(language == m_languages.end() ? 0
                                                               : 1 + static_cast<int>(language - m_languages.begin()));

  m_portChoice->SetSelection(wxNOT_FOUND);
  const wxString current = wxString::FromUTF8(m_values.port);
  if (current.empty()) {
    return;
  }
  for (size_t i = 0; i < m_ports.GetCount(); ++i) {
    if (m_ports[i].IsSameAs(current, false)) {
      m_portChoice->SetSelection(static_cast<int>(i));
      return;
    }
  }
}

void LumivaneSettingsDlg::StoreValues() {
  const int baud = m_baudChoice->GetSelection();
  if (baud != wxNOT_FOUND) {
    m_values.baudIndex = baud;
  }

  const int language = m_languageChoice->GetSelection();
  if (language == 0) {
    m_values.language.clear();
  } else if (language > 0 && language <= static_cast<int>(m_languages.size())) {
    m_values.language = m_languages[language - 1];
  }

  const int port = m_portChoice->GetSelection();
  if (port < 0 || port >= static_cast<int>(m_ports.GetCount())) {
    wxMessageBox(_(ERR_PORT_SELECTION), _(CAPTION_ERROR), wxOK | wxICON_ERROR, this);
    return;
  }
  m_values.port = m_ports[port].utf8_string();
}

void LumivaneSettingsDlg::OnCancelClick(wxCommandEvent&) { Finish(wxID_CANCEL); }

void LumivaneSettingsDlg::OnOkClick(wxCommandEvent&) {
  StoreValues();
  Finish(wxID_OK);
}

void LumivaneSettingsDlg::Finish(int result) {
  SetReturnCode(result);
  EndDialog(result);
}
