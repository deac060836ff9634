// The window as a desktop program: File > Open Recent, files dropped on
// the window, tooltips on the Colour cells, and Help > Keyboard shortcuts
// built from the table that builds the menus.
#include <wx/filename.h>
#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/timer.h>

#include "core/model/scenario.h"
#include "gui/app/lumivane_app.h"
#include "gui/app/texts.h"
#include "gui/dialogs/shortcuts_dlg.h"
#include "gui/frame/frame_commands.h"
#include "gui/frame/lumivane_frame.h"
#include "gui/frame/menu_table.h"
#include "gui/frame/scenario_drop_target.h"
#include "support/app_fixture.h"
#include "support/file_dialog_expectation.h"
#include "support/gui_testing.h"

namespace {

const char SHOW[] = "# Lumivane scenario\n\n[Scene1]\nname=One\nfade=0\nhold=0\nrange1=1:3; 180; 0\n";

// The Keyboard shortcuts dialog, closed after its lines were taken.
class ExpectShortcuts : public wxExpectModalBase<ShortcutsDlg, ExpectShortcuts> {
 public:
  explicit ExpectShortcuts(std::shared_ptr<std::vector<KeyboardShortcut>> lines) : m_lines(lines) {}

 protected:
  int OnInvoked(ShortcutsDlg* dialog) const override {
    *m_lines = dialog->Lines();
    return wxID_CANCEL;
  }
  wxString GetDefaultDescription() const override { return "keyboard shortcuts dialog"; }

 private:
  std::shared_ptr<std::vector<KeyboardShortcut>> m_lines;
};

class Desktop : public AppTest {
 protected:
  void StartWith(const std::string& settings) {
    WriteSettings("[Settings]\ncom=\nautorun=0\ntip=-1\n" + settings);
    Start();
    m_frame->Timer()->Stop();
  }
  void SetUp() override {}
  void Command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    m_frame->ProcessWindowEvent(event);
  }
  wxString Show(const std::string& name) {
    WriteFileText(HomePath(name), SHOW);
    return wxString::FromUTF8(HomePath(name));
  }
  wxMenu* RecentMenu() { return m_frame->GetMenuBar()->FindItem(ID_OPEN_RECENT)->GetSubMenu(); }
  std::vector<wxString> RecentLabels() {
    std::vector<wxString> labels;
    for (wxMenuItem* item : RecentMenu()->GetMenuItems()) {
      labels.push_back(item->GetItemLabel());
    }
    return labels;
  }
  std::vector<std::string> RecentFiles() { return App().State().settings.recentFiles; }
  bool Drop(const std::vector<wxString>& paths) {
    wxArrayString files;
    for (const wxString& path : paths) {
      files.Add(path);
    }
    auto* target = dynamic_cast<ScenarioDropTarget*>(m_frame->GetDropTarget());
    EXPECT_NE(target, nullptr);
    return target != nullptr && target->OnDropFiles(10, 10, files);
  }
  wxString Status() { return m_frame->GetStatusBar()->GetStatusText(0); }
  wxString OpenFile() { return wxString::FromUTF8(m_frame->GetDocument().Path()); }
};

}  // namespace

TEST_F(Desktop, OpenRecentListsOpenedAndSavedFilesNewestFirst) {
  StartWith("");
  EXPECT_EQ(RecentLabels(), std::vector<wxString>{"No recent scenarios"});
  EXPECT_FALSE(RecentMenu()->FindItemByPosition(0)->IsEnabled());

  ASSERT_TRUE(m_frame->Commands().documents.OpenScenario(Show("a.cfg")));
  ASSERT_TRUE(m_frame->Commands().documents.OpenScenario(Show("b.cfg")));
  wxTEST_DIALOG(Command(wxID_SAVEAS), ExpectFileDialog(HomePath("c.cfg")));
  ASSERT_TRUE(m_frame->Commands().documents.OpenScenario(HomePath("b.cfg")));
  EXPECT_EQ(RecentLabels(), (std::vector<wxString>{"&1 b.cfg", "&2 c.cfg", "&3 a.cfg"}));
  EXPECT_EQ(RecentMenu()->GetHelpString(ID_RECENT_FIRST), HomePath("b.cfg"));

  CloseMainWindow();
  const std::string ini = ReadSettings();
  size_t at = ini.find("[Recent]\n");
  for (const char* name : {"b.cfg", "c.cfg", "a.cfg"}) {
    at = ini.find("=" + HomePath(name) + "\n", at);
    EXPECT_NE(at, std::string::npos) << name << " in order in\n" << ini;
  }
}

