#include "core/model/document.h"

#include <algorithm>
#include <utility>

namespace {

const std::string NO_LABEL;

Edit MakeEdit(Edit::Kind kind, int scene, int row = 0) {
  Edit edit;
  edit.kind = kind;
  edit.scene = scene;
  edit.row = row;
  return edit;
}

}  // namespace

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

int Document::IndexOfScene(SceneId id) const {
  for (size_t scene = 0; scene < m_sceneIds.size(); ++scene) {
    if (m_sceneIds[scene] == id) {
      return static_cast<int>(scene);
    }
  }
  return -1;
}

void Document::AddListener(DocumentListener* listener) { m_listeners.push_back(listener); }

void Document::RemoveListener(DocumentListener* listener) {
  m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener), m_listeners.end());
}

ChangeSet Document::TakeLastChanges() {
  ChangeSet changes = std::move(m_lastChanges);
  m_lastChanges = ChangeSet();
  return changes;
}

void Document::Announce() {
  if (m_stepDepth > 0) {
    return;
  }
  if (m_pending.Empty()) {
    m_pending = ChangeSet();  // marks of a step that changed nothing
    return;
  }
  m_lastChanges = std::move(m_pending);
  m_pending = ChangeSet();
  // A listener may add or remove listeners while it hears.
  const std::vector<DocumentListener*> listeners = m_listeners;
  for (DocumentListener* listener : listeners) {
    if (std::find(m_listeners.begin(), m_listeners.end(), listener) != m_listeners.end()) {
      listener->DocumentChanged(m_lastChanges);
    }
  }
}

void Document::SetModified(bool modified) {
  m_pending.modifiedChanged = m_pending.modifiedChanged || modified != m_modified;
  m_pending.markedModified = m_pending.markedModified || modified;
  m_modified = modified;
  Announce();
}

void Document::SetPath(const std::string& path) {
  if (path == m_path) {
    return;
  }
  m_path = path;
  m_pending.pathChanged = true;
  Announce();
}

void Document::Replace(Scenario scenario) {
  m_scenario = std::move(scenario);
  m_scenesLeftOut = 0;
  m_sceneIds.clear();
  for (size_t scene = 0; scene < m_scenario.scenes.size(); ++scene) {
    m_sceneIds.push_back(m_nextId++);
  }
  m_pending = ChangeSet();
  m_pending.replaced = true;
  ResetHistory();
}

void Document::ResetHistory() {
  m_history.Clear();
  m_stepDepth = 0;
  m_openStep = EditStep();
  m_continuing = false;
  m_pending.historyChanged = true;
  Announce();
}

void Document::Play(const Edit& edit, bool forward) {
  if (forward) {
    ApplyEdit(m_scenario, edit);
  } else {
    RevertEdit(m_scenario, edit);
  }
  switch (edit.kind) {
    case Edit::Kind::INSERT_SCENE:
    case Edit::Kind::DELETE_SCENE:
      // A scene came or went at edit.scene, if the edit could be done.
      if (m_sceneIds.size() < m_scenario.scenes.size() && edit.scene <= static_cast<int>(m_sceneIds.size())) {
        m_sceneIds.insert(m_sceneIds.begin() + edit.scene, edit.sceneId);
        m_pending.scenesAdded.push_back(edit.sceneId);
      } else if (m_sceneIds.size() > m_scenario.scenes.size() && edit.scene < static_cast<int>(m_sceneIds.size())) {
        m_pending.scenesRemoved.push_back(m_sceneIds[edit.scene]);
        m_sceneIds.erase(m_sceneIds.begin() + edit.scene);
      }
      break;
    case Edit::Kind::SWAP_SCENES:
      if (HasScene(edit.scene) && HasScene(edit.other)) {
        std::swap(m_sceneIds[edit.scene], m_sceneIds[edit.other]);
        m_pending.scenesMoved = true;
      }
      break;
    case Edit::Kind::CELL:
    case Edit::Kind::COLOUR:
    case Edit::Kind::INSERT_ROWS:
    case Edit::Kind::DELETE_ROWS:
    case Edit::Kind::SWAP_ROWS:
      m_pending.rowsChanged.insert(IdOfScene(edit.scene));
      m_pending.contentChanged.insert(IdOfScene(edit.scene));
      break;
    case Edit::Kind::FADE:
    case Edit::Kind::HOLD:
      m_pending.contentChanged.insert(IdOfScene(edit.scene));
      m_pending.valuesChanged.insert(IdOfScene(edit.scene));
      break;
    case Edit::Kind::RENAME:
    case Edit::Kind::COLUMN_WIDTH:
    case Edit::Kind::ID_LABEL:
      m_pending.valuesChanged.insert(IdOfScene(edit.scene));
      break;
    case Edit::Kind::INPUT:
      m_pending.inputsChanged = true;
      break;
  }
}

// ---- Steps ------------------------------------------------------------------

void Document::BeginStep(const std::string& label, EditPlace place) {
  if (m_stepDepth++ > 0) {
    return;
  }
  m_openStep = EditStep();
  m_openStep.label = label;
  m_openStep.place = place;
}

