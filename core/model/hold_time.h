#pragma once
// A scene's hold time: how long a run stays on the scene before it moves
// on. One value in seconds, kept exactly as it was read or set, and the
// four rules that read it: the file's text, the fade/hold row's field, the
// byte the boards store, and the runner's ticks.
#include <string>

class HoldTime {
 public:
  // The longest hold the boards take; longer values are warned about.
  static constexpr double MAX_SECONDS = 120.0;

  HoldTime() = default;
  // Implicit: a hold is its seconds.
  HoldTime(double seconds) : m_seconds(seconds) {}  // NOLINT(google-explicit-constructor)

  double Seconds() const { return m_seconds; }

  // ---- The file -----------------------------------------------------------
  // The whole text as a C-locale decimal number that is finite and below
  // 1e9 in size, kept exactly; false for any other text.
  static bool FromFileText(const std::string& text, HoldTime* hold);
  // "%.1f" when that reads back as this value ("2.5", "120.0"), else the
  // shortest decimal that does ("2.25"): a save writes back what was read.
  std::string FileText() const;

  // ---- The fade/hold row ----------------------------------------------------
  // What the field shows: the file's text without trailing zeros ("2.5",
  // "3", "2.25").
  std::string FieldText() const;
  // The field's text as a C-locale number; 0 when it is not one.
  static double TypedSeconds(const std::string& text);
  // Whether a typed value differs enough to be taken (more than 0.05 s).
  bool DiffersFromTyped(double typed) const;
  // A typed value rounded to the next half second, as the field takes it.
  static HoldTime FromTyped(double typed);
  // The typed value lies outside 0..MAX_SECONDS.
  static bool TypedOutOfRange(double typed);
  // Rounding moved the typed value by 0.1 s or more: the user is told.
  static bool TypedWasRounded(double typed);

  // ---- The boards -----------------------------------------------------------
  // Half-seconds as the boards store them: (seconds x 2 + 0.5) truncated,
  // its low byte (0..240 for 0..120 s).
  unsigned char RomByte() const;

  // ---- The runner -----------------------------------------------------------
  // The 100 ms ticks the runner stays on the scene: the first tick at which
  // the time spent reaches the hold. 0 for a hold below one tick, which
  // holds the scene until the user or an input moves on.
  long Ticks() const;
  bool HoldsForever() const { return Ticks() == 0; }

  friend bool operator==(const HoldTime& a, const HoldTime& b) { return a.m_seconds == b.m_seconds; }
  friend bool operator!=(const HoldTime& a, const HoldTime& b) { return !(a == b); }

 private:
  double m_seconds = 0.0;
};
