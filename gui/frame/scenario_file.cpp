// The scenario file. The writer builds the whole file in memory and puts it
// in the place of the old one in one step; the reader reads the file once
// and fills each scene's grid in one go.
#include "gui/frame/lumivane_frame.h"

#include <fcntl.h>
#include <locale.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <wx/grid.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/notebook.h>
#include <wx/textctrl.h>

#include "gui/app/lumivane_app.h"
#include "gui/app/texts.h"
#include "gui/frame/cell_colours.h"
#include "core/format/ini_snapshot.h"
#include "gui/frame/scenario_test_hook.h"
#include "gui/app/settings_file.h"
#include "gui/app/trim_number.h"

namespace {

constexpr int MAX_WRITTEN_ROWS = 512;
constexpr int RANGE_FIELDS = 4;  // From, To, colour number, Blink

// The INI reader takes a line in pieces of at most 511 bytes, each read as a
// line of its own. Every line the writer makes, newline included, fits in
// one piece, so that no part of a long name or description can be read as
// a key or a section of its own.
constexpr size_t MAX_LINE = 511;

// Values are read through a buffer of this size, as SettingsFile does.
constexpr int VALUE_BUFFER_SIZE = 512;

// A width far beyond any screen; larger numbers in a file are taken as this.
constexpr long MAX_COLUMN_WIDTH = 10000;

constexpr int MAX_LINK_DEPTH = 40;
constexpr int TEMP_NAME_TRIES = 100;
// Keeps the temporary file's name within the file system's name limit.
constexpr size_t MAX_TEMP_BASE = 200;

const char* const COLOUR_CELL_TEXT = " ";

// ---- Writing -------------------------------------------------------------

// Appends printf-style text formatted in the C locale, so that the hold
// time always has a "." whatever the user's locale.
void AppendFormat(std::string& out, const char* format, ...) {
  static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  const locale_t previous = cLocale ? uselocale(cLocale) : static_cast<locale_t>(0);
  char line[160];
  va_list arguments;
  va_start(arguments, format);
  const int length = vsnprintf(line, sizeof line, format, arguments);
  va_end(arguments);
  if (previous) {
    uselocale(previous);
  }
  if (length > 0) {
    out.append(line, static_cast<size_t>(length) < sizeof line ? static_cast<size_t>(length)
                                                                 : sizeof line - 1);
  }
}

// A cell or page text as it goes into the file: UTF-8, a newline (which
// would start a line of its own) turned into a blank, and cut at a
// character boundary to at most limit bytes.
std::string FileText(const wxString& text, size_t limit) {
  const wxScopedCharBuffer utf8 = text.utf8_str();
  std::string bytes(utf8.data(), utf8.length());
  for (char& c : bytes) {
    if (c == '\n') {
      c = ' ';
    }
  }
  if (bytes.size() > limit) {
    size_t cut = limit;
    while (cut > 0 && (static_cast<unsigned char>(bytes[cut]) & 0xC0) == 0x80) {
      --cut;  // bytes[cut] continues a character that would be split
    }
    bytes.resize(cut);
  }
  return bytes;
}

// Appends the range lines of one grid, numbered from 1 without gaps. Rows
// without a usable range are left out: an empty or non-positive From, a To
// below its From, or numbers that the reader could not take back.
void AppendRanges(std::string& out, wxGrid* grid) {
  int written = 0;
  for (int row = 0; row < grid->GetNumberRows() && row < MAX_WRITTEN_ROWS; ++row) {
    const wxString fromText = grid->GetCellValue(row, COL_FROM).Strip(wxString::both);
    if (fromText.empty()) {
      continue;
    }
    const long from = LeadingNumber(fromText);
    const wxString toText = grid->GetCellValue(row, COL_TO).Strip(wxString::both);
    const long to = toText.empty() ? from : LeadingNumber(toText);
    if (from < 1 || to < from || to > INT_MAX) {
      continue;
    }
    const int colour = ColourToIndex(grid->GetCellBackgroundColour(row, COL_COLOUR));
    const wxString blinkText = grid->GetCellValue(row, COL_BLINK).Strip(wxString::both);
    const long blink = blinkText.empty() ? 0 : LeadingNumber(blinkText);

    ++written;
    const size_t lineStart = out.size();
    AppendFormat(out, SCENARIO_RANGE_LINE, written, from, to, colour, blink);
    const wxString description = grid->GetCellValue(row, COL_DESCRIPTION);
    if (!description.empty()) {
      out += SCENARIO_DESCRIPTION_SEPARATOR;
      const size_t used = out.size() - lineStart + 1;  // and the newline
      out += FileText(description, used < MAX_LINE ? MAX_LINE - used : 0);
    }
    out += '\n';
  }
}

// ---- Replacing the file --------------------------------------------------

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file that a save must replace: path itself, or for a symbolic link
// the file at the end of its chain (which need not exist yet). Returns 0 or
// an errno value.
int FollowLinks(const std::string& path, std::string* target) {
  std::string current = path;
  for (int depth = 0; depth < MAX_LINK_DEPTH; ++depth) {
    struct stat status;
    if (lstat(current.c_str(), &status) != 0) {
      if (errno != ENOENT) {
        return errno;
      }
      *target = current;
      return 0;
    }
    if (!S_ISLNK(status.st_mode)) {
      *target = current;
      return 0;
    }
    std::vector<char> link(PATH_MAX + 1);
    const ssize_t length = readlink(current.c_str(), link.data(), link.size());
    if (length < 0) {
      return errno;
    }
    if (static_cast<size_t>(length) >= link.size()) {
      return ENAMETOOLONG;
    }
    const std::string next(link.data(), static_cast<size_t>(length));
    current = next[0] == '/' ? next : DirectoryOf(current) + "/" + next;
  }
  return ELOOP;
}

// Creates a new temporary file beside target, exclusively, so that no
// other file is ever written through it. Returns the descriptor, or -1 with
// errno set.
int CreateTemp(const std::string& target, mode_t mode, std::string* tempName) {
  static unsigned s_counter = 0;
  const std::string prefix =
      DirectoryOf(target) + "/." + BaseOf(target).substr(0, MAX_TEMP_BASE) + ".";
  for (int attempt = 0; attempt < TEMP_NAME_TRIES; ++attempt) {
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    char suffix[32];
    snprintf(suffix, sizeof suffix, "%lx%06x",
             static_cast<unsigned long>(getpid()) ^ static_cast<unsigned long>(now.tv_nsec),
             ++s_counter & 0xFFFFFF);
    *tempName = prefix + suffix;
    const int fd = open(tempName->c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  errno = EEXIST;
  return -1;
}

int WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    if (written == 0) {
      return ENOSPC;
    }
    done += static_cast<size_t>(written);
  }
  return 0;
}

// Makes the rename itself durable; a failure here loses nothing that the
// rename has not already put in place, so it is not reported.
void SyncDirectory(const std::string& directory) {
  const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
}

// Puts bytes in the place of the file fileName (through any symbolic links)
// in one step: a complete, synced temporary file in the same directory is
// renamed over it. An existing file's permission bits (and, where the
// system allows, its owner) carry over; a new file gets 0666 less the
// umask. On failure the temporary file is removed and the old file is left
// as it was. Returns 0 or an errno value.
int ReplaceFile(const std::string& fileName, const std::string& bytes) {
  if (fileName.empty()) {
    return ENOENT;
  }
  std::string target;
  int error = FollowLinks(fileName, &target);
  if (error != 0) {
    return error;
  }
  struct stat old;
  const bool exists = stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) {
    return errno;
  }
  if (exists && S_ISDIR(old.st_mode)) {
    return EISDIR;
  }
  // A file the user may not write stays protected, although the directory
  // would let the rename replace it.
  if (exists && access(target.c_str(), W_OK) != 0) {
    return errno;
  }

