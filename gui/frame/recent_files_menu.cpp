#include "gui/frame/recent_files_menu.h"

#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/window.h>

#include "core/format/app_settings.h"
#include "core/format/recent_files.h"
#include "gui/app/texts.h"
#include "gui/frame/ids.h"

RecentFilesMenu::RecentFilesMenu(wxWindow* window, wxMenu* menu, Settings& settings, Open open, Tell tell)
    : m_menu(menu), m_settings(settings), m_open(std::move(open)), m_tell(std::move(tell)) {
  window->Bind(wxEVT_MENU, [this](wxCommandEvent& event) { Choose(event.GetId() - ID_RECENT_FIRST); },
               ID_RECENT_FIRST, ID_RECENT_LAST);
  Rebuild();
}

void RecentFilesMenu::Note(const wxString& path) {
  m_settings.recentFiles = WithRecentFile(m_settings.recentFiles, path.utf8_string());
  Rebuild();
}

void RecentFilesMenu::Choose(int index) {
  if (index < 0 || index >= static_cast<int>(m_settings.recentFiles.size())) {
    return;
  }
  const std::string path = m_settings.recentFiles[static_cast<size_t>(index)];
  const wxString shown = wxString::FromUTF8(path);
  if (!wxFileName::FileExists(shown)) {
    // Off the list first, so the menu is right while the message shows.
    m_settings.recentFiles = WithoutRecentFile(m_settings.recentFiles, path);
    Rebuild();
    m_tell(wxString::Format(_("The file \"%s\" no longer exists.\nIt has been taken off the recent scenarios."),
                            shown),
           wxGetTranslation(CAPTION_FILE_NOT_FOUND), wxOK | wxICON_ERROR);
    return;
  }
  m_open(shown);
}

void RecentFilesMenu::Rebuild() {
  while (m_menu->GetMenuItemCount() > 0) {
    m_menu->Destroy(m_menu->FindItemByPosition(0));
  }
  const std::vector<std::string>& list = m_settings.recentFiles;
  if (list.empty()) {
    m_menu->Append(ID_RECENT_NONE, _("No recent scenarios"))->Enable(false);
    return;
  }
  const std::vector<std::string> labels = RecentMenuLabels(list);
  for (size_t i = 0; i < list.size(); ++i) {
    m_menu->Append(ID_RECENT_FIRST + static_cast<int>(i), wxString::FromUTF8(labels[i]),
                   wxString::FromUTF8(list[i]));
  }
}
