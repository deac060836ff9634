// The open scenario and its file: saving it (unsaved changes without
// asking; only a scenario without a file asks for a name), a new empty
// one, closing the window; and the File menu's commands that use them
// (document_commands.h).
#include "gui/frame/document_commands.h"

#include "gui/frame/lumivane_frame.h"

#include <wx/filedlg.h>
#include <wx/filename.h>
#include <wx/grid.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include "core/model/unsaved_rows.h"
#include "gui/app/app_state.h"
#include "gui/app/texts.h"
#include "gui/frame/fade_hold_row.h"
#include "gui/frame/frame_commands.h"
#include "gui/frame/recent_files_menu.h"
#include "gui/frame/scene_book.h"
#include "gui/frame/status_texts.h"

namespace {

// The path with its last extension replaced by ".cfg", or ".cfg" added.
wxString WithScenarioExtension(const wxString& path) {
  wxFileName name(path);
  name.SetExt(SCENARIO_EXTENSION);
  return name.GetFullPath();
}

}  // namespace

void LumivaneFrame::CommitOpenEdits() {
  m_book->CloseEditor(m_book->Selection());
  CommitFadeHold();
}

bool LumivaneFrame::SaveScenario(bool force, bool askName, bool asCopy) {
  CommitOpenEdits();
  if (!m_document.IsModified() && !force && !askName) {
    return true;
  }

  // The scenes a file held beyond the ones shown would be lost.
  const int leftOut = m_document.ScenesLeftOut();
  if (leftOut > 0 && ShowMessage(wxString::Format(_(ASK_SAVE_FEWER_SCENES), leftOut, MAX_SCENES, MAX_SCENES),
                                 _(CAPTION_WARNING), wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION) != wxYES) {
    return false;
  }

  // A copy is a save to another path; the scenario keeps its own.
  wxString file = wxString::FromUTF8(m_document.Path());
  if (file.empty() || askName) {
    Settings& settings = m_app.settings;
    wxString startDir = wxString::FromUTF8(asCopy ? settings.copyDir : settings.activeDir);
    wxString proposed = asCopy ? file.AfterLast('/') : file;
    if (proposed.Contains("/")) {
      // The toolkit takes a proposed name without a directory: a full path
      // proposes its own directory and name.
      startDir = proposed.BeforeLast('/');
      proposed = proposed.AfterLast('/');
    }
    wxFileDialog dialog(this, _(DIALOG_SAVE_TITLE), startDir, proposed, _(SCENARIO_FILE_FILTER),
                        wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    ModalScope modal(this);
    if (dialog.ShowModal() != wxID_OK) {
      return false;
    }
    const wxString typed = dialog.GetPath();
    file = WithScenarioExtension(typed);
    // The dialog asked about the name as typed; the name the extension
    // makes may be another file that exists.
    if (file != typed && wxFileName::FileExists(file) &&
        ShowMessage(wxString::Format(_(ASK_REPLACE_FILE), file.AfterLast('/')), _(DIALOG_SAVE_TITLE),
                    wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION) != wxYES) {
      return false;
    }
    const std::string directory = wxFileName(file).GetPath().utf8_string();
    if (asCopy) {
      settings.copyDir = directory;
    } else {
      settings.activeDir = directory;
      m_document.SetPath(file.utf8_string());
    }
  }

  // A copy leaves the watch on the scenario's own file.
  const time_t fileTime = m_document.FileTime();
  const bool written = WriteScenario(file);
  if (asCopy) {
    m_document.SetFileTime(fileTime);
  }
  if (!written) {
    ShowError(wxString::Format(_(ERR_SAVE_FAILED), file, LastScenarioError()));
    return false;
  }

  if (asCopy) {
    SetStatus(SavedMessage(_(MSG_SAVED_COPY), RowsLeftOutOfFile(m_document.GetScenario())), STATUS_MESSAGE);
  } else {
    m_document.SetScenesLeftOut(0);  // the file now holds what the window shows
    m_document.MarkSaved();
    m_document.SetModified(false);
    SetStatus(SavedMessage(_(MSG_SAVED), RowsLeftOutOfFile(m_document.GetScenario())), STATUS_MESSAGE);
    m_recent->Note(file);
  }
  return true;
}

void LumivaneFrame::StartEmptyScenario() {
  Scenario empty;
  empty.scenes[0].name = DefaultSceneName(1);
  // The custom colours are the user's, kept from scenario to scenario.
  empty.palette = m_document.GetScenario().palette;
  m_document.Replace(std::move(empty));
  ShowSceneValues(CurrentScene());
  m_fadeHold->ClearFields();
}



void LumivaneFrame::OnCloseWindow(wxCloseEvent& event) {
  if (!SaveScenario(false, false, false) && !m_commands->documents.ConfirmLosingChanges()) {
    if (event.CanVeto()) {
      event.Veto();
    }
    return;
  }
  m_timer->Stop();
  Settings& settings = m_app.settings;
  settings.autoTransfer = m_session->Snapshot().autoTransfer;
  settings.scenarioFile = m_document.Path();
  settings.sizeStored = true;
  settings.width = GetSize().GetWidth();
  settings.height = GetSize().GetHeight();
  WriteSettings(Utf8SettingsFile(m_app.settingsPath), settings);
  Destroy();
}

// ---------------------------------------------------------------------------
// The File menu's commands.

DocumentCommands::DocumentCommands(LumivaneFrame& frame, Document& document) : m_frame(frame), m_document(document) {
  m_frame.Bind(wxEVT_MENU, &DocumentCommands::OnNew, this, wxID_NEW);
  m_frame.Bind(wxEVT_MENU, [this](wxCommandEvent&) { OpenScenario(wxString()); }, wxID_OPEN);
  m_frame.Bind(wxEVT_MENU, [this](wxCommandEvent&) { m_frame.SaveScenario(false, false, false); }, wxID_SAVE);
  m_frame.Bind(wxEVT_MENU, &DocumentCommands::OnSaveAs, this, wxID_SAVEAS);
  m_frame.Bind(wxEVT_MENU, &DocumentCommands::OnSaveCopy, this, ID_SAVE_COPY);
  m_frame.Bind(wxEVT_MENU, &DocumentCommands::OnRevert, this, wxID_REVERT_TO_SAVED);
  m_frame.Bind(wxEVT_MENU, &DocumentCommands::OnExit, this, wxID_EXIT);
}

void DocumentCommands::OnNew(wxCommandEvent&) {
  m_frame.StopRun();
  if (!m_frame.SaveScenario(false, false, false)) {
    return;
  }
  m_document.SetPath(std::string());
  m_frame.StartEmptyScenario();
  m_document.SetFileTime(-1);
  m_document.SetModified(false);
  m_frame.SetStatus(_(MSG_NEW), STATUS_MESSAGE);
}

bool DocumentCommands::OpenScenario(const wxString& chosen) {
  m_frame.StopRun();
  if (!m_frame.SaveScenario(false, false, false)) {
    return false;
  }
  wxString picked = chosen;
  if (picked.empty()) {
    wxFileDialog dialog(&m_frame, _(DIALOG_OPEN_TITLE), wxString::FromUTF8(m_frame.m_app.settings.activeDir), wxString(),
                        _(SCENARIO_FILE_FILTER),
                        wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    LumivaneFrame::ModalScope modal(&m_frame);
    if (dialog.ShowModal() != wxID_OK) {
      return false;
    }
    picked = dialog.GetPath();
  }
  const wxString path = WithScenarioExtension(picked);
  if (!wxFileName::FileExists(path)) {
    // A file of another extension chosen under "All files": there is no
    // scenario of that name, and the open one stays as it is.
    m_frame.ShowMessage(wxString::Format(_(ERR_OPEN_MISSING), path), _(CAPTION_FILE_NOT_FOUND), wxOK | wxICON_ERROR);
    return false;
  }
  // A file that cannot be read changes nothing: not the scenario shown,
  // not its name, not whether it was modified.
  if (!m_frame.ReadScenarioFrom(path)) {
    m_frame.ShowError(wxString::Format(_(ERR_READ_FAILED), path, m_frame.m_scenarioError));
    return false;
  }
  m_document.SetPath(path.utf8_string());
  m_frame.m_app.settings.activeDir = wxFileName(path).GetPath().utf8_string();
  m_document.SetModified(false);
  m_frame.SetStatus(_(MSG_LOADED), STATUS_MESSAGE);
  m_frame.m_recent->Note(path);
  return true;
}

void DocumentCommands::OnRevert(wxCommandEvent&) {
  m_frame.StopRun();
  const wxString file = wxString::FromUTF8(m_document.Path());
  if (!file.empty()) {
    if (!wxFileName::FileExists(file)) {
      m_frame.ShowMessage(_(ERR_REVERT_MISSING), _(CAPTION_FILE_NOT_FOUND), wxOK | wxICON_ERROR);
      return;
    }
    if (!m_frame.ReadScenario()) {
      m_frame.ShowError(wxString::Format(_(ERR_READ_FAILED), file, m_frame.m_scenarioError));
      return;
    }
  } else {
    m_frame.StartEmptyScenario();
  }
  m_document.SetModified(false);
  m_frame.SetStatus(_(MSG_RELOADED), STATUS_MESSAGE);
}

bool DocumentCommands::ConfirmLosingChanges() {
  return m_frame.ShowMessage(_(ASK_EXIT_LOSE), _(CAPTION_EXIT_LOSE), wxYES_NO | wxICON_QUESTION) == wxYES;
}

void DocumentCommands::OnExit(wxCommandEvent&) {
  if (!m_frame.SaveScenario(false, false, false) && !ConfirmLosingChanges()) {
    return;
  }
  m_frame.Close(true);
}

void DocumentCommands::OnSaveAs(wxCommandEvent&) {
  m_frame.StopRun();
  m_frame.SaveScenario(true, true, false);
}

void DocumentCommands::OnSaveCopy(wxCommandEvent&) {
  m_frame.StopRun();
  m_frame.SaveScenario(true, true, true);
}
