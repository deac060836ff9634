#pragma once
#include <wx/wx.h>  // the toolkit's headers expect its core set first
#include <wx/colour.h>
#include <wx/frame.h>
#include <wx/string.h>

#include <vector>

#include <memory>

#include "core/board/board_session.h"
#include "core/model/document.h"
#include "core/edit/edit_commands.h"
#include "gui/frame/busy_cursor_count.h"
#include "gui/frame/ids.h"
#include "gui/frame/program_progress.h"
#include "gui/frame/view_state.h"

struct AppState;

class wxCommandEvent;
class wxCloseEvent;
class wxGrid;
class wxGridEvent;
class wxGridSizeEvent;
class wxBookCtrlEvent;
class wxHtmlEasyPrinting;
class wxMenu;
class wxMenuBar;
class wxNotebook;
class wxPanel;
class wxStatusBar;
class wxTextCtrl;
class wxTimer;
class wxToolBar;
class BoardLines;
class FadeHoldRow;
class RecentFilesMenu;
class SceneBook;

// The main window: a view of the open Document and the router of its
// commands to the core (core/edit). The scene book (scene_book.h) shows the
// pages, the fade/hold row (fade_hold_row.h) the shown scene's values; the
// tool bar and the Edit menu show the view state (view_state.h). The frame
// hears the Document's change sets for the undo menu, the title, the
// modified state, the fade/hold row and auto transfer. Its methods live in
// the files of the subsystems that use them:
//   frame.cpp               construction and frame-wide operations
//   frame_menus.cpp         menus, tool bar, the commands' bindings
//                           (menu_keys.h: keys the grid would take)
//   scene_pages.cpp         page changes, Hide "To", the change-set listener
//   cell_editing.cpp        cell edits, colour choice, the fade/hold row
//                           (fade_hold_row.h) committed
//   undo.cpp                the Undo command
//   scenario_file.cpp       reading and writing the scenario file
//   board_commands.cpp      the board session and what it tells, opening
//                           the link, transfers, reset/clear/program
//                           (program_progress.h: Program's dialog)
//   document_commands.cpp   new, open, save, revert, exit, closing
//   runner.cpp              running a scenario, the timer, the file watch
//   row_scene_commands.cpp  rows and scenes: insert, delete, move, ...
//   ../dialogs/*_command.cpp  the settings and input configuration commands
//   monitor_command.cpp     the board monitor (../monitor/board_monitor.h)
//   report.cpp              the printed report
//   ../help/help_commands.cpp  tips, user guide, about box
class LumivaneFrame : public wxFrame, public DocumentListener {
 public:
  // `app` holds the settings the window shows and changes; `lines` the
  // lines to the boards; both outlive the window. The board session works
  // on a thread of its own (THREAD, the program), or on the window's
  // thread, ticked by the window's timer (TICKED: window tests, which drive
  // the timer by hand and see each command's writes done when it returns).
  LumivaneFrame(const wxString& title, const wxSize& size, AppState& app, BoardLines& lines,
                BoardSession::Mode mode = BoardSession::Mode::THREAD);
  ~LumivaneFrame() override;

  // Closing: the link's work waiting is cancelled and the port closed.
  bool Destroy() override;
  // Waits until the board link has done the work handed to it, and hands
  // the window what it reported.
  void WaitLinkIdle();

  // Frame-wide operations.
  void StopRun();
  void SetModified(bool on);
  bool AutoTransfer(int scene);
  int CurrentScene();
  void ResetScenes();
  void UpdateTitle();

  // Scene pages. CreateScenePage adds a new empty scene at `position`.
  void CreateScenePage(int position, const wxString& name, bool hideTo);
  int SceneCount() const;
  // Shows the Document's scene again in its page: rows, widths, labels.
  void RefreshScene(int scene);
  // The undo menu, title, modified state, fade/hold row and auto transfer
  // follow what the Document changed.
  void DocumentChanged(const ChangeSet& changes) override;

  // Cell editing and undo.
  bool ChooseColour(wxGrid* grid, int row);
  bool ChooseColour(int scene, int row);
  void CommitFadeHold();
  // A new history of steps; the menu and tools follow it.
  void ClearUndoHistory();
  void UpdateUndoRedo();

