#pragma once
// Row and scene commands of the main window: the grid's context menu with
// its row commands, add, delete, rename, duplicate and move scenes, next and
// previous scene. Each asks what it must and routes to its core command;
// the scene book follows the Document.
#include <wx/string.h>

class wxCommandEvent;
class wxGrid;
class wxGridEvent;
class wxMenu;
class Document;
class LumivaneFrame;

class RowSceneCommands {
 public:
  // Binds the commands of `frame`; it and `document` outlive this.
  RowSceneCommands(LumivaneFrame& frame, Document& document);

  void OnCellRightClick(wxGridEvent& event);
  // Makes row `row` of `grid` the context of the row commands and builds
  // the grid's context menu for it and the current scene, entries enabled
  // as they apply; the caller owns the menu.
  wxMenu* BuildContextMenu(wxGrid* grid, int row);
  // Where the context menu was opened, for tests.
  int ContextRow() const;
  wxGrid* ContextGrid() const;

 private:
  // The context menu's row commands (ID_ROW_INSERT ...) at its row.
  void RowCommand(int command);
  // The scene shown changes places with its neighbour (step -1 or 1).
  void MoveShownScene(int step);
  // True when no scene bears `name` (ignoring case), or when the user
  // agrees to use it anyway.
  bool CheckSceneName(const wxString& name);
  wxString AskSceneName(const wxString& message, const wxString& caption, wxString suggestion);
  void OnAddScene(wxCommandEvent& event);
  void OnDuplicateScene(wxCommandEvent& event);
  void OnDeleteScene(wxCommandEvent& event);
  void OnRenameScene(wxCommandEvent& event);
  void StepScene(int step);

  LumivaneFrame& m_frame;
  Document& m_document;
};
