#pragma once
// The undo and redo history of a Document: every named edit is recorded as
// a change that knows its inverse, and the changes of one user command form
// one step. A step keeps only what it changed (a cell's texts, the rows it
// removed, a deleted scene), so a long history of a large scenario stays
// small; the oldest steps go when the history is full.
#include <array>
#include <cstddef>
#include <deque>
#include <string>
#include <vector>

#include "core/model/scenario.h"

// One change of the scenario.
struct Edit {
  enum class Kind {
    CELL,          // scene, row, column: text before and after
    COLOUR,        // scene, row: colour before and after
    INSERT_ROWS,   // scene, row: `rows` inserted there
    DELETE_ROWS,   // scene, row: `rows` removed from there
    SWAP_ROWS,     // scene, rows `row` and `other`
    INSERT_SCENE,  // scene: `sceneValue` inserted there
    DELETE_SCENE,  // scene: `sceneValue` removed from there
    SWAP_SCENES,   // scenes `scene` and `other`
    RENAME,        // scene: name before and after
    FADE,          // scene: fade before and after (numberBefore/After)
    HOLD,          // scene: hold before and after
    COLUMN_WIDTH,  // scene, column: width before and after
    ID_LABEL,      // scene: label flag before and after (numberBefore/After)
    INPUT,         // input `row`: code before and after
  };
  Kind kind = Kind::CELL;
  int scene = 0;
  int row = 0;
  int other = 0;
  int column = 0;
  std::string textBefore;
  std::string textAfter;
  long numberBefore = 0;
  long numberAfter = 0;
  HoldTime holdBefore;
  HoldTime holdAfter;
  std::vector<Row> rows;
  std::vector<Scene> sceneValue;  // one scene, or none
  long sceneId = 0;               // the inserted or deleted scene's id

  // Bytes the change holds, roughly, for the history's budget.
  size_t Size() const;
};

// Does `edit` to the scenario, or undoes it.
void ApplyEdit(Scenario& scenario, const Edit& edit);
void RevertEdit(Scenario& scenario, const Edit& edit);

// Where a step leaves the user: the scene and cell it changed.
struct EditPlace {
  int scene = -1;
  int row = -1;
  int column = -1;
};

struct EditStep {
  std::string label;  // "delete scene \"Finale\""
  std::vector<Edit> edits;
  EditPlace place;
  size_t bytes = 0;  // what the history counts for it
};

class EditHistory {
 public:
  static constexpr size_t MAX_STEPS = 1000;
  // Far above 1000 steps of ordinary edits, far below what a machine has.
  static constexpr size_t MAX_BYTES = 64u * 1024u * 1024u;

  // A new step; the undone steps after the current one are dropped.
  void Push(EditStep step);
  // The newest done step, for edits that join it; null when none is.
  EditStep* Newest() { return m_done == 0 ? nullptr : &m_steps[m_done - 1]; }

  bool CanUndo() const { return m_done > 0; }
  bool CanRedo() const { return m_done < m_steps.size(); }
  const EditStep& NextUndo() const { return m_steps[m_done - 1]; }
  const EditStep& NextRedo() const { return m_steps[m_done]; }
  // Moves the current point; the caller applies the step's edits.
  const EditStep& Undo() { return m_steps[--m_done]; }
  const EditStep& Redo() { return m_steps[m_done++]; }

  void Clear();
  // The point that matches the file: a save or load sets it.
  void MarkSaved() { m_saved = static_cast<long>(m_done); }
  bool AtSaved() const { return m_saved == static_cast<long>(m_done); }
  size_t StepCount() const { return m_steps.size(); }
  size_t Bytes() const { return m_bytes; }
  // The newest step grew; its size counts from now.
  void Recount();

 private:
  void DropOldest();

  std::deque<EditStep> m_steps;
  size_t m_done = 0;  // steps before this point are done
  long m_saved = 0;   // -1 when the saved point was dropped
  size_t m_bytes = 0;
};