  // Scenario file (storage/scenario_file.cpp).
  // Writes the open scenario to `path`: its own file, or a copy.
  bool WriteScenario(const wxString& path);
  bool WriteScenario() { return WriteScenario(wxString::FromUTF8(m_document.Path())); }
  bool ReadScenario();
  // Reads the file at `path` into the window; false, with the reason in
  // LastScenarioError(), when it cannot be read, and nothing changes.
  bool ReadScenarioFrom(const wxString& path);
  // The system's reason why the last WriteScenario or ReadScenario failed;
  // empty after a save that succeeded.
  const wxString& LastScenarioError() const { return m_scenarioError; }
  // Function code of auxiliary input 0..3, for tests.
  int InputFunction(int input) const { return m_document.GetScenario().inputs[input]; }

  // Document commands (storage/document_commands.cpp).
  bool SaveScenario(bool force, bool askName, bool asCopy);
  void OnNew(wxCommandEvent& event);
  void OnOpen(wxCommandEvent& event);
  void OnSave(wxCommandEvent& event);
  void OnSaveAs(wxCommandEvent& event);
  void OnSaveCopy(wxCommandEvent& event);
  void OnRevert(wxCommandEvent& event);
  void OnExit(wxCommandEvent& event);
  // Opens the scenario file `path` as File > Open does, unsaved changes
  // saved first; an empty path asks for the file. Used by Open, Open
  // Recent and files dropped on the window. False when nothing was opened.
  bool OpenScenario(const wxString& path);

  // Scenario runner (serial/runner.cpp).
  void OnTransferRun(wxCommandEvent& event);
  // One 100 ms tick: the file watch and Program's progress; when the board
  // link is ticked, its keep-alive, hold countdown and inputs.
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
  void OnAddScene(wxCommandEvent& event);
  void OnDuplicateScene(wxCommandEvent& event);
  void OnDeleteScene(wxCommandEvent& event);
  void OnRenameScene(wxCommandEvent& event);
  // The context menu's row commands (ID_ROW_INSERT ...) at its row.
  void RowCommand(int command);
  // The scene shown changes places with its neighbour (step -1 or 1).
  void MoveShownScene(int step);
  // True when no scene bears `name` (ignoring case), or when the user
  // agrees to use it anyway.
  bool CheckSceneName(const wxString& name);
  // Where the context menu was opened, for tests.
  int ContextRow() const;
  wxGrid* ContextGrid() const;

  // Copy, cut and paste of rows (frame/clipboard_commands.cpp), and the
  // scenario check (frame/check_command.cpp).
  void BindClipboardCommands();
  void OnCopy(wxCommandEvent& event);
  void OnCut(wxCommandEvent& event);
  void OnPaste(wxCommandEvent& event);
  void OnCheckScenario(wxCommandEvent& event);
  // Shows a scene and puts the grid's cursor on a row.
  void GoToRow(int scene, int row);

  // Input configuration command (dialogs/input_config_command.cpp).
  void OnInputConfig(wxCommandEvent& event);

  // Board monitor (frame/monitor_command.cpp): the command, and the monitor
  // opening by itself at the first transfer to the virtual boards.
  void BindMonitorCommands();
  void OnBoardMonitor(wxCommandEvent& event);

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

  // Read access for the application object and tests. Grid makes the
  // scene's grid if its page has not been shown yet.
  wxGrid* Grid(int scene);
  // The grid of a page that has one, else null.
  wxGrid* ExistingGrid(int scene) const;
  Document& GetDocument() { return m_document; }
  wxNotebook* Notebook() const;
  wxTextCtrl* FadeText() const;
  wxTextCtrl* HoldText() const;
  wxToolBar* ToolBar() const { return GetToolBar(); }
  // The menu that holds Undo.
  wxMenu* EditMenu() const;
  // Auto transfer and Hide "To" as the commands left them; tests set them
  // the way a click on the tool or the check would before its command.
  ViewState& View() { return m_view; }
  bool IsModified() const { return m_document.IsModified(); }
  bool IsRunning() const { return m_session->Running(); }
  BoardSession& Session() { return *m_session; }
  BoardLines& Lines() { return m_lines; }
  int ActiveScene() const { return m_activeScene; }
  int Fade(int scene) const { return m_document.HasScene(scene) ? m_document.GetScene(scene).fade : 0; }
  double Hold(int scene) const { return m_document.HasScene(scene) ? m_document.GetScene(scene).hold.Seconds() : 0.0; }
  wxColour PaletteColour(int slot) const;
  wxTimer* Timer() const { return m_timer; }

