#include "core/format/ini.h"

#include "core/format/ini_test_hook.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Lines are read through a buffer of this size, so at most 511 bytes at a
// time; a longer line is taken as several lines of at most 511 bytes.
static const size_t LINE_BUFFER_SIZE = 512;

// Written lines fit in one read: "[" name "]" newline, and key "=" value
// newline, are at most 510 bytes.
static const size_t MAX_SECTION_NAME = 507;
static const size_t MAX_KEY = 508;
static const size_t MAX_KEY_LINE = 510;

static const int NUMBER_BUFFER_SIZE = 64;

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

// A byte string that need not be NUL-terminated.
struct IniText {
  const char* text;
  size_t length;
};

// The temporary file being written, and what has gone into it so far.
struct IniOutput {
  FILE* file;
  bool hasLines;  // something has been written
  bool midLine;   // the last byte written was not a newline
  bool failed;    // a write failed
};

// Control characters and space; bytes 128..255 are text, so UTF-8 passes.
static bool IsBlank(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 1 && byte <= 32;
}

static char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

// Section names and keys match at equal length, ignoring the case of ASCII letters.
static bool SameName(const char* a, size_t aLength, IniText b) {
  if (aLength != b.length) {
    return false;
  }
  for (size_t i = 0; i < aLength; ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b.text[i])) {
      return false;
    }
  }
  return true;
}

static size_t SkipBlanks(const char* text, size_t length) {
  size_t i = 0;
  while (i < length && IsBlank(text[i])) {
    ++i;
  }
  return i;
}

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

// The first non-blank character, or NUL for a blank line.
static char FirstChar(const IniLine* line) {
  const size_t start = SkipBlanks(line->text, line->length);
  return start < line->length ? line->text[start] : '\0';
}

// A header: "[" first, then a "]" further on. The name is everything
// between the "[" and the first "]", blanks included.
static bool HeaderName(const IniLine* line, IniText* name) {
  const size_t start = SkipBlanks(line->text, line->length);
  if (start == line->length || line->text[start] != '[') {
    return false;
  }
  const char* open = line->text + start + 1;
  const char* close = static_cast<const char*>(memchr(open, ']', line->length - start - 1));
  if (close == nullptr) {
    return false;
  }
  name->text = open;
  name->length = static_cast<size_t>(close - open);
  return true;
}

// A key line holds "=" or, failing that, ":"; the first one counts. Lines
// that begin with "[", ";" or "#" are never key lines. The key runs from the
// first non-blank character to the separator, trailing blanks removed.
static bool KeyOf(const IniLine* line, IniText* key, size_t* separator) {
  const size_t start = SkipBlanks(line->text, line->length);
  if (start == line->length) {
    return false;
  }
  const char first = line->text[start];
  if (first == '[' || first == ';' || first == '#') {
    return false;
  }
  const char* text = line->text + start;
  const size_t length = line->length - start;
  const char* found = static_cast<const char*>(memchr(text, '=', length));
  if (found == nullptr) {
    found = static_cast<const char*>(memchr(text, ':', length));
  }
  if (found == nullptr) {
    return false;
  }
  size_t keyLength = static_cast<size_t>(found - text);
  while (keyLength > 0 && IsBlank(text[keyLength - 1])) {
    --keyLength;
  }
  key->text = text;
  key->length = keyLength;
  *separator = static_cast<size_t>(found - line->text);
  return true;
}

// The text behind the separator without surrounding blanks (the newline
// included); then a value enclosed in double quotes loses them, and a lone
// double quote becomes empty.
static IniText ValueOf(const IniLine* line, size_t separator) {
  size_t begin = separator + 1;
  size_t end = line->length;
  begin += SkipBlanks(line->text + begin, end - begin);
  while (end > begin && IsBlank(line->text[end - 1])) {
    --end;
  }
  if (end - begin == 1 && line->text[begin] == '"') {
    begin = end;
  } else if (end - begin >= 2 && line->text[begin] == '"' && line->text[end - 1] == '"') {
    ++begin;
    --end;
  }
  return IniText{line->text + begin, end - begin};
}

