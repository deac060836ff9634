// The Help menu's commands: tips of the day, the user guide and the about box.
#include "gui/help/help_commands.h"

#include <memory>
#include <string>

#include <wx/aboutdlg.h>
#include <wx/filefn.h>
#include <wx/generic/aboutdlgg.h>
#include <wx/msgdlg.h>
#include <wx/tipdlg.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include "gui/app/app_language.h"
#include "gui/app/app_state.h"
#include "gui/app/texts.h"
#include "gui/frame/lumivane_frame.h"
#include "gui/dialogs/shortcuts_dlg.h"
#include "gui/frame/menu_table.h"
#include "core/mailcap/mailcap.h"
#include "gui/help/desktop_opener.h"
#include "resources/icons.h"

HelpCommands::HelpCommands(LumivaneFrame& frame, AppState& app) : m_frame(frame), m_app(app) {
  m_frame.Bind(wxEVT_MENU, &HelpCommands::OnTips, this, wxID_HELP_PROCEDURES);
  m_frame.Bind(wxEVT_MENU, &HelpCommands::OnUserGuide, this, wxID_HELP);
  m_frame.Bind(wxEVT_MENU, &HelpCommands::OnAbout, this, wxID_ABOUT);
  // The keys are looked up during a show too: the run goes on.
  m_frame.Bind(
      wxEVT_MENU,
      [this](wxCommandEvent&) {
        ShortcutsDlg dialog(&m_frame, KeyboardShortcuts(MainMenus(), ExtraMenuKeys()));
        LumivaneFrame::ModalScope modal(&m_frame);
        dialog.ShowModal();
      },
      ID_KEYBOARD_SHORTCUTS);
}

void HelpCommands::ShowTips() {
  const wxString path = TipsFilePath(m_app.docDir, m_app.language);
  // A negative index lies past the last tip, so the provider starts over.
  std::unique_ptr<wxTipProvider> provider(
      wxCreateFileTipProvider(path, static_cast<size_t>(m_app.settings.tip)));
  LumivaneFrame::ModalScope modal(&m_frame);
  const bool keepShowing = wxShowTip(&m_frame, provider.get(), true);
  m_app.settings.tip = keepShowing ? static_cast<long>(provider->GetCurrentTip()) : -1;
}

void HelpCommands::OnTips(wxCommandEvent&) {
  m_frame.StopRun();
  ShowTips();
}

bool HelpCommands::OpenUserGuide(const wxString& mailcapPath) {
  const wxString guide = m_app.docDir + "/" + USER_GUIDE_FILE_NAME;
  if (!wxFileExists(guide)) {
    // A viewer would only report a missing file in its own words, if at all.
    m_frame.ShowMessage(wxString::Format(_(ERR_USER_GUIDE_MISSING), guide), _(CAPTION_ERROR), wxOK | wxICON_ERROR);
    return false;
  }
  const std::string command = mailcap_view_command(
      mailcapPath.utf8_string(), PDF_MIME_TYPE, guide.utf8_string(), mailcap_run_test);
  if (!command.empty()) {
    // Mailcap commands are shell commands; the path in it is quoted already.
    const char* const argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
    if (wxExecute(argv, wxEXEC_ASYNC) > 0) {
      return true;
    }
  }
  // The desktop's opener may find no viewer either; then the user is told
  // where the guide lies, once it has given up.
  const wxString noViewer = wxString::Format(_(ERR_USER_GUIDE_NO_VIEWER), guide);
  wxWeakRef<LumivaneFrame> frame(&m_frame);
  if (OpenWithDesktop(guide, [frame, noViewer] {
        if (frame) {
          frame->CallAfter([frame, noViewer] {
            if (frame) frame->ShowMessage(noViewer, _(CAPTION_ERROR), wxOK | wxICON_ERROR);
          });
        }
      })) {
    return true;
  }
  m_frame.ShowMessage(noViewer, _(CAPTION_ERROR), wxOK | wxICON_ERROR);
  return false;
}

void HelpCommands::OnUserGuide(wxCommandEvent&) {
  m_frame.StopRun();
  OpenUserGuide(MAILCAP_FILE);
}

void HelpCommands::OnAbout(wxCommandEvent&) {
  m_frame.StopRun();
  wxAboutDialogInfo info;
  info.SetName(ABOUT_NAME);
  info.SetVersion(ABOUT_VERSION);
  info.SetDescription(_(ABOUT_DESCRIPTION));
  info.SetCopyright(ABOUT_NOTICE);
  info.SetIcon(wxIcon(about48_xpm));
  info.SetWebSite(ABOUT_WEB_SITE);
  // Modal, so the box is gone before the next command; GTK's own about
  // boxes (native and generic) are shown modeless.
  wxGenericAboutDialog dialog(info, &m_frame);
  LumivaneFrame::ModalScope modal(&m_frame);
  dialog.ShowModal();
}
