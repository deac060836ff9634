// The main window's menus and tool bar, and the binding of
// the commands to their handlers.
#include "gui/frame/lumivane_frame.h"
#include <wx/grid.h>
#include <wx/notebook.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

#include "gui/app/app_state.h"
#include "gui/app/texts.h"
#include "gui/dialogs/dialog_commands.h"
#include "gui/frame/frame_commands.h"
#include "gui/frame/menu_keys.h"
#include "gui/frame/scene_book.h"
#include "gui/preview/preview_export_command.h"
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
  auto* menuFile = new wxMenu;
  menuFile->Append(wxID_NEW);
  menuFile->Append(wxID_OPEN);
  menuFile->Append(wxID_SAVE);
  menuFile->Append(wxID_SAVEAS);
  menuFile->Append(ID_SAVE_COPY, "Save &Copy as...", "Save a copy of this scenario");
  menuFile->AppendSeparator();
  menuFile->Append(wxID_REVERT_TO_SAVED);
  menuFile->AppendSeparator();
  menuFile->Append(wxID_PRINT);
  menuFile->Append(wxID_PREVIEW);
  menuFile->Append(ID_EXPORT_PREVIEW, _("&Export preview..."),
                   _("Write the scenario played on the virtual boards as an animated GIF"));
  menuFile->AppendSeparator();
  menuFile->Append(wxID_EXIT);

  auto* menuEdit = new wxMenu;
  menuEdit->Append(wxID_ADD, "&Add scene", "Add another scene to this scenario");
  menuEdit->Append(wxID_DELETE, "&Delete scene", "Delete this scene");
  menuEdit->Append(wxID_EDIT, "&Rename scene", "Rename this scene");
  menuEdit->Append(wxID_DUPLICATE, "D&uplicate scene", "Duplicate this scene");
  menuEdit->AppendSeparator();
  menuEdit->Append(wxID_UNDO, "Undo\tCtrl-Z", "Undo the recent changes");
  menuEdit->Append(wxID_REDO, "Redo\tCtrl-Y", "Redo what was undone");
  menuEdit->AppendSeparator();
  menuEdit->Append(wxID_CUT, "Cu&t\tCtrl-X", "Cut the selected rows to the clipboard");
  menuEdit->Append(wxID_COPY, "&Copy\tCtrl-C", "Copy the selected rows to the clipboard");
  menuEdit->Append(wxID_PASTE, "&Paste\tCtrl-V", "Paste rows above the selected row");
  menuEdit->AppendSeparator();
  menuEdit->AppendCheckItem(ID_HIDE_TO, "&Hide \"To\" column",
                              "Hide (or show) the \"To\" column in the grid");
  menuEdit->Append(ID_INPUT_CONFIG, "&Input configuration",
                     "Configure the functions of the auxiliary inputs");
  menuEdit->AppendSeparator();
  menuEdit->Append(ID_CHECK_SCENARIO, "Chec&k scenario\tCtrl-K",
                     "List the mistakes that would show on the boards");

  auto* menuControl = new wxMenu;
  AppendWithIcon(menuControl, ID_TRANSFER, "&Transfer / run\tF5",
                 "Run the scenario, take \"hold\" times into account", transfer16_xpm);
  AppendWithIcon(menuControl, ID_STOP, "&Stop\tShift+F5", "Stop the scenario", stop16_xpm);
  menuControl->Append(wxID_BACKWARD, "Pre&vious scene\tPgUp", "Move to the previous scene");
  menuControl->Append(wxID_FORWARD, "&Next scene\tPgDn", "Move to the next scene");
  menuControl->AppendSeparator();
  menuControl->Append(ID_RESET_BOARDS, "&Reset Lumivanes",
                        "Reset the Lumivanes and the serial port");
  menuControl->Append(ID_PROGRAM_BOARDS, "&Program Lumivanes",
                        "Store the scenario in the Lumivanes' ROM");
  menuControl->Append(ID_ERASE_BOARDS, "&Clear (erase) Lumivanes' program",
                        "Erase the Lumivane's ROM (containing the scenario and settings)");
  menuControl->Append(ID_ROM_RECORD, _("&What the boards hold..."),
                      _("Show what the boards were last programmed with, and compare it with this scenario"));
  menuControl->AppendSeparator();
  menuControl->Append(wxID_PROPERTIES, "S&ettings\tF2", "Set program configuration and options");
  menuControl->Append(ID_BOARD_MONITOR, "Board &monitor\tF3", "Show what the boards on the line hold");
  menuControl->Append(ID_REMOTE_CONTROL, _("Remote c&ontrol..."),
                      _("Let OSC, a phone's browser or another program run the scenario"));
  menuControl->Append(ID_SHOW_MODE, _("Sho&w mode\tF11"), _("A full-screen view of the run for the operator"));

  auto* menuHelp = new wxMenu;
  menuHelp->Append(wxID_HELP, "&User Guide", "Display the User Guide");
  menuHelp->Append(wxID_HELP_PROCEDURES, "&Tips",
                     "Display the usage tips (\"tip of the day\")");
  menuHelp->AppendSeparator();
  menuHelp->Append(wxID_ABOUT);

  auto* menuBar = new wxMenuBar;
  menuBar->Append(menuFile, "&File");
  menuBar->Append(menuEdit, "&Edit");
  menuBar->Append(menuControl, "&Control");
  menuBar->Append(menuHelp, "&Help");
  SetMenuBar(menuBar);
}

