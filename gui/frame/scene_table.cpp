#include "gui/frame/scene_table.h"

#include "core/model/document.h"
#include "gui/app/texts.h"
#include "gui/frame/cell_colours.h"
#include "gui/frame/colour_swatch_renderer.h"
#include "gui/frame/number_cell_editor.h"

namespace {

const char* const COLUMN_LABELS[GRID_COLUMNS] = {LABEL_FROM, LABEL_TO, LABEL_COLOUR, LABEL_BLINK,
                                                 LABEL_DESCRIPTION};

wxGridCellAttr* Shared(wxGridCellAttr* attr) {
  attr->IncRef();
  return attr;
}

}  // namespace

SceneTable::SceneTable(Document* document, int scene)
    : m_document(document), m_scene(scene), m_numberAttr(new wxGridCellAttr),
      m_unsetColourAttr(new wxGridCellAttr), m_freshBlackAttr(new wxGridCellAttr) {
  // No range, so any number can be typed and the checks after the edit can
  // warn about it; the renderer shows numbers as the toolkit's number
  // columns do.
  m_numberAttr->SetEditor(new NumberCellEditor);
  m_numberAttr->SetRenderer(new wxGridCellNumberRenderer);
  m_unsetColourAttr->SetAlignment(wxALIGN_CENTRE, wxALIGN_TOP);
  m_freshBlackAttr->SetAlignment(wxALIGN_CENTRE, wxALIGN_TOP);
  m_freshBlackAttr->SetBackgroundColour(*wxBLACK);
  m_unsetColourAttr->SetRenderer(new ColourSwatchRenderer(false));
  m_freshBlackAttr->SetRenderer(new ColourSwatchRenderer(true));
}

SceneTable::~SceneTable() {
  m_numberAttr->DecRef();
  m_unsetColourAttr->DecRef();
  m_freshBlackAttr->DecRef();
  for (wxGridCellAttr* attr : m_colourAttrs) {
    if (attr != nullptr) {
      attr->DecRef();
    }
  }
}

int SceneTable::GetNumberRows() { return m_document->RowCount(m_scene); }

int SceneTable::GetNumberCols() { return GRID_COLUMNS; }

wxString SceneTable::GetValue(int row, int col) {
  return wxString::FromUTF8(m_document->GetRow(m_scene, row).Text(col));
}

void SceneTable::SetValue(int row, int col, const wxString& value) {
  Document::Step step(*m_document, STEP_EDIT_CELL, EditPlace{m_scene, row, col});
  m_document->NoteTypedIntoCell();
  m_document->SetCellText(m_scene, row, col, value.utf8_string());
}

void SceneTable::SetRowColour(int row, int colour) {
  m_document->SetRowColour(m_scene, row, colour);
  if (GetView() != nullptr) {
    GetView()->RefreshAttr(row, COL_COLOUR);
  }
}

bool SceneTable::IsEmptyCell(int row, int col) {
  return m_document->GetRow(m_scene, row).Text(col).empty();
}

void SceneTable::Clear() {
  for (int row = 0; row < GetNumberRows(); ++row) {
    for (int col = 0; col < GRID_COLUMNS; ++col) {
      m_document->SetCellText(m_scene, row, col, std::string());
    }
  }
}

// Rows changed through the grid reach the Document; the scene book hears
// the change and tells the grid.
bool SceneTable::InsertRows(size_t pos, size_t numRows) {
  m_document->InsertRows(m_scene, static_cast<int>(pos), static_cast<int>(numRows));
  return true;
}

bool SceneTable::AppendRows(size_t numRows) {
  m_document->InsertRows(m_scene, GetNumberRows(), static_cast<int>(numRows));
  return true;
}

bool SceneTable::DeleteRows(size_t pos, size_t numRows) {
  m_document->DeleteRows(m_scene, static_cast<int>(pos), static_cast<int>(numRows));
  return true;
}

wxString SceneTable::GetColLabelValue(int col) {
  if (col == COL_FROM && m_document->HasScene(m_scene) && m_document->GetScene(m_scene).idLabel) {
    return _(LABEL_ID);
  }
  return col >= 0 && col < GRID_COLUMNS ? wxGetTranslation(COLUMN_LABELS[col]) : wxString();
}

wxGridCellAttr* SceneTable::ColourAttr(int colour) {
  if (colour == FRESH_BLACK) {
    return Shared(m_freshBlackAttr);
  }
  if (colour < 0 || colour >= static_cast<int>(m_colourAttrs.size())) {
    return Shared(m_unsetColourAttr);
  }
  wxGridCellAttr*& attr = m_colourAttrs[colour];
  if (attr == nullptr) {
    attr = new wxGridCellAttr;
    attr->SetBackgroundColour(IndexToWxColour(colour));
    attr->SetAlignment(wxALIGN_CENTRE, wxALIGN_TOP);
    attr->SetRenderer(new ColourSwatchRenderer(true));
  }
  return Shared(attr);
}

wxGridCellAttr* SceneTable::GetAttr(int row, int col, wxGridCellAttr::wxAttrKind) {
  switch (col) {
    case COL_FROM:
    case COL_TO:
    case COL_BLINK:
      return Shared(m_numberAttr);
    case COL_COLOUR:
      return ColourAttr(m_document->GetRow(m_scene, row).colour);
    default:
      return nullptr;
  }
}