  std::string tempName;
  // Private until it has the old file's permissions.
  const int fd = CreateTemp(target, exists ? 0600 : 0666, &tempName);
  if (fd < 0) {
    return errno;
  }
  if (exists) {
    if (old.st_uid != geteuid() || old.st_gid != getegid()) {
      if (fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Not allowed for other users' files; the saving user owns the copy.
      }
    }
    if (fchmod(fd, old.st_mode & 0777) != 0) {
      error = errno;
    }
  }
  if (error == 0) {
    error = WriteAll(fd, bytes);
  }
  if (error == 0 && fsync(fd) != 0) {
    error = errno;
  }
  if (close(fd) != 0 && error == 0) {
    error = errno;
  }
  if (error == 0) {
    ScenarioHookBeforeReplace(tempName.c_str());
    if (rename(tempName.c_str(), target.c_str()) != 0) {
      error = errno;
    }
  }
  if (error != 0) {
    unlink(tempName.c_str());
    return error;
  }
  SyncDirectory(DirectoryOf(target));
  return 0;
}

// ---- Reading -------------------------------------------------------------

bool IsTextBlank(char c) {
  const unsigned char byte = static_cast<unsigned char>(c);
  return byte >= 1 && byte <= 32;
}

// White space as scanf sees it in the C locale.
bool IsScanSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// scanf's "%d": white space, an optional sign and at least one digit. A
// number beyond int fails like a text that is not a number.
bool ScanInt(const char*& text, int* value) {
  const char* start = text;
  while (IsScanSpace(*start)) {
    ++start;
  }
  const char* digits = (*start == '+' || *start == '-') ? start + 1 : start;
  if (!IsDigit(*digits)) {
    return false;
  }
  errno = 0;
  char* end = nullptr;
  const long number = strtol(start, &end, 10);
  if (errno == ERANGE || number < INT_MIN || number > INT_MAX) {
    return false;
  }
  *value = static_cast<int>(number);
  text = end;
  return true;
}

