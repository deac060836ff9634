#pragma once
// Which language the window speaks. The user's setting wins when a
// catalogue for it is installed; otherwise the desktop's languages are
// tried in the order gettext reads them; English (the texts as written)
// is the last resort.
#include <string>
#include <vector>

// The language of the texts as written in the sources.
inline constexpr const char* SOURCE_LANGUAGE = "en";

// What the desktop says, as the environment variables hold it.
struct DesktopLanguages {
  std::string language;    // LANGUAGE: "de:fr", a list in order of preference
  std::string lcAll;       // LC_ALL
  std::string lcMessages;  // LC_MESSAGES
  std::string lang;        // LANG
};

// The desktop's languages from the process environment.
DesktopLanguages DesktopLanguagesFromEnvironment();

// The installed catalogue a locale name asks for: "de_DE.UTF-8@euro" tries
// "de_DE" and then "de"; SOURCE_LANGUAGE for English, "C" and "POSIX";
// empty when none fits.
std::string MatchInstalled(const std::string& localeName, const std::vector<std::string>& installed);

// The language to use: `setting` ("" for the desktop's), else LANGUAGE's
// entries in order, then the first of LC_ALL, LC_MESSAGES and LANG that is
// set; SOURCE_LANGUAGE when none of them has an installed catalogue.
std::string ChooseLanguage(const std::string& setting, const DesktopLanguages& desktop,
                           const std::vector<std::string>& installed);

// The languages with a catalogue `domain`.mo under `localeDir`
// (<localeDir>/<language>/LC_MESSAGES/<domain>.mo), sorted.
std::vector<std::string> InstalledLanguages(const std::string& localeDir, const std::string& domain);
