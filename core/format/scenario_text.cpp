// The writer appends the file's lines with its own number formatting, and
// the reader takes the text in one pass: every piece is filed under the
// scene, input or colour it names, and the values are read afterwards. Both
// give exactly what the window's earlier printf writer and key-by-key INI
// reader gave.
#include "core/format/scenario_text.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "core/format/ini_lines.h"
#include "core/format/scenario_format.h"
#include "core/format/settings_file.h"
#include "core/model/colour_numbers.h"

namespace {

// ---- Writing -------------------------------------------------------------

// The old writer formatted each line into a buffer of this size.
constexpr size_t FORMAT_BUFFER_SIZE = 160;

void AppendNumber(std::string& out, long value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, static_cast<size_t>(result.ptr - digits));
}

void AppendLine(std::string& out, std::string_view key, long value) {
  out += key;
  out += '=';
  AppendNumber(out, value);
  out += '\n';
}

void AppendNumberedKey(std::string& out, std::string_view prefix, long number) {
  out += prefix;
  AppendNumber(out, number);
  out += '=';
}

// "hold=" and the hold's file text. A line beyond the buffer loses its end,
// newline included, as it always has (only absurd hold times get there, and
// the reader takes none of them).
void AppendHoldLine(std::string& out, HoldTime hold) {
  std::string line(SCENARIO_KEY_HOLD);
  line += '=';
  line += hold.FileText();
  line += '\n';
  out.append(line, 0, std::min(line.size(), FORMAT_BUFFER_SIZE - 1));
}

// A name or description as it goes into the file: a newline (which would
// start a line of its own) turned into a blank, and cut at a character
// boundary to at most limit bytes, without blanks left before the cut.
void AppendFileText(std::string& out, const std::string& text, size_t limit) {
  size_t length = text.size();
  if (length > limit) {
    length = limit;
    while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
      --length;  // text[length] continues a character that would be split
    }
  }
  const size_t start = out.size();
  out.append(text, 0, length);
  std::replace(out.begin() + static_cast<std::ptrdiff_t>(start), out.end(), '\n', ' ');
  if (length < text.size()) {
    // Blanks before the cut would end the line; the reader drops them.
    while (out.size() > start && IniIsBlank(out.back())) {
      out.pop_back();
    }
  }
}

// A name as AppendFileText puts it, in double quotes when the reader would
// otherwise take blanks or double quotes off its ends: it strips blanks
// around a value and then one pair of enclosing quotes.
void AppendNameText(std::string& out, const std::string& text, size_t limit) {
  const size_t start = out.size();
  const auto needsQuotes = [&out, start] {
    if (out.size() == start) {
      return false;
    }
    const char first = out[start];
    const char last = out.back();
    return IniIsBlank(first) || IniIsBlank(last) || first == '"' || last == '"';
  };
  AppendFileText(out, text, limit);
  if (!needsQuotes()) {
    return;
  }
  // Room for the quotes; the shorter cut may not need them any more, and
  // then goes without, as it would when saved again.
  out.resize(start);
  AppendFileText(out, text, limit - 2);
  if (needsQuotes()) {
    out.insert(out.begin() + static_cast<std::ptrdiff_t>(start), '"');
    out += '"';
  }
}

// The range lines of one scene, numbered from 1 without gaps.
void AppendRanges(std::string& out, const Scene& scene) {
  const size_t rows = scene.rows.size();
  long written = 0;
  for (size_t i = 0; i < rows; ++i) {
    const Row& row = scene.rows[i];
    WrittenRange range;
    if (!RowWritten(row, &range)) {
      continue;
    }
    const size_t lineStart = out.size();
    AppendNumberedKey(out, SCENARIO_KEY_RANGE, ++written);
    AppendNumber(out, range.from);
    out += ':';
    AppendNumber(out, range.to);
    out += SCENARIO_RANGE_SEPARATOR;
    AppendNumber(out, range.colour);
    out += SCENARIO_RANGE_SEPARATOR;
    AppendNumber(out, range.blink);
    if (!row.description.empty()) {
      out += SCENARIO_RANGE_SEPARATOR;
      const size_t used = out.size() - lineStart + 1;  // and the newline
      AppendFileText(out, row.description, used < SCENARIO_MAX_LINE ? SCENARIO_MAX_LINE - used : 0);
    }
    out += '\n';
  }
}