void LumivaneFrame::BuildToolBar() {
  wxToolBar* tools = wxFrame::CreateToolBar();
  tools->AddTool(wxID_NEW, "", wxBitmap(new16_xpm), "New file...");
  tools->AddTool(wxID_OPEN, "", wxBitmap(open16_xpm), "Open file...");
  tools->AddTool(wxID_SAVE, "", wxBitmap(save16_xpm), "Save current file");
  tools->AddSeparator();
  tools->AddTool(wxID_UNDO, "", wxBitmap(undo16_xpm), "Undo recent change");
  tools->AddTool(wxID_REDO, "", wxBitmap(redo16_xpm), "Redo what was undone");
  tools->AddSeparator();
  tools->AddTool(ID_TRANSFER, "", wxBitmap(transfer16_xpm), wxNullBitmap, wxITEM_NORMAL,
                     "Transfer the scene(s)",
                     "Run the scenario, take \"hold\" times into account");
  tools->AddTool(ID_STOP, "", wxBitmap(stop16_xpm), wxNullBitmap, wxITEM_NORMAL,
                     "Stop the scenario", "Stop running the scenario");
  tools->AddTool(ID_AUTO_TRANSFER, "Auto transfer", wxBitmap(auto16_xpm), wxNullBitmap,
                     wxITEM_CHECK, "Automatically transfer changes",
                     "Transfer the current scene after every change, but ignore \"hold\" "
                     "times (i.e. do not switch scenes)");
  tools->ToggleTool(ID_AUTO_TRANSFER, m_session->Snapshot().autoTransfer);
  tools->Realize();
}

void LumivaneFrame::BindCommands() {
  // Menu items and tools share ids, so one binding serves both.
  Bind(wxEVT_MENU, &LumivaneFrame::OnHideToColumn, this, ID_HIDE_TO);
  Bind(wxEVT_TOOL, &LumivaneFrame::OnAutoTransfer, this, ID_AUTO_TRANSFER);
  // The check and the tool show the view state whenever the toolkit
  // updates its controls (at idle time, and as a menu opens).
  Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Check(m_view.hideTo); }, ID_HIDE_TO);
  Bind(wxEVT_UPDATE_UI, [this](wxUpdateUIEvent& event) { event.Check(m_session->Snapshot().autoTransfer); }, ID_AUTO_TRANSFER);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { RunSettingsCommand(*this, m_app); }, wxID_PROPERTIES);
  Bind(wxEVT_MENU, &LumivaneFrame::OnResetBoards, this, ID_RESET_BOARDS);
  Bind(wxEVT_MENU, &LumivaneFrame::OnProgramBoards, this, ID_PROGRAM_BOARDS);
  Bind(wxEVT_MENU, &LumivaneFrame::OnClearBoards, this, ID_ERASE_BOARDS);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { RunInputConfigCommand(*this, m_document); }, ID_INPUT_CONFIG);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { RunCheckCommand(*this, m_document); }, ID_CHECK_SCENARIO);
  BindDocumentCommands();
  Bind(wxEVT_MENU, &LumivaneFrame::OnTransferRun, this, ID_TRANSFER);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { StopRun(); }, ID_STOP);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { SetAllFade(m_document, SetAllSource()); }, ID_FADE_SET_ALL);
  RouteMenuKeys(this, [this] { return ExistingGrid(Notebook()->GetSelection()); });
  m_commands = std::make_unique<FrameCommands>(*this, m_app, m_document);
  BindMonitorCommand(*this, m_lines);
  Bind(wxEVT_MENU,
       [this](wxCommandEvent&) {
         CommitOpenEdits();
         ModalScope modal(this);
         PreviewExportCommand(this, m_document.GetScenario(), m_document.Path(), m_app.settings.activeDir).Run();
       },
       ID_EXPORT_PREVIEW);
  BindRomRecordCommand(*this, m_app, m_document);
  Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { SetAllHold(m_document, SetAllSource()); }, ID_HOLD_SET_ALL);
}
