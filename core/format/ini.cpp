#include "core/format/ini.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/format/ini_lines.h"
#include "core/fs/atomic_replace.h"

// Lines are read through a buffer of this size, so at most 511 bytes at a
// time; a longer line is taken as several lines of at most 511 bytes.
static const size_t LINE_BUFFER_SIZE = INI_MAX_PIECE + 1;

// Written lines fit in one read: "[" name "]" newline, and key "=" value
// newline, are at most 510 bytes.
static const size_t MAX_SECTION_NAME = 507;
static const size_t MAX_KEY = 508;
static const size_t MAX_KEY_LINE = 510;

// The file is read in blocks of this size and cut into lines in memory.
static const size_t READ_BLOCK_SIZE = 8192;

// A file open for reading, with its current block.
struct IniReader {
  int fd;
  size_t start;  // next unread byte in block
  size_t end;    // bytes in block
  bool failed;   // a read failed; the rest of the file is unknown
  char block[READ_BLOCK_SIZE];
};

// One line, or one piece of a long line, as read from the file. NUL bytes
// are kept and counted; they are ordinary characters.
struct IniLine {
  char text[LINE_BUFFER_SIZE];
  size_t length;
  bool endsLine;  // the piece ends with its line's newline
};

// The new content of the file, built in memory.
struct IniOutput {
  std::string bytes;
  bool midLine = false;  // the last byte written was not a newline
};

static IniPiece ParseLine(const IniLine* line) { return IniParsePiece(line->text, line->length); }

static bool FillBlock(IniReader* reader) {
  ssize_t got = 0;
  do {
    got = read(reader->fd, reader->block, sizeof reader->block);
  } while (got < 0 && errno == EINTR);
  if (got < 0) {
    reader->failed = true;
  }
  reader->start = 0;
  reader->end = got > 0 ? static_cast<size_t>(got) : 0;
  return got > 0;
}

// Reads the next line, or the next 511 bytes of a longer one. Returns false
// at the end of the file or on a read error (which sets reader->failed).
static bool ReadLine(IniReader* reader, IniLine* line) {
  size_t n = 0;
  while (n < LINE_BUFFER_SIZE - 1) {
    if (reader->start == reader->end && !FillBlock(reader)) {
      break;
    }
    const char* from = reader->block + reader->start;
    const size_t room = LINE_BUFFER_SIZE - 1 - n;
    const size_t available = reader->end - reader->start;
    const size_t scan = available < room ? available : room;
    const char* newline = static_cast<const char*>(memchr(from, '\n', scan));
    const size_t take = newline ? static_cast<size_t>(newline - from) + 1 : scan;
    memcpy(line->text + n, from, take);
    n += take;
    reader->start += take;
    if (newline) {
      break;
    }
  }
  line->text[n] = '\0';
  line->length = n;
  line->endsLine = n > 0 && line->text[n - 1] == '\n';
  return n > 0;
}

// Cuts at the first newline, which would otherwise start a line of its own
// in the file, and then at limit bytes.
static IniText CutText(const char* text, size_t limit) {
  const size_t length = strcspn(text, "\n");
  return IniText{text, length < limit ? length : limit};
}

// Scans from the reader's current position for key in section (the empty
// section holds the lines before the first header). The first matching
// section and in it the first matching key count. On success copies the
// value, cut to bufferSize - 1 bytes and NUL-terminated, into buffer and
// returns the number of bytes copied; returns -1 when not found.
static int IniFindValue(IniReader* reader, IniText section, IniText key, char* buffer, size_t bufferSize) {
  IniLine line;
  if (section.length > 0) {
    for (;;) {
      if (!ReadLine(reader, &line)) {
        return -1;
      }
      const IniPiece piece = ParseLine(&line);
      if (piece.kind == IniPiece::HEADER && piece.named && IniSameName(piece.name, section)) {
        break;
      }
    }
  }
  while (ReadLine(reader, &line)) {
    const IniPiece piece = ParseLine(&line);
    if (piece.kind == IniPiece::HEADER) {
      return -1;
    }
    if (piece.kind == IniPiece::KEY && IniSameName(piece.name, key)) {
      return static_cast<int>(IniCopyCut(buffer, bufferSize, piece.value.text, piece.value.length));
    }
  }
  return -1;
}

