// The scenario check: each finding with a scenario that triggers it and
// one that does not; rows copied as text and back.
#include <gtest/gtest.h>

#include "bench/bench_scenario.h"
#include "core/model/row_clipboard.h"
#include "core/model/scenario_check.h"
#include "core/model/unsaved_rows.h"

namespace {

Row MakeRow(const char* from, const char* to = "", const char* description = "") {
  Row row;
  row.from = from;
  row.to = to;
  row.colour = 0;
  row.description = description;
  return row;
}

Scenario OneScene(std::vector<Row> rows) {
  Scenario scenario;
  scenario.scenes[0].name = "Opening";
  scenario.scenes[0].rows = std::move(rows);
  scenario.scenes[0].rows.emplace_back();
  // Inputs that go somewhere in a scenario of one scene.
  scenario.inputs = {0, INPUT_NEXT, INPUT_PREVIOUS, INPUT_PAUSE};
  return scenario;
}

// The findings as "severity place: message" lines.
std::vector<std::string> Lines(const Scenario& scenario) {
  std::vector<std::string> lines;
  for (const Finding& finding : CheckScenario(scenario)) {
    lines.push_back(std::string(SeverityName(finding.severity)) + " " + FindingPlace(scenario, finding) +
                    ": " + finding.message);
  }
  return lines;
}

}  // namespace

TEST(ScenarioCheck, EachMistakeIsFoundAndACleanScenarioHasNone) {
  EXPECT_TRUE(Lines(OneScene({MakeRow("1", "4"), MakeRow("5")})).empty());

  struct Case {
    const char* name;
    Scenario scenario;
    std::string expected;
  } cases[] = {
      {"From 0", OneScene({MakeRow("0")}), "error scene 1 \"Opening\", row 1: From 0 is never sent"},
      {"To below From", OneScene({MakeRow("5", "3")}),
       "error scene 1 \"Opening\", row 1: To 3 is below From 5: the row is never sent"},
      {"no From", OneScene({MakeRow("", "", "spare")}),
       "error scene 1 \"Opening\", row 1: no From: the row is never sent"},
      {"not a number", OneScene({MakeRow("x")}),
       "error scene 1 \"Opening\", row 1: From \"x\" is not a number: the row is never sent"},
      {"aliasing", OneScene({MakeRow("129", "130")}),
       "warning scene 1 \"Opening\", row 1: boards 129 to 130 go out as boards 1 to 2 on the wire"},
      {"overlap", OneScene({MakeRow("1", "4"), MakeRow("3", "8")}),
       "warning scene 1 \"Opening\", row 2: rows 1 and 2 both drive boards 3 to 4; row 2 wins"},
      {"long description", OneScene({MakeRow("1", "", std::string(500, 'd').c_str())}),
       "warning scene 1 \"Opening\", row 1: the description is 500 bytes; a save keeps 492"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::vector<std::string> lines = Lines(c.scenario);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], c.expected);
  }
}

TEST(ScenarioCheck, ScenesAndInputsAreCheckedAsAWhole) {
  Scenario scenario = OneScene({MakeRow("1")});
  scenario.scenes.push_back(scenario.scenes[0]);
  scenario.scenes[1].name = "OPENING";
  scenario.scenes[1].rows.assign(1, Row());
  scenario.scenes[0].hold = 2.5;
  scenario.inputs = {0, INPUT_NEXT, 5, INPUT_PAUSE};
  EXPECT_EQ(Lines(scenario), (std::vector<std::string>{
                                 "warning scene 2 \"OPENING\": the scene sends no row",
                                 "warning scene 2 \"OPENING\": scene 1 has the same name",
                                 "warning scene 2 \"OPENING\": hold 0: a run stays on this scene until "
                                 "an input moves on",
                                 "error input 3: jumps to scene 6, which does not exist",
                             }));
}

TEST(ScenarioCheck, InputsToMissingScenesAreErrorsWhenChosenAndNotesWhenLeftAsTheyCame) {
  struct Case {
    int scenes;
    std::array<int, INPUT_COUNT> inputs;
    std::vector<std::string> expected;
  } cases[] = {
      {4, {0, 1, 2, 3}, {}},
      {3, {0, 1, 2, 3}, {"note input 4: jumps to scene 4, which does not exist"}},
      {1, {0, INPUT_NEXT, INPUT_PREVIOUS, INPUT_PAUSE}, {}},
      {2, {0, 1, 3, INPUT_PAUSE}, {"error input 3: jumps to scene 4, which does not exist"}},
  };
  for (const Case& c : cases) {
    Scenario scenario = OneScene({MakeRow("1")});
    scenario.scenes.resize(c.scenes, scenario.scenes[0]);
    for (int scene = 0; scene < c.scenes; ++scene) {
      scenario.scenes[scene].name = "S" + std::to_string(scene + 1);
    }
    scenario.inputs = c.inputs;
    EXPECT_EQ(Lines(scenario), c.expected) << c.scenes << " scenes";
  }
  EXPECT_STREQ(SeverityName(Severity::NOTE), "note");
}

