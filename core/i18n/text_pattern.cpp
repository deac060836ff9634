#include "core/i18n/text_pattern.h"

std::string FillPattern(const std::string& pattern, const std::vector<std::string>& arguments) {
  std::string text;
  text.reserve(pattern.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '{' && i + 2 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9' &&
        pattern[i + 2] == '}') {
      const size_t index = static_cast<size_t>(pattern[i + 1] - '1');
      if (index < arguments.size()) {
        text += arguments[index];
        i += 2;
        continue;
      }
    }
    text += pattern[i];
  }
  return text;
}
