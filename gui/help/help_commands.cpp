// The Help menu's commands: tips of the day, the user guide and the about box.
#include "gui/frame/lumivane_frame.h"

#include <memory>
#include <string>

#include <wx/aboutdlg.h>
#include <wx/filefn.h>
#include <wx/generic/aboutdlgg.h>
#include <wx/msgdlg.h>
#include <wx/tipdlg.h>
#include <wx/utils.h>
#include <wx/weakref.h>

#include "gui/app/app_state.h"
#include "gui/app/texts.h"
#include "gui/dialogs/shortcuts_dlg.h"
#include "gui/frame/menu_table.h"
#include "core/mailcap/mailcap.h"
#include "gui/help/desktop_opener.h"
#include "resources/icons.h"

void LumivaneFrame::ShowTips() {
  const wxString path = m_app.docDir + "/" + TIPS_FILE_NAME;
  // A negative index lies past the last tip, so the provider starts over.
  std::unique_ptr<wxTipProvider> provider(
      wxCreateFileTipProvider(path, static_cast<size_t>(m_app.settings.tip)));
  ModalScope modal(this);
  const bool keepShowing = wxShowTip(this, provider.get(), true);
  m_app.settings.tip = keepShowing ? static_cast<long>(provider->GetCurrentTip()) : -1;
}

void LumivaneFrame::OnTips(wxCommandEvent&) {
  StopRun();
  ShowTips();
}

bool LumivaneFrame::OpenUserGuide(const wxString& mailcapPath) {
  const wxString guide = m_app.docDir + "/" + USER_GUIDE_FILE_NAME;
  if (!wxFileExists(guide)) {
    // A viewer would only report a missing file in its own words, if at all.
    ShowMessage(wxString::Format(ERR_USER_GUIDE_MISSING, guide), CAPTION_ERROR, wxOK | wxICON_ERROR);
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
  const wxString noViewer = wxString::Format(ERR_USER_GUIDE_NO_VIEWER, guide);
  wxWeakRef<LumivaneFrame> frame(this);
  if (OpenWithDesktop(guide, [frame, noViewer] {
        if (frame) {
          frame->CallAfter([frame, noViewer] {
            if (frame) frame->ShowMessage(noViewer, CAPTION_ERROR, wxOK | wxICON_ERROR);
          });
        }
      })) {
    return true;
  }
  ShowMessage(noViewer, CAPTION_ERROR, wxOK | wxICON_ERROR);
  return false;
}

void LumivaneFrame::OnUserGuide(wxCommandEvent&) {
  StopRun();
  OpenUserGuide(MAILCAP_FILE);
}

void LumivaneFrame::OnAbout(wxCommandEvent&) {
  StopRun();
  wxAboutDialogInfo info;
  info.SetName(ABOUT_NAME);
  info.SetVersion(ABOUT_VERSION);
  info.SetDescription(ABOUT_DESCRIPTION);
  info.SetCopyright(ABOUT_NOTICE);
  info.SetIcon(wxIcon(about48_xpm));
  info.SetWebSite(ABOUT_WEB_SITE);
  // Modal, so the box is gone before the next command; GTK's own about
  // boxes (native and generic) are shown modeless.
  wxGenericAboutDialog dialog(info, this);
  ModalScope modal(this);
  dialog.ShowModal();
}

void LumivaneFrame::BindHelpCommands() {
  Bind(wxEVT_MENU, &LumivaneFrame::OnTips, this, wxID_HELP_PROCEDURES);
  Bind(wxEVT_MENU, &LumivaneFrame::OnUserGuide, this, wxID_HELP);
  Bind(wxEVT_MENU, &LumivaneFrame::OnAbout, this, wxID_ABOUT);
  Bind(wxEVT_MENU,
       [this](wxCommandEvent&) {
         ShortcutsDlg dialog(this, KeyboardShortcuts(MainMenus(), ExtraMenuKeys()));
         ModalScope modal(this);
         dialog.ShowModal();
       },
       ID_KEYBOARD_SHORTCUTS);
}
