#include "gui/dialogs/rom_record_dlg.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/stattext.h>

#include "gui/frame/ids.h"

namespace {

wxString Utf8(const std::string& text) { return wxString::FromUTF8(text); }

wxString RecordLines(const RomRecord& record) {
  wxString text;
  text += wxString::Format(_("Port: %s"), Utf8(record.port)) + "\n";
  text += wxString::Format(record.state == RomRecord::State::ERASED ? _("Erased: %s") : _("Programmed: %s"),
                           Utf8(RomTimeText(record.time))) +
          "\n";
  text += wxString::Format(_("Speed: %s"), Utf8(RomSpeedText(record.speed))) + "\n";
  text += wxString::Format(_("Scenes: %d"), record.sceneCount) + "\n";
  text += wxString::Format(_("State: %s"), Utf8(RomStateText(record))) + "\n";
  text += wxString::Format(_("SHA-256: %s"), Utf8(record.sha256));
  return text;
}

}  // namespace

RomRecordDlg::RomRecordDlg(wxWindow* parent, const std::string& port, const RomRecordRead& read,
                           const Scenario& open)
    : RomRecordDlgBase(parent) {
  if (!read.Found()) {
    wxString text = wxString::Format(_("No record of what the boards on %s hold: the program has not "
                                       "programmed or cleared them."),
                                     Utf8(port));
    if (!read.warning.empty()) {
      text += "\n" + wxString::Format(_("Warning: %s"), Utf8(read.warning));
    }
    m_recordText->SetLabel(text);
    m_comparisonLabel->Hide();
    m_differences->Hide();
    m_openButton->Disable();
  } else {
    m_recordText->SetLabel(RecordLines(read.record));
    m_comparisonLabel->SetLabel(_("Compared with the open scenario:"));
    const RomComparison comparison = CompareRomWithScenario(read.record, open);
    if (comparison.same) {
      m_differences->Append(_("Same as the open scenario"));
    }
    for (const std::string& difference : comparison.differences) {
      m_differences->Append(Utf8(difference));
    }
    m_openButton->Enable(read.record.state != RomRecord::State::ERASED);
  }
  m_recordText->Wrap(520);
  Layout();
  m_openButton->Bind(wxEVT_BUTTON, &RomRecordDlg::OnOpen, this);
}

wxString RomRecordDlg::RecordText() const { return m_recordText->GetLabel(); }

wxString RomRecordDlg::ComparisonLabel() const { return m_comparisonLabel->GetLabel(); }

void RomRecordDlg::OnOpen(wxCommandEvent&) {
  if (IsModal()) {
    EndModal(ID_ROM_OPEN_PROGRAMMED);
  } else {
    SetReturnCode(ID_ROM_OPEN_PROGRAMMED);
    Hide();
  }
}
