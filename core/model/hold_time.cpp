#include "core/model/hold_time.h"

#include <locale.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/model/scenario.h"

namespace {

// Files always have "." whatever the user's locale.
locale_t CLocale() {
  static const locale_t s_cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return s_cLocale;
}

std::string FormatC(const char* format, int precision, double value) {
  const locale_t previous = CLocale() ? uselocale(CLocale()) : static_cast<locale_t>(0);
  char text[400];
  snprintf(text, sizeof text, format, precision, value);
  if (previous) {
    uselocale(previous);
  }
  return text;
}

bool ReadsBackAs(const std::string& text, double value) {
  return CLocale() != static_cast<locale_t>(0) && strtod_l(text.c_str(), nullptr, CLocale()) == value;
}

// Far beyond any hold the boards take, yet short enough that its file
// line is written whole.
constexpr double MAX_READ_SECONDS = 1e9;
// Within one decimal of the shown value, a typed value is the same.
constexpr double FIELD_TOLERANCE = 0.05;
constexpr double ROUNDING_TOLD = 0.1;
constexpr double TICKS_PER_SECOND = 10.0;

}  // namespace

bool HoldTime::FromFileText(const std::string& text, HoldTime* hold) {
  if (text.empty() || CLocale() == static_cast<locale_t>(0)) {
    return false;
  }
  errno = 0;
  char* end = nullptr;
  const double value = strtod_l(text.c_str(), &end, CLocale());
  if (end == text.c_str() || *end != '\0' || errno == ERANGE || !std::isfinite(value) ||
      std::fabs(value) >= MAX_READ_SECONDS) {
    return false;
  }
  *hold = HoldTime(value);
  return true;
}

std::string HoldTime::FileText() const {
  const std::string oneDecimal = FormatC("%.*f", 1, m_seconds);
  if (ReadsBackAs(oneDecimal, m_seconds) || !std::isfinite(m_seconds)) {
    return oneDecimal;
  }
  for (int decimals = 2; decimals <= 17; ++decimals) {
    const std::string text = FormatC("%.*f", decimals, m_seconds);
    if (ReadsBackAs(text, m_seconds)) {
      return text;
    }
  }
  return FormatC("%.*g", 17, m_seconds);
}

std::string HoldTime::FieldText() const { return TrimNumber(FileText()); }

double HoldTime::TypedSeconds(const std::string& text) {
  if (text.empty() || CLocale() == static_cast<locale_t>(0)) {
    return 0.0;
  }
  char* end = nullptr;
  const double value = strtod_l(text.c_str(), &end, CLocale());
  return end != text.c_str() && *end == '\0' ? value : 0.0;
}

bool HoldTime::DiffersFromTyped(double typed) const { return std::fabs(typed - m_seconds) > FIELD_TOLERANCE; }

HoldTime HoldTime::FromTyped(double typed) { return HoldTime(std::trunc(2 * typed + 0.5) * 0.5); }

bool HoldTime::TypedOutOfRange(double typed) { return typed < 0 || typed > MAX_SECONDS; }

bool HoldTime::TypedWasRounded(double typed) {
  return std::fabs(FromTyped(typed).m_seconds - typed) >= ROUNDING_TOLD;
}

unsigned char HoldTime::RomByte() const {
  return static_cast<unsigned char>(static_cast<long>(m_seconds * 2 + 0.5) & 0xFF);
}

long HoldTime::Ticks() const {
  if (!(m_seconds * TICKS_PER_SECOND >= 1.0 - 1e-9)) {
    return 0;
  }
  // Tenths that a decimal text names exactly count as whole ticks, though
  // their binary value lies a little above.
  return static_cast<long>(std::ceil(m_seconds * TICKS_PER_SECOND - 1e-6));
}
