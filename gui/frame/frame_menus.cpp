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
#include "gui/frame/menu_table.h"
#include "gui/frame/scene_budget_status.h"
#include "gui/frame/scene_book.h"
#include "gui/preview/preview_export_command.h"
#include "resources/icon_bundles.h"

void LumivaneFrame::BuildMenus() {
  // The table holds the items, their keys and their icons (menu_table.h).
  SetMenuBar(BuildMenuBar(MainMenus()));
}

void LumivaneFrame::BuildToolBar() {
  wxToolBar* tools = wxFrame::CreateToolBar();
  tools->AddTool(wxID_NEW, "", IconBundle("new"), _("New file..."));
  tools->AddTool(wxID_OPEN, "", IconBundle("open"), _("Open file..."));
  tools->AddTool(wxID_SAVE, "", IconBundle("save"), _("Save current file"));
  tools->AddSeparator();
  tools->AddTool(wxID_UNDO, "", IconBundle("undo"), _("Undo recent change"));
  tools->AddTool(wxID_REDO, "", IconBundle("redo"), _("Redo what was undone"));
  tools->AddSeparator();
  tools->AddTool(ID_TRANSFER, "", IconBundle("transfer"), wxBitmapBundle(), wxITEM_NORMAL,
                     _("Transfer the scene(s)"),
                     _("Run the scenario, take \"hold\" times into account"));
  tools->AddTool(ID_STOP, "", IconBundle("stop"), wxBitmapBundle(), wxITEM_NORMAL,
                     _("Stop the scenario"), _("Stop running the scenario"));
  tools->AddTool(ID_AUTO_TRANSFER, _("Auto transfer"), IconBundle("auto"), wxBitmapBundle(),
                     wxITEM_CHECK, _("Automatically transfer changes"),
                     _("Transfer the current scene after every change, but ignore \"hold\" "
                       "times (i.e. do not switch scenes)"));
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
  Bind(
      wxEVT_MENU,
      [this](wxCommandEvent&) {
        if (RunSettingsCommand(*this, m_app)) {
          m_budgetStatus->Show();  // at the speed chosen now
        }
      },
      wxID_PROPERTIES);
  Bind(wxEVT_MENU, &LumivaneFrame::OnResetBoards, this, ID_RESET_BOARDS);
  Bind(wxEVT_MENU, &LumivaneFrame::OnProgramBoards, this, ID_PROGRAM_BOARDS);
  Bind(wxEVT_MENU, &LumivaneFrame::OnClearBoards, this, ID_ERASE_BOARDS);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { RunInputConfigCommand(*this, m_document); }, ID_INPUT_CONFIG);
  Bind(wxEVT_MENU, [this](wxCommandEvent&) { RunCheckCommand(*this, m_document); }, ID_CHECK_SCENARIO);
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
