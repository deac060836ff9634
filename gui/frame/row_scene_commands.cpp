// Row and scene commands: the grid's context menu, add, delete, rename,
// duplicate and move scenes, next and previous scene. Every command keeps
// the pages in step with the Document's scenes.
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

#include "gui/app/texts.h"
#include "core/model/scenario.h"

namespace {

// An open cell editor belongs to rows that are about to move or go.
void CloseEditor(wxGrid* grid) {
  if (grid != nullptr) {
    grid->SaveEditControlValue();
    grid->HideCellEditControl();
  }
}

// A step's name for the Undo and Redo menu items.
std::string Label(const char* format, const std::string& name) {
  return wxString::Format(format, wxString::FromUTF8(name)).utf8_string();
}

}  // namespace

void LumivaneFrame::BindRowSceneCommands() {
  Bind(wxEVT_MENU, &LumivaneFrame::OnAddScene, this, wxID_ADD);
  Bind(wxEVT_MENU, &LumivaneFrame::OnDeleteScene, this, wxID_DELETE);
  Bind(wxEVT_MENU, &LumivaneFrame::OnRenameScene, this, wxID_EDIT);
  Bind(wxEVT_MENU, &LumivaneFrame::OnDuplicateScene, this, wxID_DUPLICATE);
  Bind(wxEVT_MENU, &LumivaneFrame::OnNextScene, this, wxID_FORWARD);
  Bind(wxEVT_MENU, &LumivaneFrame::OnPreviousScene, this, wxID_BACKWARD);
  // The context menu is shown by the frame, so its commands come here.
  Bind(wxEVT_MENU, &LumivaneFrame::OnInsertRow, this, ID_ROW_INSERT);
  Bind(wxEVT_MENU, &LumivaneFrame::OnDeleteRow, this, ID_ROW_DELETE);
  Bind(wxEVT_MENU, &LumivaneFrame::OnMoveRowUp, this, ID_ROW_UP);
  Bind(wxEVT_MENU, &LumivaneFrame::OnMoveRowDown, this, ID_ROW_DOWN);
  Bind(wxEVT_MENU, &LumivaneFrame::OnMoveSceneLeft, this, ID_SCENE_LEFT);
  Bind(wxEVT_MENU, &LumivaneFrame::OnMoveSceneRight, this, ID_SCENE_RIGHT);
}

wxGrid* LumivaneFrame::ContextGrid() const { return ExistingGrid(m_contextScene); }

void LumivaneFrame::ShowSceneValues(int scene) {
  if (!m_document.HasScene(scene)) {
    return;
  }
  const Scene& values = m_document.GetScene(scene);
  m_fadeText->ChangeValue(wxString::Format("%d", values.fade));
  m_holdText->ChangeValue(wxString::FromUTF8(::HoldText(values.hold)));
  m_menuEdit->Check(ID_HIDE_TO, !values.ToShown());
}

// ---------------------------------------------------------------------------
// The grid's context menu and the row commands.

void LumivaneFrame::OnCellRightClick(wxGridEvent& event) {
  StopRun();
  auto* grid = static_cast<wxGrid*>(event.GetEventObject());
  if (grid->IsCellEditControlShown()) {
    CloseEditor(grid);
  }
  ModalScope modal(this);
  std::unique_ptr<wxMenu> menu(BuildContextMenu(grid, event.GetRow()));
  PopupMenu(menu.get());
  // Consumed: the grid cursor stays where it was.
}

