// The window in the desktop's language: German menus, stock items and
// dialogs under LANGUAGE=de, the texts as written under C, and the hold
// field in the German locale with its decimal comma.
#include <clocale>
#include <cstdlib>
#include <memory>

#include <wx/menu.h>
#include <wx/textctrl.h>

#include "gui/app/lumivane_app.h"
#include "gui/app/texts.h"
#include "gui/frame/fade_hold_row.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/gui_testing.h"
#include "support/settings_dialog_expectation.h"

namespace {

// What the settings dialog showed of its language choice; cancels it.
class ExpectLanguageChoice : public wxExpectModalBase<LumivaneSettingsDlg, ExpectLanguageChoice> {
 public:
  struct Seen {
    wxString title;
    wxArrayString languages;
    int selection = -2;
  };
  explicit ExpectLanguageChoice(std::shared_ptr<Seen> seen) : m_seen(seen) {}

 protected:
  int OnInvoked(LumivaneSettingsDlg* dialog) const override {
    m_seen->title = dialog->GetTitle();
    m_seen->languages = dialog->LanguageChoice()->GetStrings();
    m_seen->selection = dialog->LanguageChoice()->GetSelection();
    return wxID_CANCEL;
  }
  wxString GetDefaultDescription() const override { return "settings dialog"; }

 private:
  std::shared_ptr<Seen> m_seen;
};

struct Environment {
  const char* language;
  const char* lcAll;
  const char* lang;
};

class TranslatedWindow : public AppTest {
 protected:
  void TearDown() override {
    AppTest::TearDown();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
      unsetenv(name);
    }
    std::setlocale(LC_ALL, "C");
  }

  void StartIn(const Environment& environment) {
    const auto set = [](const char* name, const char* value) {
      if (value != nullptr) {
        setenv(name, value, 1);
      } else {
        unsetenv(name);
      }
    };
    set("LANGUAGE", environment.language);
    set("LC_ALL", environment.lcAll);
    unsetenv("LC_MESSAGES");
    set("LANG", environment.lang);
    Start();
  }

  wxString MenuTitle(int index) { return m_frame->GetMenuBar()->GetMenuLabelText(index); }
  wxString ItemText(int id) { return m_frame->GetMenuBar()->FindItem(id)->GetItemLabelText(); }
  wxString ItemHelp(int id) { return m_frame->GetMenuBar()->FindItem(id)->GetHelp(); }

  std::shared_ptr<ExpectLanguageChoice::Seen> OpenSettings() {
    auto seen = std::make_shared<ExpectLanguageChoice::Seen>();
    wxCommandEvent event(wxEVT_MENU, wxID_PROPERTIES);
    event.SetEventObject(m_frame);
    wxTEST_DIALOG(m_frame->ProcessWindowEvent(event), ExpectLanguageChoice(seen));
    return seen;
  }
};

TEST_F(TranslatedWindow, GermanMenusAndDialogUnderLanguageDe) {
  StartIn({"de", nullptr, "C"});
  EXPECT_EQ(App().State().language, "de");

  const struct {
    int menu;
    const char* title;
  } menus[] = {{0, "Datei"}, {1, "Bearbeiten"}, {2, "Steuerung"}, {3, "Hilfe"}};
  for (const auto& menu : menus) {
    EXPECT_EQ(MenuTitle(menu.menu), wxString::FromUTF8(menu.title));
  }
  const struct {
    int id;
    const char* text;
    const char* help;
  } items[] = {
      {wxID_ADD, "Szene hinzufügen", "Diesem Szenario eine weitere Szene hinzufügen"},
      {ID_CHECK_SCENARIO, "Szenario prüfen", "Die Fehler auflisten, die sich auf den Boards zeigen würden"},
      {ID_BOARD_MONITOR, "Board-Monitor", "Anzeigen, was die Boards an der Leitung enthalten"},
      {wxID_HELP, "Benutzerhandbuch", "Das Benutzerhandbuch anzeigen"},
  };
  for (const auto& item : items) {
    EXPECT_EQ(ItemText(item.id), wxString::FromUTF8(item.text));
    EXPECT_EQ(ItemHelp(item.id), wxString::FromUTF8(item.help));
  }
  // The toolkit's stock items from its own German catalogue.
  EXPECT_EQ(ItemText(wxID_SAVE), "Speichern");
  EXPECT_NE(ItemText(wxID_OPEN), "Open...");

  const auto seen = OpenSettings();
  EXPECT_EQ(seen->title, "Einstellungen");
  ASSERT_GE(seen->languages.size(), 3u);
  EXPECT_EQ(seen->languages[0], "Systemvorgabe");
  EXPECT_NE(seen->languages.Index("Deutsch"), wxNOT_FOUND);
  EXPECT_NE(seen->languages.Index(wxString::FromUTF8("Français")), wxNOT_FOUND);
  EXPECT_NE(seen->languages.Index("English"), wxNOT_FOUND);
  EXPECT_EQ(seen->selection, 0);
}

