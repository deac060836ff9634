#include "core/i18n/language_choice.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

bool IsInstalled(const std::string& language, const std::vector<std::string>& installed) {
  return std::find(installed.begin(), installed.end(), language) != installed.end();
}

}  // namespace

DesktopLanguages DesktopLanguagesFromEnvironment() {
  return DesktopLanguages{Environment("LANGUAGE"), Environment("LC_ALL"), Environment("LC_MESSAGES"),
                          Environment("LANG")};
}

std::string MatchInstalled(const std::string& localeName, const std::vector<std::string>& installed) {
  // "de_DE.UTF-8@euro": the language and territory come before the codeset
  // and the modifier.
  const std::string name = localeName.substr(0, localeName.find_first_of(".@"));
  if (name.empty()) {
    return std::string();
  }
  if (name == "C" || name == "POSIX") {
    return SOURCE_LANGUAGE;
  }
  if (IsInstalled(name, installed)) {
    return name;
  }
  const std::string language = name.substr(0, name.find('_'));
  if (language == SOURCE_LANGUAGE || IsInstalled(language, installed)) {
    return language;
  }
  return std::string();
}

std::string ChooseLanguage(const std::string& setting, const DesktopLanguages& desktop,
                           const std::vector<std::string>& installed) {
  if (!setting.empty()) {
    const std::string chosen = MatchInstalled(setting, installed);
    if (!chosen.empty()) {
      return chosen;
    }
  }
  size_t start = 0;
  while (start <= desktop.language.size()) {
    const size_t colon = std::min(desktop.language.find(':', start), desktop.language.size());
    const std::string chosen = MatchInstalled(desktop.language.substr(start, colon - start), installed);
    if (!chosen.empty()) {
      return chosen;
    }
    start = colon + 1;
  }
  // Of the locale variables only the first that is set counts, as in the C
  // library; "C" there means English.
  for (const std::string* locale : {&desktop.lcAll, &desktop.lcMessages, &desktop.lang}) {
    if (!locale->empty()) {
      const std::string chosen = MatchInstalled(*locale, installed);
      return chosen.empty() ? SOURCE_LANGUAGE : chosen;
    }
  }
  return SOURCE_LANGUAGE;
}

std::vector<std::string> InstalledLanguages(const std::string& localeDir, const std::string& domain) {
  std::vector<std::string> languages;
  DIR* dir = opendir(localeDir.c_str());
  if (dir == nullptr) {
    return languages;
  }
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.empty() || name[0] == '.') {
      continue;
    }
    struct stat info;
    const std::string catalogue = localeDir + "/" + name + "/LC_MESSAGES/" + domain + ".mo";
    if (stat(catalogue.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
      languages.push_back(name);
    }
  }
  closedir(dir);
  std::sort(languages.begin(), languages.end());
  return languages;
}
