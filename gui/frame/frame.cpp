// Construction of the main window and the frame-wide operations that
// nearly every command uses.
#include "gui/frame/lumivane_frame.h"

#include <wx/grid.h>
#include <wx/html/htmprint.h>
#include <wx/menu.h>
#include <wx/msgdlg.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include "core/board/board_lines.h"
#include "gui/app/app_state.h"
#include "gui/app/texts.h"
#include "gui/frame/link_view.h"
#include "gui/frame/colour_tips.h"
#include "gui/frame/recent_files_menu.h"
#include "gui/frame/scenario_drop_target.h"
#include "gui/frame/fade_hold_row.h"
#include "gui/frame/frame_commands.h"
#include "gui/frame/grid_clipboard_keys.h"
#include "gui/frame/report_printing.h"
#include "gui/frame/scene_book.h"
#include "gui/frame/scene_budget_status.h"
#include "gui/frame/status_texts.h"
#include "gui/remote/window_remotes.h"
#include "resources/icons.h"
#include "resources/icon_bundles.h"

LumivaneFrame::LumivaneFrame(const wxString& title, const wxSize& size, AppState& app, BoardLines& lines,
                             BoardSession::Mode mode)
    : wxFrame(nullptr, wxID_ANY, title, wxDefaultPosition, size, wxDEFAULT_FRAME_STYLE),
      m_app(app),
      m_view{false},
      m_timer(nullptr),
      m_activeScene(-1),
      m_lines(lines),
      m_modalDepth(0),
      m_fileChangePending(false),
      m_lastLinkFailure(LINK_OK) {
  m_session = std::make_unique<BoardSession>([&lines](const std::string& port) { return lines.MakeLink(port); },
                                             mode);
  m_linkView = std::make_unique<LinkView>(this);
  m_session->AddListener(m_linkView.get());
  m_session->SetAutoTransfer(app.settings.autoTransfer);
  m_session->SetWaker([view = m_linkView.get()] { view->Wake(); });
  WatchScenarioFile();
  SetSizeHints(wxDefaultSize, wxDefaultSize);
  SetIcons(AppIcons());

  SetStatusFieldWidths(CreateStatusBar(STATUS_FIELDS, wxST_SIZEGRIP | wxFULL_REPAINT_ON_RESIZE), false);

  Bind(wxEVT_CLOSE_WINDOW, &LumivaneFrame::OnCloseWindow, this);

  BuildMenus();
  m_recent = std::make_unique<RecentFilesMenu>(
      this, GetMenuBar()->FindItem(ID_OPEN_RECENT)->GetSubMenu(), m_app.settings,
      [this](const wxString& path) { return m_commands->documents.OpenScenario(path); },
      [this](const wxString& text, const wxString& caption, long style) { ShowMessage(text, caption, style); });
  SetDropTarget(new ScenarioDropTarget([this](const wxString& path) { return m_commands->documents.OpenScenario(path); },
                                       [this](const wxString& text) { SetStatus(text, STATUS_MESSAGE); }));
  BuildToolBar();
  BindCommands();

  GetMenuBar()->Enable(wxID_UNDO, false);
  GetToolBar()->EnableTool(wxID_UNDO, false);
  GetMenuBar()->Enable(wxID_REDO, false);
  GetToolBar()->EnableTool(wxID_REDO, false);

  auto* sizer = new wxBoxSizer(wxVERTICAL);
  m_book = std::make_unique<SceneBook>(this, m_document, [this](wxGrid* grid) {
    m_commands->cells.BindGrid(grid);
    grid->Bind(wxEVT_GRID_CELL_RIGHT_CLICK, &RowSceneCommands::OnCellRightClick, &m_commands->rows);
    RouteClipboardKeys(grid, this);
    ShowColourCellTips(grid, [this, grid](int row) {
      const int scene = m_book->SceneOfGrid(grid);
      return row < m_document.RowCount(scene) ? m_document.GetRow(scene, row).colour : NO_COLOUR;
    });
  });
  sizer->Add(m_book->Notebook(), 1, wxEXPAND);
  m_fadeHold = std::make_unique<FadeHoldRow>(this, sizer);

  StartEmptyScenario();

  SetSizer(sizer);
  Layout();
  Notebook()->Bind(wxEVT_NOTEBOOK_PAGE_CHANGED, &LumivaneFrame::OnPageChanged, this);

  m_document.SetPath(m_app.startFile.empty() ? m_app.settings.scenarioFile : m_app.startFile.utf8_string());
  if (!m_document.Path().empty()) {
    if (ReadScenario()) {
      SetStatus(_(MSG_LOADED_RECENT), STATUS_MESSAGE);
      m_recent->Note(wxString::FromUTF8(m_document.Path()));
    } else {
      m_document.SetPath(std::string());
      SetStatus(_(MSG_FAILED_RECENT), STATUS_MESSAGE);
    }
  }

  ShowSceneValues(CurrentScene());
  m_document.SetModified(false);
  UpdateTitle();
  // From here on the window follows every change of the Document.
  m_document.AddListener(this);
  m_budgetStatus = std::make_unique<SceneBudgetStatus>(this, [this] { return Target().speed; });

  m_remotes = std::make_unique<WindowRemotes>(*this, m_app, m_lines);

  m_timer = new wxTimer(this, ID_TIMER);
  Bind(wxEVT_TIMER, [this](wxTimerEvent&) { TimerTick(); }, ID_TIMER);
  m_timer->Start(TIMER_PERIOD_MS, wxTIMER_CONTINUOUS);

  // The first transfer waits until the window is on screen, so that a port
  // error appears over the program and not before it.
  const bool runStartFile = !m_app.startFile.empty();
  CallAfter([this, runStartFile] {
    if (runStartFile) {
      wxCommandEvent run(wxEVT_MENU, ID_TRANSFER);
      OnTransferRun(run);
    } else {
      AutoTransfer(-1);
    }
  });
}

