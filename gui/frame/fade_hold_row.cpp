// The fade/hold row: its controls, the values it shows, and its commit.
#include "gui/frame/fade_hold_row.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "gui/app/texts.h"
#include "gui/frame/ids.h"

FadeHoldRow::FadeHoldRow(wxWindow* parent, wxSizer* sizer) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  m_fadeLabel = new wxStaticText(parent, wxID_ANY, LABEL_FADE_TIME);
  row->Add(m_fadeLabel, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 8);
  m_fadeText = new wxTextCtrl(parent, wxID_ANY, "", wxDefaultPosition, wxSize(40, -1), wxTE_RIGHT);
  row->Add(m_fadeText, 0, wxALL, 2);
  m_fadeSetAll = new wxButton(parent, ID_FADE_SET_ALL, LABEL_SET_ALL, wxDefaultPosition,
                              wxDefaultSize, wxBU_EXACTFIT);
  row->Add(m_fadeSetAll, 0, wxALL, 2);
  m_holdLabel = new wxStaticText(parent, wxID_ANY, LABEL_HOLD_TIME);
  row->Add(m_holdLabel, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 16);
  m_holdText = new wxTextCtrl(parent, wxID_ANY, "", wxDefaultPosition, wxSize(40, -1), wxTE_RIGHT);
  row->Add(m_holdText, 0, wxALL, 2);
  m_holdSetAll = new wxButton(parent, ID_HOLD_SET_ALL, LABEL_SET_ALL, wxDefaultPosition,
                              wxDefaultSize, wxBU_EXACTFIT);
  row->Add(m_holdSetAll, 0, wxALL, 2);
  row->AddStretchSpacer();
  sizer->Add(row, 0, wxEXPAND);
}

void FadeHoldRow::ShowScene(const Document& document, int scene) {
  if (!document.HasScene(scene)) {
    return;
  }
  const Scene& values = document.GetScene(scene);
  m_scene = document.IdOfScene(scene);
  m_fadeText->ChangeValue(wxString::Format("%d", values.fade));
  m_holdText->ChangeValue(wxString::FromUTF8(values.hold.FieldText()));
}

void FadeHoldRow::ClearFields() {
  m_fadeText->ChangeValue("");
  m_holdText->ChangeValue("");
}

EditResult FadeHoldRow::Commit(Document& document) {
  const int scene = document.IndexOfScene(m_scene);
  if (scene < 0) {
    return EditResult{};
  }
  // The command's change set may show another scene in the row; the hold
  // as taken belongs to the scene committed only.
  const SceneId committed = m_scene;
  std::string holdShown;
  EditResult result = CommitFadeHold(document, scene, m_fadeText->GetValue().utf8_string(),
                                     m_holdText->GetValue().utf8_string(), &holdShown);
  if (!holdShown.empty() && m_scene == committed) {
    m_holdText->ChangeValue(wxString::FromUTF8(holdShown));
  }
  return result;
}
