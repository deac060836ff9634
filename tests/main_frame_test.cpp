// The main window: menus, tool bar, status bar and the frame-wide operations.
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/toolbar.h>
#include <wx/grid.h>
#include <wx/uiaction.h>

#include "gui/app/lumivane_app.h"
#include "gui/frame/frame_commands.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/gui_testing.h"
#include "support/settings_dialog_expectation.h"

namespace {

wxString Status(LumivaneFrame* frame, int field) {
  return frame->GetStatusBar()->GetStatusText(field);
}

}  // namespace

using MainFrame = AppTest;

TEST_F(MainFrame, StartsWithOneEmptySceneAndQuietStatusBar) {
  Start();
  EXPECT_EQ(m_frame->GetTitle(), "Lumivane - [Untitled]");
  EXPECT_EQ(m_frame->SceneCount(), 1);
  EXPECT_EQ(m_frame->Notebook()->GetPageText(0), "Scene 1");
  EXPECT_EQ(m_frame->GetStatusBar()->GetFieldsCount(), 4);
  for (int field = 0; field < 3; ++field) {
    EXPECT_EQ(Status(m_frame, field), "");
  }
  EXPECT_EQ(Status(m_frame, STATUS_BUDGET), "7 bytes, 0.0 s");
  EXPECT_FALSE(m_frame->Commands().undo.EditMenu()->IsEnabled(wxID_UNDO));
  EXPECT_FALSE(m_frame->GetToolBar()->GetToolEnabled(wxID_UNDO));
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
  ASSERT_NE(m_frame->Timer(), nullptr);
  EXPECT_TRUE(m_frame->Timer()->IsRunning());
  EXPECT_EQ(m_frame->Timer()->GetInterval(), 100);
}

TEST_F(MainFrame, TheStatusBarGivesTheShownScenesTransferAtTheSettingsSpeed) {
  std::vector<Row> rows(511);
  for (int row = 0; row < 511; ++row) {
    rows[row].from = std::to_string(row / 128 * 256 + row % 128 + 1);
  }
  const struct {
    const char* baud;
    const char* full;
  } cases[] = {{"0", "4,606 bytes, 4.8 s"}, {"1", "4,606 bytes, 0.4 s"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.baud);
    WriteSettings(std::string("[Settings]\ncom=\ntip=-1\nbaud=") + c.baud + "\n");
    Start();
    m_frame->GetDocument().InsertRows(0, 0, rows);
    EXPECT_EQ(Status(m_frame, STATUS_BUDGET), c.full);
    m_frame->CreateScenePage(1, "Finale", false);
    m_frame->Notebook()->SetSelection(1);
    EXPECT_EQ(Status(m_frame, STATUS_BUDGET), "7 bytes, 0.0 s");
    m_frame->GetDocument().SetCellText(1, 0, COL_FROM, "3");
    EXPECT_EQ(Status(m_frame, STATUS_BUDGET), "16 bytes, 0.0 s");
    m_frame->Notebook()->SetSelection(0);
    EXPECT_EQ(Status(m_frame, STATUS_BUDGET), c.full);
    CloseMainWindow();
  }
}

TEST_F(MainFrame, MenusCarryTheirLabelsHelpTextsAndAccelerators) {
  Start();
  wxMenuBar* bar = m_frame->GetMenuBar();
  ASSERT_EQ(bar->GetMenuCount(), 4u);
  EXPECT_EQ(bar->GetMenuLabel(0), "&File");
  EXPECT_EQ(bar->GetMenuLabel(1), "&Edit");
  EXPECT_EQ(bar->GetMenuLabel(2), "&Control");
  EXPECT_EQ(bar->GetMenuLabel(3), "&Help");

  struct Item {
    int id;
    const char* label;
    const char* help;
  };
  const Item items[] = {
      {ID_SAVE_COPY, "Save &Copy as...", "Save a copy of this scenario"},
      {wxID_ADD, "&Add scene", "Add another scene to this scenario"},
      {wxID_UNDO, "Undo\tCtrl-Z", "Undo the recent changes"},
      {wxID_REDO, "Redo\tCtrl-Y", "Redo what was undone"},
      {ID_HIDE_TO, "&Hide \"To\" column", "Hide (or show) the \"To\" column in the grid"},
      {ID_TRANSFER, "&Transfer / run\tF5", "Run the scenario, take \"hold\" times into account"},
      {ID_STOP, "&Stop\tShift+F5", "Stop the scenario"},
      {wxID_BACKWARD, "Pre&vious scene\tPgUp", "Move to the previous scene"},
      {wxID_FORWARD, "&Next scene\tPgDn", "Move to the next scene"},
      {ID_ERASE_BOARDS, "&Clear (erase) Lumivanes' program",
       "Erase the Lumivane's ROM (containing the scenario and settings)"},
      {ID_ROM_RECORD, "&What the boards hold...",
       "Show what the boards were last programmed with, and compare it with this scenario"},
      {wxID_PROPERTIES, "S&ettings\tF2", "Set program configuration and options"},
      {wxID_HELP_PROCEDURES, "&Tips", "Display the usage tips (\"tip of the day\")"},
      {ID_EXPORT_PREVIEW, "&Export preview...", "Write the scenario played on the virtual boards as an animated GIF"},
  };
  for (const Item& expected : items) {
    wxMenuItem* item = bar->FindItem(expected.id);
    ASSERT_NE(item, nullptr) << expected.label;
    EXPECT_EQ(item->GetItemLabel(), expected.label);
    EXPECT_EQ(item->GetHelp(), expected.help);
  }
  EXPECT_TRUE(bar->FindItem(ID_HIDE_TO)->IsCheckable());
  EXPECT_TRUE(bar->FindItem(ID_TRANSFER)->GetBitmap().IsOk());
  // Stock items get the toolkit's label.
  EXPECT_FALSE(bar->FindItem(wxID_OPEN)->GetItemLabel().empty());
  EXPECT_EQ(bar->GetMenu(0)->GetMenuItemCount(), 14u);  // Export preview and Open Recent included
}

