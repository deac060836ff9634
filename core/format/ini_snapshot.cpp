#include "core/format/ini_snapshot.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/format/ini_lines.h"

// The whole file is read into memory in blocks of this size.
static const size_t SNAPSHOT_BLOCK_SIZE = 65536;

// A value's bytes within the snapshot's content.
struct IniSpan {
  size_t offset;
  size_t length;
};

// Keys are stored lower-cased (ASCII letters only), which makes equal
// strings exactly the names that match case-insensitively at equal length.
typedef std::unordered_map<std::string, IniSpan> IniKeys;

struct IniSnapshot {
  std::string content;
  time_t modificationTime;
  // Segment 0 holds the lines before the first line that begins with "[";
  // segment i the lines after the i-th such line, up to the next one. The
  // scanner never looks past the end of a segment for a key, and only the
  // first line with a key counts.
  std::vector<IniKeys> segments;
  // Lower-cased section name -> the segment after its first header.
  std::unordered_map<std::string, size_t> sections;
};

static std::string LowerAscii(const char* text, size_t length) {
  std::string lower(text, length);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') {
      c = static_cast<char>(c - 'A' + 'a');
    }
  }
  return lower;
}

// Files one piece into the index: a header starts a new segment (and,
// when named, names a section); a key goes into the current segment.
static void IndexPiece(IniSnapshot* snapshot, size_t pieceStart, size_t pieceLength) {
  const char* text = snapshot->content.data();
  const IniPiece piece = IniParsePiece(text + pieceStart, pieceLength);
  if (piece.kind == IniPiece::HEADER) {
    snapshot->segments.emplace_back();
    if (piece.named) {
      snapshot->sections.emplace(LowerAscii(piece.name.text, piece.name.length),
                                 snapshot->segments.size() - 1);
    }
  } else if (piece.kind == IniPiece::KEY) {
    // emplace keeps an earlier entry: the first key line wins.
    snapshot->segments.back().emplace(
        LowerAscii(piece.name.text, piece.name.length),
        IniSpan{static_cast<size_t>(piece.value.text - text), piece.value.length});
  }
}

static void BuildIndex(IniSnapshot* snapshot) {
  snapshot->segments.emplace_back();
  size_t start = 0;
  while (start < snapshot->content.size()) {
    const size_t length =
        IniPieceLength(snapshot->content.data() + start, snapshot->content.size() - start);
    IndexPiece(snapshot, start, length);
    start += length;
  }
}

// Reads the whole file. A read error ends the content where it happened, as
// it ends the scanner's reading.
static void ReadAll(int fd, size_t sizeHint, std::string* content) {
  content->reserve(sizeHint);
  std::vector<char> block(SNAPSHOT_BLOCK_SIZE);
  for (;;) {
    const ssize_t got = read(fd, block.data(), block.size());
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      return;
    }
    content->append(block.data(), static_cast<size_t>(got));
  }
}

// The value of key in section, or null.
static const IniSpan* FindValue(const IniSnapshot* snapshot, const char* section, const char* key) {
  size_t segment = 0;
  if (section != nullptr && section[0] != '\0') {
    const auto header = snapshot->sections.find(LowerAscii(section, strlen(section)));
    if (header == snapshot->sections.end()) {
      return nullptr;
    }
    segment = header->second;
  }
  const IniKeys& keys = snapshot->segments[segment];
  const auto found = keys.find(LowerAscii(key, strlen(key)));
  return found == keys.end() ? nullptr : &found->second;
}

IniSnapshot* IniSnapshotOpen(const char* fileName) {
  if (fileName == nullptr) {
    errno = EINVAL;
    return nullptr;
  }
  // Non-blocking, so that opening a FIFO cannot hang; a regular file reads
  // the same either way.
  const int fd = open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return nullptr;
  }
  struct stat status;
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    errno = EINVAL;
    return nullptr;
  }
  auto* snapshot = new IniSnapshot;
  snapshot->modificationTime = status.st_mtime;
  ReadAll(fd, static_cast<size_t>(status.st_size), &snapshot->content);
  close(fd);
  BuildIndex(snapshot);
  return snapshot;
}

void IniSnapshotClose(IniSnapshot* snapshot) { delete snapshot; }

time_t IniSnapshotModificationTime(const IniSnapshot* snapshot) {
  return snapshot ? snapshot->modificationTime : static_cast<time_t>(-1);
}

int IniSnapshotReadString(const IniSnapshot* snapshot, const char* section, const char* key,
                          const char* defaultValue, char* buffer, int bufferSize) {
  if (buffer == nullptr || bufferSize <= 0 || key == nullptr) {
    return 0;
  }
  const IniSpan* value = snapshot ? FindValue(snapshot, section, key) : nullptr;
  if (value != nullptr) {
    IniCopyCut(buffer, static_cast<size_t>(bufferSize), snapshot->content.data() + value->offset,
            value->length);
  } else {
    const char* fallback = defaultValue ? defaultValue : "";
    IniCopyCut(buffer, static_cast<size_t>(bufferSize), fallback, strlen(fallback));
  }
  // A value may hold NUL bytes; the text ends at the first one.
  return static_cast<int>(strlen(buffer));
}

long IniSnapshotReadLong(const IniSnapshot* snapshot, const char* section, const char* key,
                         long defaultValue) {
  char text[INI_NUMBER_BUFFER_SIZE];
  if (IniSnapshotReadString(snapshot, section, key, "", text, sizeof text) == 0) {
    return defaultValue;
  }
  return strtol(text, nullptr, 10);
}
