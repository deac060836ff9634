// The virtual chain against the encoders: what a scene transfer, Program and
// Clear send must leave in the boards exactly what the rows say, and broken
// streams must not throw the receiver off.
#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "core/board/board_commands.h"
#include "core/board/virtual_chain.h"

namespace {

// What a selection value becomes on the wire: bit 7 never goes out.
long Wire(long value) { return (value & 0x7F) + 128 * ((value >> 7) & 0x7E); }

Scene RandomScene(std::mt19937& random) {
  auto pick = [&](int low, int high) { return std::uniform_int_distribution<int>(low, high)(random); };
  Scene scene;
  scene.fade = pick(0, 216);
  scene.rows.clear();
  for (int count = pick(0, 12); count > 0; --count) {
    Row row;
    const int from = pick(1, 300);  // past 128 and 256, where selections alias
    row.from = std::to_string(from);
    row.to = pick(0, 3) == 0 ? "" : std::to_string(from + pick(0, 140));
    row.colour = pick(0, 215);
    row.blink = pick(0, 1) ? std::to_string(pick(0, 14)) : "";
    scene.rows.push_back(row);
  }
  scene.rows.emplace_back();
  return scene;
}

// The boards a scene leaves, worked out from its rows: later rows win.
void ApplyRows(const Scene& scene, std::vector<VirtualBoard>* boards) {
  for (VirtualBoard& board : *boards) board.fade = static_cast<unsigned char>(scene.fade);
  for (const Row& row : scene.rows) {
    SentRange range;
    if (!RowSent(row, &range)) continue;
    const long start = Wire(range.from - 1);
    for (long i = start; i < start + Wire(range.to - range.from + 1); ++i) {
      (*boards)[i].colour = static_cast<unsigned char>(range.colour);
      (*boards)[i].blink = static_cast<unsigned char>(range.blink);
      (*boards)[i].given = true;
    }
  }
}

std::vector<VirtualBoard> Boards(const VirtualChain& chain, long count) {
  std::vector<VirtualBoard> boards;
  for (long number = 1; number <= count; ++number) boards.push_back(chain.Board(number));
  return boards;
}

// Hex bytes; "|" is a break.
void Feed(VirtualChain& chain, const std::string& stream) {
  std::istringstream words(stream);
  std::string word;
  while (words >> word) {
    if (word == "|") {
      chain.Break();
    } else {
      chain.Receive(static_cast<unsigned char>(std::stoul(word, nullptr, 16)));
    }
  }
}

constexpr long CHECKED = 600;  // past the highest board a generated row reaches

}  // namespace

TEST(VirtualChain, EveryTransferOfGeneratedScenesLeavesTheRowsStates) {
  std::mt19937 random(20261208);
  VirtualChain chain;
  ChainLink link(chain);
  ASSERT_EQ(OpenBoardLink(link, BoardTarget{}), 0);
  std::vector<VirtualBoard> expected(CHECKED);
  for (int transfer = 0; transfer < 200; ++transfer) {
    const Scene scene = RandomScene(random);
    ASSERT_TRUE(WriteScene(link, scene));
    ApplyRows(scene, &expected);
    ASSERT_EQ(Boards(chain, CHECKED), expected) << "transfer " << transfer;
    ASSERT_EQ(chain.LastFade(), scene.fade);
  }
  EXPECT_EQ(chain.Board(16255).fade, chain.LastFade()) << "select all reaches board 16255";
  EXPECT_EQ(chain.Dropped(), 0);
}

TEST(VirtualChain, SelectionsAliasAsTheWireCarriesThem) {
  struct Case {
    const char* from;
    const char* to;
    long first;  // boards given the colour; count 0 for none
    long count;
  } cases[] = {
      {"1", "1", 1, 1},   {"129", "", 1, 1},      {"128", "256", 128, 1},  {"1", "128", 1, 0},
      {"5", "140", 5, 8}, {"257", "258", 257, 2}, {"16384", "", 16256, 1},
  };
  for (const Case& c : cases) {
    VirtualChain chain;
    ChainLink link(chain);
    link.Open("", 0);
    Scene scene;
    scene.rows[0].from = c.from;
    scene.rows[0].to = c.to;
    scene.rows[0].colour = 7;
    WriteScene(link, scene);
    long given = 0;
    for (long number = 1; number <= chain.HighestGiven(); ++number) given += chain.Board(number).given;
    EXPECT_EQ(given, c.count) << c.from << ":" << c.to;
    if (c.count > 0) {
      EXPECT_TRUE(chain.Board(c.first).given && !chain.Board(c.first - 1).given) << c.from;
      EXPECT_EQ(chain.Board(c.first).colour, 7);
    }
  }
}