TEST_F(TranslatedWindow, TextsAsWrittenUnderC) {
  StartIn({nullptr, "C", nullptr});
  EXPECT_EQ(App().State().language, "en");
  const char* const titles[] = {"File", "Edit", "Control", "Help"};
  for (int menu = 0; menu < 4; ++menu) {
    EXPECT_EQ(MenuTitle(menu), titles[menu]);
  }
  EXPECT_EQ(ItemText(wxID_ADD), "Add scene");
  EXPECT_EQ(ItemHelp(wxID_ADD), "Add another scene to this scenario");
  EXPECT_EQ(ItemText(wxID_SAVE), "Save");
  const auto seen = OpenSettings();
  EXPECT_EQ(seen->title, SETTINGS_TITLE);
  ASSERT_FALSE(seen->languages.empty());
  EXPECT_EQ(seen->languages[0], LANGUAGE_SYSTEM_DEFAULT);
}

TEST_F(TranslatedWindow, SettingChosenInTheDialogWinsAtTheNextStart) {
  WriteSettings("[Settings]\ncom=\ntip=-1\nlanguage=fr\n");
  StartIn({"de", nullptr, "de_DE.UTF-8"});
  EXPECT_EQ(App().State().language, "fr");
  EXPECT_EQ(MenuTitle(0), "Fichier");
  const auto seen = OpenSettings();
  ASSERT_GT(seen->selection, 0);
  EXPECT_EQ(seen->languages[seen->selection], wxString::FromUTF8("Français"));
}

TEST_F(TranslatedWindow, HoldFieldShowsAndTakesTheDecimalComma) {
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) {
    GTEST_SKIP() << "the locale de_DE.UTF-8 is missing and could not be generated "
                    "(run as root, or: localedef -i de_DE -f UTF-8 de_DE.UTF-8)";
  }
  StartIn({nullptr, nullptr, "de_DE.UTF-8"});
  const struct {
    const char* typed;
    double hold;
    const char* shown;
  } cases[] = {{"1,5", 1.5, "1,5"}, {"2.5", 2.5, "2,5"}, {"3", 3.0, "3,0"}, {"0,25", 0.5, "0,5"}};
  for (const auto& test : cases) {
    m_frame->FadeHold().HoldText()->ChangeValue(test.typed);
    if (test.hold == 0.5) {
      // Rounded to the next half second: the user is told.
      wxTEST_DIALOG(m_frame->CommitFadeHold(),
                    ExpectMessageBox(wxString::FromUTF8("Der Wert für die Haltezeit wird auf ein Vielfaches von "
                                                        "0,5 Sekunden gerundet."),
                                     "Warnung", wxOK));
    } else {
      m_frame->CommitFadeHold();
    }
    EXPECT_EQ(m_frame->GetDocument().GetScene(0).hold.Seconds(), test.hold) << test.typed;
    EXPECT_EQ(m_frame->FadeHold().HoldText()->GetValue(), test.shown) << test.typed;
  }
}

}  // namespace
