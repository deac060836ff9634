#pragma once
// The open scenario with what belongs to it as a document: the file's time
// when it was read or written, whether it changed since, and the undo and
// redo history. Commands change the scenario only through the named edits
// below, so that every change passes one place and can be undone. Every
// step, undo, redo and replacement is announced to the listeners as one
// change set, with scenes named by ids that stay with them.
#include <ctime>
#include <string>
#include <vector>

#include "core/model/change_set.h"
#include "core/model/edit_history.h"
#include "core/model/scenario.h"

class Document {
 public:
  const Scenario& GetScenario() const { return m_scenario; }
  int SceneCount() const { return static_cast<int>(m_scenario.scenes.size()); }
  bool HasScene(int scene) const { return scene >= 0 && scene < SceneCount(); }
  bool HasRow(int scene, int row) const { return HasScene(scene) && row >= 0 && row < RowCount(scene); }
  const Scene& GetScene(int scene) const { return m_scenario.scenes[scene]; }
  // The scene's row, or an empty row past its end.
  const Row& GetRow(int scene, int row) const;
  int RowCount(int scene) const;

  // The id of the scene at a position, and the position of an id (-1 when
  // no scene has it).
  SceneId IdOfScene(int scene) const { return HasScene(scene) ? m_sceneIds[scene] : 0; }
  int IndexOfScene(SceneId id) const;

  // Listeners hear every change set from now on; they must be removed
  // before they go.
  void AddListener(DocumentListener* listener);
  void RemoveListener(DocumentListener* listener);
  // The change set announced last, for the command that caused it; taking
  // it leaves an empty one.
  ChangeSet TakeLastChanges();

  // A new scenario in place of the old one (New, Open, Revert, a reload):
  // the history starts afresh at the saved point. The modified flag is the
  // caller's. Only while a window rebuilds its pages may a scenario have no
  // scene.
  void Replace(Scenario scenario);

  // ---- Steps ----------------------------------------------------------------
  // The edits between BeginStep and EndStep are one undo step, named by
  // `label` ("delete scene \"Finale\"") and showing `place` when undone or
  // redone. Steps nest: the outermost one counts. An edit outside a step is
  // a step of its own.
  void BeginStep(const std::string& label, EditPlace place = EditPlace());
  void EndStep();
  // The edits that follow, up to EndStep, join the newest step: a command
  // that finishes what the grid began (a cell's edit and its fresh row).
  // Only a step done at `place` is joined; otherwise the edits form a new
  // step named `label`.
  void ContinueLastStep(const EditPlace& place, const std::string& label);
  class Step {
   public:
    Step(Document& document, const std::string& label, EditPlace place = EditPlace())
        : m_document(document) {
      m_document.BeginStep(label, place);
    }
    ~Step() { m_document.EndStep(); }
    Step(const Step&) = delete;
    Step& operator=(const Step&) = delete;

   private:
    Document& m_document;
  };

  bool CanUndo() const { return m_history.CanUndo(); }
  bool CanRedo() const { return m_history.CanRedo(); }
  const std::string& UndoLabel() const;
  const std::string& RedoLabel() const;
  // Take back or do again one step; false when there is none. `place`
  // tells where it happened. The modified flag follows the saved point.
  bool Undo(EditPlace* place);
  bool Redo(EditPlace* place);
  // The scenario matches its file now (saved or loaded).
  void MarkSaved();
  // Forgets every step: a new history starts at the saved point.
  void ResetHistory();
  const EditHistory& History() const { return m_history; }

  // ---- Named edits ------------------------------------------------------------
  // Cells. Texts are stored as typed; a colour is 0..215, NO_COLOUR or
  // FRESH_BLACK.
  void SetCellText(int scene, int row, int column, const std::string& text);
  void SetRowColour(int scene, int row, int colour);
  // Rows: positions outside the scene are ignored.
  void InsertRows(int scene, int position, int count);
  void InsertRows(int scene, int position, const std::vector<Row>& rows);
  void DeleteRows(int scene, int position, int count);
  void SwapRows(int scene, int a, int b);
  // Every row gone but one empty row.
  void ClearRows(int scene);
  // Scenes.
  void InsertScene(int position, Scene scene);
  void DeleteScene(int scene);
  void SwapScenes(int a, int b);
  void RenameScene(int scene, const std::string& name);
  void SetFade(int scene, int fade);
  void SetHold(int scene, HoldTime hold);
  void SetAllFade(int fade);
  void SetAllHold(HoldTime hold);
  void SetIdLabel(int scene, bool idLabel);
  void SetInputFunction(int input, int code);
  // Not undone: the grid's column widths and the colour dialog's custom
  // colours are the user's view, no change of the show.
  void SetColumnWidth(int scene, int column, int width);
  void SetPaletteColour(int slot, const PaletteColour& colour);
  // "To" hidden or shown: its width, one undo step with the label.
  void SetToColumnWidth(int scene, int width);

  // The file the scenario is read from and saved to (UTF-8); empty while it
  // has none. Save a copy writes elsewhere and leaves it. A new path is
  // announced.
  const std::string& Path() const { return m_path; }
  void SetPath(const std::string& path);

  // Modification time of the file when last read or written; -1 while the
  // file is not watched.
  time_t FileTime() const { return m_fileTime; }
  void SetFileTime(time_t time) { m_fileTime = time; }

  // Scenes of the file read that the scenario could not hold; a save
  // writes fewer scenes than the file had while this is above 0.
  int ScenesLeftOut() const { return m_scenesLeftOut; }
  void SetScenesLeftOut(int count) { m_scenesLeftOut = count; }

  // Changed since the last load or save. Setting it to true also marks
  // the change set, so that listeners hear of it when it was on already.
  bool IsModified() const { return m_modified; }
  void SetModified(bool modified);

  // The open step is text a grid stored into a cell (ChangeSet::typedIntoCell).
  void NoteTypedIntoCell() { m_pending.typedIntoCell = true; }

 private:
  Row* MutableRow(int scene, int row);
  // Does the edit and records it in the open step, or in a step of its own.
  void Do(Edit edit);
  // Does or undoes an edit, keeping the ids in step and noting the change.
  void Play(const Edit& edit, bool forward);
  // Announces what is pending once no step is open.
  void Announce();

  Scenario m_scenario;
  std::string m_path;
  time_t m_fileTime = -1;
  int m_scenesLeftOut = 0;
  bool m_modified = false;
  EditHistory m_history;
  int m_stepDepth = 0;
  EditStep m_openStep;
  bool m_continuing = false;
  std::vector<SceneId> m_sceneIds = std::vector<SceneId>(1, 1);
  SceneId m_nextId = 2;
  std::vector<DocumentListener*> m_listeners;
  ChangeSet m_pending;
  ChangeSet m_lastChanges;
};
