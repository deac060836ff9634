// Row and scene commands: the grid's context menu, add, delete, rename,
// duplicate and move scenes, next and previous scene. Each asks what it
// must and routes to its core command; the scene book follows.
#include "gui/frame/lumivane_frame.h"

#include <memory>
#include <utility>
#include <vector>

#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>
#include <wx/textdlg.h>

#include "core/edit/edit_commands.h"
#include "gui/app/texts.h"
#include "gui/frame/scene_book.h"

void LumivaneFrame::BindRowSceneCommands() {
  Bind(wxEVT_MENU, &LumivaneFrame::OnAddScene, this, wxID_ADD);
  Bind(wxEVT_MENU, &LumivaneFrame::OnDeleteScene, this, wxID_DELETE);
  Bind(wxEVT_MENU, &LumivaneFrame::OnRenameScene, this, wxID_EDIT);
  Bind(wxEVT_MENU, &LumivaneFrame::OnDuplicateScene, this, wxID_DUPLICATE);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { StepScene(1); }, wxID_FORWARD);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { StepScene(-1); }, wxID_BACKWARD);
  // The context menu is shown by the frame, so its commands come here.
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { RowCommand(ID_ROW_INSERT); }, ID_ROW_INSERT);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { RowCommand(ID_ROW_DELETE); }, ID_ROW_DELETE);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { RowCommand(ID_ROW_UP); }, ID_ROW_UP);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { RowCommand(ID_ROW_DOWN); }, ID_ROW_DOWN);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { MoveShownScene(-1); }, ID_SCENE_LEFT);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { MoveShownScene(1); }, ID_SCENE_RIGHT);
}

wxGrid* LumivaneFrame::ContextGrid() const { return m_book->ExistingGrid(m_book->ContextScene()); }

int LumivaneFrame::ContextRow() const { return m_book->ContextRow(); }

// ---------------------------------------------------------------------------
// The grid's context menu and the row commands.

void LumivaneFrame::OnCellRightClick(wxGridEvent& event) {
  StopRun();
  auto* grid = static_cast<wxGrid*>(event.GetEventObject());
  if (grid->IsCellEditControlShown()) {
    m_book->CloseEditor(m_book->SceneOfGrid(grid));
  }
  ModalScope modal(this);
  std::unique_ptr<wxMenu> menu(BuildContextMenu(grid, event.GetRow()));
  PopupMenu(menu.get());
  // Consumed: the grid cursor stays where it was.
}

wxMenu* LumivaneFrame::BuildContextMenu(wxGrid* grid, int row) {
  m_book->SetContext(m_book->SceneOfGrid(grid), row);
  auto* menu = new wxMenu;
  menu->Append(ID_ROW_INSERT, _(CONTEXT_INSERT_ROW), _(CONTEXT_INSERT_ROW_HELP));
  menu->Append(ID_ROW_DELETE, _(CONTEXT_DELETE_ROW), _(CONTEXT_DELETE_ROW_HELP));
  menu->AppendSeparator();
  menu->Append(ID_ROW_UP, _(CONTEXT_ROW_UP), _(CONTEXT_ROW_UP_HELP));
  menu->Append(ID_ROW_DOWN, _(CONTEXT_ROW_DOWN), _(CONTEXT_ROW_DOWN_HELP));
  menu->AppendSeparator();
  menu->Append(ID_SCENE_LEFT, _(CONTEXT_SCENE_LEFT), _(CONTEXT_SCENE_LEFT_HELP));
  menu->Append(ID_SCENE_RIGHT, _(CONTEXT_SCENE_RIGHT), _(CONTEXT_SCENE_RIGHT_HELP));
  menu->AppendSeparator();
  menu->Append(wxID_CUT, _(CONTEXT_CUT), _(CONTEXT_CUT_HELP));
  menu->Append(wxID_COPY, _(CONTEXT_COPY), _(CONTEXT_COPY_HELP));
  menu->Append(wxID_PASTE, _(CONTEXT_PASTE), _(CONTEXT_PASTE_HELP));

  const int rows = m_document.RowCount(m_book->ContextScene());
  if (row < 1) {
    menu->Enable(ID_ROW_UP, false);
  }
  if (row >= rows - 1) {
    // The empty last row is where the user appends: it stays last.
    menu->Enable(ID_ROW_DOWN, false);
    menu->Enable(ID_ROW_DELETE, false);
  }
  const int count = SceneCount();
  const int scene = CurrentScene();
  menu->Enable(ID_SCENE_LEFT, count >= 2 && scene > 0 && scene < count);
  menu->Enable(ID_SCENE_RIGHT, count >= 2 && scene < count - 1);
  return menu;
}

void LumivaneFrame::RowCommand(int command) {
  StopRun();
  const int scene = m_book->ContextScene();
  const int row = m_book->ContextRow();
  m_book->CloseEditor(scene);
  switch (command) {
    case ID_ROW_INSERT:
      if (!InsertRow(m_document, scene, row).changes.Empty()) {
        SetStatus(_(MSG_MODIFIED_SCENARIO), STATUS_MESSAGE);
      }
      break;
    case ID_ROW_DELETE:
      if (!DeleteRow(m_document, scene, row).changes.Empty()) {
        SetStatus(_(MSG_MODIFIED_SCENARIO), STATUS_MESSAGE);
      }
      break;
    case ID_ROW_UP: MoveRow(m_document, scene, row, row - 1); break;
    case ID_ROW_DOWN: MoveRow(m_document, scene, row, row + 1); break;
    default: break;
  }
}

// ---------------------------------------------------------------------------
// Moving scenes.

