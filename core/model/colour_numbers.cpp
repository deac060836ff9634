#include "core/model/colour_numbers.h"

namespace {
constexpr int LEVEL_BASE = 40;
constexpr int LEVEL_STEP = 43;

unsigned char Level(int levelIndex) {
  return static_cast<unsigned char>(LEVEL_BASE + LEVEL_STEP * levelIndex);
}
}  // namespace

int ColourToIndex(unsigned char red, unsigned char green, unsigned char blue) {
  return 36 * (red / LEVEL_STEP) + 6 * (green / LEVEL_STEP) + blue / LEVEL_STEP;
}

Rgb IndexToColour(int index) {
  // Negative indexes would give negative level indexes; none are produced,
  // but keep the arithmetic inside the cube whatever comes in.
  const unsigned value = static_cast<unsigned>(index);
  return Rgb{Level((value / 36) % 6), Level((value / 6) % 6), Level(value % 6)};
}

CubeLevels LevelsOfIndex(int index) {
  const unsigned value = static_cast<unsigned>(index);
  return CubeLevels{static_cast<int>((value / 36) % 6), static_cast<int>((value / 6) % 6),
                    static_cast<int>(value % 6)};
}
