// Scene pages: one notebook page per scene of the Document. A page's grid
// is made when it is first needed, and shows the scene through a table.
#include "gui/frame/lumivane_frame.h"

#include <algorithm>

#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "gui/app/texts.h"
#include "gui/frame/description_stretch.h"
#include "gui/frame/grid_clipboard_keys.h"
#include "gui/frame/scene_table.h"

namespace {

constexpr int COLUMN_LABEL_HEIGHT = 20;

}  // namespace

void LumivaneFrame::CreateScenePage(int position, const wxString& name, bool hideTo) {
  if (position < 0 || position > SceneCount() || SceneCount() >= MAX_SCENES) {
    return;
  }
  Scene scene;
  scene.name = name.empty() ? DefaultSceneName(position + 1) : name.utf8_string();
  if (hideTo) {
    scene.columnWidths[COL_TO] = 0;
    scene.idLabel = true;
  }
  m_document.InsertScene(position, scene);
  m_menuEdit->Check(ID_HIDE_TO, hideTo);
  InsertPage(position);
}

void LumivaneFrame::InsertPage(int position) {
  auto* page = new wxPanel(m_notebook);
  page->SetSizer(new wxBoxSizer(wxVERTICAL));
  m_pages.insert(m_pages.begin() + position, page);
  m_pageGrids.insert(m_pageGrids.begin() + position, nullptr);
  RenumberPages();
  // Page changes raised by the insertion find the tables in step already.
  const bool events = m_pageEventsEnabled;
  m_pageEventsEnabled = false;
  m_notebook->InsertPage(static_cast<size_t>(position), page,
                         wxString::FromUTF8(m_document.GetScene(position).name), false);
  m_pageEventsEnabled = events;
  if (m_notebook->GetSelection() == position) {
    MakeGrid(position);
  }
}

void LumivaneFrame::ShowScenario(Scenario scenario) {
  m_document.Replace(std::move(scenario));
  RebuildPages();
}

void LumivaneFrame::RebuildPages() {
  // The fade/hold row belongs to no scene until the new pages are there, so
  // page changes on the way store nothing into them.
  ResetPages();
  // Like the runner's own page changes, rebuilding the pages must not end a
  // run: the file watch reloads a changed file while it runs.
  m_pageEventsEnabled = false;
  for (int scene = 0; scene < SceneCount(); ++scene) {
    InsertPage(scene);
  }
  if (m_notebook->GetSelection() == wxNOT_FOUND && SceneCount() > 0) {
    m_notebook->SetSelection(0);
  }
  MakeGrid(m_notebook->GetSelection());
  m_pageEventsEnabled = true;
}

wxGrid* LumivaneFrame::MakeGrid(int scene) {
  if (scene < 0 || scene >= SceneCount() || m_pageGrids[scene] != nullptr) {
    return scene >= 0 && scene < SceneCount() ? m_pageGrids[scene] : nullptr;
  }
  wxPanel* page = m_pages[scene];
  auto* grid = new wxGrid(page, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL);
  m_pageGrids[scene] = grid;
  grid->SetTable(new SceneTable(&m_document, scene), true, wxGrid::wxGridSelectCells);
  grid->SetRowLabelSize(0);
  grid->SetColLabelSize(COLUMN_LABEL_HEIGHT);
  grid->SetColLabelAlignment(wxALIGN_CENTRE, wxALIGN_CENTRE);
  grid->SetDefaultCellAlignment(wxALIGN_LEFT, wxALIGN_TOP);
  grid->EnableGridLines(true);
  grid->EnableEditing(true);
  grid->SetMargins(0, 0);
  grid->EnableDragColSize(true);
  grid->EnableDragColMove(false);
  grid->EnableDragRowSize(true);
  grid->EnableDragGridSize(false);
  grid->SetColMinimalAcceptableWidth(0);
  ShowSceneColumns(scene);

  grid->Bind(wxEVT_GRID_CELL_LEFT_CLICK, &LumivaneFrame::OnCellLeftClick, this);
  grid->Bind(wxEVT_GRID_CELL_RIGHT_CLICK, &LumivaneFrame::OnCellRightClick, this);
  grid->Bind(wxEVT_GRID_EDITOR_SHOWN, &LumivaneFrame::OnEditorShown, this);
  grid->Bind(wxEVT_GRID_CELL_CHANGED, &LumivaneFrame::OnCellChanged, this);
  grid->Bind(wxEVT_GRID_COL_SIZE, &LumivaneFrame::OnColumnResized, this);
  RouteClipboardKeys(grid, this);
  KeepDescriptionStretched(grid, [this, grid] {
    const int shown = SceneOfGrid(grid);
    return m_document.HasScene(shown) ? m_document.GetScene(shown).columnWidths[COL_DESCRIPTION] : 0;
  });

  page->GetSizer()->Add(grid, 1, wxEXPAND);
  page->Layout();
  return grid;
}

wxGrid* LumivaneFrame::Grid(int scene) { return MakeGrid(scene); }

wxGrid* LumivaneFrame::ExistingGrid(int scene) const {
  return scene >= 0 && scene < static_cast<int>(m_pageGrids.size()) ? m_pageGrids[scene] : nullptr;
}

int LumivaneFrame::SceneOfGrid(const wxGrid* grid) const {
  for (size_t scene = 0; grid != nullptr && scene < m_pageGrids.size(); ++scene) {
    if (m_pageGrids[scene] == grid) {
      return static_cast<int>(scene);
    }
  }
  return -1;
}

