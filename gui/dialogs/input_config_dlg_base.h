#pragma once
#include <wx/wx.h>  // the toolkit's headers expect its core set first
#include <wx/arrstr.h>
#include <wx/dialog.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class wxButton;
class wxChoice;
class wxStaticLine;
class wxStaticText;
class wxStdDialogButtonSizer;

// Layout of the input configuration dialog: one function choice for each
// of the four auxiliary inputs, and the OK/Cancel buttons. Every choice
// lists "Restart", "Next", "Previous", "Pause/resume" and, with two or more
// scenes, the scene names. It only builds controls and selects nothing;
// the derived class shows the codes and takes them back.
class InputConfigDlg : public wxDialog {
 public:
  static constexpr int INPUTS = 4;

  // `functions` are the codes the derived class will show; the layout has
  // no use for them.
  InputConfigDlg(wxWindow* parent, const int functions[INPUTS], const wxArrayString& sceneNames,
                 wxWindowID id = wxID_ANY, const wxString& title = wxEmptyString,
                 const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                 long style = wxDEFAULT_DIALOG_STYLE);
  ~InputConfigDlg() override;

 protected:
  // Button handlers to override; these only pass the event on to the
  // toolkit's default dialog handling.
  virtual void OnCancel(wxCommandEvent& event) { event.Skip(); }
  virtual void OnOK(wxCommandEvent& event) { event.Skip(); }

  wxStaticText* m_inputLabel[INPUTS];
  wxChoice* m_inputChoice[INPUTS];
  wxStaticLine* m_staticLine;
  wxStdDialogButtonSizer* m_buttonSizer;
  wxButton* m_okButton;
  wxButton* m_cancelButton;
};
