#include "gui/app/trim_number.h"

#include <cstdlib>

wxString TrimNumber(const wxString& text) {
  wxString trimmed = text;
  trimmed.Trim(true).Trim(false);
  const int point = trimmed.Find('.');
  if (point > 0) {
    while (trimmed.EndsWith("0")) {
      trimmed.RemoveLast();
    }
    if (trimmed.EndsWith(".")) {
      trimmed.RemoveLast();
    }
  }
  return trimmed;
}

long LeadingNumber(const wxString& text) { return std::strtol(text.utf8_str(), nullptr, 10); }