TEST(ScenarioCheck, RowsWithoutABoardNumberAreListedAsNotSaved) {
  const Scenario scenario = OneScene({MakeRow("1"), MakeRow("", "", "spare"), MakeRow("0")});
  EXPECT_EQ(Lines(scenario), (std::vector<std::string>{
                                 "error scene 1 \"Opening\", row 2: no From: the row is never sent",
                                 "warning scene 1 \"Opening\", row 2: row 2 has no board number and is not saved",
                                 "error scene 1 \"Opening\", row 3: From 0 is never sent",
                                 "warning scene 1 \"Opening\", row 3: row 3 has no board number and is not saved",
                             }));
}

TEST(ScenarioCheck, RowsAliasedOrDrivingTheSameBoardsComeAsOneLineAScene) {
  struct Case {
    const char* name;
    std::vector<Row> rows;
    std::vector<std::string> expected;
  } cases[] = {
      {"aliased in a run", {MakeRow("129"), MakeRow("130"), MakeRow("131")},
       {"warning scene 1 \"Opening\", rows 1-3: boards 129-131 go out as boards 1-3 on the wire"}},
      {"aliased apart", {MakeRow("129"), MakeRow("5"), MakeRow("131")},
       {"warning scene 1 \"Opening\", rows 1, 3: boards 129, 131 go out as boards 1, 3 on the wire"}},
      {"later rows over one", {MakeRow("1", "10"), MakeRow("2"), MakeRow("3")},
       {"warning scene 1 \"Opening\", rows 2-3: boards 2-3 are driven by row 1 first; the later row wins"}},
      {"one row over two", {MakeRow("1"), MakeRow("2"), MakeRow("1", "2")},
       {"warning scene 1 \"Opening\", row 3: boards 1-2 are driven by rows 1-2 first; the later row wins"}},
      {"kinds apart, errors one by one", {MakeRow("129"), MakeRow("1"), MakeRow("0"), MakeRow("130")},
       {"warning scene 1 \"Opening\", rows 1, 4: boards 129-130 go out as boards 1-2 on the wire",
        "warning scene 1 \"Opening\", row 2: rows 1 and 2 both drive board 1; row 2 wins",
        "error scene 1 \"Opening\", row 3: From 0 is never sent",
        "warning scene 1 \"Opening\", row 3: row 3 has no board number and is not saved"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Lines(OneScene(c.rows)), c.expected) << c.name;
  }
}

TEST(ScenarioCheck, TheLargestScenarioGivesAShortList) {
  const Scenario scenario = BenchScenario(MAX_SCENES, 511);
  const std::vector<Finding> findings = CheckScenario(scenario);
  EXPECT_LE(findings.size(), 2u * MAX_SCENES + INPUT_COUNT);
  ASSERT_FALSE(findings.empty());
  EXPECT_EQ(findings[0].kind, FindingKind::ALIASED_BOARDS);
  EXPECT_EQ(FindingPlace(scenario, findings[0]), "scene 1 \"Scene number 1\", rows 33-64, 97-128, 161-192, "
                                                 "225-256, 289-320, 353-384, 417-448, 481-511");
  EXPECT_EQ(findings[0].row, 32);
}

TEST(UnsavedRows, RowsWithContentButNoBoardNumberAreCounted) {
  Row colourOnly;
  colourOnly.colour = 7;
  struct Case {
    const char* what;
    std::vector<Row> rows;
    int leftOut;
  } cases[] = {
      {"numbered rows", {MakeRow("1"), MakeRow(" 3 ", "5")}, 0},
      {"a note", {MakeRow("", "", "spare")}, 1},
      {"From 0, To below From", {MakeRow("0"), MakeRow("5", "2")}, 2},
      {"a colour alone is no content", {colourOnly}, 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RowsLeftOutOfFile(OneScene(c.rows)), c.leftOut) << c.what;
  }
}

TEST(RowClipboard, RowsGoToTextAndComeBack) {
  Row coloured = MakeRow("1", "4", "front\tleft");
  coloured.colour = 86;
  coloured.blink = "3";
  const Row uncoloured = Row{"7", "", "", "", NO_COLOUR};
  const std::string text = RowsToText({coloured, uncoloured});
  EXPECT_EQ(text, "1\t4\t86\t3\tfront left\n7\t\t\t\t\n");
  std::vector<Row> rows;
  bool suspect = true;
  ASSERT_TRUE(RowsFromText(text, &rows, &suspect));
  EXPECT_FALSE(suspect);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].colour, 86);
  EXPECT_EQ(rows[0].description, "front left");
  EXPECT_EQ(rows[1].colour, NO_COLOUR);

  EXPECT_FALSE(RowsFromText("just a word", &rows, &suspect));
  EXPECT_FALSE(RowsFromText("", &rows, &suspect));
  ASSERT_TRUE(RowsFromText("1\t\t216\t15\r\n", &rows, &suspect));
  EXPECT_TRUE(suspect);
  EXPECT_EQ(rows[0].colour, NO_COLOUR);
}