wxMenu* LumivaneFrame::BuildContextMenu(wxGrid* grid, int row) {
  m_contextScene = SceneOfGrid(grid);
  m_contextRow = row;
  auto* menu = new wxMenu;
  menu->Append(ID_ROW_INSERT, CONTEXT_INSERT_ROW, CONTEXT_INSERT_ROW_HELP);
  menu->Append(ID_ROW_DELETE, CONTEXT_DELETE_ROW, CONTEXT_DELETE_ROW_HELP);
  menu->AppendSeparator();
  menu->Append(ID_ROW_UP, CONTEXT_ROW_UP, CONTEXT_ROW_UP_HELP);
  menu->Append(ID_ROW_DOWN, CONTEXT_ROW_DOWN, CONTEXT_ROW_DOWN_HELP);
  menu->AppendSeparator();
  menu->Append(ID_SCENE_LEFT, CONTEXT_SCENE_LEFT, CONTEXT_SCENE_LEFT_HELP);
  menu->Append(ID_SCENE_RIGHT, CONTEXT_SCENE_RIGHT, CONTEXT_SCENE_RIGHT_HELP);
  menu->AppendSeparator();
  menu->Append(wxID_CUT, CONTEXT_CUT, CONTEXT_CUT_HELP);
  menu->Append(wxID_COPY, CONTEXT_COPY, CONTEXT_COPY_HELP);
  menu->Append(wxID_PASTE, CONTEXT_PASTE, CONTEXT_PASTE_HELP);

  const int rows = m_document.RowCount(m_contextScene);
  if (m_contextRow < 1) {
    menu->Enable(ID_ROW_UP, false);
  }
  if (m_contextRow >= rows - 1) {
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

void LumivaneFrame::OnInsertRow(wxCommandEvent&) {
  StopRun();
  const int scene = m_contextScene;
  if (!m_document.HasScene(scene) || m_contextRow < 0 || m_contextRow >= m_document.RowCount(scene)) {
    return;
  }
  CloseEditor(ExistingGrid(scene));
  m_document.BeginStep(STEP_INSERT_ROW, EditPlace{scene, m_contextRow, COL_FROM});
  m_document.InsertRows(scene, m_contextRow, 1);
  m_document.EndStep();
  RefreshScene(scene);
  SetModified(true);
  UpdateUndoRedo();
  SetStatus(MSG_MODIFIED_SCENARIO, STATUS_MESSAGE);
}

void LumivaneFrame::OnDeleteRow(wxCommandEvent&) {
  StopRun();
  const int scene = m_contextScene;
  if (!m_document.HasScene(scene) || m_contextRow < 0) {
    return;
  }
  if (m_contextRow < m_document.RowCount(scene) - 1) {
    CloseEditor(ExistingGrid(scene));
    m_document.BeginStep(STEP_DELETE_ROW, EditPlace{scene, m_contextRow, COL_FROM});
    m_document.DeleteRows(scene, m_contextRow, 1);
    m_document.EndStep();
  }
  RefreshScene(scene);
  SetModified(true);
  UpdateUndoRedo();
  SetStatus(MSG_MODIFIED_SCENARIO, STATUS_MESSAGE);
}

void LumivaneFrame::OnMoveRowUp(wxCommandEvent&) {
  StopRun();
  SwapRows(m_contextScene, m_contextRow, m_contextRow - 1);
}

void LumivaneFrame::OnMoveRowDown(wxCommandEvent&) {
  StopRun();
  SwapRows(m_contextScene, m_contextRow, m_contextRow + 1);
}

void LumivaneFrame::SwapRows(wxGrid* grid, int a, int b) { SwapRows(SceneOfGrid(grid), a, b); }

void LumivaneFrame::SwapRows(int scene, int a, int b) {
  if (!m_document.HasScene(scene)) {
    return;
  }
  const int rows = m_document.RowCount(scene);
  if (a < 0 || b < 0 || a >= rows || b >= rows || a == b) {
    return;
  }
  CloseEditor(ExistingGrid(scene));
  m_document.BeginStep(STEP_MOVE_ROW, EditPlace{scene, b, COL_FROM});
  m_document.SwapRows(scene, a, b);
  m_document.EndStep();
  RefreshScene(scene);
  SetModified(true);
  UpdateUndoRedo();
  AutoTransfer(-1);
}

// ---------------------------------------------------------------------------
// Moving scenes.

void LumivaneFrame::OnMoveSceneLeft(wxCommandEvent&) {
  StopRun();
  const int scene = CurrentScene();
  SwapScenes(scene, scene - 1);
}

void LumivaneFrame::OnMoveSceneRight(wxCommandEvent&) {
  StopRun();
  const int scene = CurrentScene();
  SwapScenes(scene, scene + 1);
}

void LumivaneFrame::SwapScenes(int a, int b) {
  const int count = SceneCount();
  if (a < 0 || b < 0 || a >= count || b >= count || a == b) {
    return;
  }
  CloseEditor(ExistingGrid(a));
  CloseEditor(ExistingGrid(b));
  CommitFadeHold();
  CaptureColumnWidths();

  // The pages stay; the scenes they show change places.
  m_document.BeginStep(Label(STEP_MOVE_SCENE, m_document.GetScene(a).name), EditPlace{b, -1, -1});
  m_document.SwapScenes(a, b);
  m_document.EndStep();
  for (int scene : {a, b}) {
    MakeGrid(scene);
    RefreshScene(scene);
  }

  // The fade/hold row still shows the moved scene's values, which now
  // belong to position b: the page change must not store them at a.
  m_currentScene = -1;
  m_pageEventsEnabled = false;
  m_notebook->SetSelection(b);
  m_pageEventsEnabled = true;
  ShowSceneValues(CurrentScene());
  SetModified(true);
  UpdateUndoRedo();
}

// ---------------------------------------------------------------------------
// Adding, duplicating, deleting and renaming scenes.

bool LumivaneFrame::CheckSceneName(const wxString& name) {
  for (const Scene& scene : m_document.GetScenario().scenes) {
    if (wxString::FromUTF8(scene.name).IsSameAs(name, false)) {
      return ShowMessage(ASK_DUPLICATE_SCENE_NAME, CAPTION_DUPLICATE_SCENE_NAME,
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

int LumivaneFrame::FirstFreePosition() const {
  // New scenes are appended.
  return SceneCount() < MAX_SCENES ? SceneCount() : MAX_SCENES;
}

void LumivaneFrame::OnAddScene(wxCommandEvent&) {
  StopRun();
  if (FirstFreePosition() >= MAX_SCENES) {
    return;
  }
  const wxString name = AskSceneName(ASK_NEW_SCENE_NAME, CAPTION_NEW_SCENE,
                                     wxString::Format(SCENE_NAME_FORMAT, SceneCount() + 1));
  // The position is taken once the user has answered.
  const int position = FirstFreePosition();
  if (name.empty() || position >= MAX_SCENES) {
    return;
  }
  m_document.BeginStep(Label(STEP_ADD_SCENE, name.utf8_string()), EditPlace{position, -1, -1});
  CreateScenePage(position, name, m_menuEdit->IsChecked(ID_HIDE_TO));
  m_document.EndStep();
  SetModified(true);
  UpdateUndoRedo();
  SetStatus(MSG_ADDED_SCENE, STATUS_MESSAGE);
  m_notebook->SetSelection(position);
}

void LumivaneFrame::OnDuplicateScene(wxCommandEvent&) {
  StopRun();
  CommitFadeHold();
  const int source = CurrentScene();
  if (!m_document.HasScene(source)) {
    return;
  }
  CloseEditor(ExistingGrid(source));
  CaptureColumnWidths();
  if (FirstFreePosition() >= MAX_SCENES) {
    return;
  }
  // The name dialog waits for the user: the source is copied now, so that
  // whatever happens meanwhile the copy is of the scene the user saw.
  Scene copy = m_document.GetScene(source);
  const wxString name = AskSceneName(ASK_NEW_SCENE_NAME, CAPTION_NEW_SCENE,
                                     wxString::Format(SCENE_NAME_FORMAT, SceneCount() + 1));
  const int position = FirstFreePosition();
  if (name.empty() || position >= MAX_SCENES) {
    return;
  }
  // The copy hides "To" as its source does; its rows are the source's rows
  // ahead of the source's last row, and then an empty row of its own.
  copy.name = name.utf8_string();
  if (!copy.rows.empty()) {
    copy.rows.pop_back();
  }
  copy.rows.emplace_back();
  const std::array<int, GRID_COLUMNS> widths = copy.columnWidths;
  copy.columnWidths = DEFAULT_COLUMN_WIDTHS;
  copy.columnWidths[COL_TO] = widths[COL_TO] == 0 ? 0 : DEFAULT_COLUMN_WIDTHS[COL_TO];
  copy.idLabel = !copy.ToShown();
  m_document.BeginStep(Label(STEP_DUPLICATE_SCENE, copy.name), EditPlace{position, -1, -1});
  m_document.InsertScene(position, copy);
  m_document.EndStep();
  m_menuEdit->Check(ID_HIDE_TO, !copy.ToShown());
  InsertPage(position);
  SetModified(true);
  UpdateUndoRedo();
  SetStatus(MSG_DUPLICATED_SCENE, STATUS_MESSAGE);
  m_notebook->SetSelection(position);
}

void LumivaneFrame::OnDeleteScene(wxCommandEvent&) {
  StopRun();
  if (ShowMessage(ASK_DELETE_SCENE, CAPTION_DELETE_SCENE, wxYES_NO | wxICON_QUESTION) != wxYES) {
    return;
  }
  const int count = SceneCount();
  const int scene = CurrentScene();
  if (scene >= count) {
    return;
  }
  if (wxGrid* grid = ExistingGrid(scene)) {
    grid->HideCellEditControl();
  }

  if (count == 1) {
    // The last scene stays; it loses its rows down to one empty row.
    m_document.BeginStep(Label(STEP_CLEAR_SCENE, m_document.GetScene(scene).name), EditPlace{scene, -1, -1});
    m_document.ClearRows(scene);
    m_document.EndStep();
    RefreshScene(scene);
    // The rows are gone from the window: the file no longer matches it.
    SetModified(true);
    UpdateUndoRedo();
    return;
  }

  // The fade/hold row holds the deleted scene's values; none of them is
  // stored anywhere. The neighbour is shown first, while the pages still
  // match the scenes, so that the removal itself changes no selection.
  m_currentScene = -1;
  m_notebook->SetSelection(scene + 1 < count ? scene + 1 : scene - 1);
  m_currentScene = -1;
  m_document.BeginStep(Label(STEP_DELETE_SCENE, m_document.GetScene(scene).name), EditPlace{scene, -1, -1});
  m_document.DeleteScene(scene);
  m_document.EndStep();
  m_pages.erase(m_pages.begin() + scene);
  m_pageGrids.erase(m_pageGrids.begin() + scene);
  RenumberPages();
  m_notebook->DeletePage(static_cast<size_t>(scene));
  if (m_contextScene == scene) {
    m_contextScene = -1;
  } else if (m_contextScene > scene) {
    --m_contextScene;
  }
  if (m_colourScene == scene) {
    m_colourScene = -1;
  } else if (m_colourScene > scene) {
    --m_colourScene;
  }
  ShowSceneValues(CurrentScene());
  SetModified(true);
  UpdateUndoRedo();
  SetStatus(MSG_DELETED_SCENE, STATUS_MESSAGE);
}

void LumivaneFrame::OnRenameScene(wxCommandEvent&) {
  StopRun();
  const int scene = CurrentScene();
  if (scene >= SceneCount()) {
    return;
  }
  const int scenes = SceneCount();
  const wxString name =
      AskSceneName(ASK_RENAME_SCENE, CAPTION_RENAME_SCENE, m_notebook->GetPageText(scene));
  if (name.empty() || SceneCount() != scenes) {
    return;
  }
  m_document.BeginStep(Label(STEP_RENAME_SCENE, name.utf8_string()), EditPlace{scene, -1, -1});
  m_document.RenameScene(scene, name.utf8_string());
  m_document.EndStep();
  UpdateUndoRedo();
  m_notebook->SetPageText(scene, name);
  SetStatus(MSG_RENAMED_SCENE, STATUS_MESSAGE);
  SetModified(true);
}

// ---------------------------------------------------------------------------
// Next and previous scene: a run goes on with the scene chosen here.

void LumivaneFrame::OnNextScene(wxCommandEvent&) { StepScene(1); }

void LumivaneFrame::OnPreviousScene(wxCommandEvent&) { StepScene(-1); }

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
  m_pageEventsEnabled = false;
  m_notebook->SetSelection(target);
  m_pageEventsEnabled = true;
  if (IsRunning()) {
    // The link sends the scene, and the run goes on from it with a new
    // plan; a send that fails ends the run.
    m_activeScene = target;
    m_session->Jump(target);
  }
}