// Copies text into buffer, cut to bufferSize - 1 bytes and NUL-terminated.
// Returns the number of bytes copied.
static size_t CopyCut(char* buffer, size_t bufferSize, const char* text, size_t length) {
  const size_t copied = length < bufferSize - 1 ? length : bufferSize - 1;
  memmove(buffer, text, copied);
  buffer[copied] = '\0';
  return copied;
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
      IniText name;
      if (HeaderName(&line, &name) && SameName(name.text, name.length, section)) {
        break;
      }
    }
  }
  while (ReadLine(reader, &line)) {
    if (FirstChar(&line) == '[') {
      return -1;
    }
    IniText name;
    size_t separator = 0;
    if (KeyOf(&line, &name, &separator) && SameName(name.text, name.length, key)) {
      const IniText value = ValueOf(&line, separator);
      return static_cast<int>(CopyCut(buffer, bufferSize, value.text, value.length));
    }
  }
  return -1;
}

// The temporary file's name: the file name with its last character replaced
// by "~" ("lumivane.ini" gives "lumivane.in~"). A name that already ends in
// "~" gets one more, so the temporary is never the file itself. Returns 0
// when the name is empty or does not fit in bufferSize bytes.
static int IniTempName(const char* fileName, char* buffer, size_t bufferSize) {
  const size_t length = strlen(fileName);
  if (length == 0) {
    return 0;
  }
  const bool append = fileName[length - 1] == '~';
  const size_t tempLength = append ? length + 1 : length;
  if (tempLength >= bufferSize) {
    return 0;
  }
  memcpy(buffer, fileName, length);
  buffer[tempLength - 1] = '~';
  buffer[tempLength] = '\0';
  return 1;
}

