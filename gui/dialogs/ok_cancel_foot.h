#pragma once
// The foot the OK / Cancel dialogs share: a line, then OK and Cancel in the
// platform's order; the dialog then takes its sizer and fits it.
class wxBoxSizer;
class wxButton;
class wxDialog;
class wxStaticLine;
class wxStdDialogButtonSizer;

struct OkCancelFoot {
  wxStaticLine* line = nullptr;
  wxStdDialogButtonSizer* buttons = nullptr;
  wxButton* ok = nullptr;
  wxButton* cancel = nullptr;
};

// Adds the foot to `topSizer`, the buttons with `buttonsProportion` of the
// height the dialog grows by, and sets and fits the dialog's sizer.
OkCancelFoot AddOkCancelFoot(wxDialog* dialog, wxBoxSizer* topSizer, int buttonsProportion);
