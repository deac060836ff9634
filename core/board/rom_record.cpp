#include "core/board/rom_record.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "core/board/board_lines.h"
#include "core/format/scenario_text.h"
#include "core/fs/atomic_replace.h"
#include "core/hash/sha256.h"
#include "core/serial/ports.h"

namespace {

const char MAGIC[] = "Lumivane ROM record 1";
const char VIRTUAL_KEY[] = "virtual-boards";
const char FILE_SUFFIX[] = ".rom";
// Far beyond the text of 64 scenes of 511 rows; a bigger file is no record.
constexpr long long MAX_RECORD_BYTES = 64LL * 1024 * 1024;

bool StartsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }

// A header value on one line.
std::string OneLine(std::string text) {
  for (char& c : text) {
    if (c == '\n' || c == '\r') c = ' ';
  }
  return text;
}

bool ParseCount(const std::string& text, long long* value) {
  if (text.empty() || text.size() > 18 || text.find_first_not_of("0123456789") != std::string::npos) {
    return false;
  }
  *value = std::stoll(text);
  return true;
}

int MakeDirectories(const std::string& path) {
  for (size_t slash = path.find('/', 1);; slash = path.find('/', slash + 1)) {
    const std::string part = path.substr(0, slash);
    if (!part.empty() && mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) {
      return errno;
    }
    if (slash == std::string::npos) {
      return 0;
    }
  }
}

}  // namespace

std::string RomStateText(const RomRecord& record) {
  switch (record.state) {
    case RomRecord::State::COMPLETE:
      return "complete";
    case RomRecord::State::PARTIAL:
      return "partial, scenes 1 to " + std::to_string(record.scenesStored);
    case RomRecord::State::ERASED:
      break;
  }
  return "erased";
}

std::string RomSpeedText(LinkSpeed speed) { return speed == LinkSpeed::HIGH ? "high" : "standard"; }

std::string RomTimeText(time_t time) {
  tm local{};
  localtime_r(&time, &local);
  char text[32];
  strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local);
  return text;
}

std::string RomRecordKey(const std::string& port) {
  if (BoardLines::IsVirtual(port)) {
    return VIRTUAL_KEY;
  }
  if (StartsWith(port, "Lumivane")) {
    const std::string serialNumber = serial_ftdi_serial_number(port.c_str());
    return "ftdi-" + (serialNumber.empty() ? port : serialNumber);
  }
  return "tty-" + (StartsWith(port, "/dev/") ? port.substr(5) : port);
}

std::string DefaultRomDirectory() {
  const char* home = getenv("HOME");
  std::string directory = home != nullptr ? home : "";
  if (directory.empty()) {
    if (const passwd* entry = getpwuid(getuid())) {
      directory = entry->pw_dir;
    }
  }
  return directory + "/.lumivane/rom";
}

std::string RomRecordPath(const std::string& directory, const std::string& key) {
  // Any byte but letters, digits, '-' and '_' escaped: a key never leaves
  // the directory or hides its file.
  std::string name;
  for (unsigned char c : key) {
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_') {
      name += static_cast<char>(c);
    } else {
      char escaped[4];
      snprintf(escaped, sizeof escaped, "%%%02X", c);
      name += escaped;
    }
  }
  return directory + "/" + name + FILE_SUFFIX;
}

std::string FormatRomRecord(const RomRecord& record) {
  std::ostringstream out;
  out << MAGIC << "\n"
      << "port=" << OneLine(record.port) << "\n"
      << "key=" << OneLine(record.key) << "\n"
      << "time=" << static_cast<long long>(record.time) << "\n"
      << "speed=" << RomSpeedText(record.speed) << "\n"
      << "state=" << RomStateText(record) << "\n"
      << "scenes=" << record.sceneCount << "\n"
      << "stored=" << record.scenesStored << "\n"
      << "sha256=" << Sha256Hex(record.text) << "\n"
      << "length=" << record.text.size() << "\n"
      << "\n"
      << record.text;
  return out.str();
}