void Document::EndStep() {
  if (m_stepDepth == 0 || --m_stepDepth > 0) {
    return;
  }
  if (m_continuing) {
    m_continuing = false;
    m_history.Recount();
  } else if (!m_openStep.edits.empty()) {
    m_history.Push(std::move(m_openStep));
    m_pending.historyChanged = true;
  }
  m_openStep = EditStep();
  Announce();
}

void Document::ContinueLastStep(const EditPlace& place, const std::string& label) {
  const EditStep* newest = m_history.CanUndo() && !m_history.CanRedo() ? &m_history.NextUndo() : nullptr;
  if (m_stepDepth > 0 || newest == nullptr || newest->place.scene != place.scene ||
      newest->place.row != place.row || newest->place.column != place.column) {
    BeginStep(label, place);  // nothing to join: the edits make a step of their own
    return;
  }
  m_stepDepth = 1;
  m_continuing = true;
}

void Document::Do(Edit edit) {
  Play(edit, true);
  if (m_continuing) {
    // The newest step is done already; its edits grow.
    m_history.Newest()->edits.push_back(std::move(edit));
    return;
  }
  if (m_stepDepth > 0) {
    m_openStep.edits.push_back(std::move(edit));
    return;
  }
  EditStep step;
  step.place = EditPlace{edit.scene, edit.row, edit.column};
  step.edits.push_back(std::move(edit));
  m_history.Push(std::move(step));
  m_pending.historyChanged = true;
  Announce();
}

const std::string& Document::UndoLabel() const {
  return m_history.CanUndo() ? m_history.NextUndo().label : NO_LABEL;
}

const std::string& Document::RedoLabel() const {
  return m_history.CanRedo() ? m_history.NextRedo().label : NO_LABEL;
}

bool Document::Undo(EditPlace* place) {
  if (!m_history.CanUndo() || m_stepDepth > 0) {
    return false;
  }
  const EditStep& step = m_history.Undo();
  for (auto edit = step.edits.rbegin(); edit != step.edits.rend(); ++edit) {
    Play(*edit, false);
  }
  *place = step.place;
  m_pending.historyChanged = true;
  m_pending.steppedHistory = true;
  m_pending.place = step.place;
  SetModified(!m_history.AtSaved());
  return true;
}

bool Document::Redo(EditPlace* place) {
  if (!m_history.CanRedo() || m_stepDepth > 0) {
    return false;
  }
  const EditStep& step = m_history.Redo();
  for (const Edit& edit : step.edits) {
    Play(edit, true);
  }
  *place = step.place;
  m_pending.historyChanged = true;
  m_pending.steppedHistory = true;
  m_pending.place = step.place;
  SetModified(!m_history.AtSaved());
  return true;
}

void Document::MarkSaved() {
  m_history.MarkSaved();
  m_pending.historyChanged = true;
  Announce();
}

// ---- Named edits ----------------------------------------------------------------

void Document::SetCellText(int scene, int row, int column, const std::string& text) {
  const Row* cells = MutableRow(scene, row);
  if (cells == nullptr) {
    return;
  }
  if (column == COL_COLOUR) {
    // The colour cell's text only says whether a colour is set; a set
    // cell without a chosen colour shows the default white.
    if (text.empty() && cells->colour != NO_COLOUR) {
      SetRowColour(scene, row, NO_COLOUR);
    } else if (!text.empty() && cells->colour == NO_COLOUR) {
      SetRowColour(scene, row, UNSET_COLOUR_INDEX);
    }
    return;
  }
  const std::string before = cells->Text(column);
  if (before == text || column < 0 || column >= GRID_COLUMNS) {
    return;
  }
  Edit edit = MakeEdit(Edit::Kind::CELL, scene, row);
  edit.column = column;
  edit.textBefore = before;
  edit.textAfter = text;
  Do(std::move(edit));
}

void Document::SetRowColour(int scene, int row, int colour) {
  const Row* cells = MutableRow(scene, row);
  if (cells == nullptr || cells->colour == colour) {
    return;
  }
  Edit edit = MakeEdit(Edit::Kind::COLOUR, scene, row);
  edit.column = COL_COLOUR;
  edit.numberBefore = cells->colour;
  edit.numberAfter = colour;
  Do(std::move(edit));
}

void Document::InsertRows(int scene, int position, int count) {
  if (count > 0) {
    InsertRows(scene, position, std::vector<Row>(static_cast<size_t>(count)));
  }
}

void Document::InsertRows(int scene, int position, const std::vector<Row>& rows) {
  if (!HasScene(scene) || rows.empty() || position < 0 || position > RowCount(scene)) {
    return;
  }
  Edit edit = MakeEdit(Edit::Kind::INSERT_ROWS, scene, position);
  edit.rows = rows;
  Do(std::move(edit));
}

void Document::DeleteRows(int scene, int position, int count) {
  if (!HasScene(scene) || count <= 0 || position < 0 || position >= RowCount(scene)) {
    return;
  }
  const auto& rows = m_scenario.scenes[scene].rows;
  const int end = std::min(position + count, RowCount(scene));
  Edit edit = MakeEdit(Edit::Kind::DELETE_ROWS, scene, position);
  edit.rows.assign(rows.begin() + position, rows.begin() + end);
  Do(std::move(edit));
}

