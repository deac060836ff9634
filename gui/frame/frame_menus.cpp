// The main window's menus and tool bar, and the binding of
// the commands to their handlers.
#include "gui/frame/lumivane_frame.h"
#include <wx/grid.h>
#include <wx/notebook.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

#include "gui/app/app_state.h"
#include "gui/app/texts.h"
#include "gui/frame/lumivane_frame.h"
#include "gui/frame/scene_book.h"
#include "resources/icons.h"

namespace {

// A menu item with a 16x16 icon.
void AppendWithIcon(wxMenu* menu, int id, const wxString& label, const wxString& help,
                    const char* const* xpm) {
  auto* item = new wxMenuItem(menu, id, label, help);
  item->SetBitmap(wxBitmap(xpm));
  menu->Append(item);
}

}  // namespace

void LumivaneFrame::BuildMenus() {
  // An empty label lets the toolkit supply the stock label, accelerator and help.
  m_menuFile = new wxMenu;
  m_menuFile->Append(wxID_NEW);
  m_menuFile->Append(wxID_OPEN);
  m_menuFile->Append(wxID_SAVE);
  m_menuFile->Append(wxID_SAVEAS);
  m_menuFile->Append(ID_SAVE_COPY, "Save &Copy as...", "Save a copy of this scenario");
  m_menuFile->AppendSeparator();
  m_menuFile->Append(wxID_REVERT_TO_SAVED);
  m_menuFile->AppendSeparator();
  m_menuFile->Append(wxID_PRINT);
  m_menuFile->Append(wxID_PREVIEW);
  m_menuFile->AppendSeparator();
  m_menuFile->Append(wxID_EXIT);

  m_menuEdit = new wxMenu;
  m_menuEdit->Append(wxID_ADD, "&Add scene", "Add another scene to this scenario");
  m_menuEdit->Append(wxID_DELETE, "&Delete scene", "Delete this scene");
  m_menuEdit->Append(wxID_EDIT, "&Rename scene", "Rename this scene");
  m_menuEdit->Append(wxID_DUPLICATE, "D&uplicate scene", "Duplicate this scene");
  m_menuEdit->AppendSeparator();
  m_menuEdit->Append(wxID_UNDO, "Undo\tCtrl-Z", "Undo the recent changes");
  m_menuEdit->Append(wxID_REDO, "Redo\tCtrl-Y", "Redo what was undone");
  m_menuEdit->AppendSeparator();
  m_menuEdit->Append(wxID_CUT, "Cu&t\tCtrl-X", "Cut the selected rows to the clipboard");
  m_menuEdit->Append(wxID_COPY, "&Copy\tCtrl-C", "Copy the selected rows to the clipboard");
  m_menuEdit->Append(wxID_PASTE, "&Paste\tCtrl-V", "Paste rows above the selected row");
  m_menuEdit->AppendSeparator();
  m_menuEdit->AppendCheckItem(ID_HIDE_TO, "&Hide \"To\" column",
                              "Hide (or show) the \"To\" column in the grid");
  m_menuEdit->Append(ID_INPUT_CONFIG, "&Input configuration",
                     "Configure the functions of the auxiliary inputs");
  m_menuEdit->AppendSeparator();
  m_menuEdit->Append(ID_CHECK_SCENARIO, "Chec&k scenario\tCtrl-K",
                     "List the mistakes that would show on the boards");

  m_menuControl = new wxMenu;
  AppendWithIcon(m_menuControl, ID_TRANSFER, "&Transfer / run\tF5",
                 "Run the scenario, take \"hold\" times into account", transfer16_xpm);
  AppendWithIcon(m_menuControl, ID_STOP, "&Stop\tShift+F5", "Stop the scenario", stop16_xpm);
  m_menuControl->Append(wxID_BACKWARD, "Pre&vious scene\tPgUp", "Move to the previous scene");
  m_menuControl->Append(wxID_FORWARD, "&Next scene\tPgDn", "Move to the next scene");
  m_menuControl->AppendSeparator();
  m_menuControl->Append(ID_RESET_BOARDS, "&Reset Lumivanes",
                        "Reset the Lumivanes and the serial port");
  m_menuControl->Append(ID_PROGRAM_BOARDS, "&Program Lumivanes",
                        "Store the scenario in the Lumivanes' ROM");
  m_menuControl->Append(ID_ERASE_BOARDS, "&Clear (erase) Lumivanes' program",
                        "Erase the Lumivane's ROM (containing the scenario and settings)");
  m_menuControl->AppendSeparator();
  m_menuControl->Append(wxID_PROPERTIES, "S&ettings\tF2", "Set program configuration and options");
  m_menuControl->Append(ID_BOARD_MONITOR, "Board &monitor\tF3", "Show what the boards on the line hold");

  m_menuHelp = new wxMenu;
  m_menuHelp->Append(wxID_HELP, "&User Guide", "Display the User Guide");
  m_menuHelp->Append(wxID_HELP_PROCEDURES, "&Tips",
                     "Display the usage tips (\"tip of the day\")");
  m_menuHelp->AppendSeparator();
  m_menuHelp->Append(wxID_ABOUT);

  m_menuBar = new wxMenuBar;
  m_menuBar->Append(m_menuFile, "&File");
  m_menuBar->Append(m_menuEdit, "&Edit");
  m_menuBar->Append(m_menuControl, "&Control");
  m_menuBar->Append(m_menuHelp, "&Help");
  SetMenuBar(m_menuBar);
}