// A literal character of a scanf pattern, after any white space (a blank
// in the pattern matches any run of white space, also none).
bool ScanLiteral(const char*& text, char literal) {
  while (IsScanSpace(*text)) {
    ++text;
  }
  if (*text != literal) {
    return false;
  }
  ++text;
  return true;
}

// The pattern "%d : %d ; %d ; %d". Fields that the text does not reach, or
// where it stops matching, stay 0.
void ScanRange(const char* text, int fields[RANGE_FIELDS]) {
  const char separators[RANGE_FIELDS] = {'\0', ':', ';', ';'};
  for (int i = 0; i < RANGE_FIELDS; ++i) {
    fields[i] = 0;
  }
  for (int i = 0; i < RANGE_FIELDS; ++i) {
    if ((i > 0 && !ScanLiteral(text, separators[i])) || !ScanInt(text, &fields[i])) {
      return;
    }
  }
}


// A value read as SettingsFile::ReadString reads it, with an empty default.
std::string ReadValue(const IniSnapshot* ini, const char* section, const char* key) {
  char buffer[VALUE_BUFFER_SIZE];
  const int length = IniSnapshotReadString(ini, section, key, "", buffer, sizeof buffer);
  return std::string(buffer, static_cast<size_t>(length));
}

wxString ReadText(const IniSnapshot* ini, const char* section, const char* key) {
  const std::string value = ReadValue(ini, section, key);
  return wxString::FromUTF8(TextFromFile(value.data(), value.size()));
}

int ClampToInt(long value) {
  return value < INT_MIN ? INT_MIN : (value > INT_MAX ? INT_MAX : static_cast<int>(value));
}

// One row as a range line describes it.
struct RangeRow {
  int from;
  int to;
  int colour;
  int blink;
  wxString description;
};

// The text after the value's third ";", without surrounding blanks.
wxString DescriptionOf(const std::string& value) {
  size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    start = value.find(';', start);
    if (start == std::string::npos) {
      return wxString();
    }
    ++start;
  }
  size_t end = value.size();
  while (start < end && IsTextBlank(value[start])) {
    ++start;
  }
  while (end > start && IsTextBlank(value[end - 1])) {
    --end;
  }
  return wxString::FromUTF8(TextFromFile(value.data() + start, end - start));
}

// The keys "range1", "range2", ... of a section up to the first that is
// missing or does not hold a usable range.
std::vector<RangeRow> ReadRanges(const IniSnapshot* ini, const char* section) {
  std::vector<RangeRow> rows;
  for (int n = 1;; ++n) {
    char key[32];
    snprintf(key, sizeof key, SCENARIO_KEY_RANGE_FORMAT, n);
    const std::string value = ReadValue(ini, section, key);
    int fields[RANGE_FIELDS];
    ScanRange(value.c_str(), fields);
    const int from = fields[0];
    const int to = fields[1];
    const int colour = fields[2];
    if (from < 1 || to < from || colour < 0 || colour >= COLOUR_COUNT) {
      return rows;
    }
    rows.push_back(RangeRow{from, to, colour, fields[3], DescriptionOf(value)});
  }
}

// Decimal text of a number; much cheaper than wxString::Format, which
// matters for the tens of thousands of cells of a large scenario.
wxString NumberText(int value) {
  char text[16];
  snprintf(text, sizeof text, "%d", value);
  return wxString::FromAscii(text);
}