void LumivaneFrame::RenumberPages() {
  for (size_t scene = 0; scene < m_pageGrids.size(); ++scene) {
    if (m_pageGrids[scene] != nullptr) {
      static_cast<SceneTable*>(m_pageGrids[scene]->GetTable())->SetScene(static_cast<int>(scene));
    }
  }
}

void LumivaneFrame::ShowSceneColumns(int scene) {
  wxGrid* grid = ExistingGrid(scene);
  if (grid == nullptr || !m_document.HasScene(scene)) {
    return;
  }
  const Scene& values = m_document.GetScene(scene);
  for (int col = 0; col < GRID_COLUMNS; ++col) {
    if (grid->GetColSize(col) != values.columnWidths[col]) {
      grid->SetColSize(col, values.columnWidths[col]);
    }
  }
  grid->SetColLabelValue(COL_FROM, values.idLabel ? LABEL_ID : LABEL_FROM);
  StretchDescription(grid, values.columnWidths[COL_DESCRIPTION]);
}

void LumivaneFrame::RefreshScene(int scene) {
  if (scene < 0 || scene >= SceneCount()) {
    return;
  }
  m_notebook->SetPageText(static_cast<size_t>(scene), wxString::FromUTF8(m_document.GetScene(scene).name));
  wxGrid* grid = ExistingGrid(scene);
  if (grid == nullptr) {
    return;
  }
  // The table already holds the new rows; the grid learns how many.
  const int shown = grid->GetNumberRows();
  const int rows = m_document.RowCount(scene);
  if (rows > shown) {
    wxGridTableMessage appended(grid->GetTable(), wxGRIDTABLE_NOTIFY_ROWS_APPENDED, rows - shown);
    grid->ProcessTableMessage(appended);
  } else if (rows < shown) {
    wxGridTableMessage deleted(grid->GetTable(), wxGRIDTABLE_NOTIFY_ROWS_DELETED, rows, shown - rows);
    grid->ProcessTableMessage(deleted);
  }
  // The grid keeps the attribute it looked up last; colours may have moved.
  for (int row = 0; row < rows; ++row) {
    grid->RefreshAttr(row, COL_COLOUR);
  }
  ShowSceneColumns(scene);
  grid->ForceRefresh();
}

int LumivaneFrame::SceneCount() const { return m_document.SceneCount(); }

int LumivaneFrame::CurrentScene() {
  const int selection = m_notebook->GetSelection();
  // Without a selection, the position a new scene would take.
  m_currentScene = selection == wxNOT_FOUND ? std::min(SceneCount(), MAX_SCENES) : selection;
  return m_currentScene;
}

void LumivaneFrame::OnPageChanged(wxBookCtrlEvent& event) {
  event.Skip();
  const int selection = event.GetSelection();
  if (selection < 0 || selection >= SceneCount() ||
      static_cast<int>(m_notebook->GetPageCount()) != SceneCount()) {
    return;  // pages are being removed or rebuilt; the tables don't match them yet
  }
  MakeGrid(selection);
  if (m_pageEventsEnabled) {
    StopRun();
  }
  // The fade/hold row still shows the scene that was current until now.
  CommitFadeHold();
  m_currentScene = selection;
  ShowSceneValues(m_currentScene);
  AutoTransfer(m_currentScene);
}

void LumivaneFrame::CaptureColumnWidths() {
  for (int scene = 0; scene < SceneCount(); ++scene) {
    if (const wxGrid* grid = ExistingGrid(scene)) {
      for (int col = 0; col < GRID_COLUMNS; ++col) {
        if (col == COL_DESCRIPTION) {
          continue;  // shown stretched to the window; the scene keeps its own
        }
        m_document.SetColumnWidth(scene, col, grid->GetColSize(col));
      }
    }
  }
}

void LumivaneFrame::OnColumnResized(wxGridSizeEvent& event) {
  event.Skip();
  auto* grid = static_cast<wxGrid*>(event.GetEventObject());
  const int scene = SceneOfGrid(grid);
  const int col = event.GetRowOrCol();
  if (scene >= 0 && col >= 0 && col < GRID_COLUMNS) {
    // Widths go into the file with the scene, but are no change to save.
    m_document.SetColumnWidth(scene, col, grid->GetColSize(col));
  }
}

void LumivaneFrame::OnHideToColumn(wxCommandEvent&) {
  const int scene = m_notebook->GetSelection();
  if (scene == wxNOT_FOUND || scene >= SceneCount()) {
    return;
  }
  if (wxGrid* grid = ExistingGrid(scene)) {
    grid->SaveEditControlValue();
    grid->HideCellEditControl();
  }

  const bool hide = m_menuEdit->IsChecked(ID_HIDE_TO);
  if (hide) {
    bool toColumnUsed = false;
    for (const Row& row : m_document.GetScene(scene).rows) {
      toColumnUsed = toColumnUsed || !StripBlanks(row.to).empty();
    }
    if (toColumnUsed && ShowMessage(ASK_HIDE_TO, CAPTION_WARNING, wxYES_NO | wxICON_QUESTION) != wxYES) {
      m_menuEdit->Check(ID_HIDE_TO, false);
      return;
    }
  }
  if (scene >= SceneCount()) {
    return;
  }
  {
    Document::Step step(m_document, hide ? STEP_HIDE_TO : STEP_SHOW_TO, EditPlace{scene, -1, -1});
    m_document.SetToColumnWidth(scene, hide ? 0 : TO_COLUMN_WIDTH);
    m_document.SetIdLabel(scene, hide);
  }
  RefreshScene(scene);
  if (m_document.CanUndo()) {
    // A change of the view alone, as before: the scenario is no different
    // to save, but the step can be taken back.
    UpdateUndoRedo();
  }
}
