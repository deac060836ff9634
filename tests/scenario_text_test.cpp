// The scenario file's text without a window: the exact bytes the writer
// makes, and what the reader makes of good, damaged and old files.
#include <gtest/gtest.h>

#include <dirent.h>

#include <climits>
#include <string>
#include <vector>

#include "ini_test_files.h"
#include "core/format/ini.h"
#include "core/format/scenario_text.h"

namespace {

std::string Golden(const std::string& name) { return ReadBytes(std::string(LUMIVANE_TEST_DATA) + "/" + name); }

Row MakeRow(const char* from, const char* to, int colour, const char* blink, const std::string& description) {
  Row row;
  row.from = from;
  row.to = to;
  row.colour = colour;
  row.blink = blink;
  row.description = description;
  return row;
}

// Rows as the reader gives them; the empty row to append to comes last.
void ExpectRows(const Scene& scene, const std::vector<Row>& rows) {
  std::vector<Row> expected = rows;
  expected.emplace_back();
  EXPECT_EQ(expected.size(), scene.rows.size());
  for (size_t i = 0; i < expected.size() && i < scene.rows.size(); ++i) {
    EXPECT_EQ(expected[i], scene.rows[i]) << "row " << i << ": " << scene.rows[i].from << " "
                                          << scene.rows[i].description;
  }
}

Scene MakeScene(const std::string& name, std::vector<Row> rows) {
  Scene scene;
  scene.name = name;
  scene.rows = std::move(rows);
  scene.rows.emplace_back();
  return scene;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
    start = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

std::string ReadKey(const std::string& text, const char* section, const char* key) {
  const std::string path = TestPath("keys.cfg");
  WriteBytes(path, text);
  char value[512];
  IniReadString(section, key, "none", value, sizeof value, path.c_str());
  return value;
}

// The scenario that the window test once built cell by cell.
Scenario SmallScenario() {
  Scenario scenario;
  scenario.scenes = {
      MakeScene("Opening", {MakeRow("1", "4", NO_COLOUR, "3", "front; left"),
                            MakeRow("", "", 5, "", "no From: left out"),
                            MakeRow(" 5 ", "", 0, "", ""),
                            MakeRow("0", "", 5, "", "From 0: left out"),
                            MakeRow("9", "8", 5, "", "To below From: left out"),
                            MakeRow("-3", "", 5, "", "negative From: left out"),
                            MakeRow("7", "12", 86, "14", "back = wall")}),
      MakeScene("Finale = big", {MakeRow("3", "", 43, "0", "\xC3\xBCn\xC3\xAF" "code \xE2\x98\x85")}),
  };
  scenario.scenes[0].fade = 12;
  scenario.scenes[0].hold = 2.5;
  scenario.scenes[1].fade = 216;
  scenario.scenes[1].hold = 120;
  scenario.scenes[1].columnWidths = {60, 0, 50, 40, 250};
  scenario.inputs = {0, -1, -3, 5};
  scenario.palette[0] = PaletteColour{true, 255, 0, 0};
  scenario.palette[15] = PaletteColour{true, 40, 83, 126};
  return scenario;
}

}  // namespace

// ---- The writer ----------------------------------------------------------

TEST(ScenarioText, WritesTheExactFormat) {
  EXPECT_EQ(Golden("scenario_small.cfg"), WriteScenarioText(SmallScenario()));
}

TEST(ScenarioText, WritesAndReadsEveryRow) {
  std::vector<Row> rows;
  for (int row = 1; row <= 600; ++row) {
    rows.push_back(MakeRow(std::to_string(row).c_str(), "", 1, "", ""));
  }
  Scenario scenario;
  scenario.scenes[0] = MakeScene("many", rows);
  const std::string text = WriteScenarioText(scenario);
  EXPECT_NE(text.find("\nrange600=600:600; 1; 0\n"), std::string::npos);
  const Scene read = ParseScenarioText(text).scenes[0];
  ASSERT_EQ(601u, read.rows.size());
  EXPECT_EQ("513", read.rows[512].from);
  EXPECT_EQ("600", read.rows[599].from);
}

TEST(ScenarioText, WritesTheFirst64ScenesOnly) {
  Scenario scenario;
  scenario.scenes.resize(70, MakeScene("s", {}));
  const Scenario read = ParseScenarioText(WriteScenarioText(scenario));
  EXPECT_EQ(64u, read.scenes.size());
}

// Named scene sections past the 64th are counted, each number once; the
// line of the first one is where a check points.
TEST(ScenarioText, CountsTheScenesLeftOut) {
  const struct {
    std::string file;
    int leftOut;
    int firstLine;
  } cases[] = {
      {"[Scene1]\nname=a\n", 0, 0},
      {"[Scene1]\nname=a\n[Scene65]\nname=b\n", 1, 3},
      {"[Scene65]\n[Scene66]\nname=b\n[Scene67]\nname=c\n", 2, 2},  // one without a name is no scene
      {"[Scene70]\nname=b\n[scene70]\nname=c\n", 1, 1},                 // the first section of a number
      {"[Scene64]\nname=b\n[Scene065]\nname=c\n", 0, 0},                // not a number as written
  };
  for (const auto& c : cases) {
    ScenarioLines lines;
    int leftOut = -1;
    ParseScenarioText(c.file, &lines, &leftOut);
    EXPECT_EQ(c.leftOut, leftOut) << c.file;
    EXPECT_EQ(c.firstLine, lines.firstSceneLeftOut) << c.file;
  }
  std::string seventy;
  for (int scene = 1; scene <= 70; ++scene) {
    seventy += "[Scene" + std::to_string(scene) + "]\nname=s\n";
  }
  int leftOut = 0;
  EXPECT_EQ(64u, ParseScenarioText(seventy, nullptr, &leftOut).scenes.size());
  EXPECT_EQ(6, leftOut);
}

// Hold times are kept as the file gives them, and written back the same.
TEST(ScenarioText, KeepsHoldTimesAsRead) {
  const struct {
    const char* hold;
    double read;
    const char* written;
  } cases[] = {
      {"2.5", 2.5, "2.5"},
      {"3", 3.0, "3.0"},
      {"2.25", 2.25, "2.25"},
      {"0.05", 0.05, "0.05"},
      {"120.0", 120.0, "120.0"},
  };
  for (const auto& c : cases) {
    const Scenario read = ParseScenarioText(std::string("[Scene1]\nhold=") + c.hold + "\n");
    EXPECT_EQ(c.read, read.scenes[0].hold.Seconds()) << c.hold;
    EXPECT_NE(WriteScenarioText(read).find(std::string("\nhold=") + c.written + "\n"), std::string::npos)
        << c.hold;
  }
}

// A description or name longer than the reader's 511-byte line pieces would
// come back in pieces, the later ones read as keys of their own. The writer
// keeps every line within one piece instead.
TEST(ScenarioText, CutsLongTextsSoThatEveryLineReadsBackWhole) {
  std::string trap;
  while (trap.size() < 2000) {
    trap += "x=y range9=1:1; 5; 5 [Scene9] ";
  }
  trap.resize(2000);
  std::string accents;
  for (int i = 0; i < 400; ++i) {
    accents += "\xC3\xA9";
  }
  Scenario scenario;
  scenario.scenes[0] = MakeScene(trap.substr(0, 700), {MakeRow("1", "", 1, "", trap), MakeRow("2", "", 2, "", "second"),
                                                      MakeRow("3", "", 3, "", accents)});
  const std::string text = WriteScenarioText(scenario);
  for (const std::string& line : Lines(text)) {
    EXPECT_LE(line.size() + 1, 511u) << line.substr(0, 40);
  }

  const Scenario read = ParseScenarioText(text);
  ASSERT_EQ(1u, read.scenes.size());
  const Scene& scene = read.scenes[0];
  EXPECT_EQ(trap.substr(0, scene.name.size()), scene.name);
  EXPECT_GT(scene.name.size(), 400u);
  ASSERT_EQ(4u, scene.rows.size());
  EXPECT_EQ(trap.substr(0, scene.rows[0].description.size()), scene.rows[0].description);
  EXPECT_GT(scene.rows[0].description.size(), 400u);
  EXPECT_EQ(MakeRow("2", "", 2, "", "second"), scene.rows[1]);
  // Cut between characters, never inside one.
  const std::string& cut = scene.rows[2].description;
  EXPECT_EQ(accents.substr(0, cut.size()), cut);
  EXPECT_EQ(0u, cut.size() % 2);
  EXPECT_GT(cut.size(), 400u);
  // Nothing else came back as keys of their own.
  EXPECT_EQ("none", ReadKey(text, "Scene1", "range9"));
  EXPECT_EQ("none", ReadKey(text, "Scene9", "name"));
}

TEST(ScenarioText, NewlinesInTextsCannotStartLinesOfTheirOwn) {
  Scenario scenario;
  scenario.scenes[0] = MakeScene("two\nlines", {MakeRow("1", "", 1, "", "a\nrange2=9:9; 9; 9")});
  const std::string text = WriteScenarioText(scenario);
  EXPECT_NE(text.find("name=two lines\n"), std::string::npos);
  EXPECT_NE(text.find("range1=1:1; 1; 0; a range2=9:9; 9; 9\n"), std::string::npos);
}

// The window has always printed the hold time into a 160-byte buffer.
TEST(ScenarioText, WritesHoldTimesExactlyAndCutsAbsurdOnes) {
  Scenario scenario;
  scenario.scenes[0].hold = 0.25;  // "%.1f" would round it to 0.2
  EXPECT_NE(WriteScenarioText(scenario).find("\nhold=0.25\n"), std::string::npos);
  scenario.scenes[0].hold = 1e300;
  const std::string text = WriteScenarioText(scenario);
  const size_t hold = text.find("hold=1");
  ASSERT_NE(hold, std::string::npos);
  EXPECT_EQ("to-column=1", text.substr(hold + 159, 11));
}

// ---- The reader ----------------------------------------------------------

TEST(ScenarioText, ReadsTheGoldenFileWhole) {
  const Scenario read = ParseScenarioText(Golden("scenario_small.cfg"));
  ASSERT_EQ(2u, read.scenes.size());
  EXPECT_EQ("Opening", read.scenes[0].name);
  EXPECT_EQ("Finale = big", read.scenes[1].name);
  EXPECT_EQ(12, read.scenes[0].fade);
  EXPECT_EQ(2.5, read.scenes[0].hold);
  EXPECT_EQ(216, read.scenes[1].fade);
  EXPECT_EQ(120.0, read.scenes[1].hold);
  ExpectRows(read.scenes[0], {MakeRow("1", "4", 215, "3", "front; left"), MakeRow("5", "", 0, "", ""),
                              MakeRow("7", "12", 86, "14", "back = wall")});
  ExpectRows(read.scenes[1], {MakeRow("3", "", 43, "", "\xC3\xBCn\xC3\xAF" "code \xE2\x98\x85")});
  EXPECT_EQ(DEFAULT_COLUMN_WIDTHS, read.scenes[0].columnWidths);
  EXPECT_EQ((std::array<int, GRID_COLUMNS>{60, 0, 50, 40, 250}), read.scenes[1].columnWidths);
  EXPECT_EQ((std::array<int, INPUT_COUNT>{0, -1, -3, 5}), read.inputs);
  EXPECT_EQ((PaletteColour{true, 255, 0, 0}), read.palette[0]);
  EXPECT_EQ((PaletteColour{true, 40, 83, 126}), read.palette[15]);
  EXPECT_FALSE(read.palette[1].set);
}

TEST(ScenarioText, ReadsWhatItWrites) {
  DIR* dir = opendir(LUMIVANE_TEST_DATA);
  ASSERT_NE(nullptr, dir);
  while (const dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    if (name.size() > 4 && name.substr(name.size() - 4) == ".cfg") {
      SCOPED_TRACE(name);
      const Scenario read = ParseScenarioText(Golden(name));
      EXPECT_EQ(read, ParseScenarioText(WriteScenarioText(read)));
    }
  }
  closedir(dir);
  EXPECT_EQ(Golden("scenario_small.cfg"), WriteScenarioText(ParseScenarioText(Golden("scenario_small.cfg"))));
}

TEST(ScenarioText, SkipsUnnamedScenesAndStopsRowsAtTheFirstBadRange) {
  const Scenario read = ParseScenarioText(
      "# not checked\n"
      "[Scene1]\n"
      "name=\n"
      "fade=\n"
      "hold=2.5x\n"
      "range1=1:4;20;2;front\n"
      "range2=5 : 6 ; 7 ; 0 ; a;b ; c \n"
      "range4=9:9; 1; 1\n"
      "[Scene2]\n"
      "range1=1:1; 1; 1\n"
      "[Scene3]\n"
      "name= \"Quoted\"  \n"
      "fade=7\n"
      "hold=3\n"
      "range1=7:3; 10; 0\n"
      "range2=1:2; 3; 4\n"
      "[Scene4]\n"
      "name=  spaced = name  \n"
      "range1=1:2; 216; 0\n"
      "[Scene5]\n"
      "name=Single\n"
      "range1=8:8; 1; 0\n"
      "range2=4:5\n"
      "range3=6\n");
  ASSERT_EQ(4u, read.scenes.size());
  EXPECT_EQ("Scene 1", read.scenes[0].name);
  EXPECT_EQ(0, read.scenes[0].fade);
  EXPECT_EQ(0.0, read.scenes[0].hold);
  ExpectRows(read.scenes[0], {MakeRow("1", "4", 20, "2", "front"), MakeRow("5", "6", 7, "", "a;b ; c")});
  EXPECT_EQ("Quoted", read.scenes[1].name);
  EXPECT_EQ(7, read.scenes[1].fade);
  EXPECT_EQ(3.0, read.scenes[1].hold);
  ExpectRows(read.scenes[1], {});
  EXPECT_EQ("spaced = name", read.scenes[2].name);
  ExpectRows(read.scenes[2], {});
  // A range without colour and Blink gives colour 0; one without "To" ends.
  ExpectRows(read.scenes[3], {MakeRow("8", "", 1, "", ""), MakeRow("4", "5", 0, "", "")});

  // Written again, the scenes are numbered without gaps.
  const std::string text = WriteScenarioText(read);
  EXPECT_NE(text.find("[Scene2]\nname=Quoted\nfade=7\nhold=3.0\n"), std::string::npos);
  EXPECT_NE(text.find("[Scene4]\nname=Single\n"), std::string::npos);
}

TEST(ScenarioText, TakesColumnsToColumnInputsAndPaletteAsWritten) {
  const Scenario read = ParseScenarioText(
      "[Scene1]\n"
      "name=Hidden\n"
      "to-column=0\n"
      "columns=60 0 50\n"
      "[Scene2]\n"
      "name=Gaps\n"
      "columns=60  50\n"
      "[Scene3]\n"
      "name=Shown again\n"
      "to-column=0\n"
      "columns=-5 40 99999 \t7\n"
      "[Inputs]\n"
      "input1=-2\n"
      "input3=abc\n"
      "input4=99999999999\n"
      "[Palette]\n"
      "colour2=1 2 3\n"
      "colour3=300 0 0\n"
      "colour4=-1 0 0\n"
      "colour5=1 2\n");
  ASSERT_EQ(3u, read.scenes.size());
  EXPECT_EQ((std::array<int, GRID_COLUMNS>{60, 0, 50, 40, 300}), read.scenes[0].columnWidths);
  EXPECT_EQ((std::array<int, GRID_COLUMNS>{60, 0, 50, 40, 300}), read.scenes[1].columnWidths);
  // "columns" comes after "to-column"; a token is its leading number.
  EXPECT_EQ((std::array<int, GRID_COLUMNS>{0, 40, 10000, 7, 300}), read.scenes[2].columnWidths);
  EXPECT_EQ((std::array<int, INPUT_COUNT>{-2, 1, 0, INT_MAX}), read.inputs);
  EXPECT_EQ((PaletteColour{true, 1, 2, 3}), read.palette[1]);
  EXPECT_EQ((PaletteColour{true, 44, 0, 0}), read.palette[2]);
  // Malformed entries leave a colour unset: the window keeps its own there.
  EXPECT_FALSE(read.palette[3].set);
  EXPECT_FALSE(read.palette[4].set);
}

// Values are read through the INI reader's rules and then as the window's
// wide strings read them.
TEST(ScenarioText, ReadsFadeAndHoldOnlyWhenTheWholeTextIsANumber) {
  const struct {
    const char* fade;
    int expectedFade;
    const char* hold;
    double expectedHold;
  } cases[] = {
      {"12", 12, "2.5", 2.5},
      {"+7", 7, ".5", 0.5},
      {"\"-3\"", -3, "\"3.\"", 3.0},
      {"12x", 0, "2.5x", 0.0},
      {"2147483648", 0, "1e400", 0.0},    // beyond int; overflow
      {"-2147483648", INT_MIN, "1e-310", 0.0},  // underflow
      {"0x10", 0, "0x1p4", 16.0},         // strtod takes hexadecimal
      {"", 0, "inf", 0.0},
      {"1 2", 0, "nan", 0.0},
      {"12\xE9", 12, "1,5", 0.0},         // a last Latin-1 letter is dropped
  };
  for (const auto& c : cases) {
    const Scenario read =
        ParseScenarioText(std::string("[Scene1]\nfade=") + c.fade + "\nhold=" + c.hold + "\n");
    EXPECT_EQ(c.expectedFade, read.scenes[0].fade) << c.fade;
    EXPECT_EQ(c.expectedHold, read.scenes[0].hold) << c.hold;
  }
}

TEST(ScenarioText, ReadsSectionsAndKeysAsTheIniReaderFindsThem) {
  const Scenario read = ParseScenarioText(
      "name=before any section\n"
      "[scene1]\n"
      "NAME=first\n"
      "name=second\n"
      "Range2=2:2; 2; 0\n"
      "range1=1:1; 1; 0\n"
      "range2=9:9; 9; 0\n"
      "range03=3:3; 3; 0\n"
      "[Scene1]\n"
      "range3=3:3; 3; 0\n"
      "[SCENE2]\n"
      "name=Two\n"
      "[broken\n"
      "range1=4:4; 4; 0\n"
      "[Scene02]\n"
      "name=Not two\n"
      "[Scene65]\n"
      "name=Too far\n"
      "[Scene3]\n" +
      std::string("name=") + std::string("a\0b", 3) + "\n");
  ASSERT_EQ(3u, read.scenes.size());
  EXPECT_EQ("first", read.scenes[0].name);
  ExpectRows(read.scenes[0], {MakeRow("1", "", 1, "", ""), MakeRow("2", "", 2, "", "")});
  EXPECT_EQ("Two", read.scenes[1].name);
  ExpectRows(read.scenes[1], {});
  EXPECT_EQ("a", read.scenes[2].name);  // up to a NUL byte
}

TEST(ScenarioText, ReadsNamesAndDescriptionsThatAreNotUtf8AsLatin1) {
  const Scenario read =
      ParseScenarioText("[Scene1]\nname=B\xFChne\nrange1=1:1; 1; 0; gr\xFC\xDF" "e \xE9t\xE9\n");
  EXPECT_EQ("B\xC3\xBChne", read.scenes[0].name);
  EXPECT_EQ("gr\xC3\xBC\xC3\x9F" "e \xC3\xA9t\xC3\xA9", read.scenes[0].rows[0].description);
}

// Files from earlier versions can hold lines longer than the reader's
// 511-byte pieces; they must still load as they always did, piece by piece.
TEST(ScenarioText, ReadsOldFilesWithLongLinesKeyByKey) {
  const std::string head = "range1=1:1; 0; 0; ";
  const std::string text = "[Scene1]\nname=Old\n" + head + std::string(511 - head.size(), 'x') +
                           "range2=9:9; 5; 5\nrange2=2:2; 1; 1\n";
  ASSERT_EQ("9:9; 5; 5", ReadKey(text, "Scene1", "range2"));
  ExpectRows(ParseScenarioText(text).scenes[0],
             {MakeRow("1", "", 0, "", std::string(493, 'x')), MakeRow("9", "", 5, "5", "")});
}

TEST(ScenarioText, AFileWithoutScenesStillGivesOneScene) {
  Scenario read = ParseScenarioText("[Scene2]\nname=Lonely\n");
  ASSERT_EQ(2u, read.scenes.size());
  EXPECT_EQ("Scene 1", read.scenes[0].name);
  EXPECT_EQ("Lonely", read.scenes[1].name);
  read = ParseScenarioText("nothing of a scenario\n");
  ASSERT_EQ(1u, read.scenes.size());
  EXPECT_EQ("Scene 1", read.scenes[0].name);
  ExpectRows(read.scenes[0], {});
}

TEST(ScenarioText, ReadsEveryCutOfAFileWithoutHarm) {
  const std::string golden = Golden("scenario_small.cfg");
  for (size_t length = 0; length <= golden.size(); ++length) {
    const Scenario read = ParseScenarioText(golden.substr(0, length));
    ASSERT_FALSE(read.scenes.empty()) << length;
    for (const Scene& scene : read.scenes) {
      ASSERT_FALSE(scene.rows.empty()) << length;
      EXPECT_EQ(Row(), scene.rows.back()) << length;
    }
  }
}
