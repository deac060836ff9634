#pragma once
#include "gui/dialogs/input_config_dlg_base.h"

// The input configuration dialog: shows the function code of each of the
// four auxiliary inputs as an entry of its choice and, on OK, takes the
// chosen entries back as codes. Codes: 0 and above go to that scene (0 is
// "Restart"), -1 next, -2 previous, -3 pause/resume. Show it with
// ShowModal, then read the codes with Function() when it returned wxID_OK.
class LumivaneInputConfig : public InputConfigDlg {
 public:
  LumivaneInputConfig(wxWindow* parent, const int functions[INPUTS], const wxArrayString& sceneNames);

  // The code of input 0..3: as given, or as chosen when OK was pressed.
  int Function(int input) const { return m_function[input]; }

  // The choice position that shows `code`, or wxNOT_FOUND for a code no
  // entry stands for (an unknown negative code). The position may lie
  // beyond the entries of a short list.
  static int CodeToPosition(int code);
  // The code of choice position `position` (0 or more).
  static int PositionToCode(int position);

  // The controls, for window tests that work the dialog as a user would.
  wxChoice* InputChoice(int input) const { return m_inputChoice[input]; }
  wxButton* OkButton() const { return m_okButton; }
  wxButton* CancelButton() const { return m_cancelButton; }

 protected:
  void OnCancel(wxCommandEvent& event) override;
  void OnOK(wxCommandEvent& event) override;

 private:
  // Ends the dialog with `result`, also when it is not in a modal loop.
  void Finish(int result);

  int m_function[INPUTS];
};
