// The board commands as the exact log of a recording link: every write as
// it went out, every break, pause and opening, and where the hooks come.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/board/board_commands.h"
#include "core/board/protocol_bytes.h"
#include "core/board/recording_link.h"

namespace {

using Lines = std::vector<std::string>;

Lines Concat(std::initializer_list<Lines> parts) {
  Lines all;
  for (const Lines& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

const Lines OPENING = {"open 9600", "write F8", "pause 500", "break", "pause 500"};
const Lines HIGH_SPEED = {"write F6 02", "pause 100", "close", "open 115200", "pause 100"};

Lines SceneWrites(const char* fade, const Lines& rows = {}) {
  return Concat({{"write F5", "write 00 00 7F 7E", "write F2", std::string("write ") + fade}, rows});
}

Row MakeRow(const char* from, const char* to, int colour, const char* blink) {
  Row row;
  row.from = from;
  row.to = to;
  row.colour = colour;
  row.blink = blink;
  return row;
}

Scene MakeScene(int fade, double hold, std::vector<Row> rows) {
  Scene scene;
  scene.fade = fade;
  scene.hold = hold;
  rows.emplace_back();  // the empty row the table ends in
  scene.rows = rows;
  return scene;
}

// The hooks, each noted with how many link events came before it.
struct HookLog {
  explicit HookLog(const RecordingBoardLink& link) : link(link) {
    hooks.opening = [this] { Note("opening"); };
    hooks.sceneStarting = [this](int scene) { Note("scene " + std::to_string(scene)); };
    hooks.erasing = [this] { Note("erasing"); };
    hooks.writingScene = [this](int number) { Note("writing " + std::to_string(number)); };
    hooks.programmed = [this] { Note("programmed"); };
  }
  void Note(const std::string& what) { notes.push_back(what + " @" + std::to_string(link.Events().size())); }
  const RecordingBoardLink& link;
  BoardHooks hooks;
  Lines notes;
};

class BoardCommands : public testing::Test {
 protected:
  Lines Log() const { return EventLines(link.Events()); }
  RecordingBoardLink link;
  BoardTarget standard{"Lumivane USB (1)", LinkSpeed::STANDARD};
  BoardTarget high{"Lumivane USB (1)", LinkSpeed::HIGH};
};

}  // namespace

TEST_F(BoardCommands, OpeningSyncsBreaksAndSwitchesSpeedWhenAsked) {
  EXPECT_EQ(OpenBoardLink(link, standard), 0);
  EXPECT_EQ(Log(), OPENING);
  link.Close();
  link.ClearEvents();
  EXPECT_EQ(OpenBoardLink(link, high), 0);
  EXPECT_EQ(Log(), Concat({OPENING, HIGH_SPEED}));
  EXPECT_TRUE(link.IsOpen());
}

TEST_F(BoardCommands, AnOpenLinkIsLeftAsItIs) {
  ASSERT_EQ(link.Open("x", 9600), 0);
  link.ClearEvents();
  HookLog hooks(link);
  EXPECT_EQ(OpenBoardLink(link, standard, hooks.hooks), 0);
  EXPECT_EQ(Log(), Lines{});
  EXPECT_EQ(hooks.notes, Lines{});
}

TEST_F(BoardCommands, APortThatWillNotOpenGivesItsErrorAndSendsNothing) {
  link.SetOpenResult(2);
  HookLog hooks(link);
  const BoardOutcome outcome = SendSceneToBoards(link, standard, MakeScene(0, 0, {}), hooks.hooks);
  EXPECT_EQ(outcome.result, BoardResult::OPEN_FAILED);
  EXPECT_EQ(outcome.openError, 2);
  EXPECT_EQ(Log(), Lines{"open 9600 -> 2"});
  EXPECT_EQ(hooks.notes, Lines{"opening @0"});
}

TEST_F(BoardCommands, SceneSendsTheRowsTheBoardsTakeInTheirWrites) {
  const Scene scene = MakeScene(10, 0, {
      MakeRow("3", "5", 0, "2"),        // boards 3..5
      MakeRow("", "4", 10, "0"),        // no From
      MakeRow("6", "2", 10, "0"),       // From above To
      MakeRow("300", "", NO_COLOUR, "1x"),  // board 300, unset colour, blink not a number
      MakeRow("0", "9", 10, "0"),       // From 0
  });
  EXPECT_EQ(SendSceneToBoards(link, standard, scene).result, BoardResult::OK);
  EXPECT_EQ(Log(), Concat({OPENING, SceneWrites("0A", {"write F5", "write 02 00 03 00", "write F1", "write 00",
                                                        "write F3", "write 02", "write F5", "write 2B 02 01 00",
                                                        "write F1", "write D7", "write F3", "write 00"})}));
}

TEST_F(BoardCommands, AWriteTheLineRefusesStopsTheSceneAndClosesTheLink) {
  link.FailWritesFrom(4);  // F8, F5, 00 00 7F 7E go out; the fade does not
  const BoardOutcome outcome = SendSceneToBoards(link, standard, MakeScene(1, 0, {MakeRow("1", "", 0, "")}));
  EXPECT_EQ(outcome.result, BoardResult::WRITE_FAILED);
  EXPECT_EQ(Log(), Concat({OPENING, {"write F5", "write 00 00 7F 7E", "close"}}));
  EXPECT_FALSE(link.IsOpen());
}

TEST_F(BoardCommands, ResetAndClearOpenAfreshAndClearErases) {
  ASSERT_EQ(link.Open("x", 9600), 0);
  link.ClearEvents();
  EXPECT_EQ(ResetBoards(link, standard).result, BoardResult::OK);
  HookLog hooks(link);
  EXPECT_EQ(ClearBoards(link, standard, hooks.hooks).result, BoardResult::OK);
  EXPECT_EQ(Log(), Concat({{"close"}, OPENING, {"close"}, OPENING, {"write F7 00 DF", "pause 2000"}}));
  EXPECT_EQ(hooks.notes, (Lines{"opening @7", "erasing @12"}));
}

TEST_F(BoardCommands, ClearWhoseEraseFailsStillWaitsThenCloses) {
  link.FailWritesFrom(2);
  EXPECT_EQ(ClearBoards(link, standard).result, BoardResult::WRITE_FAILED);
  EXPECT_EQ(Log(), Concat({OPENING, {"pause 2000", "close"}}));
}

TEST_F(BoardCommands, ProgrammingTwoScenesAtHighSpeedSendsTheWholeSequence) {
  Scenario scenario;
  scenario.scenes = {MakeScene(0, 2.5, {}), MakeScene(0, 120, {})};
  ASSERT_EQ(link.Open("x", 9600), 0);  // programming starts from a fresh opening
  link.ClearEvents();
  HookLog hooks(link);
  const BoardOutcome outcome = ProgramBoards(link, high, scenario, hooks.hooks);
  EXPECT_EQ(outcome.result, BoardResult::OK);
  EXPECT_EQ(outcome.scenesStored, 2);
  EXPECT_EQ(Log(), Concat({{"close"}, OPENING, HIGH_SPEED, SceneWrites("00"), {"pause 100"},
                           {"write F7 00 DF", "pause 2000"}, SceneWrites("00"),
                           {"write F7", "write 05", "write 01", "pause 100"}, SceneWrites("00"),
                           {"pause 100", "write F7", "write F0", "write 02", "pause 100", "break", "pause 500"}}));
  // The texts and the closing box come where the window shows them: the
  // box before the closing break.
  EXPECT_EQ(hooks.notes, (Lines{"scene 0 @1", "opening @1", "erasing @16", "writing 1 @22", "scene 1 @26",
                                "writing 2 @31", "programmed @35"}));
}

TEST_F(BoardCommands, ProgrammingNoScenesSendsNothingButCompletes) {
  Scenario scenario;
  scenario.scenes.clear();
  HookLog hooks(link);
  const BoardOutcome outcome = ProgramBoards(link, standard, scenario, hooks.hooks);
  EXPECT_EQ(outcome.result, BoardResult::OK);
  EXPECT_EQ(outcome.scenesStored, 0);
  EXPECT_EQ(Log(), Lines{"pause 500"});  // the break finds no open line
  EXPECT_EQ(hooks.notes, Lines{"programmed @0"});
}

TEST_F(BoardCommands, ProgrammingStopsAtTheFirstFailureAndCountsWhatWasStored) {
  Scenario scenario;
  scenario.scenes = {MakeScene(0, 1, {}), MakeScene(0, 1, {})};
  // Writes: 1 sync, 4 scene, 1 erase, 4 scene, 3 store, then scene 2's
  // four, and its store fails.
  link.FailWritesFrom(1 + 4 + 1 + 4 + 3 + 4 + 1);
  BoardOutcome outcome = ProgramBoards(link, standard, scenario);
  EXPECT_EQ(outcome.result, BoardResult::WRITE_FAILED);
  EXPECT_EQ(outcome.scenesStored, 1);
  EXPECT_EQ(Log().back(), "close");

  RecordingBoardLink unplugged;
  unplugged.SetOpenResult(6);
  outcome = ProgramBoards(unplugged, standard, scenario);
  EXPECT_EQ(outcome.result, BoardResult::OPEN_FAILED);
  EXPECT_EQ(outcome.openError, 6);
  EXPECT_EQ(outcome.scenesStored, 0);
}
