// The link budget: a scene's bytes and time against what the board
// commands really write, the opening's and Program's time against their
// recorded pauses and breaks, and the check's warning at both speeds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/board/link_budget.h"
#include "core/board/recording_link.h"
#include "core/board/timing_link.h"

namespace {

Row MakeRow(const char* from, const char* to = "", const char* blink = "") {
  Row row;
  row.from = from;
  row.to = to;
  row.blink = blink;
  row.colour = 3;
  return row;
}

// A scene of `count` rows, each a board of its own, none of them one the
// wire would alias (runs of 128 boards, every other run left out).
Scene SceneOfRows(int count, HoldTime hold) {
  Scene scene;
  scene.name = "Finale";
  scene.hold = hold;
  scene.rows.clear();
  for (int row = 0; row < count; ++row) {
    scene.rows.push_back(MakeRow(std::to_string(row / 128 * 256 + row % 128 + 1).c_str()));
  }
  scene.rows.emplace_back();
  return scene;
}

long BytesWritten(const RecordingBoardLink& link) {
  long bytes = 0;
  for (const LinkEvent& event : link.Events()) {
    if (event.kind == LinkEvent::WRITE) bytes += static_cast<long>(event.bytes.size());
  }
  return bytes;
}

// The line time of a recorded command: each write at the rate of the
// opening before it, each pause, each break.
double RecordedSeconds(const RecordingBoardLink& link) {
  double seconds = 0;
  int baud = STANDARD_BAUD;
  for (const LinkEvent& event : link.Events()) {
    switch (event.kind) {
      case LinkEvent::OPEN: baud = event.value; break;
      case LinkEvent::WRITE: seconds += event.bytes.size() * 10.0 / baud; break;
      case LinkEvent::PAUSE: seconds += event.value / 1000.0; break;
      case LinkEvent::BREAK: seconds += TimingLink::BREAK_SECONDS; break;
      default: break;
    }
  }
  return seconds;
}

}  // namespace

TEST(LinkBudget, ASceneCostsTheBytesItsTransferWrites) {
  struct Case {
    const char* what;
    std::vector<Row> rows;
    int rowsSent;
  } cases[] = {
      {"no row", {}, 0},
      {"one board", {MakeRow("1")}, 1},
      {"a range with a blink", {MakeRow("3", "5", "2")}, 1},
      {"rows never sent", {MakeRow("0"), MakeRow("5", "3"), MakeRow("", "", "4")}, 0},
      {"sent and not", {MakeRow("1"), MakeRow("0"), MakeRow("x7"), MakeRow("129", "200")}, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scene scene;
    scene.rows = c.rows;
    scene.rows.emplace_back();
    RecordingBoardLink link;
    link.Open("", STANDARD_BAUD);
    ASSERT_TRUE(WriteScene(link, scene));
    for (LinkSpeed speed : {LinkSpeed::STANDARD, LinkSpeed::HIGH}) {
      const SceneBudget budget = BudgetOfScene(scene, speed);
      EXPECT_EQ(budget.rowsSent, c.rowsSent);
      EXPECT_EQ(budget.bytes, BytesWritten(link));
      EXPECT_DOUBLE_EQ(budget.seconds, BytesWritten(link) * 10.0 / BaudOf(speed));
    }
  }
  EXPECT_EQ(BudgetOfScene(SceneOfRows(511, 0.5), LinkSpeed::STANDARD).bytes, 4606);
  EXPECT_EQ(SecondsText(BudgetOfScene(SceneOfRows(511, 0.5), LinkSpeed::STANDARD).seconds), "4.8 s");
  EXPECT_EQ(SecondsText(BudgetOfScene(SceneOfRows(511, 0.5), LinkSpeed::HIGH).seconds), "0.4 s");
}

TEST(LinkBudget, OpeningAndProgramTakeTheTimeOfTheirRecordedSequences) {
  Scenario scenario;
  scenario.scenes = {SceneOfRows(3, 1.0), SceneOfRows(0, 0.0), SceneOfRows(40, 2.5)};
  for (LinkSpeed speed : {LinkSpeed::STANDARD, LinkSpeed::HIGH}) {
    SCOPED_TRACE(speed == LinkSpeed::HIGH ? "high" : "standard");
    const BoardTarget target{"", speed};
    RecordingBoardLink opening;
    OpenBoardLink(opening, target);
    RecordingBoardLink program;
    ProgramBoards(program, target, scenario);

    const ScenarioBudget budget = BudgetOfScenario(scenario, speed);
    EXPECT_NEAR(budget.openingSeconds, RecordedSeconds(opening), 1e-9);
    EXPECT_NEAR(budget.programSeconds, RecordedSeconds(program), 1e-9);
    EXPECT_EQ(budget.baud, speed == LinkSpeed::HIGH ? 115200 : 9600);
    ASSERT_EQ(budget.scenes.size(), 3u);
    EXPECT_EQ(budget.rowsSent, 43);
    EXPECT_EQ(budget.bytes, 3 * 7 + 43 * 9);
  }
  // Sync at 9600, 500 ms, a break, 500 ms; the high speed adds its message
  // and two pauses of 100 ms.
  EXPECT_NEAR(OpeningSeconds(LinkSpeed::STANDARD), 10.0 / 9600 + 1.0 + TimingLink::BREAK_SECONDS, 1e-9);
  EXPECT_NEAR(OpeningSeconds(LinkSpeed::HIGH), 30.0 / 9600 + 1.2 + TimingLink::BREAK_SECONDS, 1e-9);
}

TEST(LinkBudget, ATransferLongerThanItsHoldIsWarnedAboutAtTheSpeedGiven) {
  struct Case {
    int rows;
    double hold;
    LinkSpeed speed;
    const char* expected;  // "" for no warning
  } cases[] = {
      {511, 0.5, LinkSpeed::STANDARD,
       "its transfer takes 4.8 s at 9600 bit/s, longer than its hold of 0.5 s; a run falls behind here"},
      {511, 0.5, LinkSpeed::HIGH, ""},
      {511, 0.3, LinkSpeed::HIGH,
       "its transfer takes 0.4 s at 115200 bit/s, longer than its hold of 0.3 s; a run falls behind here"},
      {511, 0.0, LinkSpeed::STANDARD, ""},  // no hold: the scene stays
      {511, 5.0, LinkSpeed::STANDARD, ""},
      {100, 1.0, LinkSpeed::STANDARD, ""},  // 907 bytes, 0.94 s
      // 484 bytes take 0.504 s: more than a tenth tells it from the hold.
      {53, 0.5, LinkSpeed::STANDARD,
       "its transfer takes 0.51 s at 9600 bit/s, longer than its hold of 0.5 s; a run falls behind here"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.rows) + " rows, hold " + std::to_string(c.hold));
    Finding finding;
    const bool warned = SlowTransferFinding(SceneOfRows(c.rows, c.hold), 1, c.speed, &finding);
    EXPECT_EQ(warned, c.expected[0] != '\0');
    if (warned) {
      EXPECT_EQ(finding.message, c.expected);
      EXPECT_EQ(finding.severity, Severity::WARNING);
      EXPECT_EQ(finding.kind, FindingKind::SLOW_TRANSFER);
      EXPECT_EQ(finding.scene, 1);
      EXPECT_EQ(finding.row, -1);
    }
  }
}

