// Row and scene commands: the grid's context menu, add, delete, rename,
// duplicate and move scenes, next and previous scene. Each asks what it
// must and routes to its core command; the scene book follows.
#include "gui/frame/row_scene_commands.h"

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
#include "gui/frame/lumivane_frame.h"
#include "gui/frame/scene_book.h"

RowSceneCommands::RowSceneCommands(LumivaneFrame& frame, Document& document) : m_frame(frame), m_document(document) {
  m_frame.Bind(wxEVT_MENU, &RowSceneCommands::OnAddScene, this, wxID_ADD);
  m_frame.Bind(wxEVT_MENU, &RowSceneCommands::OnDeleteScene, this, wxID_DELETE);
  m_frame.Bind(wxEVT_MENU, &RowSceneCommands::OnRenameScene, this, wxID_EDIT);
  m_frame.Bind(wxEVT_MENU, &RowSceneCommands::OnDuplicateScene, this, wxID_DUPLICATE);
  m_frame.Bind(wxEVT_MENU, [this](wxCommandEvent&) { StepScene(1); }, wxID_FORWARD);
  m_frame.Bind(wxEVT_MENU, [this](wxCommandEvent&) { StepScene(-1); }, wxID_BACKWARD);
  // The context menu is shown by the frame, so its commands come here.
  m_frame.Bind(wxEVT_MENU, [this](wxCommandEvent&) { RowCommand(ID_ROW_INSERT); }, ID_ROW_INSERT);
  m_frame.Bind(wxEVT_MENU, [this](wxCommandEvent&) { RowCommand(ID_ROW_DELETE); }, ID_ROW_DELETE);
  m_frame.Bind(wxEVT_MENU, [this](wxCommandEvent&) { RowCommand(ID_ROW_UP); }, ID_ROW_UP);
  m_frame.Bind(wxEVT_MENU, [this](wxCommandEvent&) { RowCommand(ID_ROW_DOWN); }, ID_ROW_DOWN);
  m_frame.Bind(wxEVT_MENU, [this](wxCommandEvent&) { MoveShownScene(-1); }, ID_SCENE_LEFT);
  m_frame.Bind(wxEVT_MENU, [this](wxCommandEvent&) { MoveShownScene(1); }, ID_SCENE_RIGHT);
}

wxGrid* RowSceneCommands::ContextGrid() const { return m_frame.m_book->ExistingGrid(m_frame.m_book->ContextScene()); }

int RowSceneCommands::ContextRow() const { return m_frame.m_book->ContextRow(); }

// ---------------------------------------------------------------------------
// The grid's context menu and the row commands.

void RowSceneCommands::OnCellRightClick(wxGridEvent& event) {
  m_frame.StopRun();
  auto* grid = static_cast<wxGrid*>(event.GetEventObject());
  if (grid->IsCellEditControlShown()) {
    m_frame.m_book->CloseEditor(m_frame.m_book->SceneOfGrid(grid));
  }
  LumivaneFrame::ModalScope modal(&m_frame);
  std::unique_ptr<wxMenu> menu(BuildContextMenu(grid, event.GetRow()));
  m_frame.PopupMenu(menu.get());
  // Consumed: the grid cursor stays where it was.
}

wxMenu* RowSceneCommands::BuildContextMenu(wxGrid* grid, int row) {
  m_frame.m_book->SetContext(m_frame.m_book->SceneOfGrid(grid), row);
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

  const int rows = m_document.RowCount(m_frame.m_book->ContextScene());
  if (row < 1) {
    menu->Enable(ID_ROW_UP, false);
  }
  if (row >= rows - 1) {
    // The empty last row is where the user appends: it stays last.
    menu->Enable(ID_ROW_DOWN, false);
    menu->Enable(ID_ROW_DELETE, false);
  }
  const int count = m_frame.SceneCount();
  const int scene = m_frame.CurrentScene();
  menu->Enable(ID_SCENE_LEFT, count >= 2 && scene > 0 && scene < count);
  menu->Enable(ID_SCENE_RIGHT, count >= 2 && scene < count - 1);
  return menu;
}

void RowSceneCommands::RowCommand(int command) {
  m_frame.StopRun();
  const int scene = m_frame.m_book->ContextScene();
  const int row = m_frame.m_book->ContextRow();
  m_frame.m_book->CloseEditor(scene);
  switch (command) {
    case ID_ROW_INSERT:
      if (!InsertRow(m_document, scene, row).changes.Empty()) {
        m_frame.SetStatus(_(MSG_MODIFIED_SCENARIO), STATUS_MESSAGE);
      }
      break;
    case ID_ROW_DELETE:
      if (!DeleteRow(m_document, scene, row).changes.Empty()) {
        m_frame.SetStatus(_(MSG_MODIFIED_SCENARIO), STATUS_MESSAGE);
      }
      break;
    case ID_ROW_UP: MoveRow(m_document, scene, row, row - 1); break;
    case ID_ROW_DOWN: MoveRow(m_document, scene, row, row + 1); break;
    default: break;
  }
}

// ---------------------------------------------------------------------------
// Moving scenes.

void RowSceneCommands::MoveShownScene(int step) {
  m_frame.StopRun();
  const int scene = m_frame.CurrentScene();
  const int other = scene + step;
  if (!m_document.HasScene(scene) || !m_document.HasScene(other)) {
    return;
  }
  m_frame.m_book->CloseEditor(scene);
  m_frame.m_book->CloseEditor(other);
  m_frame.CommitFadeHold();
  m_frame.m_book->CaptureColumnWidths();
  // The moved scene stays shown, now at its new place.
  MoveScene(m_document, scene, other);
}

