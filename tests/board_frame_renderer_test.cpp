// What the virtual boards show at a moment, as the monitor paints it and
// the preview draws it: colours, blink and fade against known states.
#include <gtest/gtest.h>

#include "core/board/board_commands.h"
#include "core/board/board_frame_renderer.h"
#include "core/board/virtual_chain.h"

namespace {

const Rgb BLACK{0, 0, 0};

Rgb Cube(int index) { return IndexToColour(index); }

// One scene of "from:to; colour; blink" rows with the given fade, sent to the chain.
void Send(VirtualChain& chain, int fade, const std::vector<std::array<int, 4>>& rows) {
  Scene scene;
  scene.fade = fade;
  scene.rows.clear();
  for (const auto& [from, to, colour, blink] : rows) {
    Row row;
    row.from = std::to_string(from);
    row.to = std::to_string(to);
    row.colour = colour;
    row.blink = blink == 0 ? "" : std::to_string(blink);
    scene.rows.push_back(row);
  }
  scene.rows.emplace_back();
  ChainLink link(chain);
  ASSERT_EQ(SendSceneToBoards(link, BoardTarget{}, scene).result, BoardResult::OK);
}

std::string Text(const ShownBoard& board) {
  if (!board.given) return "none";
  return std::to_string(board.colour.red) + "," + std::to_string(board.colour.green) + "," +
         std::to_string(board.colour.blue);
}

std::string Text(const Rgb& colour) { return Text(ShownBoard{true, colour}); }

}  // namespace

TEST(BoardFrameRenderer, ShowsColourBlinkAndNothingForBoardsNeverGiven) {
  VirtualChain chain;
  Send(chain, 0, {{1, 3, 180, 0}, {5, 5, 30, 3}});
  BoardFrameRenderer renderer;
  EXPECT_TRUE(renderer.Update(chain, 1000));
  const struct {
    long board;
    long long at;
    const char* shown;  // "none" or r,g,b
  } cases[] = {
      {1, 1000, "255,40,40"}, {3, 5000, "255,40,40"},
      {5, 1200, "40,255,40"},  // blink 3: lit 1200..1499
      {5, 1500, "0,0,0"},     // dark 1500..1799
      {5, 1799, "0,0,0"},     {5, 1800, "40,255,40"},
      {4, 1000, "none"},      {9, 1000, "none"},  // past the tiles
      {0, 1000, "none"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Text(renderer.Shown(c.board, c.at)), c.shown) << "board " << c.board << " at " << c.at;
  }
  EXPECT_EQ(Text(Cube(30)), "40,255,40");
  EXPECT_TRUE(renderer.Blinking());
  EXPECT_EQ(renderer.BoardCount(), BOARD_FRAME_MIN_BOARDS);
}

TEST(BoardFrameRenderer, FadesBlendFromWhatWasShownOverTheBoardsFade) {
  // Board 1 fades in from black over 1 s; at 1.5 s it gets a new colour
  // that blends from where the first fade had gone.
  VirtualChain chain;
  BoardFrameRenderer renderer;
  Send(chain, 10, {{1, 1, 180, 0}});
  renderer.Update(chain, 1000);
  const struct {
    long long at;
    Rgb shown;
  } first[] = {
      {1000, BLACK}, {1500, {128, 20, 20}}, {1999, {255, 40, 40}}, {2000, Cube(180)}, {900, BLACK},
  };
  for (const auto& c : first) {
    EXPECT_EQ(Text(renderer.Shown(1, c.at).colour), Text(c.shown)) << "at " << c.at;
  }
  EXPECT_EQ(renderer.FadesEnd(), 2000);

  VirtualChain cut;
  BoardFrameRenderer cutRenderer;
  Send(cut, 10, {{1, 1, 180, 0}});
  cutRenderer.Update(cut, 1000);
  Send(cut, 10, {{1, 1, 5, 0}});  // cube 5: 40,40,255
  cutRenderer.Update(cut, 1500);
  const struct {
    long long at;
    Rgb shown;
  } second[] = {
      {1500, {128, 20, 20}}, {2000, {84, 30, 138}}, {2500, Cube(5)},
  };
  for (const auto& c : second) {
    EXPECT_EQ(Text(cutRenderer.Shown(1, c.at).colour), Text(c.shown)) << "at " << c.at;
  }
}

TEST(BoardFrameRenderer, TakesAChangeOnceAndGrowsToTheHighestBoardGiven) {
  VirtualChain chain;
  BoardFrameRenderer renderer;
  EXPECT_FALSE(renderer.Update(chain, 0)) << "boards never given show as before";
  EXPECT_EQ(renderer.BoardCount(), BOARD_FRAME_MIN_BOARDS);
  Send(chain, 0, {{12, 12, 7, 0}});
  EXPECT_TRUE(renderer.Update(chain, 200));
  EXPECT_EQ(renderer.BoardCount(), 12);
  EXPECT_FALSE(renderer.Update(chain, 300));
  Send(chain, 0, {{12, 12, 7, 0}});  // the same again: the generation moves, nothing shown changes
  EXPECT_FALSE(renderer.Update(chain, 400));

  const std::vector<ShownBoard> frame = renderer.Frame(400);
  ASSERT_EQ(frame.size(), 12u);
  EXPECT_FALSE(frame[10].given);
  EXPECT_EQ(Text(frame[11]), Text(Cube(7)));
  EXPECT_FALSE(renderer.Blinking());
}
