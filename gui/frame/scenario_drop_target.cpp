#include "gui/frame/scenario_drop_target.h"

#include <wx/filename.h>
#include <wx/intl.h>

#include "gui/app/texts.h"

bool ScenarioDropTarget::OnDropFiles(wxCoord, wxCoord, const wxArrayString& files) {
  if (files.empty()) {
    return false;
  }
  const wxFileName first(files[0]);
  // As File > Open, which takes the name with ".cfg": names differ by case here.
  if (first.GetExt() != SCENARIO_EXTENSION) {
    m_tell(wxString::Format(_("%s is not a Lumivane scenario (.cfg file)"), first.GetFullName()));
    return false;
  }
  if (!m_open(first.GetFullPath())) {
    return false;
  }
  if (files.size() > 1) {
    m_tell(wxString::Format(_("Opened %s, the first of %d dropped files; the others were not opened"),
                            first.GetFullName(), static_cast<int>(files.size())));
  }
  return true;
}
