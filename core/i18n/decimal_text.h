#pragma once
// Decimal numbers between the window and the files. Files and the wire
// always have a decimal point; the window shows the user's separator and
// takes either.
#include <string>

// `text` (as the core writes it, "2.5") with its decimal point shown as
// `separator` ("2,5" for ",").
std::string WithDecimalSeparator(const std::string& text, const std::string& separator);

// A typed number with `separator` or a decimal point, written with a point:
// "2,5" and "2.5" both give "2.5" for ",".
std::string WithDecimalPoint(const std::string& typed, const std::string& separator);
