#pragma once
// The boards' 216 colours: a 6 x 6 x 6 cube whose channel levels are
// 40 + 43 k. Scenario files and the boards carry a colour as its index.

constexpr int COLOUR_COUNT = 216;

struct Rgb {
  unsigned char red;
  unsigned char green;
  unsigned char blue;
};

constexpr Rgb RGB_BLACK{0, 0, 0};

// Cube index of any colour, by truncating each channel to its level index.
int ColourToIndex(unsigned char red, unsigned char green, unsigned char blue);

// The cube colour of an index (taken modulo the cube per channel).
Rgb IndexToColour(int index);

// A colour's level index (0..5) in each channel, as its number names them:
// number = 36 x red + 6 x green + blue.
struct CubeLevels {
  int red;
  int green;
  int blue;
};
CubeLevels LevelsOfIndex(int index);
