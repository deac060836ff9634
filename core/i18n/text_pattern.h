#pragma once
// A text with numbered places ("rows {1} and {2} both drive board {3}")
// and the values that fill them. The core keeps the English pattern beside
// the filled text, so that the window can fill a translated pattern, in
// which the places may come in another order.
#include <string>
#include <vector>

// `pattern` with each "{1}".."{9}" replaced by that argument (counted from
// 1); a place without an argument, and any other brace, stays as it is.
std::string FillPattern(const std::string& pattern, const std::vector<std::string>& arguments);
