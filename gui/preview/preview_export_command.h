#pragma once
// File > Export preview...: the open scenario played on the virtual boards
// into a looping animated GIF, as lumivane-cli render draws it with its
// defaults. Asks where to write it, shows a progress bar with Cancel, and
// tells when the file could not be written (nothing is left there then).
#include <wx/string.h>

#include <string>

struct Scenario;
class wxWindow;

class PreviewExportCommand {
 public:
  // `scenarioPath` proposes the GIF's name and folder; `folder` is where
  // an untitled scenario's preview goes. All must outlive the command.
  PreviewExportCommand(wxWindow* parent, const Scenario& scenario, const std::string& scenarioPath,
                       const std::string& folder);

  // Asks for the file, then Export. True when a preview was written.
  bool Run();
  // Renders and writes the preview to `path` under the progress dialog;
  // a failure is told in a message box. Returns 0, ECANCELED or an errno.
  int Export(const wxString& path);

 private:
  wxWindow* m_parent;
  const Scenario& m_scenario;
  std::string m_scenarioPath;
  std::string m_folder;
};
