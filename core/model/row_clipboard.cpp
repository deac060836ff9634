#include "core/model/row_clipboard.h"

#include "core/model/limits.h"

namespace {

std::string CellText(const std::string& text) {
  std::string out = text;
  for (char& c : out) {
    if (c == '\t' || c == '\n' || c == '\r') {
      c = ' ';
    }
  }
  return out;
}

std::vector<std::string> Split(const std::string& line, char separator) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    const size_t end = line.find(separator, start);
    fields.push_back(line.substr(start, end == std::string::npos ? std::string::npos : end - start));
    if (end == std::string::npos) {
      return fields;
    }
    start = end + 1;
  }
}

// As the checks after typing see a board number: a whole number above 0.
bool BadBoard(const std::string& text) {
  long value = 0;
  return !text.empty() && (!ParseWholeNumber(text, &value) || value <= 0);
}

bool BadBlink(const std::string& text) {
  long value = 0;
  return !text.empty() && (!ParseWholeNumber(text, &value) || value < 0 || value > MAX_BLINK);
}

}  // namespace

std::string RowsToText(const std::vector<Row>& rows) {
  std::string text;
  for (const Row& row : rows) {
    text += CellText(row.from) + '\t' + CellText(row.to) + '\t';
    if (row.colour != NO_COLOUR) {
      text += std::to_string(row.ColourIndex());
    }
    text += '\t' + CellText(row.blink) + '\t' + CellText(row.description) + '\n';
  }
  return text;
}

bool RowsFromText(const std::string& text, std::vector<Row>* rows, bool* suspect) {
  std::vector<std::string> lines = Split(text, '\n');
  for (std::string& line : lines) {
    if (!line.empty() && line.back() == '\r') {
      line.pop_back();  // a spreadsheet's line ends
    }
  }
  while (!lines.empty() && lines.back().empty()) {
    lines.pop_back();
  }
  if (lines.empty()) {
    return false;
  }
  for (const std::string& line : lines) {
    if (!line.empty() && line.find('\t') == std::string::npos) {
      return false;
    }
  }
  rows->clear();
  *suspect = false;
  for (const std::string& line : lines) {
    std::vector<std::string> fields = Split(line, '\t');
    fields.resize(GRID_COLUMNS);
    Row row;
    row.from = StripBlanks(fields[0]);
    row.to = StripBlanks(fields[1]);
    row.blink = StripBlanks(fields[3]);
    row.description = fields[4];
    const std::string colour = StripBlanks(fields[2]);
    long index = -1;
    if (ParseWholeNumber(colour, &index) && index >= 0 && index < COLOUR_COUNT) {
      row.colour = static_cast<int>(index);
    } else if (!colour.empty()) {
      *suspect = true;
    }
    *suspect = *suspect || BadBoard(row.from) || BadBoard(row.to) || BadBlink(row.blink);
    rows->push_back(std::move(row));
  }
  return true;
}
