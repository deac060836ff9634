#include "core/model/scenario.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

#include "core/model/colour_numbers.h"

namespace {

bool IsStripBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

std::string Row::Text(int column) const {
  switch (column) {
    case COL_FROM: return from;
    case COL_TO: return to;
    case COL_COLOUR: return colour == NO_COLOUR ? std::string() : std::string(" ");
    case COL_BLINK: return blink;
    case COL_DESCRIPTION: return description;
    default: return std::string();
  }
}

bool Row::operator==(const Row& other) const {
  return from == other.from && to == other.to && blink == other.blink &&
         description == other.description && colour == other.colour;
}

bool Scene::operator==(const Scene& other) const {
  return name == other.name && fade == other.fade && hold == other.hold &&
         columnWidths == other.columnWidths && rows == other.rows;
}

bool Scenario::operator==(const Scenario& other) const {
  return scenes == other.scenes && inputs == other.inputs && palette == other.palette;
}

Rgb RowColour(const Row& row) {
  if (row.colour == FRESH_BLACK) {
    return Rgb{0, 0, 0};
  }
  return IndexToColour(row.ColourIndex());
}

std::string DefaultSceneName(int number) { return "Scene " + std::to_string(number); }

bool RowWritten(const Row& row, WrittenRange* range) {
  const std::string fromText = StripBlanks(row.from);
  if (fromText.empty()) {
    return false;
  }
  const long from = LeadingNumber(fromText);
  const std::string toText = StripBlanks(row.to);
  const long to = toText.empty() ? from : LeadingNumber(toText);
  if (from < 1 || to < from || to > INT_MAX) {
    return false;
  }
  const std::string blinkText = StripBlanks(row.blink);
  *range = WrittenRange{from, to, row.ColourIndex(), blinkText.empty() ? 0 : LeadingNumber(blinkText)};
  return true;
}

bool RowSent(const Row& row, SentRange* range) {
  if (row.from.empty()) {
    return false;
  }
  const long from = LeadingNumber(row.from);
  const long to = row.to.empty() ? from : LeadingNumber(row.to);
  if (from == 0 || from > to) {
    return false;
  }
  long blink = 0;
  if (!ParseWholeNumber(row.blink, &blink)) {
    blink = 0;
  }
  *range = SentRange{from, to, row.ColourIndex(), blink};
  return true;
}

bool RowPrinted(const Row& row) {
  return !StripBlanks(row.from).empty() || !StripBlanks(row.to).empty() ||
         !StripBlanks(row.blink).empty() || !StripBlanks(row.description).empty();
}

long LeadingNumber(const std::string& text) { return std::strtol(text.c_str(), nullptr, 10); }

bool ParseWholeNumber(const std::string& text, long* value) {
  if (text.empty()) {
    return false;
  }
  errno = 0;
  char* end = nullptr;
  const long number = std::strtol(text.c_str(), &end, 10);
  if (end == text.c_str() || *end != '\0' || errno == ERANGE ||
      static_cast<size_t>(end - text.c_str()) != text.size()) {
    return false;
  }
  *value = number;
  return true;
}

std::string StripBlanks(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsStripBlank(text[begin])) {
    ++begin;
  }
  while (end > begin && IsStripBlank(text[end - 1])) {
    --end;
  }
  return text.substr(begin, end - begin);
}

std::string TrimNumber(const std::string& text) {
  std::string trimmed = StripBlanks(text);
  const size_t point = trimmed.find('.');
  if (point != std::string::npos && point > 0) {
    while (!trimmed.empty() && trimmed.back() == '0') {
      trimmed.pop_back();
    }
    if (!trimmed.empty() && trimmed.back() == '.') {
      trimmed.pop_back();
    }
  }
  return trimmed;
}

std::string HoldText(double hold) { return HoldTime(hold).FieldText(); }
