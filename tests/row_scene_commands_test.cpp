// Row and scene commands: the grid's context menu, inserting, deleting and
// moving rows and scenes, adding, duplicating and renaming scenes, next and
// previous scene, and what undo does afterwards.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include <wx/grid.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/stattext.h>
#include <wx/statusbr.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include <gtk/gtk.h>

#include "gui/app/lumivane_app.h"
#include "gui/app/texts.h"
#include "gui/frame/cell_colours.h"
#include "gui/frame/frame_commands.h"
#include "gui/frame/fade_hold_row.h"
#include "gui/frame/lumivane_frame.h"
#include "gui/frame/number_cell_editor.h"
#include "support/app_fixture.h"
#include "support/ftdi_sim.h"
#include "support/gui_testing.h"
#include "support/ui_input.h"

namespace {

const char* const ASK_DELETE = "Delete scene - are you sure?";
const char* const ASK_DUPLICATE =
    "A scene with this name already exists.\nDo you wish to use this name anyway?";

// The name dialog of Add, Duplicate and Rename: checks its message, caption
// and suggested name, then answers with `answer` (or cancels).
class ExpectSceneName : public wxExpectModalBase<wxTextEntryDialog, ExpectSceneName> {
 public:
  ExpectSceneName(const wxString& message, const wxString& caption, const wxString& suggestion,
                  const wxString& answer, int button = wxID_OK)
      : m_message(message), m_caption(caption), m_suggestion(suggestion), m_answer(answer),
        m_button(button) {}

  static ExpectSceneName New(const wxString& suggestion, const wxString& answer,
                             int button = wxID_OK) {
    return ExpectSceneName("Please give a name for the new scene", "New scene", suggestion, answer,
                           button);
  }
  static ExpectSceneName Rename(const wxString& suggestion, const wxString& answer,
                                int button = wxID_OK) {
    return ExpectSceneName("Please give the new name for the scene", "Rename scene", suggestion,
                           answer, button);
  }

 protected:
  int OnInvoked(wxTextEntryDialog* dialog) const override {
    EXPECT_EQ(dialog->GetTitle(), m_caption);
    EXPECT_EQ(dialog->GetValue(), m_suggestion);
    wxString message;
    for (wxWindow* child : dialog->GetChildren()) {
      if (auto* text = dynamic_cast<wxStaticText*>(child)) message += text->GetLabel();
    }
    EXPECT_EQ(message, m_message);
    if (m_button == wxID_OK) dialog->SetValue(m_answer);
    return m_button;
  }
  wxString GetDefaultDescription() const override { return "scene name dialog \"" + m_caption + "\""; }

 private:
  wxString m_message, m_caption, m_suggestion, m_answer;
  int m_button;
};

// Presses keys by their X names ("Down", "Return") through the X server.
// The toolkit's input simulator yields to the event loop after each key,
// which it must not do from inside the loop of an open popup menu. Defined
// at the end of this file, after the X headers, whose macros clash with
// names used above.
void PressKeys(const std::vector<std::string>& keys);

// True while a popup menu of this program is on screen.
bool PopupMenuOpen() {
  GList* windows = gtk_window_list_toplevels();
  bool open = false;
  for (GList* item = windows; item != nullptr; item = item->next) {
    GtkWidget* window = GTK_WIDGET(item->data);
    GtkWidget* child = GTK_IS_BIN(window) ? gtk_bin_get_child(GTK_BIN(window)) : nullptr;
    open = open || (gtk_widget_get_mapped(window) && child != nullptr && GTK_IS_MENU(child));
  }
  g_list_free(windows);
  return open;
}

// Presses keys into the popup menu once it is open, from the menu's own
// event loop. Gives up after about five seconds.
class MenuKeys : public wxTimer {
 public:
  explicit MenuKeys(std::vector<std::string> keys) : m_keys(std::move(keys)) {}
  void Notify() override {
    if (++m_polls > 100) {
      Stop();
    } else if (PopupMenuOpen()) {
      Stop();
      ++fired;
      PressKeys(m_keys);
    }
  }
  int fired = 0;

