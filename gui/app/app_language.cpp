#include "gui/app/app_language.h"

#include <wx/filefn.h>
#include <wx/intl.h>
#include <wx/translation.h>
#include <wx/uilocale.h>

#include "core/i18n/language_choice.h"
#include "gui/app/texts.h"

namespace {

constexpr const char* LOCALE_DIR = "/share/locale";
constexpr const char* TIPS_EXTENSION = ".tips";

}  // namespace

wxString LocaleDirBeside(const wxString& exeDir) { return exeDir.BeforeLast('/') + LOCALE_DIR; }

std::vector<std::string> OfferedLanguages(const wxString& localeDir) {
  std::vector<std::string> languages{SOURCE_LANGUAGE};
  for (const std::string& language : InstalledLanguages(localeDir.utf8_string(), CATALOGUE_DOMAIN)) {
    if (language != SOURCE_LANGUAGE) {
      languages.push_back(language);
    }
  }
  return languages;
}

std::string UseLanguage(const std::string& setting, const wxString& localeDir) {
  // The C library's locale too: GTK's own texts and the user's numbers.
  wxUILocale::UseDefault();
  const std::string language = ChooseLanguage(
      setting, DesktopLanguagesFromEnvironment(), InstalledLanguages(localeDir.utf8_string(), CATALOGUE_DOMAIN));
  wxFileTranslationsLoader::AddCatalogLookupPathPrefix(localeDir);
  auto* translations = new wxTranslations;
  wxTranslations::Set(translations);  // owns it, and frees the one before
  translations->SetLanguage(wxString::FromUTF8(language));
  // The toolkit's stock labels come from its own catalogue (Debian's
  // wx3.2-i18n), in the system's locale directory.
  translations->AddStdCatalog();
  translations->AddCatalog(CATALOGUE_DOMAIN);
  return language;
}

wxString LanguageName(const std::string& language) {
  const wxLanguageInfo* info = wxUILocale::FindLanguageInfo(wxString::FromUTF8(language));
  if (info == nullptr || info->DescriptionNative.empty()) {
    return wxString::FromUTF8(language);
  }
  // Names of languages are written small in some of them ("français").
  wxString name = info->DescriptionNative;
  return name.Left(1).Upper() + name.Mid(1);
}

wxString TipsFilePath(const wxString& docDir, const std::string& language) {
  const wxString english = docDir + "/" + TIPS_FILE_NAME;
  const wxString translated =
      english.BeforeLast('.') + "." + wxString::FromUTF8(language) + TIPS_EXTENSION;
  return language != SOURCE_LANGUAGE && wxFileExists(translated) ? translated : english;
}

std::string DecimalSeparator() {
  const wxString separator = wxUILocale::GetCurrent().GetInfo(wxLOCALE_DECIMAL_POINT, wxLOCALE_CAT_NUMBER);
  return separator.empty() ? "." : separator.utf8_string();
}
