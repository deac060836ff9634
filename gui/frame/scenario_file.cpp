// Reading and writing the open scenario's file: the formats are the core's;
// here the window hands over the Document and shows what was read.
#include "gui/frame/lumivane_frame.h"

#include <cerrno>

#include <wx/grid.h>
#include <wx/msgdlg.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

#include "core/format/scenario_file.h"
#include "gui/app/texts.h"
#include "gui/frame/scene_book.h"

bool LumivaneFrame::WriteScenario(const wxString& path) {
  m_book->CloseAllEditors();
  m_book->CaptureColumnWidths();
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
  int scenesLeftOut = 0;
  const int error = ReadScenarioFile(path.utf8_string(), &scenario, &modified, &scenesLeftOut);
  if (error != 0) {
    m_scenarioError =
        error == EFBIG ? wxGetTranslation(wxString::FromUTF8(ScenarioReadErrorText(error))) : wxSysErrorMsgStr(error);
    return false;
  }
  // Custom colours the file does not name stay as the user had them.
  for (int slot = 0; slot < PALETTE_SIZE; ++slot) {
    if (!scenario.palette[slot].set) {
      scenario.palette[slot] = m_document.GetScenario().palette[slot];
    }
  }
  m_document.Replace(std::move(scenario));
  m_document.SetFileTime(modified);
  m_document.SetScenesLeftOut(scenesLeftOut);
  if (scenesLeftOut > 0) {
    ShowMessage(wxString::Format(_(WARN_SCENES_LEFT_OUT), scenesLeftOut, MAX_SCENES), _(CAPTION_WARNING),
                wxOK | wxICON_WARNING);
  }
  ShowSceneValues(CurrentScene());
  return true;
}
