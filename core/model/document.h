#pragma once
// The open scenario with what belongs to it as a document: its file, the
// file's time when it was read or written, whether it changed since, and
// the undo history of cell edits. Commands change the scenario only through
// the named edits below, so that every change passes one place.
#include <ctime>
#include <string>

#include "core/model/scenario.h"
#include "core/model/undo_history.h"

class Document {
 public:
  const Scenario& GetScenario() const { return m_scenario; }
  int SceneCount() const { return static_cast<int>(m_scenario.scenes.size()); }
  bool HasScene(int scene) const { return scene >= 0 && scene < SceneCount(); }
  const Scene& GetScene(int scene) const { return m_scenario.scenes[scene]; }
  // The scene's row, or an empty row past its end.
  const Row& GetRow(int scene, int row) const;
  int RowCount(int scene) const;

  // A new scenario in place of the old one (New, Open, Revert, a reload):
  // the undo history starts afresh. The modified flag is the caller's. Only
  // while a window rebuilds its pages may a scenario have no scene.
  void Replace(Scenario scenario);

  // Cells. Texts are stored as typed; a colour is 0..215 or NO_COLOUR.
  void SetCellText(int scene, int row, int column, const std::string& text);
  void SetRowColour(int scene, int row, int colour);
  // Rows: positions outside the scene are ignored.
  void InsertRows(int scene, int position, int count);
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
  void SetHold(int scene, double hold);
  void SetAllFade(int fade);
  void SetAllHold(double hold);
  void SetColumnWidth(int scene, int column, int width);
  void SetIdLabel(int scene, bool idLabel);
  void SetInputFunction(int input, int code);
  void SetPaletteColour(int slot, const PaletteColour& colour);

  // The file the scenario belongs to (UTF-8 path), empty for none.
  const std::string& Path() const { return m_path; }
  void SetPath(const std::string& path) { m_path = path; }
  // Modification time of the file when last read or written; -1 while the
  // file is not watched.
  time_t FileTime() const { return m_fileTime; }
  void SetFileTime(time_t time) { m_fileTime = time; }

  // Changed since the last load or save.
  bool IsModified() const { return m_modified; }
  // Something changed that the undo history does not record (rows, scenes,
  // fade and hold, automatic numbering); undoing every cell edit then leaves
  // the scenario modified.
  bool HasUnrecordedChange() const { return m_unrecordedChange; }
  void SetModified(bool modified) { m_modified = modified; m_unrecordedChange = modified; }
  void SetUnrecordedChange(bool unrecorded) { m_unrecordedChange = unrecorded; }

  UndoHistory& Undo() { return m_undo; }
  // Forgets the recorded cell edits and what was not recorded.
  void ClearUndo();

 private:
  Row* MutableRow(int scene, int row);

  Scenario m_scenario;
  std::string m_path;
  time_t m_fileTime = -1;
  bool m_modified = false;
  bool m_unrecordedChange = false;
  UndoHistory m_undo;
};