TEST_F(Desktop, OpenRecentKeepsNineFromTheSettingsFile) {
  std::string recent = "[Recent]\n";
  for (int i = 1; i <= 9; ++i) {
    recent += "file" + std::to_string(i) + "=" + HomePath(std::to_string(i) + ".cfg") + "\n";
  }
  StartWith(recent);
  EXPECT_EQ(RecentLabels().size(), 9u);
  EXPECT_EQ(RecentLabels().front(), "&1 1.cfg");
  ASSERT_TRUE(m_frame->Commands().documents.OpenScenario(Show("new.cfg")));
  ASSERT_EQ(RecentLabels().size(), 9u);
  EXPECT_EQ(RecentLabels().front(), "&1 new.cfg");
  EXPECT_EQ(RecentLabels().back(), "&9 8.cfg");
}

TEST_F(Desktop, ChoosingARecentFileOpensIt) {
  StartWith("");
  ASSERT_TRUE(m_frame->Commands().documents.OpenScenario(Show("a.cfg")));
  ASSERT_TRUE(m_frame->Commands().documents.OpenScenario(Show("b.cfg")));
  Command(ID_RECENT_FIRST + 1);
  EXPECT_EQ(OpenFile(), HomePath("a.cfg"));
  EXPECT_EQ(m_frame->GetTitle(), "Lumivane - a.cfg");
  EXPECT_EQ(RecentFiles(), (std::vector<std::string>{HomePath("a.cfg"), HomePath("b.cfg")}));
}

TEST_F(Desktop, AMissingRecentFileIsSaidAndLeavesTheList) {
  StartWith("[Recent]\nfile1=" + HomePath("gone.cfg") + "\nfile2=" + HomePath("here.cfg") + "\n");
  Show("here.cfg");
  wxTEST_DIALOG(Command(ID_RECENT_FIRST),
                ExpectMessageBox("The file \"" + HomePath("gone.cfg") +
                                     "\" no longer exists.\nIt has been taken off the recent scenarios.",
                                 CAPTION_FILE_NOT_FOUND, wxOK));
  EXPECT_EQ(OpenFile(), "");
  EXPECT_EQ(RecentFiles(), std::vector<std::string>{HomePath("here.cfg")});
  EXPECT_EQ(RecentLabels(), std::vector<wxString>{"&1 here.cfg"});
}

TEST_F(Desktop, ADroppedScenarioOpensLikeFileOpen) {
  StartWith("");
  EXPECT_TRUE(Drop({Show("dropped.cfg")}));
  EXPECT_EQ(OpenFile(), HomePath("dropped.cfg"));
  EXPECT_EQ(Status(), MSG_LOADED);
  EXPECT_EQ(m_frame->Grid(0)->GetCellValue(0, COL_FROM), "1");
  EXPECT_EQ(RecentFiles(), std::vector<std::string>{HomePath("dropped.cfg")});
}

TEST_F(Desktop, DroppedFilesTable) {
  struct Case {
    const char* what;
    std::vector<std::string> files;
    bool opened;
    const char* status;
  } cases[] = {
      {"several: the first opens", {"one.cfg", "two.cfg", "three.cfg"}, true,
       "Opened one.cfg, the first of 3 dropped files; the others were not opened"},
      {"not a scenario", {"notes.txt", "two.cfg"}, false, "notes.txt is not a Lumivane scenario (.cfg file)"},
      {"upper-case extension: File > Open would not take it either", {"LOUD.CFG"}, false,
       "LOUD.CFG is not a Lumivane scenario (.cfg file)"},
      {"one scenario", {"one.cfg"}, true, MSG_LOADED},
  };
  StartWith("");
  for (const Case& c : cases) {
    m_frame->GetDocument().SetPath(std::string());
    std::vector<wxString> paths;
    for (const std::string& name : c.files) {
      paths.push_back(Show(name));
    }
    EXPECT_EQ(Drop(paths), c.opened) << c.what;
    EXPECT_EQ(OpenFile(), c.opened ? wxString::FromUTF8(HomePath(c.files[0])) : "") << c.what;
    EXPECT_EQ(Status(), c.status) << c.what;
  }
}

