// Reading and writing the open scenario's file: the formats are the core's;
// here the window hands over the Document and shows what was read.
#include "gui/frame/lumivane_frame.h"

#include <wx/grid.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

#include "core/format/scenario_file.h"

bool LumivaneFrame::WriteScenario(const wxString& path) {
  for (wxGrid* grid : m_pageGrids) {
    if (grid != nullptr) {
      grid->SaveEditControlValue();
      grid->HideCellEditControl();
    }
  }
  CaptureColumnWidths();
  time_t written = -1;
  const int error =
      SaveScenarioFile(path.utf8_string(), m_document.GetScenario(), &written);
  if (error != 0) {
    m_scenarioError = wxSysErrorMsgStr(error);
    return false;
  }
  m_scenarioError.clear();
  if (written != -1) {
    m_document.SetFileTime(written);
  }
  return true;
}

bool LumivaneFrame::ReadScenario() { return ReadScenarioFrom(wxString::FromUTF8(m_document.Path())); }

bool LumivaneFrame::ReadScenarioFrom(const wxString& path) {
  // A file that cannot be read leaves the open scenario as it is, like a
  // missing one.
  Scenario scenario;
  time_t modified = -1;
  const int error = ReadScenarioFile(path.utf8_string(), &scenario, &modified);
  if (error != 0) {
    m_scenarioError = wxSysErrorMsgStr(error);
    return false;
  }
  // Custom colours the file does not name stay as the user had them.
  for (int slot = 0; slot < PALETTE_SIZE; ++slot) {
    if (!scenario.palette[slot].set) {
      scenario.palette[slot] = m_document.GetScenario().palette[slot];
    }
  }
  ShowScenario(std::move(scenario));
  m_document.SetFileTime(modified);

  const int current = CurrentScene();
  if (m_document.HasScene(current)) {
    ShowSceneValues(current);
  }
  return true;
}
