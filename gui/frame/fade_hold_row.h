#pragma once
#include <string>

#include "core/edit/edit_commands.h"
#include "core/model/document.h"

class wxButton;
class wxSizer;
class wxStaticText;
class wxTextCtrl;
class wxWindow;

// The row under the scene pages: the fade and hold times of one scene and
// their "Set All" buttons (ID_FADE_SET_ALL, ID_HOLD_SET_ALL, bound by the
// frame). The fields keep what the user types until it is committed, to
// the scene they were showing then.
class FadeHoldRow {
 public:
  // Builds the controls on `parent` and adds the row to `sizer`.
  FadeHoldRow(wxWindow* parent, wxSizer* sizer);

  // Shows the values of the document's scene `scene`; an index that holds
  // no scene changes nothing.
  void ShowScene(const Document& document, int scene);
  // Empty fields, as a fresh scenario starts.
  void ClearFields();
  // The scene the fields show.
  SceneId SceneShown() const { return m_scene; }
  // Takes what the fields hold into the scene they show, through the core's
  // command; the hold field then shows the value as taken.
  EditResult Commit(Document& document);

  wxTextCtrl* FadeText() const { return m_fadeText; }
  wxTextCtrl* HoldText() const { return m_holdText; }

 private:
  wxStaticText* m_fadeLabel;
  wxTextCtrl* m_fadeText;
  wxButton* m_fadeSetAll;
  wxStaticText* m_holdLabel;
  wxTextCtrl* m_holdText;
  wxButton* m_holdSetAll;
  SceneId m_scene = 0;
  // The user's decimal separator, which the hold field shows; it takes a
  // decimal point as well.
  std::string m_decimalSeparator;
};