void AppendScene(std::string& out, const Scene& scene, int number) {
  out += "\n[";
  out += SCENARIO_SECTION_SCENE;
  AppendNumber(out, number);
  out += "]\n";
  out += SCENARIO_KEY_NAME;
  out += '=';
  AppendNameText(out, scene.name, SCENARIO_MAX_LINE - SCENARIO_KEY_NAME.size() - 2);
  out += '\n';
  AppendLine(out, SCENARIO_KEY_FADE, scene.fade);
  AppendHoldLine(out, scene.hold);
  AppendLine(out, SCENARIO_KEY_TO_COLUMN, scene.ToShown() ? 1 : 0);
  out += SCENARIO_KEY_COLUMNS;
  for (int col = 0; col < GRID_COLUMNS; ++col) {
    out += col == 0 ? '=' : ' ';
    AppendNumber(out, scene.columnWidths[static_cast<size_t>(col)]);
  }
  out += '\n';
  AppendRanges(out, scene);
}

// ---- Reading: values -----------------------------------------------------

// A value as a reader of a 512-byte buffer gets it: up to its first NUL.
std::string_view ValueText(IniText value) {
  const void* nul = memchr(value.text, '\0', value.length);
  return std::string_view(value.text, nul ? static_cast<size_t>(static_cast<const char*>(nul) - value.text)
                                          : value.length);
}

std::string Text(std::string_view value) { return TextFromFile(value.data(), value.size()); }

// A value cut at a NUL byte may end in blanks that the INI rules would have
// taken off a whole value; they go too (a name only: a description is
// trimmed on its own).
std::string_view TrimBlanks(std::string_view value) {
  while (!value.empty() && IniIsBlank(value.front())) value.remove_prefix(1);
  while (!value.empty() && IniIsBlank(value.back())) value.remove_suffix(1);
  return value;
}

// White space as scanf sees it in the C locale.
bool IsScanSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads through a value as scanf reads a NUL-terminated string.
class Scanner {
public:
  explicit Scanner(std::string_view text) : m_at(text.data()), m_end(text.data() + text.size()) {}

  // "%d": white space, an optional sign and at least one digit. A number
  // beyond int fails like a text that is not a number.
  bool Int(int* value) {
    SkipSpace();
    const char* at = m_at;
    const bool negative = at < m_end && *at == '-';
    if (at < m_end && (*at == '+' || *at == '-')) {
      ++at;
    }
    if (at == m_end || !IsDigit(*at)) {
      return false;
    }
    long long magnitude = 0;
    for (; at < m_end && IsDigit(*at); ++at) {
      magnitude = std::min(magnitude * 10 + (*at - '0'), static_cast<long long>(INT_MAX) + 2);
    }
    const long long number = negative ? -magnitude : magnitude;
    if (number < INT_MIN || number > INT_MAX) {
      return false;
    }
    *value = static_cast<int>(number);
    m_at = at;
    return true;
  }

  // A literal character of the pattern, after any white space.
  bool Literal(char literal) {
    SkipSpace();
    if (m_at == m_end || *m_at != literal) {
      return false;
    }
    ++m_at;
    return true;
  }

private:
  void SkipSpace() {
    while (m_at < m_end && IsScanSpace(*m_at)) {
      ++m_at;
    }
  }

  const char* m_at;
  const char* m_end;
};

constexpr int RANGE_FIELDS = 4;  // From, To, colour number, Blink

// The pattern "%d : %d ; %d ; %d". Fields that the text does not reach, or
// where it stops matching, stay 0.
void ScanRange(std::string_view text, int fields[RANGE_FIELDS]) {
  const char separators[RANGE_FIELDS] = {'\0', ':', ';', ';'};
  std::fill(fields, fields + RANGE_FIELDS, 0);
  Scanner scanner(text);
  for (int i = 0; i < RANGE_FIELDS; ++i) {
    if ((i > 0 && !scanner.Literal(separators[i])) || !scanner.Int(&fields[i])) {
      return;
    }
  }
}

