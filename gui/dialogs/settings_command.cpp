// The Settings command: the port, its speed and the program's options.
#include "gui/dialogs/dialog_commands.h"

#include "gui/app/app_language.h"
#include "gui/app/app_state.h"
#include "gui/app/texts.h"
#include "gui/dialogs/settings_dlg.h"
#include "gui/frame/lumivane_frame.h"
#include "gui/frame/scene_budget_status.h"

bool RunSettingsCommand(LumivaneFrame& frame, AppState& app) {
  frame.StopRun();
  // Free the adapter in use, so that the port list can open and show it.
  frame.Session().Close();
  LumivaneSettingsDlg dialog(&frame, app.settings, OfferedLanguages(app.localeDir));
  LumivaneFrame::ModalScope modal(&frame);
  if (dialog.ShowModal() == wxID_OK) {
    app.settings = dialog.Values();
    // The next board command opens the link with the new port and rate.
    frame.Session().Close();
    frame.SetStatus(_(MSG_SETTINGS_CHANGED), STATUS_MESSAGE);
    return true;
  }
  return false;
}