// Fills a fresh grid, whose one row is the empty row for appending, with
// the rows ahead of that row: one insertion and no repaint until the end.
void FillRows(LumivaneFrame* frame, wxGrid* grid, const std::vector<RangeRow>& rows) {
  if (rows.empty()) {
    return;
  }
  grid->BeginBatch();
  grid->InsertRows(0, static_cast<int>(rows.size()));
  for (size_t i = 0; i < rows.size(); ++i) {
    const RangeRow& range = rows[i];
    const int row = static_cast<int>(i);
    grid->SetCellValue(row, COL_FROM, NumberText(range.from));
    if (range.to > range.from) {
      grid->SetCellValue(row, COL_TO, NumberText(range.to));
    }
    if (range.blink > 0) {
      grid->SetCellValue(row, COL_BLINK, NumberText(range.blink));
    }
    grid->SetCellValue(row, COL_COLOUR, COLOUR_CELL_TEXT);
    grid->SetCellBackgroundColour(row, COL_COLOUR, IndexToWxColour(range.colour));
    grid->SetCellAlignment(row, COL_COLOUR, wxALIGN_CENTRE, wxALIGN_TOP);
    grid->SetCellValue(row, COL_DESCRIPTION, range.description);
    frame->SetNumberEditors(grid, row);
  }
  grid->EndBatch();  // repaints the grid
}

// The "columns" value: widths separated by single blanks; each token's
// leading number, 0 when it has none. Columns the text does not reach keep
// their widths.
void ApplyColumnWidths(wxGrid* grid, std::string text) {
  for (int col = 0; col < GRID_COLUMNS && !text.empty(); ++col) {
    const size_t blank = text.find(' ');
    const std::string token = text.substr(0, blank);
    text = blank == std::string::npos ? std::string() : text.substr(blank + 1);
    long width = strtol(token.c_str(), nullptr, 10);
    width = width < 0 ? 0 : (width > MAX_COLUMN_WIDTH ? MAX_COLUMN_WIDTH : width);
    grid->SetColSize(col, static_cast<int>(width));
  }
}

// "%d %d %d" with no channel negative, each taken modulo 256.
bool ParseColour(const std::string& text, wxColour* colour) {
  const char* cursor = text.c_str();
  int channels[3];
  for (int& channel : channels) {
    if (!ScanInt(cursor, &channel) || channel < 0) {
      return false;
    }
  }
  *colour = wxColour(static_cast<unsigned char>(channels[0] % 256),
                     static_cast<unsigned char>(channels[1] % 256),
                     static_cast<unsigned char>(channels[2] % 256), wxALPHA_OPAQUE);
  return true;
}

bool ParseFade(const wxString& text, int* fade) {
  long value = 0;
  if (!text.ToLong(&value, 10) || value < INT_MIN || value > INT_MAX) {
    return false;
  }
  *fade = static_cast<int>(value);
  return true;
}

bool ParseHold(const wxString& text, double* hold) {
  double value = 0.0;
  if (!text.ToCDouble(&value) || !std::isfinite(value)) {
    return false;
  }
  *hold = value;
  return true;
}

}  // namespace

// Does nothing in the program; see storage/scenario_test_hook.h.
__attribute__((weak)) void ScenarioHookBeforeReplace(const char*) {}

bool LumivaneFrame::WriteScenario() {
  std::string out = SCENARIO_FIRST_LINE;
  const int scenes = SceneCount();
  for (int scene = 0; scene < scenes && scene < MAX_SCENES; ++scene) {
    auto* grid = static_cast<wxGrid*>(m_notebook->GetPage(scene));
    out += SCENARIO_SECTION_OPEN;
    AppendFormat(out, SCENARIO_SECTION_FORMAT, scene + 1);
    out += SCENARIO_SECTION_CLOSE;
    const size_t namePrefix = strlen(SCENARIO_NAME_PREFIX);
    out += SCENARIO_NAME_PREFIX;
    out += FileText(m_notebook->GetPageText(scene), MAX_LINE - namePrefix - 1);
    out += '\n';

    grid->SaveEditControlValue();
    grid->HideCellEditControl();

    AppendFormat(out, SCENARIO_FADE_LINE, m_fade[scene]);
    AppendFormat(out, SCENARIO_HOLD_LINE, m_hold[scene]);
    AppendFormat(out, SCENARIO_TO_COLUMN_LINE, grid->GetColSize(COL_TO) > 0 ? 1 : 0);
    AppendFormat(out, SCENARIO_COLUMNS_LINE, grid->GetColSize(0), grid->GetColSize(1),
                 grid->GetColSize(2), grid->GetColSize(3), grid->GetColSize(4));
    AppendRanges(out, grid);
  }
  out += SCENARIO_INPUTS_HEADER;
  for (int input = 0; input < INPUT_COUNT; ++input) {
    AppendFormat(out, SCENARIO_INPUT_LINE, input + 1, m_inputFunction[input]);
  }
  out += SCENARIO_PALETTE_HEADER;
  for (int slot = 0; slot < PALETTE_SIZE; ++slot) {
    const wxColour& colour = m_palette[slot];
    if (colour.IsOk()) {
      AppendFormat(out, SCENARIO_COLOUR_LINE, slot + 1, colour.Red(), colour.Green(), colour.Blue());
    }
  }

  const wxScopedCharBuffer path = g_app->m_scenarioFile.utf8_str();
  const int error = ReplaceFile(std::string(path.data(), path.length()), out);
  if (error != 0) {
    m_scenarioError = wxSysErrorMsgStr(error);
    return false;
  }
  m_scenarioError.clear();
  struct stat status;
  if (stat(path.data(), &status) == 0) {
    m_fileTime = status.st_mtime;
  }
  return true;
}

