#include "core/model/edit_history.h"

#include <utility>

namespace {

size_t RowBytes(const Row& row) {
  return sizeof(Row) + row.from.capacity() + row.to.capacity() + row.blink.capacity() +
         row.description.capacity();
}

size_t SceneBytes(const Scene& scene) {
  size_t bytes = sizeof(Scene) + scene.name.capacity();
  for (const Row& row : scene.rows) {
    bytes += RowBytes(row);
  }
  return bytes;
}

size_t StepBytes(const EditStep& step) {
  size_t bytes = sizeof(EditStep) + step.label.capacity();
  for (const Edit& edit : step.edits) {
    bytes += edit.Size();
  }
  return bytes;
}

bool Has(const Scenario& scenario, int scene) {
  return scene >= 0 && scene < static_cast<int>(scenario.scenes.size());
}

bool HasRow(const Scenario& scenario, int scene, int row) {
  return Has(scenario, scene) && row >= 0 &&
         row < static_cast<int>(scenario.scenes[scene].rows.size());
}

std::string* CellText(Row& row, int column) {
  switch (column) {
    case COL_FROM: return &row.from;
    case COL_TO: return &row.to;
    case COL_BLINK: return &row.blink;
    case COL_DESCRIPTION: return &row.description;
    default: return nullptr;
  }
}

void InsertRows(Scenario& scenario, int scene, int row, const std::vector<Row>& rows) {
  if (Has(scenario, scene) && row >= 0 && row <= static_cast<int>(scenario.scenes[scene].rows.size())) {
    auto& target = scenario.scenes[scene].rows;
    target.insert(target.begin() + row, rows.begin(), rows.end());
  }
}

void DeleteRows(Scenario& scenario, int scene, int row, size_t count) {
  if (!HasRow(scenario, scene, row)) {
    return;
  }
  auto& target = scenario.scenes[scene].rows;
  const size_t end = std::min(target.size(), static_cast<size_t>(row) + count);
  target.erase(target.begin() + row, target.begin() + static_cast<long>(end));
}

void InsertScene(Scenario& scenario, int scene, const std::vector<Scene>& value) {
  if (!value.empty() && scene >= 0 && scene <= static_cast<int>(scenario.scenes.size())) {
    scenario.scenes.insert(scenario.scenes.begin() + scene, value.front());
  }
}

void DeleteScene(Scenario& scenario, int scene) {
  if (Has(scenario, scene)) {
    scenario.scenes.erase(scenario.scenes.begin() + scene);
  }
}

// Sets the value an edit changes to its before (forward false) or after state.
void SetSide(Scenario& scenario, const Edit& edit, bool forward) {
  const std::string& text = forward ? edit.textAfter : edit.textBefore;
  const long number = forward ? edit.numberAfter : edit.numberBefore;
  switch (edit.kind) {
    case Edit::Kind::CELL:
      if (HasRow(scenario, edit.scene, edit.row)) {
        if (std::string* cell = CellText(scenario.scenes[edit.scene].rows[edit.row], edit.column)) {
          *cell = text;
        }
      }
      break;
    case Edit::Kind::COLOUR:
      if (HasRow(scenario, edit.scene, edit.row)) {
        scenario.scenes[edit.scene].rows[edit.row].colour = static_cast<int>(number);
      }
      break;
    case Edit::Kind::RENAME:
      if (Has(scenario, edit.scene)) {
        scenario.scenes[edit.scene].name = text;
      }
      break;
    case Edit::Kind::FADE:
      if (Has(scenario, edit.scene)) {
        scenario.scenes[edit.scene].fade = static_cast<int>(number);
      }
      break;
    case Edit::Kind::HOLD:
      if (Has(scenario, edit.scene)) {
        scenario.scenes[edit.scene].hold = forward ? edit.holdAfter : edit.holdBefore;
      }
      break;
    case Edit::Kind::COLUMN_WIDTH:
      if (Has(scenario, edit.scene) && edit.column >= 0 && edit.column < GRID_COLUMNS) {
        scenario.scenes[edit.scene].columnWidths[edit.column] = static_cast<int>(number);
      }
      break;
    case Edit::Kind::ID_LABEL:
      if (Has(scenario, edit.scene)) {
        scenario.scenes[edit.scene].idLabel = number != 0;
      }
      break;
    case Edit::Kind::INPUT:
      if (edit.row >= 0 && edit.row < INPUT_COUNT) {
        scenario.inputs[edit.row] = static_cast<int>(number);
      }
      break;
    default:
      break;
  }
}

}  // namespace