// ---------------------------------------------------------------------------
// Adding, duplicating, deleting and renaming scenes.

bool RowSceneCommands::CheckSceneName(const wxString& name) {
  for (const Scene& scene : m_document.GetScenario().scenes) {
    if (wxString::FromUTF8(scene.name).IsSameAs(name, false)) {
      return m_frame.ShowMessage(_(ASK_DUPLICATE_SCENE_NAME), _(CAPTION_DUPLICATE_SCENE_NAME),
                         wxYES_NO | wxICON_QUESTION) == wxYES;
    }
  }
  return true;
}

wxString RowSceneCommands::AskSceneName(const wxString& message, const wxString& caption,
                                     wxString suggestion) {
  LumivaneFrame::ModalScope modal(&m_frame);
  for (;;) {
    const wxString answer =
        wxGetTextFromUser(message, caption, suggestion, &m_frame, wxDefaultCoord, wxDefaultCoord, true);
    if (answer.empty() || CheckSceneName(answer)) {
      return answer;
    }
    suggestion = answer;  // refused: offer it again for editing
  }
}

void RowSceneCommands::OnAddScene(wxCommandEvent&) {
  m_frame.StopRun();
  if (m_frame.SceneCount() >= MAX_SCENES) {
    return;
  }
  const wxString name = AskSceneName(_(ASK_NEW_SCENE_NAME), _(CAPTION_NEW_SCENE),
                                     wxString::Format(_(SCENE_NAME_FORMAT), m_frame.SceneCount() + 1));
  if (name.empty() || m_frame.SceneCount() >= MAX_SCENES) {
    return;
  }
  // The new scene hides "To" as the one shown does, and is shown.
  const EditResult added = AddScene(m_document, name.utf8_string(), m_frame.m_view.hideTo);
  if (!added.changes.scenesAdded.empty()) {
    m_frame.SetStatus(_(MSG_ADDED_SCENE), STATUS_MESSAGE);
    m_frame.m_book->Select(m_document.IndexOfScene(added.changes.scenesAdded.front()), true);
  }
}

void RowSceneCommands::OnDuplicateScene(wxCommandEvent&) {
  m_frame.StopRun();
  m_frame.CommitFadeHold();
  const int source = m_frame.CurrentScene();
  if (!m_document.HasScene(source) || m_frame.SceneCount() >= MAX_SCENES) {
    return;
  }
  m_frame.m_book->CloseEditor(source);
  m_frame.m_book->CaptureColumnWidths();
  // The name dialog waits for the user: the source is copied now, so that
  // whatever happens meanwhile the copy is of the scene the user saw.
  const Scene copy = m_document.GetScene(source);
  const wxString name = AskSceneName(_(ASK_NEW_SCENE_NAME), _(CAPTION_NEW_SCENE),
                                     wxString::Format(_(SCENE_NAME_FORMAT), m_frame.SceneCount() + 1));
  if (name.empty()) {
    return;
  }
  const EditResult added = DuplicateScene(m_document, copy, name.utf8_string());
  if (!added.changes.scenesAdded.empty()) {
    m_frame.SetStatus(_(MSG_DUPLICATED_SCENE), STATUS_MESSAGE);
    m_frame.m_book->Select(m_document.IndexOfScene(added.changes.scenesAdded.front()), true);
  }
}

void RowSceneCommands::OnDeleteScene(wxCommandEvent&) {
  m_frame.StopRun();
  if (m_frame.ShowMessage(_(ASK_DELETE_SCENE), _(CAPTION_DELETE_SCENE), wxYES_NO | wxICON_QUESTION) != wxYES) {
    return;
  }
  const int scene = m_frame.CurrentScene();
  if (!m_document.HasScene(scene)) {
    return;
  }
  if (wxGrid* grid = m_frame.m_book->ExistingGrid(scene)) {
    grid->HideCellEditControl();
  }
  // The fade/hold row of a deleted scene is stored nowhere; the last scene
  // is cleared instead.
  const bool last = m_frame.SceneCount() == 1;
  DeleteScene(m_document, scene);
  if (!last) {
    m_frame.SetStatus(_(MSG_DELETED_SCENE), STATUS_MESSAGE);
  }
}

void RowSceneCommands::OnRenameScene(wxCommandEvent&) {
  m_frame.StopRun();
  const int scene = m_frame.CurrentScene();
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
  m_frame.SetStatus(_(MSG_RENAMED_SCENE), STATUS_MESSAGE);
}

// ---------------------------------------------------------------------------
// Next and previous scene: a run goes on with the scene chosen here.

void RowSceneCommands::StepScene(int step) {
  const int count = m_frame.SceneCount();
  if (count < 1) {
    return;
  }
  int scene = m_frame.CurrentScene();
  if (scene >= count) {
    scene = 0;
  }
  const int target = (count + scene + step) % count;
  m_frame.m_book->Select(target, false);
  if (m_frame.Session().Running()) {
    // The link sends the scene, and the run goes on from it with a new
    // plan; a send that fails ends the run.
    m_frame.m_activeScene = target;
    m_frame.m_session->Jump(target);
  }
}