TEST_F(Desktop, ADropOnUnsavedChangesSavesThemFirst) {
  StartWith("");
  m_frame->Grid(0)->SetCellValue(0, COL_FROM, "7");
  m_frame->GetDocument().SetModified(true);
  // An untitled scenario asks for a name; cancelling keeps it and opens nothing.
  wxTEST_DIALOG(EXPECT_FALSE(Drop({Show("dropped.cfg")})), CancelFileDialog());
  EXPECT_EQ(OpenFile(), "");
  EXPECT_TRUE(m_frame->GetDocument().IsModified());

  wxTEST_DIALOG(EXPECT_TRUE(Drop({HomePath("dropped.cfg")})), ExpectFileDialog(HomePath("mine.cfg")));
  EXPECT_NE(ReadFileText(HomePath("mine.cfg")).find("range1=7"), std::string::npos);
  EXPECT_EQ(OpenFile(), HomePath("dropped.cfg"));
}

TEST_F(Desktop, ColourCellsTellTheirNumberAndLevels) {
  StartWith("");
  ASSERT_TRUE(m_frame->Commands().documents.OpenScenario(Show("show.cfg")));
  wxGrid* grid = m_frame->Grid(0);
  m_frame->Show();
  Pump();
  struct Case {
    int row;
    int col;
    const char* tip;
  } cases[] = {
      {0, COL_COLOUR, "Colour 180: red 5, green 0, blue 0"},
      {0, COL_FROM, ""},
      {1, COL_COLOUR, "No colour chosen: the boards show colour 215"},
  };
  for (const Case& c : cases) {
    const wxRect cell = grid->CellToRect(c.row, c.col);
    wxMouseEvent motion(wxEVT_MOTION);
    motion.SetPosition(grid->CalcScrolledPosition(cell.GetPosition()) + wxPoint(cell.width / 2, cell.height / 2));
    motion.SetEventObject(grid->GetGridWindow());
    grid->GetGridWindow()->ProcessWindowEvent(motion);
    EXPECT_EQ(grid->GetGridWindow()->GetToolTipText(), c.tip) << c.row << "," << c.col;
  }
}

TEST_F(Desktop, ShortcutsListEveryKeyTheMenusShow) {
  StartWith("");
  const std::vector<KeyboardShortcut> listed = KeyboardShortcuts(MainMenus(), ExtraMenuKeys());
  // Each key a menu item shows is listed with the item's label.
  size_t menuKeys = 0;
  wxMenuBar* bar = m_frame->GetMenuBar();
  for (size_t m = 0; m < bar->GetMenuCount(); ++m) {
    for (wxMenuItem* item : bar->GetMenu(m)->GetMenuItems()) {
      wxAcceleratorEntry* accel = item->GetAccel();
      if (accel == nullptr) {
        continue;
      }
      ++menuKeys;
      const wxString key = accel->ToString();
      delete accel;
      const wxString command = wxStripMenuCodes(item->GetItemLabel().BeforeFirst('\t'), wxStrip_Mnemonics);
      const bool found = std::any_of(listed.begin(), listed.end(), [&](const KeyboardShortcut& s) {
        return s.key == key && s.command == command &&
               s.menu == wxStripMenuCodes(bar->GetMenuLabel(m), wxStrip_Mnemonics);
      });
      EXPECT_TRUE(found) << key << " " << command;
    }
  }
  EXPECT_EQ(listed.size(), menuKeys + ExtraMenuKeys().size());
  EXPECT_GE(menuKeys, 12u);

  // The keys the program routes itself are there too.
  const struct {
    const char* key;
    const char* command;
  } keys[] = {{"Ctrl+Shift+Z", "Redo"}, {"F5", "Transfer / run"}, {"Ctrl+K", "Check scenario"},
              {"F3", "Board monitor"}, {"PgUp", "Previous scene"}};
  for (const auto& k : keys) {
    wxString key = k.key;
    std::unique_ptr<wxAcceleratorEntry> entry(wxAcceleratorEntry::Create("\t" + key));
    ASSERT_TRUE(entry) << k.key;
    const bool found = std::any_of(listed.begin(), listed.end(), [&](const KeyboardShortcut& s) {
      return s.key == entry->ToString() && s.command == k.command;
    });
    EXPECT_TRUE(found) << k.key;
  }

  auto shown = std::make_shared<std::vector<KeyboardShortcut>>();
  wxTEST_DIALOG(Command(ID_KEYBOARD_SHORTCUTS), ExpectShortcuts(shown));
  ASSERT_EQ(shown->size(), listed.size());
  for (size_t i = 0; i < listed.size(); ++i) {
    EXPECT_EQ((*shown)[i].key, listed[i].key);
    EXPECT_EQ((*shown)[i].command, listed[i].command);
  }
}