size_t Edit::Size() const {
  size_t bytes = sizeof(Edit) + textBefore.capacity() + textAfter.capacity();
  for (const Row& row : rows) {
    bytes += RowBytes(row);
  }
  for (const Scene& scene : sceneValue) {
    bytes += SceneBytes(scene);
  }
  return bytes;
}

void ApplyEdit(Scenario& scenario, const Edit& edit) {
  switch (edit.kind) {
    case Edit::Kind::INSERT_ROWS: InsertRows(scenario, edit.scene, edit.row, edit.rows); break;
    case Edit::Kind::DELETE_ROWS: DeleteRows(scenario, edit.scene, edit.row, edit.rows.size()); break;
    case Edit::Kind::INSERT_SCENE: InsertScene(scenario, edit.scene, edit.sceneValue); break;
    case Edit::Kind::DELETE_SCENE: DeleteScene(scenario, edit.scene); break;
    case Edit::Kind::SWAP_ROWS:
      if (HasRow(scenario, edit.scene, edit.row) && HasRow(scenario, edit.scene, edit.other)) {
        auto& rows = scenario.scenes[edit.scene].rows;
        std::swap(rows[edit.row], rows[edit.other]);
      }
      break;
    case Edit::Kind::SWAP_SCENES:
      if (Has(scenario, edit.scene) && Has(scenario, edit.other)) {
        std::swap(scenario.scenes[edit.scene], scenario.scenes[edit.other]);
      }
      break;
    default: SetSide(scenario, edit, true); break;
  }
}

void RevertEdit(Scenario& scenario, const Edit& edit) {
  switch (edit.kind) {
    case Edit::Kind::INSERT_ROWS: DeleteRows(scenario, edit.scene, edit.row, edit.rows.size()); break;
    case Edit::Kind::DELETE_ROWS: InsertRows(scenario, edit.scene, edit.row, edit.rows); break;
    case Edit::Kind::INSERT_SCENE: DeleteScene(scenario, edit.scene); break;
    case Edit::Kind::DELETE_SCENE: InsertScene(scenario, edit.scene, edit.sceneValue); break;
    case Edit::Kind::SWAP_ROWS:
    case Edit::Kind::SWAP_SCENES: ApplyEdit(scenario, edit); break;  // its own inverse
    default: SetSide(scenario, edit, false); break;
  }
}

void EditHistory::Push(EditStep step) {
  while (m_steps.size() > m_done) {
    m_bytes -= m_steps.back().bytes;
    m_steps.pop_back();
  }
  if (m_saved > static_cast<long>(m_done)) {
    m_saved = -1;  // the saved state was undone and is now out of reach
  }
  step.bytes = StepBytes(step);
  m_bytes += step.bytes;
  m_steps.push_back(std::move(step));
  ++m_done;
  while (m_steps.size() > 1 && (m_steps.size() > MAX_STEPS || m_bytes > MAX_BYTES)) {
    DropOldest();
  }
}

void EditHistory::Recount() {
  if (m_done == 0) {
    return;
  }
  EditStep& step = m_steps[m_done - 1];
  m_bytes -= step.bytes;
  step.bytes = StepBytes(step);
  m_bytes += step.bytes;
  while (m_steps.size() > 1 && m_bytes > MAX_BYTES && m_done > 1) {
    DropOldest();
  }
}

void EditHistory::DropOldest() {
  m_bytes -= m_steps.front().bytes;
  m_steps.pop_front();
  --m_done;
  m_saved = m_saved > 0 ? m_saved - 1 : -1;
}

void EditHistory::Clear() {
  m_steps.clear();
  m_done = 0;
  m_saved = 0;
  m_bytes = 0;
}