void Document::SwapRows(int scene, int a, int b) {
  if (MutableRow(scene, a) == nullptr || MutableRow(scene, b) == nullptr || a == b) {
    return;
  }
  Edit edit = MakeEdit(Edit::Kind::SWAP_ROWS, scene, a);
  edit.other = b;
  Do(std::move(edit));
}

void Document::ClearRows(int scene) {
  if (!HasScene(scene)) {
    return;
  }
  BeginStep(NO_LABEL);
  DeleteRows(scene, 0, RowCount(scene));
  InsertRows(scene, 0, 1);
  EndStep();
}

void Document::InsertScene(int position, Scene scene) {
  if (position < 0 || position > SceneCount() || SceneCount() >= MAX_SCENES) {
    return;
  }
  Edit edit = MakeEdit(Edit::Kind::INSERT_SCENE, position);
  edit.sceneValue.push_back(std::move(scene));
  edit.sceneId = m_nextId++;
  Do(std::move(edit));
}

void Document::DeleteScene(int scene) {
  if (!HasScene(scene) || SceneCount() <= 1) {
    return;
  }
  Edit edit = MakeEdit(Edit::Kind::DELETE_SCENE, scene);
  edit.sceneValue.push_back(m_scenario.scenes[scene]);
  edit.sceneId = m_sceneIds[scene];
  Do(std::move(edit));
}

void Document::SwapScenes(int a, int b) {
  if (!HasScene(a) || !HasScene(b) || a == b) {
    return;
  }
  Edit edit = MakeEdit(Edit::Kind::SWAP_SCENES, a);
  edit.other = b;
  Do(std::move(edit));
}

void Document::RenameScene(int scene, const std::string& name) {
  if (!HasScene(scene) || m_scenario.scenes[scene].name == name) {
    return;
  }
  Edit edit = MakeEdit(Edit::Kind::RENAME, scene);
  edit.textBefore = m_scenario.scenes[scene].name;
  edit.textAfter = name;
  Do(std::move(edit));
}

void Document::SetFade(int scene, int fade) {
  if (!HasScene(scene) || m_scenario.scenes[scene].fade == fade) {
    return;
  }
  Edit edit = MakeEdit(Edit::Kind::FADE, scene);
  edit.numberBefore = m_scenario.scenes[scene].fade;
  edit.numberAfter = fade;
  Do(std::move(edit));
}

void Document::SetHold(int scene, HoldTime hold) {
  if (!HasScene(scene) || m_scenario.scenes[scene].hold == hold) {
    return;
  }
  Edit edit = MakeEdit(Edit::Kind::HOLD, scene);
  edit.holdBefore = m_scenario.scenes[scene].hold;
  edit.holdAfter = hold;
  Do(std::move(edit));
}

void Document::SetAllFade(int fade) {
  BeginStep(NO_LABEL);
  for (int scene = 0; scene < SceneCount(); ++scene) {
    SetFade(scene, fade);
  }
  EndStep();
}

void Document::SetAllHold(HoldTime hold) {
  BeginStep(NO_LABEL);
  for (int scene = 0; scene < SceneCount(); ++scene) {
    SetHold(scene, hold);
  }
  EndStep();
}

void Document::SetIdLabel(int scene, bool idLabel) {
  if (!HasScene(scene) || m_scenario.scenes[scene].idLabel == idLabel) {
    return;
  }
  Edit edit = MakeEdit(Edit::Kind::ID_LABEL, scene);
  edit.numberBefore = m_scenario.scenes[scene].idLabel ? 1 : 0;
  edit.numberAfter = idLabel ? 1 : 0;
  Do(std::move(edit));
}

void Document::SetToColumnWidth(int scene, int width) {
  if (!HasScene(scene) || m_scenario.scenes[scene].columnWidths[COL_TO] == width) {
    return;
  }
  Edit edit = MakeEdit(Edit::Kind::COLUMN_WIDTH, scene);
  edit.column = COL_TO;
  edit.numberBefore = m_scenario.scenes[scene].columnWidths[COL_TO];
  edit.numberAfter = width;
  Do(std::move(edit));
}

void Document::SetInputFunction(int input, int code) {
  if (input < 0 || input >= INPUT_COUNT || m_scenario.inputs[input] == code) {
    return;
  }
  Edit edit = MakeEdit(Edit::Kind::INPUT, -1, input);
  edit.numberBefore = m_scenario.inputs[input];
  edit.numberAfter = code;
  Do(std::move(edit));
}

void Document::SetColumnWidth(int scene, int column, int width) {
  if (HasScene(scene) && column >= 0 && column < GRID_COLUMNS) {
    m_scenario.scenes[scene].columnWidths[column] = width;
  }
}

void Document::SetPaletteColour(int slot, const PaletteColour& colour) {
  if (slot >= 0 && slot < PALETTE_SIZE) {
    m_scenario.palette[slot] = colour;
  }
}
