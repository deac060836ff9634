#include "gui/preview/preview_export_command.h"

#include <wx/filedlg.h>
#include <wx/intl.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>
#include <wx/progdlg.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "core/preview/preview_render.h"

namespace {

constexpr int PROGRESS_STEPS = 1000;

}  // namespace

PreviewExportCommand::PreviewExportCommand(wxWindow* parent, const Scenario& scenario,
                                           const std::string& scenarioPath, const std::string& folder)
    : m_parent(parent), m_scenario(scenario), m_scenarioPath(scenarioPath), m_folder(folder) {}

bool PreviewExportCommand::Run() {
  wxString folder = wxString::FromUTF8(m_folder);
  wxString name = "preview.gif";
  if (!m_scenarioPath.empty()) {
    const wxFileName scenarioFile(wxString::FromUTF8(m_scenarioPath));
    folder = scenarioFile.GetPath();
    name = scenarioFile.GetName() + ".gif";
  }
  wxFileDialog dialog(m_parent, _("Export preview"), folder, name, _("GIF images (*.gif)|*.gif"),
                      wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
  if (dialog.ShowModal() != wxID_OK) {
    return false;
  }
  return Export(dialog.GetPath()) == 0;
}

int PreviewExportCommand::Export(const wxString& path) {
  int error = 0;
  PreviewResult result;
  {
    wxProgressDialog progress(_("Export preview"), _("Playing the scenario on the virtual boards..."),
                              PROGRESS_STEPS, m_parent, wxPD_APP_MODAL | wxPD_CAN_ABORT | wxPD_AUTO_HIDE);
    int shown = 0;
    error = ExportPreview(
        m_scenario, PreviewOptions{}, path.utf8_string(),
        [&progress, &shown](long done, long total) {
          // The dialog is only asked when its bar moves: each update lets
          // the toolkit handle events.
          const int step = static_cast<int>(done * PROGRESS_STEPS / total);
          if (step == shown) {
            return !progress.WasCancelled();
          }
          shown = step;
          return progress.Update(std::min(step, PROGRESS_STEPS - 1));
        },
        &result);
  }
  if (error == ECANCELED) {
    return error;
  }
  if (error == EFBIG && result.gif.empty()) {
    wxMessageBox(wxString::Format(_("The preview could not be written to %s:\n%ld boards do not fit one GIF image."),
                                  path, result.boards),
                 _("Export preview"), wxOK | wxICON_ERROR, m_parent);
  } else if (error != 0) {
    wxMessageBox(wxString::Format(_("The preview could not be written to %s:\n%s"), path,
                                  wxString::FromUTF8(std::strerror(error))),
                 _("Export preview"), wxOK | wxICON_ERROR, m_parent);
  }
  return error;
}
