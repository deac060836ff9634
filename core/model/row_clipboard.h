#pragma once
// Rows as clipboard text: tab-separated, one line per row, From, To, colour
// number, Blink and Description, as spreadsheets exchange them.
#include <string>
#include <vector>

#include "core/model/scenario.h"

// The text of `rows`. A row without a colour has an empty colour field;
// tabs and line breaks in a description become blanks.
std::string RowsToText(const std::vector<Row>& rows);

// The rows a text holds, when it is tab-separated rows: every line that is
// not empty has a tab. Values are kept as written (blanks trimmed); a
// colour number outside 0..215 leaves the colour empty. `suspect` is set
// when a value is one that typing would be warned about. False for any
// other text, which belongs in a single cell.
bool RowsFromText(const std::string& text, std::vector<Row>* rows, bool* suspect);
