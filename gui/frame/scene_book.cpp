#include "gui/frame/scene_book.h"

#include <algorithm>

#include <wx/grid.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>

#include "gui/app/texts.h"
#include "gui/frame/description_stretch.h"
#include "gui/frame/scene_table.h"

namespace {

constexpr int COLUMN_LABEL_HEIGHT = 20;

}  // namespace

SceneBook::SceneBook(wxWindow* parent, Document& document, std::function<void(wxGrid*)> gridMade)
    : m_document(document),
      m_notebook(new wxNotebook(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxNB_TOP)),
      m_gridMade(std::move(gridMade)) {
  m_document.AddListener(this);
  Rebuild();
}

SceneBook::~SceneBook() { m_document.RemoveListener(this); }

int SceneBook::PageOf(SceneId id) const {
  for (size_t page = 0; page < m_pages.size(); ++page) {
    if (m_pages[page].id == id) {
      return static_cast<int>(page);
    }
  }
  return -1;
}

bool SceneBook::InStep() const {
  return static_cast<int>(m_pages.size()) == m_document.SceneCount() &&
         static_cast<int>(m_notebook->GetPageCount()) == m_document.SceneCount();
}

wxGrid* SceneBook::ExistingGrid(int scene) const {
  return scene >= 0 && scene < static_cast<int>(m_pages.size()) ? m_pages[scene].grid : nullptr;
}

int SceneBook::SceneOfGrid(const wxGrid* grid) const {
  for (size_t page = 0; grid != nullptr && page < m_pages.size(); ++page) {
    if (m_pages[page].grid == grid) {
      return static_cast<int>(page);
    }
  }
  return -1;
}

int SceneBook::Selection() const { return m_notebook->GetSelection(); }

void SceneBook::Select(int scene, bool userChange) {
  if (scene < 0 || scene >= static_cast<int>(m_notebook->GetPageCount())) {
    return;
  }
  const bool events = m_userPageEvents;
  m_userPageEvents = userChange;
  m_notebook->SetSelection(static_cast<size_t>(scene));
  m_userPageEvents = events;
  Grid(scene);
}

wxGrid* SceneBook::Grid(int scene) {
  if (scene < 0 || scene >= static_cast<int>(m_pages.size()) || !m_document.HasScene(scene)) {
    return nullptr;
  }
  Page& page = m_pages[scene];
  if (page.grid != nullptr) {
    return page.grid;
  }
  auto* grid = new wxGrid(page.panel, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxVSCROLL);
  page.grid = grid;
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
  grid->Bind(wxEVT_GRID_COL_SIZE, [this, grid](wxGridSizeEvent& event) {
    event.Skip();
    const int col = event.GetRowOrCol();
    if (col >= 0 && col < GRID_COLUMNS) {
      // Widths go into the file with the scene, but are no change to save.
      m_document.SetColumnWidth(SceneOfGrid(grid), col, grid->GetColSize(col));
    }
  });
  KeepDescriptionStretched(grid, [this, grid] {
    const int shown = SceneOfGrid(grid);
    return m_document.HasScene(shown) ? m_document.GetScene(shown).columnWidths[COL_DESCRIPTION] : 0;
  });
  if (m_gridMade) {
    m_gridMade(grid);
  }
  page.panel->GetSizer()->Add(grid, 1, wxEXPAND);
  page.panel->Layout();
  return grid;
}

void SceneBook::InsertPage(int scene) {
  auto* panel = new wxPanel(m_notebook);
  panel->SetSizer(new wxBoxSizer(wxVERTICAL));
  m_pages.insert(m_pages.begin() + scene, Page{m_document.IdOfScene(scene), panel, nullptr});
  RenumberTables();
  const bool events = m_userPageEvents;
  m_userPageEvents = false;
  m_notebook->InsertPage(static_cast<size_t>(scene), panel, wxString::FromUTF8(m_document.GetScene(scene).name),
                         false);
  m_userPageEvents = events;
  if (m_notebook->GetSelection() == scene) {
    Grid(scene);
  }
}

void SceneBook::RemovePage(int page) {
  const bool events = m_userPageEvents;
  m_userPageEvents = false;
  if (m_notebook->GetSelection() == page && m_pages.size() > 1) {
    // The neighbour is shown first, the next one where there is one.
    const int neighbour = page + 1 < static_cast<int>(m_pages.size()) ? page + 1 : page - 1;
    m_notebook->SetSelection(static_cast<size_t>(neighbour));
  }
  m_pages.erase(m_pages.begin() + page);
  m_notebook->DeletePage(static_cast<size_t>(page));
  m_userPageEvents = events;
  RenumberTables();
}