// The text after the value's third ";", without surrounding blanks.
std::string DescriptionOf(std::string_view value) {
  size_t start = 0;
  for (int i = 0; i < 3; ++i) {
    start = value.find(';', start);
    if (start == std::string_view::npos) {
      return std::string();
    }
    ++start;
  }
  size_t end = value.size();
  while (start < end && IniIsBlank(value[start])) {
    ++start;
  }
  while (end > start && IniIsBlank(value[end - 1])) {
    --end;
  }
  // A last character cut in its middle is dropped, which may leave blanks
  // at the end; they go too, as a save would lose them.
  std::string text = TextFromFile(value.data() + start, end - start);
  while (!text.empty() && IniIsBlank(text.back())) {
    text.pop_back();
  }
  return text;
}

// strtol's leading number of the text as a buffer of size bytes holds it.
long NumberThroughBuffer(std::string_view text, size_t size) {
  std::string copy(text.substr(0, size - 1));
  return strtol(copy.c_str(), nullptr, 10);
}

// IniReadLong: the value through a 64-byte buffer; default when empty.
long ReadLong(std::string_view value, long defaultValue) {
  const size_t NUMBER_BUFFER_SIZE = 64;
  return value.empty() ? defaultValue : NumberThroughBuffer(value, NUMBER_BUFFER_SIZE);
}

int ClampToInt(long value) {
  return value < INT_MIN ? INT_MIN : (value > INT_MAX ? INT_MAX : static_cast<int>(value));
}

// The whole text as a decimal long within int.
bool ParseFade(const std::string& text, int* fade) {
  errno = 0;
  char* end = nullptr;
  const long value = strtol(text.c_str(), &end, 10);
  if (text.empty() || end == text.c_str() || *end != '\0' || errno == ERANGE || value < INT_MIN ||
      value > INT_MAX) {
    return false;
  }
  *fade = static_cast<int>(value);
  return true;
}

// The "columns" value: widths separated by single blanks; each token's
// leading number, 0 when it has none. Columns the text does not reach keep
// their widths.
void ApplyColumnWidths(std::string_view text, std::array<int, GRID_COLUMNS>* widths) {
  for (size_t col = 0; col < GRID_COLUMNS && !text.empty(); ++col) {
    const size_t blank = text.find(' ');
    const std::string token(text.substr(0, blank));
    text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
    const long width = strtol(token.c_str(), nullptr, 10);
    (*widths)[col] = static_cast<int>(std::clamp(width, 0L, SCENARIO_MAX_COLUMN_WIDTH));
  }
}

// "%d %d %d" with no channel negative, each taken modulo 256.
bool ParseColour(std::string_view text, PaletteColour* colour) {
  Scanner scanner(text);
  int channels[3];
  for (int& channel : channels) {
    if (!scanner.Int(&channel) || channel < 0) {
      return false;
    }
  }
  colour->set = true;
  colour->red = static_cast<unsigned char>(channels[0] % 256);
  colour->green = static_cast<unsigned char>(channels[1] % 256);
  colour->blue = static_cast<unsigned char>(channels[2] % 256);
  return true;
}

void SetNumberText(std::string* text, int value) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, value);
  text->assign(digits, static_cast<size_t>(result.ptr - digits));
}

// ---- Reading: the pass over the pieces -------------------------------------

bool Same(IniText text, std::string_view name) { return IniSameName(text, IniText{name.data(), name.size()}); }

// A name such as "range12": prefix (any case) and the number as "%d" writes
// it, from 1 to max. Returns the number, or 0.
long NumberedName(IniText text, std::string_view prefix, long max) {
  if (text.length <= prefix.size() || !IniSameName(IniText{text.text, prefix.size()},
                                                    IniText{prefix.data(), prefix.size()})) {
    return 0;
  }
  const char* digit = text.text + prefix.size();
  const char* end = text.text + text.length;
  if (*digit < '1' || *digit > '9') {
    return 0;
  }
  long number = 0;
  for (; digit < end; ++digit) {
    if (!IsDigit(*digit)) {
      return 0;
    }
    number = number * 10 + (*digit - '0');
    if (number > max) {
      return 0;
    }
  }
  return number;
}