 private:
  std::vector<std::string> m_keys;
  int m_polls = 0;
};

class RowSceneMenu : public AppTest {
 protected:
  void SetUp() override {
    FtdiSimReset();
    FtdiSimAddDevice("Lumivane USB");
    WriteSettings(SettingsText());
    Start();
    m_frame->Raise();
    Pump();
  }
  virtual std::string SettingsText() { return "[Settings]\nautorun=0\ntip=-1\n"; }
  void TearDown() override {
    AppTest::TearDown();
  }

  void Command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    event.SetEventObject(m_frame);
    m_frame->ProcessWindowEvent(event);
  }
  // A context menu command on row `row` of scene `scene`, as the menu
  // opened there sends it.
  void ContextCommand(int scene, int row, int id) {
    delete m_frame->Commands().rows.BuildContextMenu(m_frame->Grid(scene), row);
    Command(id);
  }
  // Which context menu entries are enabled for that row.
  std::vector<int> EnabledEntries(int scene, int row) {
    std::unique_ptr<wxMenu> menu(m_frame->Commands().rows.BuildContextMenu(m_frame->Grid(scene), row));
    std::vector<int> enabled;
    for (int id = ID_ROW_INSERT; id <= ID_SCENE_RIGHT; ++id) {
      if (menu->IsEnabled(id)) enabled.push_back(id);
    }
    return enabled;
  }

  int Scenes() { return static_cast<int>(m_frame->Notebook()->GetPageCount()); }
  void AddScene(const wxString& name, bool hideTo = false) {
    m_frame->CreateScenePage(Scenes(), name, hideTo);
  }
  void Show(int scene) {
    m_frame->Notebook()->SetSelection(scene);
    Pump(10);
  }
  // Sets a scene's fade and hold as the fade/hold row does.
  void SetFadeHold(int scene, const char* fade, const char* hold) {
    Show(scene);
    m_frame->FadeHold().FadeText()->ChangeValue(fade);
    m_frame->FadeHold().HoldText()->ChangeValue(hold);
    m_frame->CommitFadeHold();
  }
  // Fills a row (From, To, colour number, Blink, Description), keeping one
  // empty row last.
  void FillRow(int scene, int row, const char* from, const char* to, int colour, const char* blink,
               const char* description) {
    wxGrid* grid = m_frame->Grid(scene);
    while (grid->GetNumberRows() <= row + 1) {
      grid->AppendRows(1);
    }
    grid->SetCellValue(row, COL_FROM, from);
    grid->SetCellValue(row, COL_TO, to);
    SetRowColour(m_frame, scene, row, colour);
    grid->SetCellValue(row, COL_BLINK, blink);
    grid->SetCellValue(row, COL_DESCRIPTION, description);
  }
  // A scene's rows as "From|To|colour|Blink|Description"; an uncoloured row
  // shows "-" for its colour.
  std::vector<std::string> Rows(int scene) {
    wxGrid* grid = m_frame->Grid(scene);
    std::vector<std::string> rows;
    for (int row = 0; row < grid->GetNumberRows(); ++row) {
      const bool coloured = !grid->GetCellValue(row, COL_COLOUR).empty();
      const wxString colour =
          coloured ? wxString::Format("%d", ColourToIndex(grid->GetCellBackgroundColour(row, COL_COLOUR)))
                   : wxString("-");
      rows.push_back((grid->GetCellValue(row, COL_FROM) + "|" + grid->GetCellValue(row, COL_TO) + "|" +
                      colour + "|" + grid->GetCellValue(row, COL_BLINK) + "|" +
                      grid->GetCellValue(row, COL_DESCRIPTION))
                         .utf8_string());
    }
    return rows;
  }
  std::vector<std::string> Names() {
    std::vector<std::string> names;
    for (int page = 0; page < Scenes(); ++page) {
      names.push_back(m_frame->Notebook()->GetPageText(page).utf8_string());
    }
    return names;
  }
  bool HasNumberEditor(int scene, int row, int col) {
    wxGridCellEditor* editor = m_frame->Grid(scene)->GetCellEditor(row, col);
    const bool number = dynamic_cast<NumberCellEditor*>(editor) != nullptr;
    editor->DecRef();
    return number;
  }
  // Every page shows its own scene's grid.
  void ExpectTablesMatchPages() {
    for (int scene = 0; scene < MAX_SCENES; ++scene) {
      if (scene < Scenes()) {
        EXPECT_EQ(m_frame->Grid(scene)->GetParent(), m_frame->Notebook()->GetPage(scene)) << scene;
      } else {
        EXPECT_EQ(m_frame->Grid(scene), nullptr) << scene;
      }
    }
  }
  wxString Status() { return m_frame->GetStatusBar()->GetStatusText(STATUS_MESSAGE); }
  int Selected() { return m_frame->Notebook()->GetSelection(); }
};

