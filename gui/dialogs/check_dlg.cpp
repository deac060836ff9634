#include "gui/dialogs/check_dlg.h"

#include <wx/button.h>
#include <wx/sizer.h>

#include "core/i18n/text_pattern.h"
#include "gui/app/texts.h"

namespace {

enum FindingColumn { COLUMN_SEVERITY, COLUMN_SCENE, COLUMN_ROW, COLUMN_MESSAGE };

// The core's English message, or its pattern translated and filled.
wxString TranslatedMessage(const Finding& finding) {
  if (finding.pattern.empty()) {
    return wxString::FromUTF8(finding.message);
  }
  const wxString pattern = wxGetTranslation(wxString::FromUTF8(finding.pattern));
  return wxString::FromUTF8(FillPattern(pattern.utf8_string(), finding.arguments));
}

}  // namespace

FindingList::FindingList(wxWindow* parent)
    : wxListCtrl(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLC_REPORT | wxLC_SINGLE_SEL | wxLC_VIRTUAL) {}

void FindingList::SetFindings(const Scenario& scenario, const std::vector<Finding>& findings) {
  m_findings = findings;
  m_sceneLabels.clear();
  for (size_t scene = 0; scene < scenario.scenes.size(); ++scene) {
    m_sceneLabels.push_back(wxString::Format("%d \"%s\"", static_cast<int>(scene) + 1,
                                             wxString::FromUTF8(scenario.scenes[scene].name)));
  }
  SetItemCount(static_cast<long>(m_findings.size()));
  Refresh();
}

wxString FindingList::OnGetItemText(long item, long column) const {
  if (item < 0 || item >= static_cast<long>(m_findings.size())) {
    return wxString();
  }
  const Finding& finding = m_findings[item];
  switch (column) {
    case COLUMN_SEVERITY:
      return wxGetTranslation(SeverityName(finding.severity));
    case COLUMN_SCENE:
      if (finding.input >= 0) {
        return wxString::Format(_(INPUT_LABEL_FORMAT), finding.input + 1);
      }
      if (finding.scene >= 0 && finding.scene < static_cast<int>(m_sceneLabels.size())) {
        return m_sceneLabels[finding.scene];
      }
      return wxString();
    case COLUMN_ROW:
      return wxString::FromUTF8(FindingRows(finding));
    default:
      return TranslatedMessage(finding);
  }
}

CheckDlgBase::CheckDlgBase(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _(CHECK_TITLE), wxDefaultPosition, wxSize(700, 360),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  m_list = new FindingList(this);
  m_list->AppendColumn(_(CHECK_COLUMN_SEVERITY), wxLIST_FORMAT_LEFT, 80);
  m_list->AppendColumn(_(CHECK_COLUMN_SCENE), wxLIST_FORMAT_LEFT, 140);
  // Wide enough for a few ranges of rows.
  m_list->AppendColumn(_(CHECK_COLUMN_ROW), wxLIST_FORMAT_RIGHT, 110);
  m_list->AppendColumn(_(CHECK_COLUMN_MESSAGE), wxLIST_FORMAT_LEFT, 340);
  sizer->Add(m_list, 1, wxEXPAND | wxALL, 6);
  m_closeButton = new wxButton(this, wxID_CANCEL, _(CHECK_CLOSE));
  sizer->Add(m_closeButton, 0, wxALIGN_RIGHT | wxALL, 6);
  SetSizer(sizer);
  SetEscapeId(wxID_CANCEL);
}


CheckDlg::CheckDlg(wxWindow* parent, const Scenario& scenario, const std::vector<Finding>& findings)
    : CheckDlgBase(parent) {
  m_list->SetFindings(scenario, findings);
  m_list->Bind(wxEVT_LIST_ITEM_ACTIVATED, &CheckDlg::OnActivated, this);
}

void CheckDlg::OnActivated(wxListEvent& event) { Choose(static_cast<int>(event.GetIndex())); }

void CheckDlg::Choose(int index) {
  m_chosen = index;
  if (IsModal()) {
    EndModal(wxID_OK);
  } else {
    SetReturnCode(wxID_OK);
    Hide();
  }
}
