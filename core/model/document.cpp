#include "core/model/document.h"

#include <algorithm>
#include <utility>

const Row& Document::GetRow(int scene, int row) const {
  static const Row EMPTY;
  if (!HasScene(scene) || row < 0 || row >= RowCount(scene)) {
    return EMPTY;
  }
  return m_scenario.scenes[scene].rows[row];
}

int Document::RowCount(int scene) const {
  return HasScene(scene) ? static_cast<int>(m_scenario.scenes[scene].rows.size()) : 0;
}

Row* Document::MutableRow(int scene, int row) {
  if (!HasScene(scene) || row < 0 || row >= RowCount(scene)) {
    return nullptr;
  }
  return &m_scenario.scenes[scene].rows[row];
}

void Document::Replace(Scenario scenario) {
  m_scenario = std::move(scenario);
  ClearUndo();
}

void Document::ClearUndo() {
  m_undo.Clear();
  m_unrecordedChange = false;
}

void Document::SetCellText(int scene, int row, int column, const std::string& text) {
  Row* cells = MutableRow(scene, row);
  if (cells == nullptr) {
    return;
  }
  switch (column) {
    case COL_FROM: cells->from = text; break;
    case COL_TO: cells->to = text; break;
    case COL_BLINK: cells->blink = text; break;
    case COL_DESCRIPTION: cells->description = text; break;
    case COL_COLOUR:
      // The colour cell's text only says whether a colour is set; a set
      // cell without a chosen colour shows the default white.
      if (text.empty()) {
        cells->colour = NO_COLOUR;
      } else if (cells->colour == NO_COLOUR) {
        cells->colour = UNSET_COLOUR_INDEX;
      }
      break;
    default: break;
  }
}

void Document::SetRowColour(int scene, int row, int colour) {
  if (Row* cells = MutableRow(scene, row)) {
    cells->colour = colour;
  }
}

void Document::InsertRows(int scene, int position, int count) {
  if (!HasScene(scene) || count <= 0 || position < 0 || position > RowCount(scene)) {
    return;
  }
  auto& rows = m_scenario.scenes[scene].rows;
  rows.insert(rows.begin() + position, static_cast<size_t>(count), Row());
}

void Document::DeleteRows(int scene, int position, int count) {
  if (!HasScene(scene) || count <= 0 || position < 0 || position >= RowCount(scene)) {
    return;
  }
  auto& rows = m_scenario.scenes[scene].rows;
  const int end = std::min(position + count, RowCount(scene));
  rows.erase(rows.begin() + position, rows.begin() + end);
}

void Document::SwapRows(int scene, int a, int b) {
  Row* first = MutableRow(scene, a);
  Row* second = MutableRow(scene, b);
  if (first != nullptr && second != nullptr) {
    std::swap(*first, *second);
  }
}

void Document::ClearRows(int scene) {
  if (HasScene(scene)) {
    m_scenario.scenes[scene].rows.assign(1, Row());
  }
}

void Document::InsertScene(int position, Scene scene) {
  if (position < 0 || position > SceneCount() || SceneCount() >= MAX_SCENES) {
    return;
  }
  m_scenario.scenes.insert(m_scenario.scenes.begin() + position, std::move(scene));
}

void Document::DeleteScene(int scene) {
  if (HasScene(scene) && SceneCount() > 1) {
    m_scenario.scenes.erase(m_scenario.scenes.begin() + scene);
  }
}

void Document::SwapScenes(int a, int b) {
  if (HasScene(a) && HasScene(b)) {
    std::swap(m_scenario.scenes[a], m_scenario.scenes[b]);
  }
}

void Document::RenameScene(int scene, const std::string& name) {
  if (HasScene(scene)) {
    m_scenario.scenes[scene].name = name;
  }
}

void Document::SetFade(int scene, int fade) {
  if (HasScene(scene)) {
    m_scenario.scenes[scene].fade = fade;
  }
}

void Document::SetHold(int scene, double hold) {
  if (HasScene(scene)) {
    m_scenario.scenes[scene].hold = hold;
  }
}

void Document::SetAllFade(int fade) {
  for (Scene& scene : m_scenario.scenes) {
    scene.fade = fade;
  }
}

void Document::SetAllHold(double hold) {
  for (Scene& scene : m_scenario.scenes) {
    scene.hold = hold;
  }
}

void Document::SetColumnWidth(int scene, int column, int width) {
  if (HasScene(scene) && column >= 0 && column < GRID_COLUMNS) {
    m_scenario.scenes[scene].columnWidths[column] = width;
  }
}

void Document::SetIdLabel(int scene, bool idLabel) {
  if (HasScene(scene)) {
    m_scenario.scenes[scene].idLabel = idLabel;
  }
}

void Document::SetInputFunction(int input, int code) {
  if (input >= 0 && input < INPUT_COUNT) {
    m_scenario.inputs[input] = code;
  }
}

void Document::SetPaletteColour(int slot, const PaletteColour& colour) {
  if (slot >= 0 && slot < PALETTE_SIZE) {
    m_scenario.palette[slot] = colour;
  }
}
