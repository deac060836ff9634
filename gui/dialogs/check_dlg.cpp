#include "gui/dialogs/check_dlg.h"

#include <wx/button.h>
#include <wx/listctrl.h>
#include <wx/sizer.h>

#include "core/i18n/text_pattern.h"
#include "gui/app/texts.h"

CheckDlgBase::CheckDlgBase(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, _(CHECK_TITLE), wxDefaultPosition, wxSize(640, 360),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER) {
  auto* sizer = new wxBoxSizer(wxVERTICAL);
  m_list = new wxListCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                          wxLC_REPORT | wxLC_SINGLE_SEL);
  m_list->AppendColumn(_(CHECK_COLUMN_SEVERITY), wxLIST_FORMAT_LEFT, 80);
  m_list->AppendColumn(_(CHECK_COLUMN_SCENE), wxLIST_FORMAT_LEFT, 140);
  m_list->AppendColumn(_(CHECK_COLUMN_ROW), wxLIST_FORMAT_RIGHT, 50);
  m_list->AppendColumn(_(CHECK_COLUMN_MESSAGE), wxLIST_FORMAT_LEFT, 340);
  sizer->Add(m_list, 1, wxEXPAND | wxALL, 6);
  m_closeButton = new wxButton(this, wxID_CANCEL, _(CHECK_CLOSE));
  sizer->Add(m_closeButton, 0, wxALIGN_RIGHT | wxALL, 6);
  SetSizer(sizer);
  SetEscapeId(wxID_CANCEL);
}

namespace {

// The core's English message, or its pattern translated and filled.
wxString TranslatedMessage(const Finding& finding) {
  if (finding.pattern.empty()) {
    return wxString::FromUTF8(finding.message);
  }
  const wxString pattern = wxGetTranslation(wxString::FromUTF8(finding.pattern));
  return wxString::FromUTF8(FillPattern(pattern.utf8_string(), finding.arguments));
}

}  // namespace

CheckDlg::CheckDlg(wxWindow* parent, const Scenario& scenario, const std::vector<Finding>& findings)
    : CheckDlgBase(parent) {
  for (size_t i = 0; i < findings.size(); ++i) {
    const Finding& finding = findings[i];
    const long line = m_list->InsertItem(static_cast<long>(i), wxGetTranslation(SeverityName(finding.severity)));
    wxString scene;
    if (finding.input >= 0) {
      scene = wxString::Format(_(INPUT_LABEL_FORMAT), finding.input + 1);
    } else if (finding.scene >= 0 && finding.scene < static_cast<int>(scenario.scenes.size())) {
      scene = wxString::Format("%d \"%s\"", finding.scene + 1,
                               wxString::FromUTF8(scenario.scenes[finding.scene].name));
    }
    m_list->SetItem(line, 1, scene);
    m_list->SetItem(line, 2, finding.row >= 0 ? wxString::Format("%d", finding.row + 1) : wxString());
    m_list->SetItem(line, 3, TranslatedMessage(finding));
  }
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
