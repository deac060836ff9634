#pragma once
// The window's language: chosen once at start from the settings and the
// desktop, with the program's catalogue and the toolkit's stock texts.
#include <string>
#include <vector>

#include <wx/string.h>

// The catalogue's name: share/locale/<language>/LC_MESSAGES/lumivane.mo.
inline constexpr const char* CATALOGUE_DOMAIN = "lumivane";

// share/locale beside the executable's bin directory, in the build tree as
// once installed.
wxString LocaleDirBeside(const wxString& exeDir);

// The languages the settings offer: English and each one installed under
// `localeDir`.
std::vector<std::string> OfferedLanguages(const wxString& localeDir);

// Numbers in the desktop's locale and texts in the language chosen from
// `setting` ("" for the desktop's) among the catalogues under `localeDir`.
// Returns that language ("en" for the texts as written).
std::string UseLanguage(const std::string& setting, const wxString& localeDir);

// A language's name in itself ("Deutsch"), or its code when unknown.
wxString LanguageName(const std::string& language);

// The tips in `language`: lumivane.<language>.tips in `docDir` when there is
// one, else the English lumivane.tips.
wxString TipsFilePath(const wxString& docDir, const std::string& language);

// The separator of the user's decimal numbers ("," in German).
std::string DecimalSeparator();