  // Event handlers (bound at construction; public so tests can drive them
  // the way the event loop does).
  void OnCloseWindow(wxCloseEvent& event);
  void OnPageChanged(wxBookCtrlEvent& event);
  void OnHideToColumn(wxCommandEvent& event);
  void OnAutoTransfer(wxCommandEvent& event);
  void OnEditorShown(wxGridEvent& event);
  void OnCellLeftClick(wxGridEvent& event);
  void OnCellChanged(wxGridEvent& event);

 private:
  // While a dialog waits for the user, the file watch only notes a change
  // and asks once the dialog is gone.
  class ModalScope {
   public:
    explicit ModalScope(LumivaneFrame* frame);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

   private:
    LumivaneFrame* m_frame;
  };
  friend class ModalScope;
  int ShowMessage(const wxString& message, const wxString& caption, long style);
  // The rows the user selected in a scene's grid: whole rows, or the rows
  // of the selected cells, else the cursor's row; in order.
  std::vector<int> SelectedRows(int scene);
  bool CopyRows(int scene);
  void StepHistory(bool back);
  wxString AskSceneName(const wxString& message, const wxString& caption, wxString suggestion);
  void ShowSceneValues(int scene);
  void StepScene(int step);
  void BuildMenus();
  void BuildToolBar();
  void BindCommands();
  void SetStatus(const wxString& text, int field);
  void ShowError(const wxString& message);
  // The texts of a command's warnings, in their boxes.
  void ShowWarnings(const std::vector<EditWarning>& warnings);
  // Ends a run and takes the fade/hold row over; the scene whose value
  // "Set All" copies, or -1.
  int SetAllSource();
  void SwitchAutoTransferOff();
  void BindDocumentCommands();
  void CommitOpenEdits();
  void StartEmptyScenario();
  bool ConfirmLosingChanges();
  // The board session found the scenario file changed on disk; the
  // question put off while a dialog was open.
  void ScenarioFileChanged();
  void WatchScenarioFile();
  void AskAboutChangedFile();
  void GoToScene(int scene);
  // The port and speed the board commands go to.
  BoardTarget Target() const;
  void ReloadScenario();
  void ReportTransmitFailure();
  void ReportOpenFailure();
  // Hands the link the current page's scene to send and play from.
  void StartRun();
  // What the board session tells, on the window's thread.
  void HandleLinkReport(const LinkReport& report);
  void LinkFinished(const LinkReport& report);
  void RunReport(const LinkReport& report);
  // The countdown, and the run's lateness when it is late.
  void ShowHoldField();

  AppState& m_app;
  ViewState m_view;
  Document m_document;
  // The pages of the scenes, in a notebook.
  std::unique_ptr<SceneBook> m_book;
  // The shown scene's fade and hold, and their "Set All" buttons.
  std::unique_ptr<FadeHoldRow> m_fadeHold;
  // File > Open Recent; it keeps the list in the settings.
  std::unique_ptr<RecentFilesMenu> m_recent;
  wxTimer* m_timer;
  // The scene on the boards: the running one, or the last one sent by
  // auto transfer or programming; -1 when none is.
  int m_activeScene;
  wxHtmlEasyPrinting* m_printing;
  // The lines the program reaches, and the board session, which runs the
  // board commands and the runs; what it tells comes through the view.
  class LinkView;
  BoardLines& m_lines;
  std::unique_ptr<BoardSession> m_session;
  std::unique_ptr<LinkView> m_linkView;
  // Board commands under way that show the busy cursor.
  BusyCursorCount m_linkBusy;
  ProgramProgress m_programProgress;
  // The status text of OpenLink's opening.
  wxString m_openingText;
  int m_modalDepth;
  bool m_fileChangePending;
  // Why the last scene transfer failed: programming must not repeat a
  // message the transfer already showed.
  enum LinkFailure { LINK_OK, LINK_OPEN_FAILED, LINK_WRITE_FAILED } m_lastLinkFailure;
  // The system's reason why the last WriteScenario failed.
  wxString m_scenarioError;
};
