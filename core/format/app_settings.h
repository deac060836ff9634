#pragma once
// The program's per-user settings as one value: read once at start-up,
// handed to the dialogs that edit them as copies, and written back when the
// main window closes. Only the application object keeps the current value.
#include <string>
#include <vector>

#include "core/format/settings_file.h"

inline constexpr const char* SETTINGS_FILE_NAME = "lumivane.ini";

struct Settings {
  // The port's name as the port list shows it; empty is a choice too.
  std::string port;
  // 0: 9600 bit/s, 1: 115200 bit/s; another value selects no rate.
  long baudIndex = 0;
  bool autoTransfer = true;
  // The next tip of the day, or -1 when tips are not shown at start.
  long tip = 0;
  // Where Open and Save as start, and where Save a copy starts.
  std::string activeDir;
  std::string copyDir;
  // The scenario open when the program last closed.
  std::string scenarioFile;
  // The main window's size when it last closed; 0 where the file gave no
  // number. Without a stored size the window picks one of its own.
  bool sizeStored = false;
  int width = 0;
  int height = 0;
  // The remotes: the OSC and web remote ports (0: off), whether devices
  // elsewhere on the network may use them, and the token the web remote
  // then asks for (made the first time the network is allowed).
  int oscPort = 0;
  int httpPort = 0;
  bool remoteNetwork = false;
  std::string remoteToken;
  // The window's language ("de", "en"), taken at the next start; empty
  // follows the desktop.
  std::string language;
  // The scenarios opened or saved last, newest first (recent_files.h).
  std::vector<std::string> recentFiles;

  bool operator==(const Settings& other) const;
  bool operator!=(const Settings& other) const { return !(*this == other); }
};

// The settings in `file`. A file without a port key (a first start) gives
// `firstPort`; a key that is there, even empty, is the user's choice.
Settings ReadSettings(const Utf8SettingsFile& file, const std::string& firstPort);

// Writes every setting; false when a write failed (the file then holds
// what was written before it).
bool WriteSettings(const Utf8SettingsFile& file, const Settings& settings);
