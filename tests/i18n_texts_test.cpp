// The core's part of the window's translations: which language the window
// speaks, decimal separators in the fields, and English texts taken apart
// so that the window can fill translated patterns.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/edit/step_label_parts.h"
#include "core/edit/step_labels.h"
#include "core/i18n/decimal_text.h"
#include "core/i18n/language_choice.h"
#include "core/i18n/text_pattern.h"
#include "support/temp_home.h"

namespace {

const std::vector<std::string> INSTALLED = {"de", "fr", "pt_BR"};

struct LanguageCase {
  const char* setting;
  DesktopLanguages desktop;
  const char* chosen;
};

TEST(LanguageChoice, SettingThenLanguageListThenFirstLocaleVariable) {
  const LanguageCase cases[] = {
      // The desktop's language, by any of its variables.
      {"", {"", "", "", "de_DE.UTF-8"}, "de"},
      {"", {"", "", "fr_CA.UTF-8", "de_DE.UTF-8"}, "fr"},
      {"", {"", "fr_FR@euro", "de_DE", "en_GB"}, "fr"},
      {"", {"de", "", "", ""}, "de"},
      {"", {"de", "C", "", ""}, "de"},
      {"", {"it:fr:de", "", "", "de_DE.UTF-8"}, "fr"},
      {"", {"::it", "", "", "de_AT.UTF-8"}, "de"},
      {"", {"pt_BR", "", "", ""}, "pt_BR"},
      {"", {"pt_PT", "", "", ""}, "en"},
      // English where asked for or where nothing fits.
      {"", {"", "", "", ""}, "en"},
      {"", {"", "C", "", "de_DE.UTF-8"}, "en"},
      {"", {"", "", "", "POSIX"}, "en"},
      {"", {"", "", "", "C.UTF-8"}, "en"},
      {"", {"en_US:de", "", "", ""}, "en"},
      {"", {"", "", "", "it_IT.UTF-8"}, "en"},
      {"", {"", "it_IT.UTF-8", "", "de_DE.UTF-8"}, "en"},
      // The user's setting wins over the desktop, unless nothing is
      // installed for it.
      {"fr", {"de", "", "", "de_DE.UTF-8"}, "fr"},
      {"en", {"de", "", "", "de_DE.UTF-8"}, "en"},
      {"it", {"", "", "", "de_DE.UTF-8"}, "de"},
  };
  for (const LanguageCase& test : cases) {
    SCOPED_TRACE(std::string("setting '") + test.setting + "', LANGUAGE '" + test.desktop.language + "', LC_ALL '" +
                 test.desktop.lcAll + "', LC_MESSAGES '" + test.desktop.lcMessages + "', LANG '" +
                 test.desktop.lang + "'");
    EXPECT_EQ(ChooseLanguage(test.setting, test.desktop, INSTALLED), test.chosen);
  }
}

TEST(LanguageChoice, InstalledLanguagesAreThoseWithTheCatalogue) {
  const std::string dir = TestHome() + "/locale";
  const auto makeDir = [](const std::string& path) { mkdir(path.c_str(), 0755); };
  makeDir(dir);
  for (const char* language : {"fr", "de", "it", ".hidden"}) {
    makeDir(dir + "/" + language);
    makeDir(dir + "/" + language + "/LC_MESSAGES");
  }
  std::ofstream(dir + "/fr/LC_MESSAGES/lumivane.mo") << "x";
  std::ofstream(dir + "/de/LC_MESSAGES/lumivane.mo") << "x";
  std::ofstream(dir + "/it/LC_MESSAGES/other.mo") << "x";  // another program's
  std::ofstream(dir + "/.hidden/LC_MESSAGES/lumivane.mo") << "x";
  makeDir(dir + "/es");
  makeDir(dir + "/es/LC_MESSAGES");
  makeDir(dir + "/es/LC_MESSAGES/lumivane.mo");  // not a file

  EXPECT_EQ(InstalledLanguages(dir, "lumivane"), (std::vector<std::string>{"de", "fr"}));
  EXPECT_TRUE(InstalledLanguages(dir + "/missing", "lumivane").empty());
}

struct DecimalCase {
  const char* separator;
  const char* text;
  const char* shown;  // the text as the field shows it
  const char* typed;
  const char* taken;  // the typed text with a decimal point
};

TEST(DecimalText, FieldShowsTheUsersSeparatorAndTakesEither) {
  const DecimalCase cases[] = {
      {",", "2.5", "2,5", "1,5", "1.5"},
      {",", "120", "120", "1.5", "1.5"},
      {",", "0.25", "0,25", "7", "7"},
      {",", "", "", "abc", "abc"},
      {",", "3", "3", "1,5,5", "1.5,5"},  // still no number: the core says so
      {".", "2.5", "2.5", "2.5", "2.5"},
      {".", "2.5", "2.5", "2,5", "2,5"},  // English takes a point only, as before
      {"\xd9\xab", "2.5", "2\xd9\xab" "5", "2\xd9\xab" "5", "2.5"},  // Arabic, two bytes
  };
  for (const DecimalCase& test : cases) {
    SCOPED_TRACE(std::string("separator '") + test.separator + "', text '" + test.text + "', typed '" +
                 test.typed + "'");
    EXPECT_EQ(WithDecimalSeparator(test.text, test.separator), test.shown);
    EXPECT_EQ(WithDecimalPoint(test.typed, test.separator), test.taken);
  }
}

TEST(TextPattern, PlacesFilledInAnyOrder) {
  struct Case {
    const char* pattern;
    std::vector<std::string> arguments;
    const char* text;
  } const cases[] = {
      {"rows {1} and {2} both drive board {3}; row {2} wins", {"1", "4", "7"}, "rows 1 and 4 both drive board 7; row 4 wins"},
      {"Zeile {2} gewinnt vor {1}", {"1", "4"}, "Zeile 4 gewinnt vor 1"},
      {"From \"{1}\" is not a number", {"{2}"}, "From \"{2}\" is not a number"},  // values are not patterns
      {"{3} has no value", {"a"}, "{3} has no value"},
      {"{0} {x} {", {"a"}, "{0} {x} {"},
      {"plain", {}, "plain"},
  };
  for (const Case& test : cases) {
    EXPECT_EQ(FillPattern(test.pattern, test.arguments), test.text) << test.pattern;
  }
}

TEST(StepLabelParts, LabelsSplitBackIntoPatternAndName) {
  struct Case {
    std::string label;
    const char* pattern;
    const char* name;
  } const cases[] = {
      {STEP_INSERT_ROW, STEP_INSERT_ROW, ""},
      {STEP_SHOW_TO, STEP_SHOW_TO, ""},
      {"delete scene \"Finale\"", STEP_DELETE_SCENE, "Finale"},
      {"rename scene \"\"", STEP_RENAME_SCENE, ""},
      {"move scene \"say \"hi\"\"", STEP_MOVE_SCENE, "say \"hi\""},
      {"clear scene \"%s\"", STEP_CLEAR_SCENE, "%s"},
      {"something else", "something else", ""},
  };
  for (const Case& test : cases) {
    const StepLabelParts parts = SplitStepLabel(test.label);
    EXPECT_EQ(parts.pattern, test.pattern) << test.label;
    EXPECT_EQ(parts.name, test.name) << test.label;
    EXPECT_EQ(FillStepLabel(parts.pattern, parts.name), test.label);
  }
  EXPECT_EQ(FillStepLabel("Szene „%s“ löschen", "Finale"), "Szene „Finale“ löschen");
}

}  // namespace
