// The INI scanner and writer on random files: one key written, then that
// key reads back as written, every other key reads as before, and the lines
// the writer made fit in one read.
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "check.h"
#include "core/format/ini.h"
#include "core/format/ini_lines.h"

namespace {

constexpr size_t MAX_SECTION_NAME = 507;
constexpr size_t MAX_KEY = 508;
constexpr size_t MAX_KEY_LINE = 510;
constexpr size_t MAX_LOOKUPS = 24;
constexpr char MISSING[] = "\x01missing";

const std::string& FilePath() {
  static const std::string path = [] {
    // A memory file system: the writer syncs every replace, which a disk
    // would make thousands of times slower.
    // Named after the process, so that scripts/fuzz.sh can remove it.
    const std::string name = "lumivane-fuzz-ini-" + std::to_string(getpid());
    std::string path = "/dev/shm/" + name;
    if (access("/dev/shm", W_OK) != 0) {
      path = "/tmp/" + name;
    }
    return path;
  }();
  return path;
}

void WriteFile(const std::string& bytes) {
  std::ofstream out(FilePath(), std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile() {
  std::ifstream in(FilePath(), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string Read(const std::string& section, const std::string& key) {
  char buffer[1024];
  IniReadString(section.c_str(), key.c_str(), MISSING, buffer, sizeof buffer, FilePath().c_str());
  return buffer;
}

bool Blank(char c) { return IniIsBlank(c); }

// The text as the writer stores it: to its first newline, at most limit bytes.
std::string Cut(const std::string& text, size_t limit) {
  const std::string line = text.substr(0, text.find('\n'));
  return line.substr(0, limit);
}

// A value as a lookup gives it back: surrounding blanks and then enclosing
// double quotes removed.
std::string AsRead(const std::string& value) {
  size_t begin = 0;
  size_t end = value.size();
  while (begin < end && Blank(value[begin])) ++begin;
  while (end > begin && Blank(value[end - 1])) --end;
  if (end - begin == 1 && value[begin] == '"') {
    begin = end;
  } else if (end - begin >= 2 && value[begin] == '"' && value[end - 1] == '"') {
    ++begin;
    --end;
  }
  return value.substr(begin, end - begin);
}

bool SameName(const std::string& a, const std::string& b) {
  return IniSameName(IniText{a.data(), a.size()}, IniText{b.data(), b.size()});
}

struct Lookup {
  std::string section;
  std::string key;
  std::string before;
};

// The section and key names a file holds, as the reader cuts it into pieces.
std::vector<Lookup> NamesIn(const std::string& text) {
  std::vector<Lookup> names;
  std::string section;
  size_t start = 0;
  while (start < text.size() && names.size() < MAX_LOOKUPS) {
    const size_t length = IniPieceLength(text.data() + start, text.size() - start);
    const IniPiece piece = IniParsePiece(text.data() + start, length);
    start += length;
    if (piece.kind == IniPiece::HEADER) {
      section = piece.named ? std::string(piece.name.text, piece.name.length) : std::string();
    } else if (piece.kind == IniPiece::KEY) {
      const std::string key(piece.name.text, piece.name.length);
      if (section.find('\0') == std::string::npos && key.find('\0') == std::string::npos) {
        names.push_back(Lookup{section, key, std::string()});
      }
    }
  }
  return names;
}

// Whether the writer's own line for this key reads back as that key: a key
// the reader would take for something else is not one it can store.
bool StorableKey(const std::string& key) {
  if (!key.empty() && (Blank(key.front()) || Blank(key.back()))) return false;
  if (key.find_first_of("=") != std::string::npos) return false;
  if (!key.empty() && (key[0] == '[' || key[0] == ';' || key[0] == '#')) return false;
  // Without "=" the first ":" would split the key line.
  return key.find(':') == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  std::string section = input.ConsumeRandomLengthString(600);
  std::string key = input.ConsumeRandomLengthString(600);
  std::string value = input.ConsumeRandomLengthString(600);
  const std::string text = input.ConsumeRemainingBytesAsString();
  // Names and values reach the writer as C strings.
  section = section.c_str();
  key = key.c_str();
  value = value.c_str();
  const std::string storedSection = Cut(section, MAX_SECTION_NAME);
  const std::string storedKey = Cut(key, MAX_KEY);
  if (storedSection.find(']') != std::string::npos || !StorableKey(storedKey)) {
    return 0;
  }
  const std::string storedValue = Cut(value, MAX_KEY_LINE - 2 - storedKey.size());

  WriteFile(text);
  std::vector<Lookup> others = NamesIn(text);
  for (Lookup& other : others) {
    other.before = Read(other.section, other.key);
  }

  FUZZ_CHECK(IniWriteString(section.c_str(), key.c_str(), value.c_str(), FilePath().c_str()) == 1);

  FUZZ_CHECK(Read(storedSection, storedKey) == AsRead(storedValue));
  for (const Lookup& other : others) {
    if (SameName(other.section, storedSection) && SameName(other.key, storedKey)) {
      continue;
    }
    FUZZ_CHECK(Read(other.section, other.key) == other.before);
  }
  // Every line longer than one read was in the file before.
  const std::string after = ReadFile();
  size_t start = 0;
  while (start < after.size()) {
    size_t end = after.find('\n', start);
    end = end == std::string::npos ? after.size() : end + 1;
    if (end - start > INI_MAX_PIECE) {
      // A last line without newline gets one.
      const size_t length = end - start - (after[end - 1] == '\n' ? 1 : 0);
      FUZZ_CHECK(text.find(after.substr(start, length)) != std::string::npos);
    }
    start = end;
  }
  return 0;
}