const std::string EMPTY_ROW = "||-||";

}  // namespace

// ---------------------------------------------------------------------------
// The context menu.

TEST_F(RowSceneMenu, ContextMenuKeepsTheLastRowLastAndRowZeroOnTop) {
  FillRow(0, 0, "1", "", 5, "", "a");
  FillRow(0, 1, "2", "", 6, "", "b");
  std::unique_ptr<wxMenu> menu(m_frame->Commands().rows.BuildContextMenu(m_frame->Grid(0), 1));
  const int ids[] = {ID_ROW_INSERT, ID_ROW_DELETE, ID_ROW_UP, ID_ROW_DOWN, ID_SCENE_LEFT, ID_SCENE_RIGHT};
  const char* labels[] = {"Insert row", "Delete row", "Move row up", "Move row down",
                          "Move scene left", "Move scene right"};
  const char* helps[] = {"Insert a row above this row", "Delete this row",
                         "Move this row one position upward", "Move this row one position downward",
                         "Move this scene one position left", "Move this scene one position right"};
  ASSERT_EQ(menu->GetMenuItemCount(), 12u);  // three separators, then cut, copy and paste
  EXPECT_EQ(menu->GetLabelText(wxID_PASTE), "Paste rows");
  EXPECT_TRUE(menu->FindItemByPosition(2)->IsSeparator());
  EXPECT_TRUE(menu->FindItemByPosition(5)->IsSeparator());
  for (int i = 0; i < 6; ++i) {
    EXPECT_EQ(menu->GetLabelText(ids[i]), labels[i]);
    EXPECT_EQ(menu->GetHelpString(ids[i]), helps[i]);
  }

  // Row 1 of 3: every row entry; with one scene no scene move.
  EXPECT_EQ(EnabledEntries(0, 1), (std::vector<int>{ID_ROW_INSERT, ID_ROW_DELETE, ID_ROW_UP, ID_ROW_DOWN}));
  // The empty last row can't be deleted or moved down.
  EXPECT_EQ(EnabledEntries(0, 2), (std::vector<int>{ID_ROW_INSERT, ID_ROW_UP}));
  EXPECT_EQ(EnabledEntries(0, 0), (std::vector<int>{ID_ROW_INSERT, ID_ROW_DELETE, ID_ROW_DOWN}));
  // A grid of just the empty row; scenes move only where there is room.
  AddScene("");
  AddScene("");
  EXPECT_EQ(EnabledEntries(1, 0), (std::vector<int>{ID_ROW_INSERT, ID_SCENE_RIGHT}));
  Show(1);
  EXPECT_EQ(EnabledEntries(1, 0), (std::vector<int>{ID_ROW_INSERT, ID_SCENE_LEFT, ID_SCENE_RIGHT}));
  Show(2);
  EXPECT_EQ(EnabledEntries(2, 0), (std::vector<int>{ID_ROW_INSERT, ID_SCENE_LEFT}));
}

