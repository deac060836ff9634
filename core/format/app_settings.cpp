#include "core/format/app_settings.h"

#include "core/format/recent_files.h"
#include "core/model/scenario.h"

namespace {

constexpr const char* SECTION_SETTINGS = "Settings";
constexpr const char* SECTION_POSITION = "Position";
constexpr const char* SECTION_SESSION = "Session";
constexpr const char* KEY_PORT = "com";
constexpr const char* KEY_BAUD = "baud";
constexpr const char* KEY_AUTORUN = "autorun";
constexpr const char* KEY_TIP = "tip";
constexpr const char* KEY_FRAME = "frame";
constexpr const char* KEY_ACTIVE_DIR = "activedir";
constexpr const char* KEY_COPY_DIR = "copydir";
constexpr const char* KEY_FILE = "file";
constexpr const char* KEY_LANGUAGE = "language";
constexpr const char* SECTION_REMOTE = "Remote";
constexpr const char* KEY_OSC = "osc";
constexpr const char* KEY_HTTP = "http";
constexpr const char* KEY_NETWORK = "network";
constexpr const char* KEY_TOKEN = "token";
constexpr long HIGHEST_PORT = 65535;

// A port number as the file gives it; 0 (off) for one that is no port.
int PortNumber(long value) { return value > 0 && value <= HIGHEST_PORT ? static_cast<int>(value) : 0; }
constexpr const char* SECTION_RECENT = "Recent";
constexpr const char* KEY_RECENT_PREFIX = "file";  // file1 .. file9

std::string RecentKey(int number) { return KEY_RECENT_PREFIX + std::to_string(number); }

// No value read from a line holds a newline, so it marks a missing key.
constexpr const char* MISSING = "\n";

std::vector<std::string> ReadRecentFiles(const Utf8SettingsFile& file) {
  std::vector<std::string> list;
  for (int number = RECENT_FILES_LIMIT; number >= 1; --number) {
    list = WithRecentFile(std::move(list), file.ReadString(SECTION_RECENT, RecentKey(number), ""));
  }
  return list;
}

// Keys past the list's end are emptied when the file has them, so that a
// shorter list does not bring old entries back; a file that never had the
// section does not get one for an empty list.
bool WriteRecentFiles(const Utf8SettingsFile& file, const std::vector<std::string>& list) {
  bool written = true;
  for (int number = 1; number <= RECENT_FILES_LIMIT; ++number) {
    const size_t index = static_cast<size_t>(number - 1);
    if (index < list.size()) {
      written = file.WriteString(SECTION_RECENT, RecentKey(number), list[index]) && written;
    } else if (file.ReadString(SECTION_RECENT, RecentKey(number), MISSING) != MISSING) {
      written = file.WriteString(SECTION_RECENT, RecentKey(number), "") && written;
    }
  }
  return written;
}

// A part of the window size counts by its leading number; 0 without one.
int SizePart(const std::string& text) { return static_cast<int>(LeadingNumber(text)); }

}  // namespace

bool Settings::operator==(const Settings& other) const {
  return port == other.port && baudIndex == other.baudIndex && autoTransfer == other.autoTransfer &&
         tip == other.tip && activeDir == other.activeDir && copyDir == other.copyDir &&
         scenarioFile == other.scenarioFile && sizeStored == other.sizeStored && width == other.width &&
         height == other.height && oscPort == other.oscPort && httpPort == other.httpPort &&
         remoteNetwork == other.remoteNetwork && remoteToken == other.remoteToken &&
         language == other.language &&
         recentFiles == other.recentFiles;
}