TEST_F(MainFrame, ToolBarHoldsTheToolsWithTheirTips) {
  Start();
  wxToolBar* tools = m_frame->GetToolBar();
  EXPECT_EQ(tools->GetToolShortHelp(wxID_NEW), "New file...");
  EXPECT_EQ(tools->GetToolShortHelp(wxID_OPEN), "Open file...");
  EXPECT_EQ(tools->GetToolShortHelp(wxID_SAVE), "Save current file");
  EXPECT_EQ(tools->GetToolShortHelp(wxID_UNDO), "Undo recent change");
  EXPECT_EQ(tools->GetToolShortHelp(wxID_REDO), "Redo what was undone");
  EXPECT_EQ(tools->GetToolShortHelp(ID_TRANSFER), "Transfer the scene(s)");
  EXPECT_EQ(tools->GetToolLongHelp(ID_STOP), "Stop running the scenario");
  EXPECT_EQ(tools->GetToolShortHelp(ID_AUTO_TRANSFER), "Automatically transfer changes");
  EXPECT_EQ(tools->FindById(ID_AUTO_TRANSFER)->GetKind(), wxITEM_CHECK);
  EXPECT_EQ(tools->FindById(ID_AUTO_TRANSFER)->GetLabel(), "Auto transfer");
  EXPECT_EQ(tools->GetToolsCount(), 10u);  // separators included
}

TEST_F(MainFrame, ToolAndCheckShowTheViewStateAtTheNextUpdate) {
  WriteSettings("[Settings]\nautorun=0\ntip=-1\n");
  Start();
  const struct {
    bool autoTransfer;
    bool hideTo;
  } cases[] = {{true, false}, {false, true}, {true, true}, {false, false}};
  for (const auto& shown : cases) {
    m_frame->Session().SetAutoTransfer(shown.autoTransfer);
    m_frame->View() = ViewState{shown.hideTo};
    m_frame->UpdateWindowUI();
    EXPECT_EQ(m_frame->GetToolBar()->GetToolState(ID_AUTO_TRANSFER), shown.autoTransfer);
    EXPECT_EQ(m_frame->Commands().undo.EditMenu()->IsChecked(ID_HIDE_TO), shown.hideTo);
  }
}

TEST_F(MainFrame, ClicksOnToolAndCheckSetTheViewState) {
  WriteSettings("[Settings]\nautorun=0\ntip=-1\n");
  Start();
  for (const bool on : {true, false}) {
    wxCommandEvent tool(wxEVT_TOOL, ID_AUTO_TRANSFER);
    tool.SetInt(on);
    m_frame->ProcessWindowEvent(tool);
    EXPECT_EQ(m_frame->Session().Snapshot().autoTransfer, on);
    wxCommandEvent check(wxEVT_MENU, ID_HIDE_TO);
    check.SetInt(on);
    m_frame->ProcessWindowEvent(check);
    EXPECT_EQ(m_frame->View().hideTo, on);
  }
}

TEST_F(MainFrame, StopRunWithNothingRunningChangesNothing) {
  WriteSettings("[Settings]\nautorun=0\ntip=-1\n");
  Start();
  m_frame->SetStatusText("keep", 1);
  m_frame->StopRun();
  EXPECT_EQ(Status(m_frame, 1), "keep");
}

TEST_F(MainFrame, SetModifiedShowsTheStateWordAndAutoTransferMarksTheScene) {
  Start();
  m_frame->GetDocument().SetModified(true);
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  EXPECT_EQ(Status(m_frame, 1), "Modified");
  m_frame->GetDocument().SetModified(false);
  EXPECT_EQ(Status(m_frame, 1), "");

  // With the tool on, auto transfer makes the current scene the active one;
  // an edit then ends that state again.
  m_frame->AutoTransfer(-1);
  EXPECT_EQ(m_frame->ActiveScene(), 0);
  m_frame->GetDocument().SetModified(true);
  EXPECT_EQ(m_frame->ActiveScene(), -1);
}

TEST_F(MainFrame, AutoTransferDoesNothingWithTheToolOff) {
  WriteSettings("[Settings]\nautorun=0\ntip=-1\n");
  Start();
  EXPECT_FALSE(m_frame->AutoTransfer(-1));
  EXPECT_EQ(m_frame->ActiveScene(), -1);
}

TEST_F(MainFrame, ResetScenesEmptiesTheNotebookAndTables) {
  Start();
  m_frame->CreateScenePage(1, "Two", false);
  m_frame->ResetScenes();
  EXPECT_EQ(m_frame->SceneCount(), 0);
  EXPECT_EQ(m_frame->Grid(0), nullptr);
  EXPECT_EQ(m_frame->Grid(1), nullptr);
  EXPECT_EQ(m_frame->CurrentScene(), 0);
}

TEST_F(MainFrame, F2OpensTheSettingsEvenWhenTheGridHasTheFocus) {
  Start();
  m_frame->Raise();
  m_frame->Grid(0)->GetGridWindow()->SetFocus();
  Pump();
  wxTEST_DIALOG(
      {
        wxUIActionSimulator input;
        input.Char(WXK_F2);
        Pump(150);
      },
      wxExpectModal<LumivaneSettingsDlg>(wxID_CANCEL));
  EXPECT_FALSE(m_frame->Grid(0)->IsCellEditControlShown());
}
