#include <gtest/gtest.h>

#include "core/model/scenario.h"
#include "gui/frame/colour_tips.h"

TEST(ColourTips, ColourCellNamesNumberAndCubeLevels) {
  struct Case {
    int colour;
    const char* tip;
  } cases[] = {
      {180, "Colour 180: red 5, green 0, blue 0"},
      {0, "Colour 0: red 0, green 0, blue 0"},
      {215, "Colour 215: red 5, green 5, blue 5"},
      {43, "Colour 43: red 1, green 1, blue 1"},
      {30, "Colour 30: red 0, green 5, blue 0"},
      {5, "Colour 5: red 0, green 0, blue 5"},
      {FRESH_BLACK, "Colour 0: red 0, green 0, blue 0"},
      {NO_COLOUR, "No colour chosen: the boards show colour 215"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ColourCellTip(c.colour), c.tip) << c.colour;
  }
}

TEST(ColourTips, BoardTileNamesBoardAndColour) {
  struct Case {
    long board;
    bool given;
    int colour;
    const char* tip;
  } cases[] = {
      {1, true, 180, "Board 1: colour 180, red 5, green 0, blue 0"},
      {12, true, 77, "Board 12: colour 77, red 2, green 0, blue 5"},
      {3, false, 0, "Board 3: no colour given yet"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(BoardTileTip(c.board, c.given, c.colour), c.tip) << c.board;
  }
}
