#pragma once
#include <wx/string.h>

// Display form of a decimal text: blanks trimmed, and when the text has a
// "." after its first character, trailing zeros and then a trailing "."
// removed ("2.50" -> "2.5", "3.0" -> "3", ".50" stays).
wxString TrimNumber(const wxString& text);

// The leading decimal number of a text, in the manner of strtol: 0 when the
// text does not start with one.
long LeadingNumber(const wxString& text);