// Opens a regular file for reading. Anything else is refused: a directory
// cannot be read as lines, a FIFO would block and a device might never end.
// On failure errno tells why; ENOENT means the file does not exist.
static bool OpenForReading(const char* fileName, IniReader* reader) {
  const int fd = open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return false;
  }
  struct stat status;
  if (fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
    close(fd);
    errno = EINVAL;
    return false;
  }
  reader->fd = fd;
  reader->start = 0;
  reader->end = 0;
  reader->failed = false;
  return true;
}

static bool Rewind(IniReader* reader) {
  reader->start = 0;
  reader->end = 0;
  return lseek(reader->fd, 0, SEEK_SET) == 0;
}

static void PutBytes(IniOutput* out, const char* bytes, size_t length) {
  if (length == 0) {
    return;
  }
  out->bytes.append(bytes, length);
  out->midLine = bytes[length - 1] != '\n';
}

// Ends a line left open by a copied piece of a long line or by a last line
// without newline, so that the writer's own lines stand on lines of their own.
static void EndLine(IniOutput* out) {
  if (out->midLine) {
    PutBytes(out, "\n", 1);
  }
}

// Copies a line under the rewrite rules: blank lines are dropped, leading
// blanks are dropped, and a line beginning with "[" gets one empty line
// before it unless it is the first line of the output. A line longer than
// 511 bytes is copied unchanged.
static void CopyLine(IniOutput* out, const IniLine* line) {
  // A line longer than one piece keeps its blanks: without them it would
  // be cut into other pieces, and read as other keys and sections.
  if (out->midLine || (!line->endsLine && line->length == INI_MAX_PIECE)) {
    PutBytes(out, line->text, line->length);
    return;
  }
  size_t start = 0;
  while (start < line->length && IniIsBlank(line->text[start])) {
    ++start;
  }
  if (start == line->length) {
    return;
  }
  if (line->text[start] == '[' && !out->bytes.empty()) {
    PutBytes(out, "\n", 1);
  }
  PutBytes(out, line->text + start, line->length - start);
}

// An empty line, except at the very top of the output.
static void PutEmptyLine(IniOutput* out) {
  EndLine(out);
  if (!out->bytes.empty()) {
    PutBytes(out, "\n", 1);
  }
}

static void PutHeader(IniOutput* out, IniText section) {
  PutEmptyLine(out);
  PutBytes(out, "[", 1);
  PutBytes(out, section.text, section.length);
  PutBytes(out, "]\n", 2);
}

// key "=" value newline, without blanks or quotes.
static void PutKeyLine(IniOutput* out, IniText key, IniText value) {
  EndLine(out);
  PutBytes(out, key.text, key.length);
  PutBytes(out, "=", 1);
  PutBytes(out, value.text, value.length);
  PutBytes(out, "\n", 1);
}

// Copies the file to the output with the key line set: in place of the
// key's old line, else at the end of its section, else at the end of the
// file under a new header.
static void CopyWithKey(IniReader* in, IniOutput* out, IniText section, IniText key, IniText value) {
  IniLine line;
  if (section.length > 0) {
    bool found = false;
    while (!found && ReadLine(in, &line)) {
      CopyLine(out, &line);
      const IniPiece piece = ParseLine(&line);
      found = piece.kind == IniPiece::HEADER && piece.named && IniSameName(piece.name, section);
    }
    if (!found) {
      PutHeader(out, section);
      PutKeyLine(out, key, value);
      return;
    }
  }
  for (;;) {
    if (!ReadLine(in, &line)) {
      PutEmptyLine(out);
      PutKeyLine(out, key, value);
      return;
    }
    const IniPiece piece = ParseLine(&line);
    if (piece.kind == IniPiece::HEADER) {
      PutKeyLine(out, key, value);
      CopyLine(out, &line);  // with the empty line before it
      break;
    }
    if (piece.kind == IniPiece::KEY && IniSameName(piece.name, key)) {
      PutKeyLine(out, key, value);
      // The rest of a long old line belongs to the old value, except for
      // pieces that the reader takes for a key or a header of their own:
      // they stay, each on a line of its own, so that they read as before.
      bool lineEnded = line.endsLine;
      while (!lineEnded && ReadLine(in, &line)) {
        lineEnded = line.endsLine;
        if (ParseLine(&line).kind != IniPiece::OTHER) {
          PutBytes(out, line.text, line.length);
          EndLine(out);
        }
      }
      break;
    }
    CopyLine(out, &line);
  }
  while (ReadLine(in, &line)) {
    CopyLine(out, &line);
  }
}

