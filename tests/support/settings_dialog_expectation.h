#pragma once
// The settings dialog in window tests: picks a baud rate and a port as a
// user would, then clicks OK or Cancel through the buttons' own click
// events, so that the dialog's handlers decide what ShowModal returns.
#include <memory>

#include <wx/button.h>
#include <wx/choice.h>

#include "gui/dialogs/settings_dlg.h"
#include "support/gui_testing.h"

template <>
class wxExpectModal<LumivaneSettingsDlg> : public wxExpectModalBase<LumivaneSettingsDlg> {
 public:
  // What the dialog showed when it opened.
  struct Seen {
    bool shown = false;
    wxString title;
    wxArrayString baudEntries;
    int baudSelection = -2;
    wxArrayString portEntries;
    wxArrayString ports;  // the dialog's list of names behind the entries
    int portSelection = -2;
    wxWindow* dialog = nullptr;  // valid only while the dialog is open
  };

  // Clicks `button` (wxID_OK or wxID_CANCEL) without changing anything.
  explicit wxExpectModal(int button, std::shared_ptr<Seen> seen = nullptr)
      : m_button(button), m_seen(seen ? seen : std::make_shared<Seen>()) {}

  // Picks baud choice entry `index` before clicking.
  wxExpectModal PickingBaud(int index) const {
    wxExpectModal copy(*this);
    copy.m_baud = index;
    return copy;
  }
  // Picks the port entry whose text is `entry` before clicking; the test
  // fails when there is none.
  wxExpectModal PickingPort(const wxString& entry) const {
    wxExpectModal copy(*this);
    copy.m_port = entry;
    return copy;
  }

 protected:
  int OnInvoked(LumivaneSettingsDlg* dialog) const override {
    wxChoice* baud = dialog->BaudChoice();
    wxChoice* port = dialog->PortChoice();
    m_seen->shown = true;
    m_seen->title = dialog->GetTitle();
    m_seen->baudEntries = baud->GetStrings();
    m_seen->baudSelection = baud->GetSelection();
    m_seen->portEntries = port->GetStrings();
    m_seen->ports = dialog->Ports();
    m_seen->portSelection = port->GetSelection();
    m_seen->dialog = dialog;

    if (m_baud >= 0) {
      PickChoice(baud, m_baud);
    }
    if (!m_port.empty()) {
      const int index = port->FindString(m_port, true);
      EXPECT_NE(index, wxNOT_FOUND) << "no port entry \"" << m_port.utf8_str().data() << "\"";
      if (index != wxNOT_FOUND) {
        PickChoice(port, index);
      }
    }

    // On screen, as a modal dialog would be; message boxes then take it as
    // their parent. Ending the dialog hides it again.
    dialog->Show();
    dialog->SetReturnCode(0);
    ClickButton(m_button == wxID_OK ? dialog->OkButton() : dialog->CancelButton());
    m_seen->dialog = nullptr;
    EXPECT_FALSE(dialog->IsShown()) << "the button click did not close the dialog";
    // Zero would mean that no handler ended the dialog.
    EXPECT_NE(dialog->GetReturnCode(), 0) << "the button click did not end the dialog";
    return dialog->GetReturnCode() != 0 ? dialog->GetReturnCode() : wxID_CANCEL;
  }

  wxString GetDefaultDescription() const override { return "settings dialog"; }

 private:
  int m_button;
  int m_baud = -1;
  wxString m_port;
  std::shared_ptr<Seen> m_seen;
};