// A value that a lookup would find: the first of its key in the section.
struct Found {
  bool found = false;
  IniText value{nullptr, 0};

  void Offer(IniText offered) {
    if (!found) {
      found = true;
      value = offered;
    }
  }
  std::string_view Text() const { return found ? ValueText(value) : std::string_view(); }
};

struct RangeEntry {
  long number;
  IniText value;
};

// What the first section of a scene holds.
struct SceneKeys {
  bool seen = false;
  Found name;
  Found fade;
  Found hold;
  Found toColumn;
  Found columns;
  std::vector<RangeEntry> ranges;  // as they come
  bool rangesInOrder = true;       // "range1", "range2", ... each once
};

// A scene section past the ones the program holds: whether it has a name,
// which is what would make it a scene, and where it starts.
struct SceneLeftOut {
  Found name;
  const char* header = nullptr;
};

struct FileKeys {
  std::array<SceneKeys, MAX_SCENES> scenes;
  std::map<long, SceneLeftOut> leftOut;  // by number, the first section of each
  bool inputsSeen = false;
  bool paletteSeen = false;
  std::array<Found, INPUT_COUNT> inputs;
  std::array<Found, PALETTE_SIZE> palette;
};

// Scene sections past the ones held are counted up to this number.
constexpr long MAX_SECTION_NUMBER = INT_MAX;

// Ranges are numbered within int; no file holds enough lines to reach
// beyond that.
constexpr long MAX_RANGE_NUMBER = INT_MAX;

void FileSceneKey(SceneKeys* scene, const IniPiece& piece) {
  if (const long number = NumberedName(piece.name, SCENARIO_KEY_RANGE, MAX_RANGE_NUMBER)) {
    scene->rangesInOrder =
        scene->rangesInOrder && number == static_cast<long>(scene->ranges.size()) + 1;
    scene->ranges.push_back(RangeEntry{number, piece.value});
  } else if (Same(piece.name, SCENARIO_KEY_NAME)) {
    scene->name.Offer(piece.value);
  } else if (Same(piece.name, SCENARIO_KEY_FADE)) {
    scene->fade.Offer(piece.value);
  } else if (Same(piece.name, SCENARIO_KEY_HOLD)) {
    scene->hold.Offer(piece.value);
  } else if (Same(piece.name, SCENARIO_KEY_TO_COLUMN)) {
    scene->toColumn.Offer(piece.value);
  } else if (Same(piece.name, SCENARIO_KEY_COLUMNS)) {
    scene->columns.Offer(piece.value);
  }
}

// Files every key under the first section of its name; a piece that
// begins with "[" ends the section before it, named or not.
void FileKeysOf(const std::string& text, FileKeys* keys) {
  SceneKeys* scene = nullptr;
  std::array<Found, INPUT_COUNT>* inputs = nullptr;
  std::array<Found, PALETTE_SIZE>* palette = nullptr;
  SceneLeftOut* leftOut = nullptr;
  size_t start = 0;
  while (start < text.size()) {
    const size_t length = IniPieceLength(text.data() + start, text.size() - start);
    const IniPiece piece = IniParsePiece(text.data() + start, length);
    start += length;
    if (piece.kind == IniPiece::HEADER) {
      scene = nullptr;
      inputs = nullptr;
      palette = nullptr;
      leftOut = nullptr;
      if (!piece.named) {
        continue;
      }
      if (const long number = NumberedName(piece.name, SCENARIO_SECTION_SCENE, MAX_SECTION_NUMBER)) {
        if (number > MAX_SCENES) {
          if (keys->leftOut.count(number) == 0) {
            leftOut = &keys->leftOut[number];
            leftOut->header = text.data() + start - length;
          }
          continue;
        }
        SceneKeys& named = keys->scenes[static_cast<size_t>(number - 1)];
        if (!named.seen) {
          named.seen = true;
          scene = &named;
        }
      } else if (Same(piece.name, SCENARIO_SECTION_INPUTS) && !keys->inputsSeen) {
        keys->inputsSeen = true;
        inputs = &keys->inputs;
      } else if (Same(piece.name, SCENARIO_SECTION_PALETTE) && !keys->paletteSeen) {
        keys->paletteSeen = true;
        palette = &keys->palette;
      }
    } else if (piece.kind == IniPiece::KEY) {
      if (scene != nullptr) {
        FileSceneKey(scene, piece);
      } else if (leftOut != nullptr) {
        if (Same(piece.name, SCENARIO_KEY_NAME)) {
          leftOut->name.Offer(piece.value);
        }
      } else if (inputs != nullptr) {
        if (const long number = NumberedName(piece.name, SCENARIO_KEY_INPUT, INPUT_COUNT)) {
          (*inputs)[static_cast<size_t>(number - 1)].Offer(piece.value);
        }
      } else if (palette != nullptr) {
        if (const long number = NumberedName(piece.name, SCENARIO_KEY_COLOUR, PALETTE_SIZE)) {
          (*palette)[static_cast<size_t>(number - 1)].Offer(piece.value);
        }
      }
    }
  }
}

