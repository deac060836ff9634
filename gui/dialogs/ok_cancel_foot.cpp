#include "gui/dialogs/ok_cancel_foot.h"

#include <wx/button.h>
#include <wx/dialog.h>
#include <wx/sizer.h>
#include <wx/statline.h>

OkCancelFoot AddOkCancelFoot(wxDialog* dialog, wxBoxSizer* topSizer, int buttonsProportion) {
  OkCancelFoot foot;
  foot.line = new wxStaticLine(dialog, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL);
  topSizer->Add(foot.line, 0, wxEXPAND | wxALL, 5);

  foot.buttons = new wxStdDialogButtonSizer();
  foot.ok = new wxButton(dialog, wxID_OK);
  foot.buttons->AddButton(foot.ok);
  foot.cancel = new wxButton(dialog, wxID_CANCEL);
  foot.buttons->AddButton(foot.cancel);
  foot.buttons->Realize();
  topSizer->Add(foot.buttons, buttonsProportion, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 5);

  dialog->SetSizer(topSizer);
  dialog->Layout();
  topSizer->Fit(dialog);
  return foot;
}
