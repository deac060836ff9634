#include "core/i18n/decimal_text.h"

namespace {

std::string ReplaceFirst(const std::string& text, const std::string& from, const std::string& to) {
  const size_t at = text.find(from);
  if (from.empty() || at == std::string::npos) {
    return text;
  }
  return text.substr(0, at) + to + text.substr(at + from.size());
}

}  // namespace

std::string WithDecimalSeparator(const std::string& text, const std::string& separator) {
  return ReplaceFirst(text, ".", separator);
}

std::string WithDecimalPoint(const std::string& typed, const std::string& separator) {
  // A text holding a point already is left alone: "1.5" stays the number
  // it says under any separator.
  if (typed.find('.') != std::string::npos) {
    return typed;
  }
  return ReplaceFirst(typed, separator, ".");
}
