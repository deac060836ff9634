#pragma once
#include <wx/wx.h>  // the toolkit's headers expect its core set first
#include <wx/colour.h>
#include <wx/frame.h>
#include <wx/string.h>

#include "gui/frame/ids.h"

class wxButton;
class wxCommandEvent;
class wxCloseEvent;
class wxGrid;
class wxGridEvent;
class wxKeyEvent;
class wxBookCtrlEvent;
class wxHtmlEasyPrinting;
class wxMenu;
class wxMenuBar;
class wxNotebook;
class wxStaticText;
class wxSizer;
class wxStatusBar;
class wxTextCtrl;
class wxTimer;
class wxTimerEvent;
class wxToolBar;

// The main window. It owns the open scenario: one notebook page per scene
// (the page window is the scene's grid), the per-scene fade and hold tables,
// the input functions, the palette, the printing object and the timer.
// Its methods live in the files of the subsystems that use them:
//   frame/frame.cpp          construction and frame-wide operations
//   frame/frame_menus.cpp    menus, tool bar, status bar, fade/hold row
//   frame/scene_pages.cpp    scene pages and the grid
//   frame/cell_editing.cpp   cell edits, colour choice, the fade/hold row
//   frame/undo.cpp           the Undo command
//   storage/scenario_file.cpp  the scenario writer and reader
//   serial/board_commands.cpp  opening the link, transfers, reset/clear/program
//   storage/document_commands.cpp  new, open, save, revert, exit, closing
//   serial/runner.cpp          running a scenario, the timer, inputs, file watch
//   frame/row_scene_commands.cpp  rows and scenes: insert, delete, move, ...
//   dialogs/settings_command.cpp, dialogs/input_config_command.cpp  dialogs
//   storage/report.cpp         the printed report
//   help/help_commands.cpp     tips, user guide, about box
class LumivaneFrame : public wxFrame {
 public:
  LumivaneFrame(const wxString& title, const wxSize& size);
  ~LumivaneFrame() override;

  // Frame-wide operations.
  void StopRun();
  void SetModified(bool on);
  bool AutoTransfer(int scene);
  int CurrentScene();
  void ResetScenes();
  void UpdateTitle();

  // Scene pages.
  void CreateScenePage(int position, const wxString& name, bool hideTo);
  void SetNumberEditors(wxGrid* grid, int row);
  int SceneCount() const;

  // Cell editing and undo.
  bool ChooseColour(wxGrid* grid, int row);
  void CommitFadeHold();
  void ClearUndoHistory();
  void ForgetCellPositions();

  // Scenario file (storage/scenario_file.cpp).
  bool WriteScenario();
  bool ReadScenario();
  // The system's reason why the last WriteScenario failed; empty after a
  // save that succeeded.
  const wxString& LastScenarioError() const { return m_scenarioError; }
  // Function code of auxiliary input 0..3, for tests.
  int InputFunction(int input) const { return m_inputFunction[input]; }

  // Document commands (storage/document_commands.cpp).
  bool SaveScenario(bool force, bool askName, bool asCopy);
  void OnNew(wxCommandEvent& event);
  void OnOpen(wxCommandEvent& event);
  void OnSave(wxCommandEvent& event);
  void OnSaveAs(wxCommandEvent& event);
  void OnSaveCopy(wxCommandEvent& event);
  void OnRevert(wxCommandEvent& event);
  void OnExit(wxCommandEvent& event);

  // Scenario runner (serial/runner.cpp).
  void OnTransferRun(wxCommandEvent& event);
  void OnStop(wxCommandEvent& event);
  void OnSetAllFade(wxCommandEvent& event);
  // One 100 ms tick: keep-alive, file watch, hold countdown, inputs.
  void TimerTick();

  // Board commands (serial/board_commands.cpp).
  bool OpenLink(const wxString& text);
  bool SendScene(int scene, bool automatic);
  bool EraseRom();
  void OnResetBoards(wxCommandEvent& event);
  void OnProgramBoards(wxCommandEvent& event);
  void OnClearBoards(wxCommandEvent& event);

  // Settings command (dialogs/settings_command.cpp).
  void OnSettings(wxCommandEvent& event);

  // Row and scene commands (frame/row_scene_commands.cpp).
  void BindRowSceneCommands();
  void OnCellRightClick(wxGridEvent& event);
  // Makes row `row` of `grid` the context of the row commands and builds
  // the grid's context menu for it and the current scene, entries enabled
  // as they apply; the caller owns the menu.
  wxMenu* BuildContextMenu(wxGrid* grid, int row);
  void OnInsertRow(wxCommandEvent& event);
  void OnDeleteRow(wxCommandEvent& event);
  void OnMoveRowUp(wxCommandEvent& event);
  void OnMoveRowDown(wxCommandEvent& event);
  void OnMoveSceneLeft(wxCommandEvent& event);
  void OnMoveSceneRight(wxCommandEvent& event);
  void OnAddScene(wxCommandEvent& event);
  void OnDuplicateScene(wxCommandEvent& event);
  void OnDeleteScene(wxCommandEvent& event);
  void OnRenameScene(wxCommandEvent& event);
  void OnNextScene(wxCommandEvent& event);
  void OnPreviousScene(wxCommandEvent& event);
  // Exchanges the contents of rows a and b of a scene's grid.
  void SwapRows(wxGrid* grid, int a, int b);
  // Exchanges scene a (the current one) with scene b and shows b.
  void SwapScenes(int a, int b);
  // True when no scene bears `name` (ignoring case), or when the user
  // agrees to use it anyway.
  bool CheckSceneName(const wxString& name);
  // Where the context menu was opened, for tests.
  int ContextRow() const { return m_contextRow; }
  wxGrid* ContextGrid() const { return m_contextGrid; }