TEST_F(RowSceneMenu, RightClickOpensTheMenuOnThatRowAndItsEntryActsThere) {
  wxGrid* grid = m_frame->Grid(0);
  FillRow(0, 0, "1", "", 5, "", "a");
  FillRow(0, 1, "2", "", 6, "", "b");
  FillRow(0, 2, "3", "", 7, "", "c");
  grid->SetGridCursor(0, 0);
  Pump();

  // First item, second item ("Delete row"), choose it.
  MenuKeys keys({"Down", "Down", "Return"});
  keys.Start(50);
  const wxRect cell = grid->CellToRect(1, COL_DESCRIPTION);
  wxUIActionSimulator input;
  input.MouseMove(grid->GetGridWindow()->ClientToScreen(
      grid->CalcScrolledPosition(cell.GetTopLeft()) + wxPoint(10, 4)));
  Pump(30);
  input.MouseClick(wxMOUSE_BTN_RIGHT);
  Pump(200);
  if (PopupMenuOpen()) {
    PressKeys({"Escape"});
    Pump(200);
    ADD_FAILURE() << "the menu did not take the keys";
  }

  EXPECT_EQ(keys.fired, 1) << "no menu opened";
  EXPECT_EQ(m_frame->Commands().rows.ContextGrid(), grid);
  EXPECT_EQ(m_frame->Commands().rows.ContextRow(), 1);
  EXPECT_EQ(Rows(0), (std::vector<std::string>{"1||5||a", "3||7||c", EMPTY_ROW}));
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  // The click itself didn't move the grid cursor.
  EXPECT_EQ(grid->GetGridCursorRow(), 0);
}

// ---------------------------------------------------------------------------
// Row commands.

TEST_F(RowSceneMenu, InsertedRowGoesAboveTheClickedRowWithNumberEditors) {
  FillRow(0, 0, "1", "", 5, "", "a");
  FillRow(0, 1, "2", "", 6, "", "b");
  ContextCommand(0, 1, ID_ROW_INSERT);
  EXPECT_EQ(Rows(0), (std::vector<std::string>{"1||5||a", EMPTY_ROW, "2||6||b", EMPTY_ROW}));
  for (int col : {COL_FROM, COL_TO, COL_BLINK}) {
    EXPECT_TRUE(HasNumberEditor(0, 1, col)) << col;
  }
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  EXPECT_EQ(Status(), "Modified scenario (unsaved changes)");
}

TEST_F(RowSceneMenu, RowsMoveWithTheirColoursAndTheLastRowIsNeverDeleted) {
  FillRow(0, 0, "1", "2", 5, "3", "a");
  FillRow(0, 1, "4", "", 6, "", "b");
  ContextCommand(0, 1, ID_ROW_UP);
  EXPECT_EQ(Rows(0), (std::vector<std::string>{"4||6||b", "1|2|5|3|a", EMPTY_ROW}));
  ContextCommand(0, 0, ID_ROW_DOWN);
  EXPECT_EQ(Rows(0), (std::vector<std::string>{"1|2|5|3|a", "4||6||b", EMPTY_ROW}));
  // The row above the last one trades places with the empty row.
  ContextCommand(0, 1, ID_ROW_DOWN);
  EXPECT_EQ(Rows(0), (std::vector<std::string>{"1|2|5|3|a", EMPTY_ROW, "4||6||b"}));
  ContextCommand(0, 2, ID_ROW_DELETE);
  EXPECT_EQ(m_frame->Grid(0)->GetNumberRows(), 3);
  ContextCommand(0, 0, ID_ROW_DELETE);
  EXPECT_EQ(Rows(0), (std::vector<std::string>{EMPTY_ROW, "4||6||b"}));
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
}

// ---------------------------------------------------------------------------
// Moving scenes.

