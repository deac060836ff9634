#include "gui/dialogs/settings_dlg.h"

#include <string>
#include <vector>

#include <wx/choice.h>
#include <wx/msgdlg.h>

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

}  // namespace

// One enumeration fills both the choice and m_ports: a device that comes or
// goes between two runs could otherwise shift the list under the index.
LumivaneSettingsDlg::LumivaneSettingsDlg(wxWindow* parent, const Settings& settings)
    : LumivaneSettingsDlg(parent, settings, ListPorts()) {}

LumivaneSettingsDlg::LumivaneSettingsDlg(wxWindow* parent, const Settings& settings,
                                         const wxArrayString& ports)
    : SettingsDlg(parent, ports, wxID_ANY, SETTINGS_TITLE, wxDefaultPosition, wxDefaultSize,
                  wxDEFAULT_DIALOG_STYLE),
      m_ports(ports),
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

  const int port = m_portChoice->GetSelection();
  if (port < 0 || port >= static_cast<int>(m_ports.GetCount())) {
    wxMessageBox(ERR_PORT_SELECTION, CAPTION_ERROR, wxOK | wxICON_ERROR, this);
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
