#pragma once
// File > Open Recent: the scenarios opened or saved last, newest first,
// kept in the settings (core/format/recent_files.h). Choosing one opens it
// like File > Open; one that no longer exists is said so and leaves the
// list.
#include <wx/string.h>

#include <functional>

class wxMenu;
class wxWindow;
struct Settings;

class RecentFilesMenu {
 public:
  using Open = std::function<bool(const wxString& path)>;
  // Shows a message box: text, caption, style.
  using Tell = std::function<void(const wxString& text, const wxString& caption, long style)>;

  // `menu` is the Open Recent submenu of `window`'s menu bar; `settings`
  // holds the list and outlives this.
  RecentFilesMenu(wxWindow* window, wxMenu* menu, Settings& settings, Open open, Tell tell);
  RecentFilesMenu(const RecentFilesMenu&) = delete;
  RecentFilesMenu& operator=(const RecentFilesMenu&) = delete;

  // `path` was opened or saved: it goes first.
  void Note(const wxString& path);
  // Entry `index` (0 = newest) was chosen.
  void Choose(int index);
  wxMenu* Menu() const { return m_menu; }

 private:
  void Rebuild();

  wxMenu* m_menu;
  Settings& m_settings;
  Open m_open;
  Tell m_tell;
};
