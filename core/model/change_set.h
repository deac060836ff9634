#pragma once
// What one step changed in a Document, as its listeners hear it: scenes by
// their stable ids, so that a view keyed by id follows adds, removals and
// moves without renumbering.
#include <set>
#include <vector>

#include "core/model/edit_history.h"

using SceneId = long;

struct ChangeSet {
  // The whole scenario was replaced (new, open, revert, reload): every
  // scene is new.
  bool replaced = false;
  std::vector<SceneId> scenesAdded;
  std::vector<SceneId> scenesRemoved;
  bool scenesMoved = false;  // the order of the scenes changed
  std::set<SceneId> rowsChanged;
  // Name, fade, hold, column widths or the "ID" label.
  std::set<SceneId> valuesChanged;
  // What a run or a transfer shows: rows, fade or hold.
  std::set<SceneId> contentChanged;
  bool inputsChanged = false;
  // The step marked the scenario modified (also when it already was).
  bool markedModified = false;
  // The modified flag or the undo history (labels, saved point) changed.
  bool modifiedChanged = false;
  bool historyChanged = false;
  bool pathChanged = false;
  // Text the grid stored into a cell, before the cell edit's command
  // finishes the step: nothing to show or send yet.
  bool typedIntoCell = false;
  // An undo or redo: where the step it took back or did again happened.
  bool steppedHistory = false;
  EditPlace place;

  bool Empty() const {
    return !replaced && scenesAdded.empty() && scenesRemoved.empty() && !scenesMoved && rowsChanged.empty() &&
           valuesChanged.empty() && !inputsChanged && !markedModified && !modifiedChanged && !historyChanged &&
           !pathChanged && !steppedHistory;
  }
};

// Hears every change set a Document announces, after the change is done.
class DocumentListener {
 public:
  virtual ~DocumentListener() = default;
  virtual void DocumentChanged(const ChangeSet& changes) = 0;
};