TEST(LinkBudget, TheCheckOnTheLineTellsASlowSceneAfterItsOwnFindings) {
  Scenario scenario;
  scenario.scenes = {SceneOfRows(511, 0.5), SceneOfRows(1, 1.0)};
  scenario.scenes[0].name = "Finale";
  scenario.scenes[0].rows.insert(scenario.scenes[0].rows.begin(), MakeRow("0"));
  scenario.scenes[1].name = "Finale";
  scenario.inputs = {0, 1, 5, INPUT_PAUSE};
  std::vector<std::string> lines;
  for (const Finding& finding : CheckScenarioOnLine(scenario, LinkSpeed::STANDARD)) {
    lines.push_back(FindingPlace(scenario, finding) + ": " + finding.message);
  }
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "scene 1 \"Finale\", row 1: From 0 is never sent",
                       "scene 1 \"Finale\", row 1: row 1 has no board number and is not saved",
                       "scene 1 \"Finale\": its transfer takes 4.8 s at 9600 bit/s, longer than its hold of "
                       "0.5 s; a run falls behind here",
                       "scene 2 \"Finale\": scene 1 has the same name",
                       "input 3: jumps to scene 6, which does not exist",
                   }));
  EXPECT_EQ(CheckScenarioOnLine(scenario, LinkSpeed::HIGH).size(), CheckScenario(scenario).size());
}

TEST(LinkBudget, FiguresReadAsPeopleWriteThem) {
  const struct {
    long count;
    const char* text;
  } counts[] = {{0, "0"}, {7, "7"}, {999, "999"}, {1000, "1,000"}, {4606, "4,606"}, {1234567, "1,234,567"}};
  for (const auto& c : counts) {
    EXPECT_EQ(CountText(c.count), c.text);
  }
  const struct {
    double seconds;
    const char* tenth;
    const char* duration;
  } times[] = {{0.0167, "0.0 s", "0 s"}, {4.798, "4.8 s", "5 s"}, {59.4, "59.4 s", "59 s"},
               {65.3, "65.3 s", "1 min 05 s"}, {3725.0, "3725.0 s", "62 min 05 s"}};
  for (const auto& t : times) {
    EXPECT_EQ(SecondsText(t.seconds), t.tenth);
    EXPECT_EQ(DurationText(t.seconds), t.duration);
  }
}