void LumivaneFrame::MoveShownScene(int step) {
  StopRun();
  const int scene = CurrentScene();
  const int other = scene + step;
  if (!m_document.HasScene(scene) || !m_document.HasScene(other)) {
    return;
  }
  m_book->CloseEditor(scene);
  m_book->CloseEditor(other);
  CommitFadeHold();
  m_book->CaptureColumnWidths();
  // The moved scene stays shown, now at its new place.
  MoveScene(m_document, scene, other);
}

// ---------------------------------------------------------------------------
// Adding, duplicating, deleting and renaming scenes.

bool LumivaneFrame::CheckSceneName(const wxString& name) {
  for (const Scene& scene : m_document.GetScenario().scenes) {
    if (wxString::FromUTF8(scene.name).IsSameAs(name, false)) {
      return ShowMessage(_(ASK_DUPLICATE_SCENE_NAME), _(CAPTION_DUPLICATE_SCENE_NAME),
                         wxYES_NO | wxICON_QUESTION) == wxYES;
    }
  }
  return true;
}

wxString LumivaneFrame::AskSceneName(const wxString& message, const wxString& caption,
                                     wxString suggestion) {
  ModalScope modal(this);
  for (;;) {
    const wxString answer =
        wxGetTextFromUser(message, caption, suggestion, this, wxDefaultCoord, wxDefaultCoord, true);
    if (answer.empty() || CheckSceneName(answer)) {
      return answer;
    }
    suggestion = answer;  // refused: offer it again for editing
  }
}

void LumivaneFrame::OnAddScene(wxCommandEvent&) {
  StopRun();
  if (SceneCount() >= MAX_SCENES) {
    return;
  }
  const wxString name = AskSceneName(_(ASK_NEW_SCENE_NAME), _(CAPTION_NEW_SCENE),
                                     wxString::Format(_(SCENE_NAME_FORMAT), SceneCount() + 1));
  if (name.empty() || SceneCount() >= MAX_SCENES) {
    return;
  }
  // The new scene hides "To" as the one shown does, and is shown.
  const EditResult added = AddScene(m_document, name.utf8_string(), m_view.hideTo);
  if (!added.changes.scenesAdded.empty()) {
    SetStatus(_(MSG_ADDED_SCENE), STATUS_MESSAGE);
    m_book->Select(m_document.IndexOfScene(added.changes.scenesAdded.front()), true);
  }
}

void LumivaneFrame::OnDuplicateScene(wxCommandEvent&) {
  StopRun();
  CommitFadeHold();
  const int source = CurrentScene();
  if (!m_document.HasScene(source) || SceneCount() >= MAX_SCENES) {
    return;
  }
  m_book->CloseEditor(source);
  m_book->CaptureColumnWidths();
  // The name dialog waits for the user: the source is copied now, so that
  // whatever happens meanwhile the copy is of the scene the user saw.
  const Scene copy = m_document.GetScene(source);
  const wxString name = AskSceneName(_(ASK_NEW_SCENE_NAME), _(CAPTION_NEW_SCENE),
                                     wxString::Format(_(SCENE_NAME_FORMAT), SceneCount() + 1));
  if (name.empty()) {
    return;
  }
  const EditResult added = DuplicateScene(m_document, copy, name.utf8_string());
  if (!added.changes.scenesAdded.empty()) {
    SetStatus(_(MSG_DUPLICATED_SCENE), STATUS_MESSAGE);
    m_book->Select(m_document.IndexOfScene(added.changes.scenesAdded.front()), true);
  }
}

void LumivaneFrame::OnDeleteScene(wxCommandEvent&) {
  StopRun();
  if (ShowMessage(_(ASK_DELETE_SCENE), _(CAPTION_DELETE_SCENE), wxYES_NO | wxICON_QUESTION) != wxYES) {
    return;
  }
  const int scene = CurrentScene();
  if (!m_document.HasScene(scene)) {
    return;
  }
  if (wxGrid* grid = m_book->ExistingGrid(scene)) {
    grid->HideCellEditControl();
  }
  // The fade/hold row of a deleted scene is stored nowhere; the last scene
  // is cleared instead.
  const bool last = SceneCount() == 1;
  DeleteScene(m_document, scene);
  if (!last) {
    SetStatus(_(MSG_DELETED_SCENE), STATUS_MESSAGE);
  }
}

void LumivaneFrame::OnRenameScene(wxCommandEvent&) {
  StopRun();
  const int scene = CurrentScene();
  if (!m_document.HasScene(scene)) {
    return;
  }
  const SceneId id = m_document.IdOfScene(scene);
  const wxString name = AskSceneName(_(ASK_RENAME_SCENE), _(CAPTION_RENAME_SCENE),
                                     wxString::FromUTF8(m_document.GetScene(scene).name));
  if (name.empty() || m_document.IndexOfScene(id) != scene) {
    return;
  }
  RenameScene(m_document, scene, name.utf8_string());
  SetStatus(_(MSG_RENAMED_SCENE), STATUS_MESSAGE);
}

// ---------------------------------------------------------------------------
// Next and previous scene: a run goes on with the scene chosen here.

void LumivaneFrame::StepScene(int step) {
  const int count = SceneCount();
  if (count < 1) {
    return;
  }
  int scene = CurrentScene();
  if (scene >= count) {
    scene = 0;
  }
  const int target = (count + scene + step) % count;
  m_book->Select(target, false);
  if (IsRunning()) {
    // The link sends the scene, and the run goes on from it with a new
    // plan; a send that fails ends the run.
    m_activeScene = target;
    m_session->Jump(target);
  }
}
