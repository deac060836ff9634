// The fade/hold row: its controls, the values it shows, and its commit.
#include "gui/frame/fade_hold_row.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "core/i18n/decimal_text.h"
#include "gui/app/app_language.h"
#include "gui/app/texts.h"
#include "gui/frame/ids.h"

FadeHoldRow::FadeHoldRow(wxWindow* parent, wxSizer* sizer) : m_decimalSeparator(DecimalSeparator()) {
  auto* row = new wxBoxSizer(wxHORIZONTAL);
  // A label, its value's text box and its Set All button.
  const auto addField = [parent, row](const wxString& label, int gap, int setAllId, wxStaticText** labelText,
                                      wxTextCtrl** text, wxButton** setAll) {
    *labelText = new wxStaticText(parent, wxID_ANY, label);
    row->Add(*labelText, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, gap);
    *text = new wxTextCtrl(parent, wxID_ANY, "", wxDefaultPosition, wxSize(40, -1), wxTE_RIGHT);
    row->Add(*text, 0, wxALL, 2);
    *setAll = new wxButton(parent, setAllId, _(LABEL_SET_ALL), wxDefaultPosition, wxDefaultSize, wxBU_EXACTFIT);
    row->Add(*setAll, 0, wxALL, 2);
  };
  addField(_(LABEL_FADE_TIME), 8, ID_FADE_SET_ALL, &m_fadeLabel, &m_fadeText, &m_fadeSetAll);
  addField(_(LABEL_HOLD_TIME), 16, ID_HOLD_SET_ALL, &m_holdLabel, &m_holdText, &m_holdSetAll);
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
  m_holdText->ChangeValue(wxString::FromUTF8(WithDecimalSeparator(values.hold.FieldText(), m_decimalSeparator)));
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
                                     WithDecimalPoint(m_holdText->GetValue().utf8_string(), m_decimalSeparator),
                                     &holdShown);
  if (!holdShown.empty() && m_scene == committed) {
    m_holdText->ChangeValue(wxString::FromUTF8(WithDecimalSeparator(holdShown, m_decimalSeparator)));
  }
  return result;
}