Settings ReadSettings(const Utf8SettingsFile& file, const std::string& firstPort) {
  Settings settings;
  // No value read from a line holds a newline, so it marks a missing key.
  settings.port = file.ReadString(SECTION_SETTINGS, KEY_PORT, "\n");
  if (settings.port == "\n") {
    settings.port = firstPort;
  }
  settings.baudIndex = file.ReadLong(SECTION_SETTINGS, KEY_BAUD, 0);
  settings.autoTransfer = file.ReadLong(SECTION_SETTINGS, KEY_AUTORUN, 1) != 0;
  settings.tip = file.ReadLong(SECTION_SETTINGS, KEY_TIP, 0);
  settings.language = file.ReadString(SECTION_SETTINGS, KEY_LANGUAGE, "");

  const std::string frame = file.ReadString(SECTION_POSITION, KEY_FRAME, "");
  if (!frame.empty()) {
    settings.sizeStored = true;
    const size_t space = frame.find(' ');
    settings.width = SizePart(frame.substr(0, space));
    settings.height = space == std::string::npos ? 0 : SizePart(frame.substr(space + 1));
  }

  settings.activeDir = file.ReadString(SECTION_SESSION, KEY_ACTIVE_DIR, "");
  settings.copyDir = file.ReadString(SECTION_SESSION, KEY_COPY_DIR, "");
  settings.scenarioFile = file.ReadString(SECTION_SESSION, KEY_FILE, "");

  settings.oscPort = PortNumber(file.ReadLong(SECTION_REMOTE, KEY_OSC, 0));
  settings.httpPort = PortNumber(file.ReadLong(SECTION_REMOTE, KEY_HTTP, 0));
  settings.remoteNetwork = file.ReadLong(SECTION_REMOTE, KEY_NETWORK, 0) != 0;
  settings.remoteToken = file.ReadString(SECTION_REMOTE, KEY_TOKEN, "");
  settings.recentFiles = ReadRecentFiles(file);
  return settings;
}

bool WriteSettings(const Utf8SettingsFile& file, const Settings& settings) {
  // This order fixes the order of a new file's sections.
  bool written = file.WriteString(SECTION_SETTINGS, KEY_PORT, settings.port);
  written = file.WriteLong(SECTION_SETTINGS, KEY_BAUD, settings.baudIndex) && written;
  written = file.WriteLong(SECTION_SETTINGS, KEY_AUTORUN, settings.autoTransfer ? 1 : 0) && written;
  written = file.WriteLong(SECTION_SETTINGS, KEY_TIP, settings.tip) && written;
  // The desktop's language needs no key: files of users who never chose
  // one stay as they were.
  if (!settings.language.empty() || file.ReadString(SECTION_SETTINGS, KEY_LANGUAGE, "\n") != "\n") {
    written = file.WriteString(SECTION_SETTINGS, KEY_LANGUAGE, settings.language) && written;
  }
  written = file.WriteString(SECTION_SESSION, KEY_ACTIVE_DIR, settings.activeDir) && written;
  written = file.WriteString(SECTION_SESSION, KEY_COPY_DIR, settings.copyDir) && written;
  written = file.WriteString(SECTION_SESSION, KEY_FILE, settings.scenarioFile) && written;
  written = file.WriteString(SECTION_POSITION, KEY_FRAME,
                             std::to_string(settings.width) + " " + std::to_string(settings.height)) &&
            written;
  // Files of users who never turned a remote on stay as they were; once
  // the section is there it follows every change, off included.
  const Settings none;
  const bool remoteUsed = settings.oscPort != none.oscPort || settings.httpPort != none.httpPort ||
                          settings.remoteNetwork != none.remoteNetwork || settings.remoteToken != none.remoteToken ||
                          file.ReadString(SECTION_REMOTE, KEY_OSC, "\n") != "\n";
  if (remoteUsed) {
    written = file.WriteLong(SECTION_REMOTE, KEY_OSC, settings.oscPort) && written;
    written = file.WriteLong(SECTION_REMOTE, KEY_HTTP, settings.httpPort) && written;
    written = file.WriteLong(SECTION_REMOTE, KEY_NETWORK, settings.remoteNetwork ? 1 : 0) && written;
    written = file.WriteString(SECTION_REMOTE, KEY_TOKEN, settings.remoteToken) && written;
  }
  written = WriteRecentFiles(file, settings.recentFiles) && written;
  return written;
}
