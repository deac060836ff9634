#include "gui/app/app_state.h"
#include "gui/app/texts.h"
#include "gui/dialogs/settings_dlg.h"
#include "gui/frame/lumivane_frame.h"
#include "gui/frame/scene_budget_status.h"

void LumivaneFrame::OnSettings(wxCommandEvent&) {
  StopRun();
  // Free the adapter in use, so that the port list can open and show it.
  m_session->Close();
  LumivaneSettingsDlg dialog(this, m_app.settings);
  ModalScope modal(this);
  if (dialog.ShowModal() == wxID_OK) {
    m_app.settings = dialog.Values();
    // The next board command opens the link with the new port and rate.
    m_session->Close();
    SetStatus(MSG_SETTINGS_CHANGED, STATUS_MESSAGE);
    m_budgetStatus->Show();  // at the speed chosen now
  }
}