void SceneBook::Rebuild() {
  const bool events = m_userPageEvents;
  m_userPageEvents = false;
  m_pages.clear();
  m_notebook->DeleteAllPages();
  for (int scene = 0; scene < m_document.SceneCount(); ++scene) {
    InsertPage(scene);
  }
  if (m_notebook->GetSelection() == wxNOT_FOUND && m_document.SceneCount() > 0) {
    m_notebook->SetSelection(0);
  }
  Grid(m_notebook->GetSelection());
  m_userPageEvents = events;
}

void SceneBook::PutPagesInOrder() {
  const SceneId shown = Selection() >= 0 && Selection() < static_cast<int>(m_pages.size())
                            ? m_pages[Selection()].id
                            : 0;
  const bool events = m_userPageEvents;
  m_userPageEvents = false;
  for (int scene = 0; scene < m_document.SceneCount() && scene < static_cast<int>(m_pages.size()); ++scene) {
    const int page = PageOf(m_document.IdOfScene(scene));
    if (page <= scene) {
      continue;
    }
    // The page moves without its window being made again.
    const Page moved = m_pages[page];
    m_notebook->RemovePage(static_cast<size_t>(page));
    m_pages.erase(m_pages.begin() + page);
    m_notebook->InsertPage(static_cast<size_t>(scene), moved.panel,
                           wxString::FromUTF8(m_document.GetScene(scene).name), false);
    m_pages.insert(m_pages.begin() + scene, moved);
  }
  RenumberTables();
  const int shownPage = PageOf(shown);
  if (shownPage >= 0 && Selection() != shownPage) {
    m_notebook->ChangeSelection(static_cast<size_t>(shownPage));
  }
  m_userPageEvents = events;
}

void SceneBook::RenumberTables() {
  for (size_t page = 0; page < m_pages.size(); ++page) {
    if (m_pages[page].grid != nullptr) {
      static_cast<SceneTable*>(m_pages[page].grid->GetTable())->SetScene(static_cast<int>(page));
    }
  }
}

void SceneBook::ShowSceneColumns(int scene) {
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
  grid->SetColLabelValue(COL_FROM, values.idLabel ? _(LABEL_ID) : _(LABEL_FROM));
  StretchDescription(grid, values.columnWidths[COL_DESCRIPTION]);
}

void SceneBook::RefreshScene(int scene) {
  if (!m_document.HasScene(scene) || scene >= static_cast<int>(m_notebook->GetPageCount())) {
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

void SceneBook::CaptureColumnWidths() {
  for (int scene = 0; scene < m_document.SceneCount(); ++scene) {
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

void SceneBook::CloseEditor(int scene) {
  if (wxGrid* grid = ExistingGrid(scene)) {
    grid->SaveEditControlValue();
    grid->HideCellEditControl();
  }
}

void SceneBook::CloseAllEditors() {
  for (int scene = 0; scene < static_cast<int>(m_pages.size()); ++scene) {
    CloseEditor(scene);
  }
}

void SceneBook::SetContext(int scene, int row) {
  m_contextScene = m_document.IdOfScene(scene);
  m_contextRow = row;
}

void SceneBook::SetColourCell(int scene, int row) {
  m_colourScene = m_document.IdOfScene(scene);
  m_colourRow = row;
}

void SceneBook::ShowPlace(const EditPlace& place) {
  const int scene = std::min(std::max(place.scene < 0 ? Selection() : place.scene, 0), m_document.SceneCount() - 1);
  if (scene < 0) {
    return;
  }
  // No page-change event: the step itself says what to send and show.
  const bool events = m_userPageEvents;
  m_userPageEvents = false;
  m_notebook->ChangeSelection(static_cast<size_t>(scene));
  m_userPageEvents = events;
  wxGrid* grid = Grid(scene);
  if (grid != nullptr && place.row >= 0 && place.row < grid->GetNumberRows()) {
    grid->SetGridCursor(place.row, std::max(place.column, 0));
    grid->MakeCellVisible(place.row, std::max(place.column, 0));
  }
}

void SceneBook::DocumentChanged(const ChangeSet& changes) {
  if (changes.replaced) {
    Rebuild();
    return;
  }
  for (SceneId id : changes.scenesRemoved) {
    const int page = PageOf(id);
    if (page >= 0) {
      RemovePage(page);
    }
  }
  for (SceneId id : changes.scenesAdded) {
    const int scene = m_document.IndexOfScene(id);
    if (scene >= 0 && PageOf(id) < 0 && scene <= static_cast<int>(m_pages.size())) {
      InsertPage(scene);
    }
  }
  if (changes.scenesMoved) {
    PutPagesInOrder();
  }
  std::set<SceneId> refreshed = changes.rowsChanged;
  refreshed.insert(changes.valuesChanged.begin(), changes.valuesChanged.end());
  if (changes.scenesMoved) {
    for (const Page& page : m_pages) {
      refreshed.insert(page.id);
    }
  }
  for (SceneId id : refreshed) {
    RefreshScene(m_document.IndexOfScene(id));
  }
  if (changes.steppedHistory) {
    ShowPlace(changes.place);
  }
}