  // Input configuration command (dialogs/input_config_command.cpp).
  void OnInputConfig(wxCommandEvent& event);

  // Report and printing (storage/report.cpp).
  void BindReportCommands();
  // The open scenario as an HTML report, and the page header printed above
  // each of its pages.
  wxString BuildReport();
  wxString BuildReportHeader() const;
  void OnPreview(wxCommandEvent& event);
  void OnPrint(wxCommandEvent& event);
  // The printing object, for tests that print without the print dialog.
  wxHtmlEasyPrinting* Printing() const { return m_printing; }

  // Help (help/help_commands.cpp): the tip dialog, shared by start-up and
  // the Tips command, and the other Help menu commands.
  void BindHelpCommands();
  void ShowTips();
  void OnTips(wxCommandEvent& event);
  void OnUserGuide(wxCommandEvent& event);
  void OnAbout(wxCommandEvent& event);
  // Opens the user guide with the PDF viewer that the mailcap file at
  // `mailcapPath` names, else with the desktop's default application, else
  // tells the user where the guide lies. Returns whether a viewer started.
  bool OpenUserGuide(const wxString& mailcapPath);

  // Read access for the application object and tests.
  wxGrid* Grid(int scene) const { return m_grids[scene]; }
  wxNotebook* Notebook() const { return m_notebook; }
  wxTextCtrl* FadeText() const { return m_fadeText; }
  wxTextCtrl* HoldText() const { return m_holdText; }
  wxToolBar* ToolBar() const { return m_toolBar; }
  wxMenu* EditMenu() const { return m_menuEdit; }
  bool IsModified() const { return m_modified; }
  bool IsRunning() const { return m_running; }
  int ActiveScene() const { return m_activeScene; }
  int Fade(int scene) const { return m_fade[scene]; }
  double Hold(int scene) const { return m_hold[scene]; }
  const wxColour& PaletteColour(int slot) const { return m_palette[slot]; }
  wxTimer* Timer() const { return m_timer; }

  // Event handlers (bound at construction; public so tests can drive them
  // the way the event loop does).
  void OnCloseWindow(wxCloseEvent& event);
  void OnPageChanged(wxBookCtrlEvent& event);
  void OnHideToColumn(wxCommandEvent& event);
  void OnAutoTransfer(wxCommandEvent& event);
  void OnTimer(wxTimerEvent& event);
  void OnEditorShown(wxGridEvent& event);
  void OnCellLeftClick(wxGridEvent& event);
  void OnCellChanged(wxGridEvent& event);
  void OnPickColour(wxCommandEvent& event);
  void OnSetAllHold(wxCommandEvent& event);
  void OnUndo(wxCommandEvent& event);
  void OnMenuKey(wxKeyEvent& event);

 private:
  wxString AskSceneName(const wxString& message, const wxString& caption, wxString suggestion);
  int FirstFreePosition() const;
  bool IsSceneGrid(const wxGrid* grid) const;
  void ShowSceneValues(int scene);
  void StepScene(int step);
  void BuildMenus();
  void BuildToolBar();
  void BuildFadeHoldRow(wxSizer* sizer);
  void BindCommands();
  void SetStatus(const wxString& text, int field);
  void ShowError(const wxString& message);
  void EnableUndo(bool enable);
  void SetModifiedByCellEdit();
  void AppendEmptyRow(wxGrid* grid);
  void NumberFreshRow(wxGrid* grid, int row);
  // Ends a run and takes the fade/hold row over; the scene whose value
  // "Set All" copies, or -1.
  int SetAllSource();
  void SwitchAutoTransferOff();
  void BindDocumentCommands();
  void CommitOpenEdits();
  void StartEmptyScenario();
  bool ConfirmLosingChanges();
  void AdvanceHold();
  void PollInputs();
  void WatchScenarioFile();
  void GoToScene(int scene);
  void ReloadScenario();
  void ReportTransmitFailure();

  wxMenuBar* m_menuBar;
  wxMenu* m_menuFile;
  wxMenu* m_menuEdit;
  wxMenu* m_menuControl;
  wxMenu* m_menuHelp;
  wxStatusBar* m_statusBar;
  wxToolBar* m_toolBar;
  wxNotebook* m_notebook;
  wxGrid* m_grids[MAX_SCENES];
  wxStaticText* m_fadeLabel;
  wxTextCtrl* m_fadeText;
  wxButton* m_fadeSetAll;
  wxStaticText* m_holdLabel;
  wxTextCtrl* m_holdText;
  wxButton* m_holdSetAll;
  wxTimer* m_timer;
  bool m_paused;
  double m_holdElapsed;
  int m_keepAliveTicks;
  int m_activeScene;
  bool m_pageEventsEnabled;
  int m_fade[MAX_SCENES];
  double m_hold[MAX_SCENES];
  int m_inputFunction[INPUT_COUNT];
  unsigned char m_inputState;
  wxColour m_palette[PALETTE_SIZE];
  int m_contextRow;
  wxGrid* m_contextGrid;
  wxGrid* m_colourGrid;
  int m_colourRow;
  long m_fileTime;
  wxHtmlEasyPrinting* m_printing;
  bool m_modified;
  int m_currentScene;
  bool m_running;
  // Something changed that the undo history doesn't record (rows, scenes,
  // fade and hold, automatic numbering) since the last load or save; undoing
  // every cell edit then leaves the scenario modified.
  bool m_unrecordedChange;
  // Why the last scene transfer failed: programming must not repeat a
  // message the transfer already showed.
  enum LinkFailure { LINK_OK, LINK_OPEN_FAILED, LINK_WRITE_FAILED } m_lastLinkFailure;
  // The system's reason why the last WriteScenario failed.
  wxString m_scenarioError;
};