TEST(VirtualChain, ProgramStoresEachSceneOverTheLastAndClearErases) {
  std::mt19937 random(7);
  Scenario scenario;
  scenario.scenes.clear();
  for (int i = 0; i < 4; ++i) {
    scenario.scenes.push_back(RandomScene(random));
    scenario.scenes.back().hold = i * 2.5;
  }
  VirtualChain chain;
  ChainLink link(chain);
  Feed(chain, "F7 02 05");  // a scene stored before, erased by the programming
  ASSERT_EQ(ProgramBoards(link, BoardTarget{}, scenario).result, BoardResult::OK);

  ASSERT_EQ(chain.Rom().size(), 4u);
  std::vector<VirtualBoard> expected(CHECKED);
  for (int i = 0; i < 4; ++i) {
    ApplyRows(scenario.scenes[i], &expected);
    const RomScene& stored = chain.Rom().at(i + 1);
    EXPECT_EQ(stored.hold, i * 5);
    ASSERT_GE(stored.boards.size(), static_cast<size_t>(CHECKED));
    EXPECT_EQ(std::vector<VirtualBoard>(stored.boards.begin(), stored.boards.begin() + CHECKED), expected)
        << "scene " << i + 1;
  }
  EXPECT_EQ(chain.Resets(), 2) << "the opening and the closing break";

  ASSERT_EQ(ClearBoards(link, BoardTarget{}).result, BoardResult::OK);
  EXPECT_TRUE(chain.Rom().empty());
  EXPECT_EQ(Boards(chain, CHECKED), expected) << "erasing leaves the boards as they are";
}

TEST(VirtualChain, CutAndStrayBytesCostNoMoreThanThemselves) {
  struct Case {
    const char* stream;  // after boards 1..2 were selected
    bool given;          // board 1
    int colour;
    int blink;
    long long dropped;
  } cases[] = {
      {"F1 05", true, 5, 0, 0},
      {"F1 F1 05", true, 5, 0, 1},                // colour cut short by another
      {"F5 00 00 F1 07", true, 7, 0, 1},          // selection cut short: the old one stays
      {"05 06 F3 09", true, 0, 9, 2},             // stray payload before a message
      {"F5 00 | 00 01 00 F1 03", true, 3, 0, 4},  // a break drops the select, its rest is stray
      {"F1 F8 05 F3 02", true, 0, 2, 2},          // sync drops the colour, its payload is stray
      {"F5 F4 00 00 01 00 F1 02", true, 2, 0, 5}, // F4 only drops
      {"F1 D7 F3 F0", true, 215, 0xF0, 0},        // payload of 0x80 and more
      {"F2 F3 01", true, 0, 1, 1},                // a fade byte in the command range is a command
      {"F5 00 00 01", false, 0, 0, 0},            // cut off at the end: waits, applies nothing
  };
  for (const Case& c : cases) {
    VirtualChain chain;
    Feed(chain, std::string("F5 00 00 02 00 ") + c.stream);
    const VirtualBoard& board = chain.Board(1);
    EXPECT_EQ(board.given, c.given) << c.stream;
    EXPECT_EQ(board.colour, c.colour) << c.stream;
    EXPECT_EQ(board.blink, c.blink) << c.stream;
    EXPECT_EQ(chain.Dropped(), c.dropped) << c.stream;
    // Whatever came before, the next whole message is understood.
    Feed(chain, "F8 F5 00 00 01 00 F1 21");
    EXPECT_EQ(chain.Board(1).colour, 0x21) << c.stream;
  }
}

TEST(VirtualChain, StoreEraseSpeedAndBreaks) {
  VirtualChain chain;
  Feed(chain, "F5 00 00 01 00 F1 0C F7 F0 01 F7 00 02 F6 02 | F8 |");
  ASSERT_EQ(chain.Rom().size(), 2u);
  EXPECT_EQ(chain.Rom().at(1).hold, 240);
  EXPECT_EQ(chain.Rom().at(1).boards.at(0).colour, 12);
  EXPECT_EQ(chain.SpeedCode(), 2);
  EXPECT_EQ(chain.Resets(), 2);
  EXPECT_EQ(chain.BytesReceived(), 16);
  Feed(chain, "F7 00 DF");
  EXPECT_TRUE(chain.Rom().empty());
  EXPECT_EQ(chain.Board(1).colour, 12) << "boards keep their state";
}
