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
struct FrameCommands;
class RecentFilesMenu;
class SceneBook;
class WindowRemotes;
class SceneBudgetStatus;

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
//   link_view.cpp           what the board session tells, and the file
//                           changed on disk
//   board_commands.cpp      the board session, opening
//                           the link, transfers, reset/clear/program
//                           (program_progress.h: Program's dialog)
//   document_commands.cpp   saving and closing; the File commands
//                           (document_commands.h: new, open, revert...)
//   runner.cpp              running a scenario, the timer, the file watch
// Commands that live apart, bound to their items here or by themselves:
//   ../dialogs/dialog_commands.h  settings, input configuration, check,
//                                 the board monitor, what the boards hold
//                                 (rom_record_command.cpp)
//   frame_commands.h        groups: cell_edit_commands.h (cell edits,
//                           colour choice), row_scene_commands.h (rows and
//                           scenes: insert, delete, move...),
//                           report_commands.h (print), undo_commands.h,
//                           help
//                           (../help/help_commands.h), clipboard_commands.h
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
  void CommitFadeHold();

  // Scenario file (storage/scenario_file.cpp).
  // Writes the open scenario to `path`: its own file, or a copy.
  bool WriteScenario(const wxString& path);
  bool ReadScenario();
  // Reads the file at `path` into the window; false, with the reason in
  // LastScenarioError(), when it cannot be read, and nothing changes.
  bool ReadScenarioFrom(const wxString& path);
  // The system's reason why the last WriteScenario or ReadScenario failed;
  // empty after a save that succeeded.
  const wxString& LastScenarioError() const { return m_scenarioError; }

  // Document commands (storage/document_commands.cpp).
  bool SaveScenario(bool force, bool askName, bool asCopy);

  // Scenario runner (serial/runner.cpp).
  void OnTransferRun(wxCommandEvent& event);
  // Transfer/run for a remote: "" when the run starts; where the command
  // would ask the user or show an error (a scenario without a file, a save
  // that fails), the reason instead, and nothing changes.
  wxString RunWithoutDialogs();
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

  // Shows a scene and puts the grid's cursor on a row.
  void GoToRow(int scene, int row);

  // The command groups that bind their own items (frame_commands.h): rows
  // and scenes, help, report, clipboard.
  FrameCommands& Commands() { return *m_commands; }

  // For the commands that live apart from the frame: a dialog's time on
  // screen, messages, the status bar and open edits committed.
  class ModalScope {
   public:
    explicit ModalScope(LumivaneFrame* frame);
    ~ModalScope();
    ModalScope(const ModalScope&) = delete;
    ModalScope& operator=(const ModalScope&) = delete;

   private:
    LumivaneFrame* m_frame;
  };
  int ShowMessage(const wxString& message, const wxString& caption, long style);
  void SetStatus(const wxString& text, int field);
  // The texts of a command's warnings, in their boxes.
  void ShowWarnings(const std::vector<EditWarning>& warnings);
  void CommitOpenEdits();
  // The port and speed the board commands go to.
  BoardTarget Target() const;
  // The fade/hold row shows a scene's values.
  void ShowSceneValues(int scene);

  // Read access for the application object and tests. Grid makes the
  // scene's grid if its page has not been shown yet.
  wxGrid* Grid(int scene);
  // The grid of a page that has one, else null.
  wxGrid* ExistingGrid(int scene) const;
  Document& GetDocument() { return m_document; }
  wxNotebook* Notebook() const;
  FadeHoldRow& FadeHold() { return *m_fadeHold; }
  // Auto transfer and Hide "To" as the commands left them; tests set them
  // the way a click on the tool or the check would before its command.
  ViewState& View() { return m_view; }
  BoardSession& Session() { return *m_session; }
  int ActiveScene() const { return m_activeScene; }
  wxTimer* Timer() const { return m_timer; }
  // The remotes, show mode and the Remote control command
  // (../remote/window_remotes.h).
  WindowRemotes& Remotes() { return *m_remotes; }

  // Event handlers (bound at construction; public so tests can drive them
  // the way the event loop does).
  void OnCloseWindow(wxCloseEvent& event);
  void OnPageChanged(wxBookCtrlEvent& event);
  void OnHideToColumn(wxCommandEvent& event);
  void OnAutoTransfer(wxCommandEvent& event);

 private:
  // While a dialog waits for the user, the file watch only notes a change
  // and asks once the dialog is gone.
  friend class ModalScope;
  // Row and scene commands change what the frame shows and follow a run.
  friend class RowSceneCommands;
  friend class CellEditCommands;
  friend class DocumentCommands;
  void BuildMenus();
  void BuildToolBar();
  void BindCommands();
  void ShowError(const wxString& message);
  // Ends a run and takes the fade/hold row over; the scene whose value
  // "Set All" copies, or -1.
  int SetAllSource();
  void SwitchAutoTransferOff();
  void StartEmptyScenario();
  void WatchScenarioFile();
  void GoToScene(int scene);
  // Hands the link the current page's scene to send and play from.
  void StartRun();

  AppState& m_app;
  ViewState m_view;
  Document m_document;
  // The pages of the scenes, in a notebook.
  std::unique_ptr<SceneBook> m_book;
  // The shown scene's fade and hold, and their "Set All" buttons.
  std::unique_ptr<FadeHoldRow> m_fadeHold;
  // The shown scene's transfer in the status bar.
  std::unique_ptr<SceneBudgetStatus> m_budgetStatus;
  // File > Open Recent; it keeps the list in the settings.
  std::unique_ptr<RecentFilesMenu> m_recent;
  wxTimer* m_timer;
  // The scene on the boards: the running one, or the last one sent by
  // auto transfer or programming; -1 when none is.
  int m_activeScene;
  std::unique_ptr<FrameCommands> m_commands;
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
  std::unique_ptr<WindowRemotes> m_remotes;
};
