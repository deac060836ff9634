#pragma once
// Files dropped on the main window: a scenario file is opened like File >
// Open (unsaved changes saved first). Of several files the first is opened
// and the status bar says that the others were not.
#include <wx/dnd.h>

#include <functional>

class ScenarioDropTarget : public wxFileDropTarget {
 public:
  using Open = std::function<bool(const wxString& path)>;
  using Tell = std::function<void(const wxString& status)>;

  ScenarioDropTarget(Open open, Tell tell) : m_open(std::move(open)), m_tell(std::move(tell)) {}

  bool OnDropFiles(wxCoord x, wxCoord y, const wxArrayString& files) override;

 private:
  Open m_open;
  Tell m_tell;
};
