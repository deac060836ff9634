#pragma once
// What the application keeps for the whole run and lends the main window:
// the settings as one value, and where the program's documents lie.
#include <string>

#include <wx/string.h>

#include "core/format/app_settings.h"

struct AppState {
  Settings settings;
  // The settings file: read at start, written when the main window closes.
  std::string settingsPath;
  // Holds the tips file and the user guide.
  wxString docDir;
  // The scenario named on the command line: opened and run at start.
  wxString startFile;
  // The language the window speaks ("en" for the texts as written), chosen
  // at start; the catalogues lie under localeDir.
  std::string language;
  wxString localeDir;
};