// The entries of "range1", "range2", ... up to the first number missing,
// in order: the first entry of each number counts.
void OrderRanges(SceneKeys* scene) {
  std::vector<RangeEntry>& entries = scene->ranges;
  if (scene->rangesInOrder) {
    return;
  }
  std::stable_sort(entries.begin(), entries.end(),
                   [](const RangeEntry& a, const RangeEntry& b) { return a.number < b.number; });
  size_t kept = 0;
  for (const RangeEntry& entry : entries) {
    if (entry.number == static_cast<long>(kept) + 1) {
      entries[kept++] = entry;
    } else if (entry.number > static_cast<long>(kept) + 1) {
      break;
    }
  }
  entries.resize(kept);
}

// Line numbers of places in a text, from the offsets of its newlines.
class LineIndex {
 public:
  explicit LineIndex(const std::string& text) : m_text(text) {
    for (size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\n') {
        m_newlines.push_back(i);
      }
    }
  }
  int LineOf(const char* place) const {
    if (place == nullptr) {
      return 0;
    }
    const size_t offset = static_cast<size_t>(place - m_text.data());
    return static_cast<int>(std::lower_bound(m_newlines.begin(), m_newlines.end(), offset) -
                            m_newlines.begin()) + 1;
  }
  int LineOf(const Found& found) const { return found.found ? LineOf(found.value.text) : 0; }

 private:
  const std::string& m_text;
  std::vector<size_t> m_newlines;
};

// One row per range up to the first that is not usable.
void ReadRows(SceneKeys* keys, Scene* scene) {
  OrderRanges(keys);
  scene->rows.clear();
  scene->rows.reserve(keys->ranges.size() + 1);
  for (const RangeEntry& entry : keys->ranges) {
    const std::string_view value = ValueText(entry.value);
    int fields[RANGE_FIELDS];
    ScanRange(value, fields);
    const int from = fields[0];
    const int to = fields[1];
    const int colour = fields[2];
    const int blink = fields[3];
    if (from < 1 || to < from || colour < 0 || colour >= COLOUR_COUNT) {
      break;
    }
    Row& row = scene->rows.emplace_back();
    SetNumberText(&row.from, from);
    if (to > from) {
      SetNumberText(&row.to, to);
    }
    if (blink > 0) {
      SetNumberText(&row.blink, blink);
    }
    row.colour = colour;
    row.description = DescriptionOf(value);
  }
  scene->rows.emplace_back();  // the empty row to append to
}

}  // namespace