// Puts the new content in the file's place in one step, under the
// temporary name "lumivane.in~" for "lumivane.ini". Returns 1, or 0 with
// errno set to the reason.
static int Replace(const IniOutput& out, const char* fileName) {
  const int error = ReplaceFileContents(fileName, out.bytes, SETTINGS_REPLACE);
  if (error != 0) {
    errno = error;  // for the caller's message
    return 0;
  }
  return 1;
}

int IniReadString(const char* section, const char* key, const char* defaultValue,
                  char* buffer, int bufferSize, const char* fileName) {
  if (buffer == nullptr || bufferSize <= 0 || key == nullptr) {
    return 0;
  }
  const IniText sectionText{section ? section : "", section ? strlen(section) : 0};
  const IniText keyText{key, strlen(key)};
  int found = -1;
  IniReader reader;
  if (fileName != nullptr && OpenForReading(fileName, &reader)) {
    found = IniFindValue(&reader, sectionText, keyText, buffer, static_cast<size_t>(bufferSize));
    close(reader.fd);
  }
  if (found < 0) {
    const char* fallback = defaultValue ? defaultValue : "";
    IniCopyCut(buffer, static_cast<size_t>(bufferSize), fallback, strlen(fallback));
  }
  return static_cast<int>(strlen(buffer));
}

long IniReadLong(const char* section, const char* key, long defaultValue, const char* fileName) {
  char text[INI_NUMBER_BUFFER_SIZE];
  if (IniReadString(section, key, "", text, sizeof text, fileName) == 0) {
    return defaultValue;
  }
  return strtol(text, nullptr, 10);
}

int IniWriteString(const char* section, const char* key, const char* value, const char* fileName) {
  if (key == nullptr || fileName == nullptr || fileName[0] == '\0') {
    errno = EINVAL;
    return 0;
  }
  const IniText sectionText = CutText(section ? section : "", MAX_SECTION_NAME);
  const IniText keyText = CutText(key, MAX_KEY);
  const IniText valueText = CutText(value ? value : "", MAX_KEY_LINE - 2 - keyText.length);
  IniOutput out;

  IniReader in;
  if (!OpenForReading(fileName, &in)) {
    if (errno != ENOENT) {
      return 0;
    }
    if (sectionText.length > 0) {
      PutHeader(&out, sectionText);
    }
    PutKeyLine(&out, keyText, valueText);
    return Replace(out, fileName);
  }

  char stored[LINE_BUFFER_SIZE];
  const int storedLength = IniFindValue(&in, sectionText, keyText, stored, sizeof stored);
  if (in.failed) {
    close(in.fd);
    return 0;
  }
  if (storedLength >= 0 && static_cast<size_t>(storedLength) == valueText.length &&
      memcmp(stored, valueText.text, valueText.length) == 0) {
    close(in.fd);
    return 1;
  }
  if (!Rewind(&in)) {
    close(in.fd);
    return 0;
  }
  CopyWithKey(&in, &out, sectionText, keyText, valueText);
  // A read error would leave the copy short; the file must not be replaced by it.
  const bool readOk = !in.failed;
  close(in.fd);
  return readOk ? Replace(out, fileName) : 0;
}

int IniWriteLong(const char* section, const char* key, long value, const char* fileName) {
  char text[INI_NUMBER_BUFFER_SIZE];
  snprintf(text, sizeof text, "%ld", value);
  return IniWriteString(section, key, text, fileName);
}
