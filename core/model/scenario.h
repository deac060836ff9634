#pragma once
// The scenario as values: scenes of rows, the input functions and the
// custom colours. Texts are UTF-8. Cells hold what the user typed, since
// the editor warns about odd values but never rejects them; the rules below
// decide what each consumer makes of a row.
#include <array>
#include <string>
#include <vector>

#include "core/model/colour_numbers.h"
#include "core/model/hold_time.h"

// Most scenes a scenario holds; there is always at least one.
constexpr int MAX_SCENES = 64;

// Auxiliary inputs of the adapter and their function codes: a code of 0 or
// more goes to that scene.
constexpr int INPUT_COUNT = 4;
constexpr int INPUT_NEXT = -1;
constexpr int INPUT_PREVIOUS = -2;
constexpr int INPUT_PAUSE = -3;

// Custom colours of the colour dialog, kept with the scenario.
constexpr int PALETTE_SIZE = 16;

// A row's colour before the user gave it one. Files and boards take such a
// row as white, the last colour of the cube.
constexpr int NO_COLOUR = -1;
constexpr int UNSET_COLOUR_INDEX = 215;
// A fresh row's first colour: number 0, shown pure black until the user
// picks a colour.
constexpr int FRESH_BLACK = -2;

// Columns of a scene's table.
enum GridColumn {
  COL_FROM = 0,
  COL_TO = 1,
  COL_COLOUR = 2,
  COL_BLINK = 3,
  COL_DESCRIPTION = 4,
  GRID_COLUMNS = 5
};

// Widths of the columns of a new scene, and of "To" when it is shown again.
constexpr std::array<int, GRID_COLUMNS> DEFAULT_COLUMN_WIDTHS = {40, 40, 50, 40, 300};
constexpr int TO_COLUMN_WIDTH = 40;

struct Row {
  std::string from;
  std::string to;
  std::string blink;
  std::string description;
  int colour = NO_COLOUR;  // 0..215, NO_COLOUR or FRESH_BLACK

  // The text of a column; the colour column's text is " " once a colour is
  // set, as the grid shows it.
  std::string Text(int column) const;
  // The colour index that files, boards and the report use.
  int ColourIndex() const {
    return colour == FRESH_BLACK ? 0 : (colour < 0 ? UNSET_COLOUR_INDEX : colour);
  }
  bool operator==(const Row& other) const;
  bool operator!=(const Row& other) const { return !(*this == other); }
};

struct Scene {
  std::string name;
  int fade = 0;
  HoldTime hold;
  // Width 0 of "To" means the column is hidden (the first column is then "ID").
  std::array<int, GRID_COLUMNS> columnWidths = DEFAULT_COLUMN_WIDTHS;
  // The rows as the table shows them. The last one is normally the empty
  // row the user appends to; there is always at least one.
  std::vector<Row> rows = std::vector<Row>(1);
  // The first column is labelled "ID": the user or the file hid "To". A
  // file may still give "To" a width; the label stays until shown again.
  // Only the view reads it, so equal scenes may differ in it.
  bool idLabel = false;

  bool ToShown() const { return columnWidths[COL_TO] > 0; }
  bool operator==(const Scene& other) const;
  bool operator!=(const Scene& other) const { return !(*this == other); }
};

struct PaletteColour {
  bool set = false;
  unsigned char red = 0;
  unsigned char green = 0;
  unsigned char blue = 0;
  bool operator==(const PaletteColour& other) const {
    return set == other.set && (!set || (red == other.red && green == other.green && blue == other.blue));
  }
};

struct Scenario {
  std::vector<Scene> scenes = std::vector<Scene>(1);
  std::array<int, INPUT_COUNT> inputs = {0, 1, 2, 3};
  std::array<PaletteColour, PALETTE_SIZE> palette{};

  bool operator==(const Scenario& other) const;
  bool operator!=(const Scenario& other) const { return !(*this == other); }
};

// The colour a row shows and prints: its cube colour, pure black for a
// fresh row, white for one without a colour.
Rgb RowColour(const Row& row);

// "Scene n", the name of a scene that has none.
std::string DefaultSceneName(int number);

// ---- Which rows count -------------------------------------------------------
// Three consumers read rows by three rules; they differ on purpose, and the
// files and boards of today rely on each.

// A board range as a file line holds it.
struct WrittenRange {
  long from;
  long to;
  int colour;
  long blink;
};

// The file: From (blanks trimmed) must start with a number of at least 1,
// To (trimmed; empty means From) with one not below From and within int.
// Blink is its leading number, 0 when empty.
bool RowWritten(const Row& row, WrittenRange* range);

// A board range as it goes onto the wire.
struct SentRange {
  long from;
  long to;
  int colour;
  long blink;
};

// The boards: From not empty (untrimmed); its leading number not 0 and not
// above To's (an empty To means From). Blink is the whole text as a number,
// else 0.
bool RowSent(const Row& row, SentRange* range);

// The report: a row with any of From, To, Blink or Description not blank.
bool RowPrinted(const Row& row);

// ---- Number texts -------------------------------------------------------------

// The leading decimal number of a text, in the manner of strtol: 0 when the
// text does not start with one.
long LeadingNumber(const std::string& text);
// The whole text (leading blanks allowed) as a decimal number within long.
bool ParseWholeNumber(const std::string& text, long* value);
// Blanks (space, tab, newline, vertical tab, form feed, return) removed at
// both ends.
std::string StripBlanks(const std::string& text);
// Display form of a decimal text: blanks trimmed, and when the text has a
// "." after its first character, trailing zeros and then a trailing "."
// removed ("2.50" -> "2.5", "3.0" -> "3", ".50" stays).
std::string TrimNumber(const std::string& text);
// A hold time as the fade/hold row shows it (HoldTime::FieldText): "2.5", "3".
std::string HoldText(double hold);