// Opens a regular file for reading. Anything else is refused: a directory
// cannot be read as lines, a FIFO would block and a device might never end.
// On failure errno tells why; ENOENT means the file does not exist.
static bool OpenForReading(const char* fileName, IniReader* reader, struct stat* status) {
  const int fd = open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return false;
  }
  if (fstat(fd, status) != 0 || !S_ISREG(status->st_mode)) {
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

// Creates the temporary file afresh. A temporary left behind by an
// interrupted write is removed first, so the new one gets a fresh inode and
// is never written through a link. With keepMode the file gets mode, the
// permissions of the file it will replace; otherwise 0666 less the umask.
static bool CreateTemp(const char* tempName, bool keepMode, mode_t mode, IniOutput* out) {
  unlink(tempName);  // a failure shows in the exclusive create below
  const int fd = open(tempName, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) {
    return false;
  }
  if (keepMode) {
    fchmod(fd, mode);  // should it fail, 0666 less the umask will do
  }
  out->file = fdopen(fd, "w");
  if (out->file == nullptr) {
    close(fd);
    unlink(tempName);
    return false;
  }
  out->hasLines = false;
  out->midLine = false;
  out->failed = false;
  return true;
}

static void PutBytes(IniOutput* out, const char* bytes, size_t length) {
  if (length == 0) {
    return;
  }
  if (fwrite(bytes, 1, length, out->file) != length) {
    out->failed = true;
  }
  out->hasLines = true;
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
// before it unless it is the first line of the output. The rest of a long
// line, past its first 511 bytes, is copied unchanged.
static void CopyLine(IniOutput* out, const IniLine* line) {
  if (out->midLine) {
    PutBytes(out, line->text, line->length);
    return;
  }
  const size_t start = SkipBlanks(line->text, line->length);
  if (start == line->length) {
    return;
  }
  if (line->text[start] == '[' && out->hasLines) {
    PutBytes(out, "\n", 1);
  }
  PutBytes(out, line->text + start, line->length - start);
}

// An empty line, except at the very top of the output.
static void PutEmptyLine(IniOutput* out) {
  EndLine(out);
  if (out->hasLines) {
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
      IniText name;
      found = HeaderName(&line, &name) && SameName(name.text, name.length, section);
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
    if (FirstChar(&line) == '[') {
      PutKeyLine(out, key, value);
      CopyLine(out, &line);  // with the empty line before it
      break;
    }
    IniText name;
    size_t separator = 0;
    if (KeyOf(&line, &name, &separator) && SameName(name.text, name.length, key)) {
      PutKeyLine(out, key, value);
      // The rest of a long old line belongs to the old value.
      bool lineEnded = line.endsLine;
      while (!lineEnded && ReadLine(in, &line)) {
        lineEnded = line.endsLine;
      }
      break;
    }
    CopyLine(out, &line);
  }
  while (ReadLine(in, &line)) {
    CopyLine(out, &line);
  }
}

// Does nothing in the program; see storage/ini_test_hook.h.
__attribute__((weak)) void IniHookBeforeReplace(const char*) {}

// Completes the temporary file, syncs it to disk and renames it over the
// file, which rename replaces in one step. When anything fails on the way
// the temporary is removed and the file stays as it was. Returns 1 or 0.
static int ReplaceWithTemp(IniOutput* out, bool copyOk, const char* tempName, const char* fileName) {
  bool ok = copyOk && !out->failed;
  if (fflush(out->file) != 0) {
    ok = false;
  }
  if (ok && fsync(fileno(out->file)) != 0) {
    ok = false;
  }
  if (fclose(out->file) != 0) {
    ok = false;
  }
  out->file = nullptr;
  if (ok) {
    IniHookBeforeReplace(tempName);
    ok = rename(tempName, fileName) == 0;
  }
  if (!ok) {
    unlink(tempName);
  }
  return ok ? 1 : 0;
}

int IniReadString(const char* section, const char* key, const char* defaultValue,
                  char* buffer, int bufferSize, const char* fileName) {
  if (buffer == nullptr || bufferSize <= 0 || key == nullptr) {
    return 0;
  }
  const IniText sectionText{section ? section : "", section ? strlen(section) : 0};
  const IniText keyText{key, strlen(key)};
  int found = -1;
  struct stat status;
  IniReader reader;
  if (fileName != nullptr && OpenForReading(fileName, &reader, &status)) {
    found = IniFindValue(&reader, sectionText, keyText, buffer, static_cast<size_t>(bufferSize));
    close(reader.fd);
  }
  if (found < 0) {
    const char* fallback = defaultValue ? defaultValue : "";
    CopyCut(buffer, static_cast<size_t>(bufferSize), fallback, strlen(fallback));
  }
  return static_cast<int>(strlen(buffer));
}

long IniReadLong(const char* section, const char* key, long defaultValue, const char* fileName) {
  char text[NUMBER_BUFFER_SIZE];
  if (IniReadString(section, key, "", text, sizeof text, fileName) == 0) {
    return defaultValue;
  }
  return strtol(text, nullptr, 10);
}

int IniWriteString(const char* section, const char* key, const char* value, const char* fileName) {
  char tempName[PATH_MAX];
  if (key == nullptr || fileName == nullptr || !IniTempName(fileName, tempName, sizeof tempName)) {
    return 0;
  }
  const IniText sectionText = CutText(section ? section : "", MAX_SECTION_NAME);
  const IniText keyText = CutText(key, MAX_KEY);
  const IniText valueText = CutText(value ? value : "", MAX_KEY_LINE - 2 - keyText.length);
  IniOutput out;

  struct stat status;
  IniReader in;
  if (!OpenForReading(fileName, &in, &status)) {
    if (errno != ENOENT || !CreateTemp(tempName, false, 0, &out)) {
      return 0;
    }
    if (sectionText.length > 0) {
      PutHeader(&out, sectionText);
    }
    PutKeyLine(&out, keyText, valueText);
    return ReplaceWithTemp(&out, true, tempName, fileName);
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
  if (!Rewind(&in) || !CreateTemp(tempName, true, status.st_mode & 0777, &out)) {
    close(in.fd);
    return 0;
  }
  CopyWithKey(&in, &out, sectionText, keyText, valueText);
  // A read error would leave the copy short; the file must not be replaced by it.
  const bool readOk = !in.failed;
  close(in.fd);
  return ReplaceWithTemp(&out, readOk, tempName, fileName);
}

int IniWriteLong(const char* section, const char* key, long value, const char* fileName) {
  char text[NUMBER_BUFFER_SIZE];
  snprintf(text, sizeof text, "%ld", value);
  return IniWriteString(section, key, text, fileName);
}
