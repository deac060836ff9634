// The Help menu's commands: tips of the day, the user guide and the about box.
#include "frame/lumivane_frame.h"
#include <memory>

#include <wx/tipdlg.h>

#include "app/lumivane_app.h"
#include "app/texts.h"
#include "frame/lumivane_frame.h"

void LumivaneFrame::ShowTips() {
  const wxString path = g_app->m_docDir + "/" + TIPS_FILE_NAME;
  // A negative index lies past the last tip, so the provider starts over.
  std::unique_ptr<wxTipProvider> provider(
      wxCreateFileTipProvider(path, static_cast<size_t>(g_app->m_tip)));
  const bool keepShowing = wxShowTip(this, provider.get(), true);
  g_app->m_tip = keepShowing ? static_cast<long>(provider->GetCurrentTip()) : -1;
}

void LumivaneFrame::BindHelpCommands() {
  Bind(wxEVT_MENU, [this](wxCommandEvent&) {
    StopRun();
    ShowTips();
  }, wxID_HELP_PROCEDURES);
}