void LumivaneFrame::BuildToolBar() {
  m_toolBar = wxFrame::CreateToolBar();
  m_toolBar->AddTool(wxID_NEW, "", wxBitmap(new16_xpm), "New file...");
  m_toolBar->AddTool(wxID_OPEN, "", wxBitmap(open16_xpm), "Open file...");
  m_toolBar->AddTool(wxID_SAVE, "", wxBitmap(save16_xpm), "Save current file");
  m_toolBar->AddSeparator();
  m_toolBar->AddTool(wxID_UNDO, "", wxBitmap(undo16_xpm), "Undo recent change");
  m_toolBar->AddTool(wxID_REDO, "", wxBitmap(redo16_xpm), "Redo what was undone");
  m_toolBar->AddSeparator();
  m_toolBar->AddTool(ID_TRANSFER, "", wxBitmap(transfer16_xpm), wxNullBitmap, wxITEM_NORMAL,
                     "Transfer the scene(s)",
                     "Run the scenario, take \"hold\" times into account");
  m_toolBar->AddTool(ID_STOP, "", wxBitmap(stop16_xpm), wxNullBitmap, wxITEM_NORMAL,
                     "Stop the scenario", "Stop running the scenario");
  m_toolBar->AddTool(ID_AUTO_TRANSFER, "Auto transfer", wxBitmap(auto16_xpm), wxNullBitmap,
                     wxITEM_CHECK, "Automatically transfer changes",
                     "Transfer the current scene after every change, but ignore \"hold\" "
                     "times (i.e. do not switch scenes)");
  m_toolBar->ToggleTool(ID_AUTO_TRANSFER, m_view.autoTransfer);
  m_toolBar->Realize();
}

void LumivaneFrame::BindCommands() {
  // Menu items and tools share ids, so one binding serves both.
  Bind(wxEVT_MENU, &LumivaneFrame::OnHideToColumn, this, ID_HIDE_TO);
  Bind(wxEVT_TOOL, &LumivaneFrame::OnAutoTransfer, this, ID_AUTO_TRANSFER);
  // The check and the tool show the view state whenever the toolkit
  // updates its controls (at idle time, and as a menu opens).
  Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Check(m_view.hideTo); }, ID_HIDE_TO);
  Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Check(m_view.autoTransfer); }, ID_AUTO_TRANSFER);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { StepHistory(true); }, wxID_UNDO);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { StepHistory(false); }, wxID_REDO);
  Bind(wxEVT_UPDATE_UI, &LumivaneFrame::OnUpdateUndoRedo, this, wxID_UNDO);
  Bind(wxEVT_UPDATE_UI, &LumivaneFrame::OnUpdateUndoRedo, this, wxID_REDO);
  Bind(wxEVT_MENU, &LumivaneFrame::OnSettings, this, wxID_PROPERTIES);
  Bind(wxEVT_MENU, &LumivaneFrame::OnResetBoards, this, ID_RESET_BOARDS);
  Bind(wxEVT_MENU, &LumivaneFrame::OnProgramBoards, this, ID_PROGRAM_BOARDS);
  Bind(wxEVT_MENU, &LumivaneFrame::OnClearBoards, this, ID_ERASE_BOARDS);
  Bind(wxEVT_MENU, &LumivaneFrame::OnInputConfig, this, ID_INPUT_CONFIG);
  BindDocumentCommands();
  Bind(wxEVT_MENU, &LumivaneFrame::OnTransferRun, this, ID_TRANSFER);
  Bind(wxEVT_MENU, &LumivaneFrame::OnStop, this, ID_STOP);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { SetAllFade(m_document, SetAllSource()); }, ID_FADE_SET_ALL);
  Bind(wxEVT_CHAR_HOOK, &LumivaneFrame::OnMenuKey, this);
  BindRowSceneCommands();
  BindClipboardCommands();
  BindReportCommands();
  BindHelpCommands();
  BindMonitorCommands();
  // A colour cell typed into: the colour dialog, once the grid's event is over.
  Bind(wxEVT_MENU,
       [this](wxCommandEvent&) {
         if (wxGrid* grid = m_book->ExistingGrid(m_book->ColourScene())) {
           grid->HideCellEditControl();
         }
         ChooseColour(m_book->ColourScene(), m_book->ColourRow());
       },
       ID_PICK_COLOUR);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { SetAllHold(m_document, SetAllSource()); }, ID_HOLD_SET_ALL);
}

void LumivaneFrame::OnMenuKey(wxKeyEvent& event) {
  // The grid takes F2 (edit a cell), PgUp and PgDn (scroll) before the menu
  // sees them, and a page change puts the focus into the grid. Here they do
  // what the Control menu says; an open cell editor keeps PgUp and PgDn,
  // and Ctrl+Shift+Z.
  int command = wxID_NONE;
  if (event.GetModifiers() == wxMOD_NONE) {
    switch (event.GetKeyCode()) {
      case WXK_F2: command = wxID_PROPERTIES; break;
      case WXK_PAGEUP: command = wxID_BACKWARD; break;
      case WXK_PAGEDOWN: command = wxID_FORWARD; break;
      default: break;
    }
  } else if (event.GetModifiers() == (wxMOD_CONTROL | wxMOD_SHIFT) && event.GetKeyCode() == 'Z') {
    command = wxID_REDO;  // the second key of Redo, as other programs have it
  }
  const int selection = m_notebook->GetSelection();
  const wxGrid* grid = ExistingGrid(selection);
  if (command != wxID_PROPERTIES && grid != nullptr && grid->IsCellEditControlShown()) {
    command = wxID_NONE;
  }
  if (command == wxID_NONE) {
    event.Skip();
    return;
  }
  wxCommandEvent menu(wxEVT_MENU, command);
  ProcessWindowEvent(menu);
}