TEST_F(RowSceneMenu, MovingSceneTwoLeftTakesItsNameRowsFadeHoldAndHiddenToAlong) {
  SetSceneName(m_frame, 0, "A");
  AddScene("B", true);
  AddScene("C");
  FillRow(0, 0, "1", "2", 10, "0", "a1");
  FillRow(1, 0, "5", "", 20, "1", "b1");
  FillRow(1, 1, "6", "", 21, "2", "b2");
  FillRow(2, 0, "9", "", 30, "", "c1");
  SetFadeHold(0, "10", "1.5");
  SetFadeHold(2, "30", "3");
  SetFadeHold(1, "20", "2.5");
  // Typed into scene B's fade box, not yet taken over: it belongs to B.
  m_frame->FadeHold().FadeText()->ChangeValue("25");

  ContextCommand(1, 0, ID_SCENE_LEFT);

  EXPECT_EQ(Names(), (std::vector<std::string>{"B", "A", "C"}));
  EXPECT_EQ(Rows(0), (std::vector<std::string>{"5||20|1|b1", "6||21|2|b2", EMPTY_ROW}));
  EXPECT_EQ(Rows(1), (std::vector<std::string>{"1|2|10|0|a1", EMPTY_ROW}));
  EXPECT_EQ(Rows(2), (std::vector<std::string>{"9||30||c1", EMPTY_ROW}));
  EXPECT_EQ(FadeOf(m_frame, 0), 25);
  EXPECT_EQ(HoldOf(m_frame, 0), 2.5);
  EXPECT_EQ(FadeOf(m_frame, 1), 10);
  EXPECT_EQ(HoldOf(m_frame, 1), 1.5);
  EXPECT_EQ(FadeOf(m_frame, 2), 30);
  // The moved scene stays in view with its own values.
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(m_frame->CurrentScene(), 0);
  EXPECT_EQ(m_frame->FadeHold().FadeText()->GetValue(), "25");
  EXPECT_EQ(m_frame->FadeHold().HoldText()->GetValue(), "2.5");
  EXPECT_EQ(m_frame->Grid(0)->GetColSize(COL_TO), 0);
  EXPECT_EQ(m_frame->Grid(0)->GetColLabelValue(COL_FROM), "ID");
  EXPECT_EQ(m_frame->Grid(1)->GetColSize(COL_TO), 40);
  EXPECT_TRUE(m_frame->View().hideTo);
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  ExpectTablesMatchPages();

  // Switching to A shows A's values; nothing of B's row went into it.
  Show(1);
  EXPECT_EQ(m_frame->FadeHold().FadeText()->GetValue(), "10");
  EXPECT_EQ(FadeOf(m_frame, 1), 10);
  EXPECT_EQ(FadeOf(m_frame, 0), 25);
  EXPECT_FALSE(m_frame->View().hideTo);

  // Saving writes the new order.
  const std::string path = HomePath("moved.cfg");
  m_frame->GetDocument().SetPath(path);
  ASSERT_TRUE(m_frame->WriteScenario(wxString::FromUTF8(m_frame->GetDocument().Path())));
  const std::string text = ReadFileText(path);
  const size_t b = text.find("[Scene1]\nname=B\nfade=25\nhold=2.5\nto-column=0\n");
  const size_t a = text.find("[Scene2]\nname=A\nfade=10\nhold=1.5\nto-column=1\n");
  EXPECT_NE(b, std::string::npos) << text;
  EXPECT_NE(a, std::string::npos) << text;
  EXPECT_LT(b, a);
}

TEST_F(RowSceneMenu, MovedRowsStillTakeAnyTypedTextAndWarn) {
  AddScene("");
  FillRow(1, 0, "5", "", 20, "1", "b1");
  Show(1);
  ContextCommand(1, 0, ID_SCENE_LEFT);
  ASSERT_EQ(Rows(0).size(), 2u);
  for (int col : {COL_FROM, COL_TO, COL_BLINK}) {
    EXPECT_TRUE(HasNumberEditor(0, 0, col)) << col;
    EXPECT_TRUE(HasNumberEditor(0, 1, col)) << col;
  }
  wxTEST_DIALOG(TypeIntoCell(m_frame->Grid(0), 0, COL_FROM, "2.5"),
                ExpectMessageBox("Invalid numeric valid value for the \"From\" or \"To\" number.\n"
                                 "This must be a positive non-zero number, without fractional part.",
                                 "Error", wxOK));
  EXPECT_EQ(m_frame->Grid(0)->GetCellValue(0, COL_FROM), "2.5");
}

// ---------------------------------------------------------------------------
// Adding, deleting, renaming and duplicating scenes.

