#include "tools/input_list.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>

#include "core/board/runner.h"

namespace {

constexpr double MOST_SECONDS = 24 * 3600;
constexpr long TICKS_PER_SECOND = 1000 / RUNNER_TICK_MS;

// The first tick at or after `seconds`; there is none at 0.
long TickAt(double seconds) { return std::max(1L, static_cast<long>(std::ceil(seconds * TICKS_PER_SECOND - 1e-9))); }

}  // namespace

bool ParseSeconds(const std::string& text, double* value) {
  char* end = nullptr;
  errno = 0;
  *value = std::strtod(text.c_str(), &end);
  return !text.empty() && *end == '\0' && errno != ERANGE && std::isfinite(*value) && *value >= 0;
}

std::string ParseInputList(const std::string& list, std::map<long, unsigned char>* inputs) {
  size_t start = 0;
  while (start <= list.size()) {
    const size_t comma = std::min(list.find(',', start), list.size());
    const std::string item = list.substr(start, comma - start);
    const size_t colon = item.find(':');
    double time = 0;
    const std::string input = colon == std::string::npos ? "" : item.substr(colon + 1);
    if (colon == std::string::npos || !ParseSeconds(item.substr(0, colon), &time) || time > MOST_SECONDS ||
        input.size() != 1 || input[0] < '1' || input[0] > '4') {
      return "input '" + item + "' is not TIME:INPUT with INPUT 1 to 4";
    }
    const long tick = TickAt(time);
    if (inputs->count(tick) == 0) {
      (*inputs)[tick] = 0x0F;
    }
    (*inputs)[tick] &= static_cast<unsigned char>(~(1 << (input[0] - '1')));
    start = comma + 1;
  }
  return "";
}