std::string WriteScenarioText(const Scenario& scenario) {
  std::string out;
  size_t rows = 0;
  for (const Scene& scene : scenario.scenes) {
    rows += scene.rows.size();
  }
  out.reserve(1024 + rows * 48);
  out += SCENARIO_FIRST_LINE;
  const size_t scenes = std::min(scenario.scenes.size(), static_cast<size_t>(MAX_SCENES));
  for (size_t scene = 0; scene < scenes; ++scene) {
    AppendScene(out, scenario.scenes[scene], static_cast<int>(scene) + 1);
  }
  out += "\n[";
  out += SCENARIO_SECTION_INPUTS;
  out += "]\n";
  for (size_t input = 0; input < INPUT_COUNT; ++input) {
    AppendNumberedKey(out, SCENARIO_KEY_INPUT, static_cast<long>(input) + 1);
    AppendNumber(out, scenario.inputs[input]);
    out += '\n';
  }
  out += "\n[";
  out += SCENARIO_SECTION_PALETTE;
  out += "]\n";
  for (size_t slot = 0; slot < PALETTE_SIZE; ++slot) {
    const PaletteColour& colour = scenario.palette[slot];
    if (colour.set) {
      AppendNumberedKey(out, SCENARIO_KEY_COLOUR, static_cast<long>(slot) + 1);
      AppendNumber(out, colour.red);
      out += ' ';
      AppendNumber(out, colour.green);
      out += ' ';
      AppendNumber(out, colour.blue);
      out += '\n';
    }
  }
  return out;
}

Scenario ParseScenarioText(const std::string& text) { return ParseScenarioText(text, nullptr); }

Scenario ParseScenarioText(const std::string& text, ScenarioLines* lines) {
  int scenesLeftOut = 0;
  return ParseScenarioText(text, lines, &scenesLeftOut);
}

Scenario ParseScenarioText(const std::string& text, ScenarioLines* lines, int* scenesLeftOut) {
  std::unique_ptr<LineIndex> index;
  if (lines != nullptr) {
    index = std::make_unique<LineIndex>(text);
    *lines = ScenarioLines();
  }
  auto keys = std::make_unique<FileKeys>();
  FileKeysOf(text, keys.get());

  Scenario scenario;
  scenario.scenes.clear();
  for (size_t i = 0; i < MAX_SCENES; ++i) {
    SceneKeys& found = keys->scenes[i];
    Scene scene;
    const std::string_view name = found.name.Text();
    scene.name = Text(name.size() < found.name.value.length ? TrimBlanks(name) : name);
    if (scene.name.empty()) {
      if (i > 0) {
        continue;
      }
      scene.name = DefaultSceneName(1);
    }
    ParseFade(Text(found.fade.Text()), &scene.fade);
    HoldTime::FromFileText(Text(found.hold.Text()), &scene.hold);
    if (ReadLong(found.toColumn.Text(), 1) == 0) {
      scene.columnWidths[COL_TO] = 0;
      scene.idLabel = true;
    }
    ApplyColumnWidths(found.columns.Text(), &scene.columnWidths);
    ReadRows(&found, &scene);
    if (lines != nullptr) {
      ScenarioLines::SceneLines& place = lines->scenes.emplace_back();
      place.name = index->LineOf(found.name);
      place.hold = index->LineOf(found.hold);
      // The rows read are the ordered ranges, one each.
      for (size_t row = 0; row + 1 < scene.rows.size() && row < found.ranges.size(); ++row) {
        place.rows.push_back(index->LineOf(found.ranges[row].value.text));
      }
    }
    scenario.scenes.push_back(std::move(scene));
  }
  *scenesLeftOut = 0;
  for (const auto& [number, leftOut] : keys->leftOut) {
    if (!TrimBlanks(leftOut.name.Text()).empty()) {
      if (*scenesLeftOut == 0 && lines != nullptr) {
        lines->firstSceneLeftOut = index->LineOf(leftOut.header);
      }
      ++*scenesLeftOut;
    }
  }
  for (size_t input = 0; input < INPUT_COUNT; ++input) {
    scenario.inputs[input] = ClampToInt(ReadLong(keys->inputs[input].Text(), static_cast<long>(input)));
    if (lines != nullptr) {
      lines->inputs[input] = index->LineOf(keys->inputs[input]);
    }
  }
  for (size_t slot = 0; slot < PALETTE_SIZE; ++slot) {
    ParseColour(keys->palette[slot].Text(), &scenario.palette[slot]);
  }
  return scenario;
}