TEST_F(RowSceneMenu, DeletingSceneTwoOfFourThenAddingPutsTheNewSceneLast) {
  AddScene("");
  AddScene("");
  AddScene("");
  for (int scene = 0; scene < 4; ++scene) {
    FillRow(scene, 0, "1", "", scene, "", "row");
    SetFadeHold(scene, std::to_string(scene + 1).c_str(), wxString::Format("%d.5", scene).utf8_str());
  }
  Show(1);
  m_frame->FadeHold().FadeText()->ChangeValue("99");  // typed into the scene that goes
  m_frame->GetDocument().SetModified(false);

  wxTEST_DIALOG(Command(wxID_DELETE), ExpectMessageBox(ASK_DELETE, "Delete scene", wxYES));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Scene 1", "Scene 3", "Scene 4"}));
  ExpectTablesMatchPages();
  EXPECT_EQ(FadeOf(m_frame, 0), 1);
  EXPECT_EQ(FadeOf(m_frame, 1), 3);
  EXPECT_EQ(FadeOf(m_frame, 2), 4);
  EXPECT_EQ(HoldOf(m_frame, 1), 2.5);
  EXPECT_EQ(HoldOf(m_frame, 2), 3.5);
  EXPECT_EQ(FadeOf(m_frame, 3), 0);
  // The scene shown in its place brings its own values.
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(m_frame->FadeHold().FadeText()->GetValue(), "3");
  EXPECT_EQ(m_frame->FadeHold().HoldText()->GetValue(), "2.5");
  EXPECT_EQ(Status(), "Deleted a scene");
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  // The next page change stores the row into the scene shown, not into
  // the one that now has the shown scene's former position.
  Show(2);
  EXPECT_EQ(FadeOf(m_frame, 1), 3);
  EXPECT_EQ(FadeOf(m_frame, 2), 4);
  EXPECT_EQ(m_frame->FadeHold().FadeText()->GetValue(), "4");
  Show(1);

  // "Scene 4" is suggested, which the former fourth scene bears already.
  wxTEST_DIALOG(Command(wxID_ADD), ExpectSceneName::New("Scene 4", "Scene 4"),
                ExpectMessageBox(ASK_DUPLICATE, "Duplicate scene name", wxNO),
                ExpectSceneName::New("Scene 4", "Finale"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Scene 1", "Scene 3", "Scene 4", "Finale"}));
  ExpectTablesMatchPages();
  EXPECT_EQ(Selected(), 3);
  EXPECT_EQ(Rows(3), (std::vector<std::string>{EMPTY_ROW}));
  EXPECT_EQ(FadeOf(m_frame, 3), 0);
  EXPECT_EQ(HoldOf(m_frame, 3), 0.0);
  EXPECT_EQ(FadeOf(m_frame, 1), 3);
  EXPECT_EQ(FadeOf(m_frame, 2), 4);
  EXPECT_EQ(HoldOf(m_frame, 2), 3.5);
  EXPECT_EQ(Status(), "Added a scene");
}

TEST_F(RowSceneMenu, AddingAcceptsADuplicateNameOnYesAndNothingOnCancel) {
  wxTEST_DIALOG(Command(wxID_ADD), ExpectSceneName::New("Scene 2", "", wxID_CANCEL));
  EXPECT_EQ(Scenes(), 1);
  EXPECT_FALSE(m_frame->GetDocument().IsModified());

  // The hide-"To" state of the menu carries over to the new scene.
  m_frame->View().hideTo = true;
  wxTEST_DIALOG(Command(wxID_ADD), ExpectSceneName::New("Scene 2", "scene 1"),
                ExpectMessageBox(ASK_DUPLICATE, "Duplicate scene name", wxYES));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Scene 1", "scene 1"}));
  EXPECT_EQ(m_frame->Grid(1)->GetColSize(COL_TO), 0);
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
}

TEST_F(RowSceneMenu, NoSceneIsAddedOrDuplicatedBeyondTheLimit) {
  while (Scenes() < MAX_SCENES) AddScene("");
  Command(wxID_ADD);  // no dialog: the guard would fail the test
  Command(wxID_DUPLICATE);
  EXPECT_EQ(Scenes(), MAX_SCENES);
}

TEST_F(RowSceneMenu, DeletingTheOnlySceneLeavesOneEmptyRow) {
  SetSceneName(m_frame, 0, "Solo");
  FillRow(0, 0, "1", "", 5, "", "a");
  FillRow(0, 1, "2", "", 6, "", "b");
  FillRow(0, 2, "3", "", 7, "", "c");
  m_frame->GetDocument().SetModified(false);

  wxTEST_DIALOG(Command(wxID_DELETE), ExpectMessageBox(ASK_DELETE, "Delete scene", wxNO));
  EXPECT_EQ(m_frame->Grid(0)->GetNumberRows(), 4);
  EXPECT_FALSE(m_frame->GetDocument().IsModified());

  wxTEST_DIALOG(Command(wxID_DELETE), ExpectMessageBox(ASK_DELETE, "Delete scene", wxYES));
  EXPECT_EQ(Scenes(), 1);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Solo"}));
  EXPECT_EQ(Rows(0), (std::vector<std::string>{EMPTY_ROW}));
  EXPECT_EQ(m_frame->Grid(0)->GetCellBackgroundColour(0, COL_COLOUR),
            m_frame->Grid(0)->GetDefaultCellBackgroundColour());
  ExpectTablesMatchPages();
  // The window no longer shows what the file holds.
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
}

TEST_F(RowSceneMenu, RenamingAsksAboutTheScenesOwnNameAndOtherCaseToo) {
  AddScene("");
  wxTEST_DIALOG(Command(wxID_EDIT), ExpectSceneName::Rename("Scene 1", "", wxID_CANCEL));
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
  EXPECT_EQ(Status(), "");

  wxTEST_DIALOG(Command(wxID_EDIT), ExpectSceneName::Rename("Scene 1", "Scene 1"),
                ExpectMessageBox(ASK_DUPLICATE, "Duplicate scene name", wxYES));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Scene 1", "Scene 2"}));
  EXPECT_EQ(Status(), "Renamed a scene");
  EXPECT_TRUE(m_frame->GetDocument().IsModified());

  Show(1);
  wxTEST_DIALOG(Command(wxID_EDIT), ExpectSceneName::Rename("Scene 2", "SCENE 1"),
                ExpectMessageBox(ASK_DUPLICATE, "Duplicate scene name", wxNO),
                ExpectSceneName::Rename("SCENE 1", "Second"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Scene 1", "Second"}));
}

TEST_F(RowSceneMenu, DuplicateCopiesRowsFadeHoldAndTheSourcesHiddenTo) {
  FillRow(0, 0, "1", "4", 10, "0", "a");
  FillRow(0, 1, "5", "", 20, "14", "b");
  FillRow(0, 2, "7", "9", 215, "3", "c");
  SetFadeHold(0, "40", "2.5");
  m_frame->GetDocument().SetColumnWidth(0, COL_TO, 0);  // hidden as a loaded file leaves it:
  m_frame->RefreshScene(0);
  m_frame->View().hideTo = false;  // the menu doesn't show it

  wxTEST_DIALOG(Command(wxID_DUPLICATE), ExpectSceneName::New("Scene 2", "Copy"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Scene 1", "Copy"}));
  const std::vector<std::string> rows = {"1|4|10|0|a", "5||20|14|b", "7|9|215|3|c", EMPTY_ROW};
  EXPECT_EQ(Rows(1), rows);
  EXPECT_EQ(Rows(0), rows);
  EXPECT_EQ(FadeOf(m_frame, 1), 40);
  EXPECT_EQ(HoldOf(m_frame, 1), 2.5);
  EXPECT_EQ(m_frame->Grid(1)->GetColSize(COL_TO), 0);
  for (int row = 0; row < 4; ++row) {
    EXPECT_TRUE(HasNumberEditor(1, row, COL_BLINK)) << row;
  }
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(m_frame->FadeHold().FadeText()->GetValue(), "40");
  EXPECT_EQ(Status(), "Duplicated a scene");
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  ExpectTablesMatchPages();
}

// ---------------------------------------------------------------------------
// Next and previous scene.

TEST_F(RowSceneMenu, PageDownOnTheLastSceneShowsTheFirstAndPageUpOnTheFirstTheLast) {
  AddScene("");
  AddScene("");
  SetFadeHold(0, "7", "1");
  SetFadeHold(2, "9", "3");
  m_frame->GetDocument().SetModified(false);
  // From the grid, which would scroll with these keys; a page change
  // leaves the focus in the new page's grid.
  m_frame->Grid(2)->SetFocus();
  Pump();
  wxUIActionSimulator input;
  input.Char(WXK_PAGEDOWN);
  Pump();
  EXPECT_EQ(Selected(), 0);
  EXPECT_EQ(m_frame->FadeHold().FadeText()->GetValue(), "7");
  EXPECT_EQ(FadeOf(m_frame, 2), 9);
  input.Char(WXK_PAGEUP);
  Pump();
  EXPECT_EQ(Selected(), 2);
  EXPECT_EQ(m_frame->FadeHold().HoldText()->GetValue(), "3");
  input.Char(WXK_PAGEUP);
  Pump();
  EXPECT_EQ(Selected(), 1);
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
}

// With the simulated adapter as the port.
class RowSceneCommandsOnTheLink : public RowSceneMenu {
 protected:
  std::string SettingsText() override {
    return "[Settings]\ncom=Lumivane USB (1)\nautorun=0\ntip=-1\n";
  }
};

TEST_F(RowSceneCommandsOnTheLink, NextDuringARunKeepsItGoingFromTheSceneNowSent) {
  AddScene("");
  AddScene("");
  SetFadeHold(1, "17", "5");
  Show(0);
  m_frame->GetDocument().SetModified(false);
  Command(ID_TRANSFER);
  ASSERT_TRUE(m_frame->Session().Running());

  const size_t before = FtdiSimLineTrace().size();
  Command(wxID_FORWARD);
  EXPECT_TRUE(m_frame->Session().Running());
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(m_frame->ActiveScene(), 1);
  const std::vector<std::string> sent = FtdiSimLineTrace();
  ASSERT_GT(sent.size(), before + 3);
  EXPECT_EQ(sent[before + 2], "FT_Write F2");
  EXPECT_EQ(sent[before + 3], "FT_Write 11");  // scene 2's fade

  // A send that fails ends the run.
  FtdiSimFailWrites(true);
  wxTEST_DIALOG(Command(wxID_BACKWARD),
                ExpectMessageBox("Failed to transmit scene data (serial transmission error).",
                                 "Error", wxOK));
  EXPECT_EQ(Selected(), 0);
  EXPECT_FALSE(m_frame->Session().Running());
}

// ---------------------------------------------------------------------------
// Undo after structural changes.

TEST_F(RowSceneMenu, UndoBringsBackDeletedRowsAndScenes) {
  wxGrid* grid = m_frame->Grid(0);
  TypeIntoCell(grid, 0, COL_DESCRIPTION, "a");
  TypeIntoCell(grid, 1, COL_DESCRIPTION, "b");
  AddScene("");
  Show(1);
  TypeIntoCell(m_frame->Grid(1), 0, COL_DESCRIPTION, "x");

  wxTEST_DIALOG(Command(wxID_DELETE), ExpectMessageBox(ASK_DELETE, "Delete scene", wxYES));
  ASSERT_EQ(Scenes(), 1);
  ContextCommand(0, 1, ID_ROW_DELETE);
  ContextCommand(0, 0, ID_ROW_DELETE);
  ASSERT_EQ(Rows(0), (std::vector<std::string>{EMPTY_ROW}));

  Command(wxID_UNDO);  // the rows come back in the order they went
  Command(wxID_UNDO);
  EXPECT_EQ(m_frame->Grid(0)->GetCellValue(0, COL_DESCRIPTION), "a");
  EXPECT_EQ(m_frame->Grid(0)->GetCellValue(1, COL_DESCRIPTION), "b");
  Command(wxID_UNDO);  // then the scene, shown with its row
  ASSERT_EQ(Scenes(), 2);
  EXPECT_EQ(Selected(), 1);
  EXPECT_EQ(m_frame->Grid(1)->GetCellValue(0, COL_DESCRIPTION), "x");
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
}

// ---------------------------------------------------------------------------

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>

namespace {

void PressKeys(const std::vector<std::string>& keys) {
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return;
  // Away from the menu, so that no item is chosen by the pointer.
  XTestFakeMotionEvent(display, -1, 1270, 1010, CurrentTime);
  for (const std::string& key : keys) {
    const KeyCode code = XKeysymToKeycode(display, XStringToKeysym(key.c_str()));
    XTestFakeKeyEvent(display, code, True, CurrentTime);
    XTestFakeKeyEvent(display, code, False, CurrentTime);
    XSync(display, False);
  }
  XCloseDisplay(display);
}

}  // namespace