bool LumivaneFrame::ReadScenario() {
  const wxScopedCharBuffer path = g_app->m_scenarioFile.utf8_str();
  // A file that cannot be read leaves the open scenario as it is, like a
  // missing one.
  IniSnapshot* ini = IniSnapshotOpen(path.data());
  if (ini == nullptr) {
    return false;
  }
  m_fileTime = IniSnapshotModificationTime(ini);

  // The fade/hold row belongs to no scene until the new ones are there, so
  // page changes on the way store nothing into them.
  m_currentScene = -1;
  ResetScenes();
  // Like the runner's own page changes, rebuilding the pages must not end a
  // run: the file watch reloads a changed file while it runs.
  m_pageEventsEnabled = false;

  int count = 0;
  for (int i = 1; i <= MAX_SCENES; ++i) {
    char section[32];
    snprintf(section, sizeof section, SCENARIO_SECTION_FORMAT, i);
    wxString name = ReadText(ini, section, SCENARIO_KEY_NAME);
    if (name.empty()) {
      if (i > 1) {
        continue;
      }
      name = wxString::Format(SCENE_NAME_FORMAT, 1);
    }
    CreateScenePage(count, name, false);
    wxGrid* grid = m_grids[count];

    ParseFade(ReadText(ini, section, SCENARIO_KEY_FADE), &m_fade[count]);
    ParseHold(ReadText(ini, section, SCENARIO_KEY_HOLD), &m_hold[count]);
    if (IniSnapshotReadLong(ini, section, SCENARIO_KEY_TO_COLUMN, 1) == 0) {
      grid->SetColSize(COL_TO, 0);
      grid->SetColLabelValue(COL_FROM, LABEL_ID);
    }
    ApplyColumnWidths(grid, ReadValue(ini, section, SCENARIO_KEY_COLUMNS));
    FillRows(this, grid, ReadRanges(ini, section));
    ++count;
  }

  for (int input = 0; input < INPUT_COUNT; ++input) {
    char key[32];
    snprintf(key, sizeof key, SCENARIO_KEY_INPUT_FORMAT, input + 1);
    m_inputFunction[input] = ClampToInt(IniSnapshotReadLong(ini, SCENARIO_SECTION_INPUTS, key, input));
  }
  for (int slot = 0; slot < PALETTE_SIZE; ++slot) {
    char key[32];
    snprintf(key, sizeof key, SCENARIO_KEY_COLOUR_FORMAT, slot + 1);
    ParseColour(ReadValue(ini, SCENARIO_SECTION_PALETTE, key), &m_palette[slot]);
  }
  IniSnapshotClose(ini);

  if (m_notebook->GetSelection() == wxNOT_FOUND) {
    m_notebook->SetSelection(0);
  }
  m_pageEventsEnabled = true;
  const int current = CurrentScene();
  if (current < count) {
    m_fadeText->ChangeValue(wxString::Format("%d", m_fade[current]));
    m_holdText->ChangeValue(TrimNumber(wxString::FromCDouble(m_hold[current], 1)));
    // The check mark follows the scene that is shown.
    m_menuEdit->Check(ID_HIDE_TO, m_grids[current]->GetColSize(COL_TO) == 0);
  }
  return true;
}