bool ParseRomRecord(const std::string& bytes, RomRecord* record) {
  size_t at = 0;
  auto nextLine = [&](std::string* line) {
    const size_t end = bytes.find('\n', at);
    if (end == std::string::npos) return false;
    *line = bytes.substr(at, end - at);
    at = end + 1;
    return true;
  };
  std::string line;
  if (!nextLine(&line) || line != MAGIC) {
    return false;
  }
  RomRecord read;
  std::string state;
  long long time = 0, scenes = -1, stored = -1, length = -1;
  std::string sha256;
  bool hasPort = false, hasKey = false, hasTime = false, hasSpeed = false;
  while (nextLine(&line) && !line.empty()) {
    const size_t equals = line.find('=');
    if (equals == std::string::npos) return false;
    const std::string name = line.substr(0, equals);
    const std::string value = line.substr(equals + 1);
    if (name == "port") {
      read.port = value;
      hasPort = true;
    } else if (name == "key") {
      read.key = value;
      hasKey = true;
    } else if (name == "time") {
      hasTime = ParseCount(value, &time);
    } else if (name == "speed") {
      hasSpeed = value == "standard" || value == "high";
      read.speed = value == "high" ? LinkSpeed::HIGH : LinkSpeed::STANDARD;
    } else if (name == "state") {
      state = value;
    } else if (name == "scenes") {
      if (!ParseCount(value, &scenes)) return false;
    } else if (name == "stored") {
      if (!ParseCount(value, &stored)) return false;
    } else if (name == "sha256") {
      sha256 = value;
    } else if (name == "length") {
      if (!ParseCount(value, &length)) return false;
    }
  }
  if (!line.empty() || !hasPort || !hasKey || !hasTime || !hasSpeed || scenes < 0 || stored < 0 || length < 0 ||
      scenes > MAX_SCENES || stored > scenes) {
    return false;
  }
  read.text = bytes.substr(at);
  if (static_cast<long long>(read.text.size()) != length || Sha256Hex(read.text) != sha256) {
    return false;
  }
  read.time = static_cast<time_t>(time);
  read.sceneCount = static_cast<int>(scenes);
  read.scenesStored = static_cast<int>(stored);
  read.sha256 = sha256;
  if (state == "complete" && stored == scenes && scenes > 0) {
    read.state = RomRecord::State::COMPLETE;
  } else if (state == "erased" && stored == 0 && read.text.empty()) {
    read.state = RomRecord::State::ERASED;
  } else if (stored > 0 && stored < scenes) {
    read.state = RomRecord::State::PARTIAL;
    if (state != RomStateText(read)) return false;
  } else {
    return false;
  }
  *record = std::move(read);
  return true;
}

int WriteRomRecord(const std::string& directory, const RomRecord& record) {
  const int made = MakeDirectories(directory);
  if (made != 0) {
    return made;
  }
  return ReplaceFileContents(RomRecordPath(directory, record.key), FormatRomRecord(record));
}

RomRecordRead ReadRomRecord(const std::string& directory, const std::string& port) {
  RomRecordRead result;
  const std::string path = RomRecordPath(directory, RomRecordKey(port));
  struct stat info {};
  if (stat(path.c_str(), &info) != 0 && errno == ENOENT) {
    return result;
  }
  std::ifstream file(path, std::ios::binary);
  std::string bytes;
  bool read = file.is_open() && S_ISREG(info.st_mode) && info.st_size <= MAX_RECORD_BYTES;
  if (read) {
    std::ostringstream content;
    content << file.rdbuf();
    bytes = content.str();
    read = !file.bad();
  }
  if (!read || !ParseRomRecord(bytes, &result.record)) {
    result.status = RomRecordRead::Status::DAMAGED;
    result.record = RomRecord();
    result.warning = "the record of what the boards on " + port + " hold (" + path +
                     ") cannot be read or is damaged; it counts as no record";
    return result;
  }
  result.status = RomRecordRead::Status::FOUND;
  return result;
}

bool RecordAfterProgram(const BoardTarget& target, const Scenario& scenario, const BoardOutcome& outcome,
                        bool eraseWentOut, time_t now, RomRecord* record) {
  const int count = static_cast<int>(scenario.scenes.size());
  RomRecord made;
  made.port = target.port;
  made.key = RomRecordKey(target.port);
  made.time = now;
  made.speed = target.speed;
  if (outcome.result == BoardResult::OK && outcome.scenesStored == count) {
    made.state = RomRecord::State::COMPLETE;
  } else if (outcome.scenesStored > 0 && outcome.scenesStored < count) {
    made.state = RomRecord::State::PARTIAL;
  } else if (eraseWentOut) {
    made.state = RomRecord::State::ERASED;
  } else {
    return false;
  }
  if (made.state != RomRecord::State::ERASED) {
    made.text = WriteScenarioText(scenario);
    made.sceneCount = count;
    made.scenesStored = outcome.scenesStored;
  }
  made.sha256 = Sha256Hex(made.text);
  *record = std::move(made);
  return true;
}

RomRecord RecordAfterClear(const BoardTarget& target, time_t now) {
  RomRecord record;
  record.port = target.port;
  record.key = RomRecordKey(target.port);
  record.time = now;
  record.speed = target.speed;
  record.state = RomRecord::State::ERASED;
  record.sha256 = Sha256Hex(record.text);
  return record;
}

int NoteProgramInRom(const std::string& directory, const BoardTarget& target, const Scenario& scenario,
                     const BoardOutcome& outcome, bool eraseWentOut, time_t now) {
  RomRecord record;
  if (!RecordAfterProgram(target, scenario, outcome, eraseWentOut, now, &record)) {
    return 0;
  }
  return WriteRomRecord(directory, record);
}

int NoteClearInRom(const std::string& directory, const BoardTarget& target, time_t now) {
  return WriteRomRecord(directory, RecordAfterClear(target, now));
}