LumivaneFrame::~LumivaneFrame() {
  // The remotes go first: they drive the session and hear the Document.
  m_remotes.reset();
  m_budgetStatus.reset();
  m_document.RemoveListener(this);
  Notebook()->Unbind(wxEVT_NOTEBOOK_PAGE_CHANGED, &LumivaneFrame::OnPageChanged, this);
  // Cancels what the link still had to do and closes the port; nothing it
  // tells reaches this window any more.
  m_session->SetWaker(nullptr);
  m_session->RemoveListener(m_linkView.get());
  m_session->BeginClosing();
  m_session.reset();
  m_linkBusy.EndAll();
  if (m_timer != nullptr) {
    m_timer->Stop();
    delete m_timer;
  }
  m_commands.reset();
}

void LumivaneFrame::SetStatus(const wxString& text, int field) {
  GetStatusBar()->SetStatusText(text, field);
}

void LumivaneFrame::StopRun() {
  if (m_activeScene < 0) {
    return;
  }
  m_activeScene = -1;
  // Cancels what the run still had to send.
  m_session->Stop();
  SetStatus(m_document.IsModified() ? _(STATE_MODIFIED) : "", STATUS_STATE);
  ClearStaleMessage(GetStatusBar(), IsInputMessage);
  m_linkView->ShowHoldField();
}


bool LumivaneFrame::AutoTransfer(int scene) {
  // The session's policy decides what goes out.
  if (!m_session->Snapshot().autoTransfer || SceneCount() == 0) {
    return false;
  }
  StopRun();
  m_activeScene = scene < 0 ? CurrentScene() : scene;
  return SendScene(scene, true);
}

void LumivaneFrame::ResetScenes() {
  Scenario none;
  none.scenes.clear();
  none.palette = m_document.GetScenario().palette;
  m_document.Replace(std::move(none));
}

LumivaneFrame::ModalScope::ModalScope(LumivaneFrame* frame) : m_frame(frame) { ++m_frame->m_modalDepth; }

LumivaneFrame::ModalScope::~ModalScope() {
  if (--m_frame->m_modalDepth == 0 && m_frame->m_fileChangePending) {
    // The file changed while the dialog was open: ask now, after the
    // command that opened it has finished.
    m_frame->CallAfter([frame = m_frame] { frame->m_linkView->AskAboutChangedFile(); });
  }
}

int LumivaneFrame::ShowMessage(const wxString& message, const wxString& caption, long style) {
  ModalScope modal(this);
  return wxMessageBox(message, caption, style, this);
}

void LumivaneFrame::UpdateTitle() {
  const wxString file = wxString::FromUTF8(m_document.Path());
  // Unsaved changes show as a mark before the name, as desktop programs do.
  SetTitle(TITLE_PREFIX + wxString(m_document.IsModified() ? TITLE_MODIFIED_MARK : "") +
           (file.empty() ? wxString(_(TITLE_UNTITLED)) : file.AfterLast('/')));
}

void LumivaneFrame::OnAutoTransfer(wxCommandEvent& event) {
  // The tool has toggled itself; the event carries its new state.
  m_session->SetAutoTransfer(event.IsChecked());
  AutoTransfer(-1);
}
