// The editing commands without a window: each command's effect, the change
// set it announces, its warnings and its undo.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "core/edit/edit_commands.h"

namespace {

// Records what a Document announces.
class Heard : public DocumentListener {
 public:
  explicit Heard(Document& document) : m_document(document) { m_document.AddListener(this); }
  ~Heard() override { m_document.RemoveListener(this); }
  void DocumentChanged(const ChangeSet& changes) override { sets.push_back(changes); }
  std::vector<ChangeSet> sets;

 private:
  Document& m_document;
};

Row MakeRow(const char* from, const char* to = "", int colour = 0) {
  Row row;
  row.from = from;
  row.to = to;
  row.colour = colour;
  return row;
}

// A Document of named scenes, each with the given rows and the empty row.
Document WithScenes(std::vector<std::vector<Row>> scenes) {
  Scenario scenario;
  scenario.scenes.clear();
  for (size_t i = 0; i < scenes.size(); ++i) {
    Scene scene;
    scene.name = "S" + std::to_string(i + 1);
    scene.rows = scenes[i];
    scene.rows.emplace_back();
    scenario.scenes.push_back(scene);
  }
  Document document;
  document.Replace(scenario);
  return document;
}

std::vector<EditWarning> W(std::vector<EditWarning> warnings) { return warnings; }

// ---- Cells ------------------------------------------------------------------

TEST(EditCommands, TypedCellsWarnAsTheWindowDidAndKeepTheText) {
  const struct {
    int column;
    std::string text;
    bool hideTo;
    std::vector<EditWarning> warnings;
  } cases[] = {
      {COL_FROM, "5", false, {}},
      {COL_FROM, "0", false, W({{EditWarning::FROM_TO_NOT_POSITIVE, 0}})},
      {COL_TO, "x", false, W({{EditWarning::FROM_TO_NOT_POSITIVE, 0}})},
      {COL_FROM, "-3", true, W({{EditWarning::ID_NOT_POSITIVE, 0}})},
      {COL_BLINK, "14", false, {}},
      {COL_BLINK, "15", false, W({{EditWarning::BLINK_TOO_HIGH, 14}})},
      {COL_BLINK, "fast", false, W({{EditWarning::BLINK_NOT_NUMBER, 0}})},
      {COL_DESCRIPTION, std::string(400, 'd'), false, {}},
      {COL_DESCRIPTION, std::string(401, 'd'), false, W({{EditWarning::LONG_DESCRIPTION, 400}})},
  };
  for (const auto& c : cases) {
    Document document = WithScenes({{}});
    if (c.hideTo) {
      HideTo(document, 0, true);
    }
    const EditResult result = EditCell(document, 0, 0, c.column, c.text);
    EXPECT_EQ(c.warnings, result.warnings) << c.text;
    EXPECT_EQ(c.text, document.GetRow(0, 0).Text(c.column)) << c.text;
  }
}

TEST(EditCommands, AFreshRowTurnsBlackAndAnEmptyRowFollowsAsOneStep) {
  Document document = WithScenes({{}});
  Heard heard(document);
  // The grid stores the text as a step of its own; the command joins it.
  {
    Document::Step step(document, "edit cell", EditPlace{0, 0, COL_FROM});
    document.SetCellText(0, 0, COL_FROM, "7");
  }
  const EditResult result = EditCell(document, 0, 0, COL_FROM, "7");
  EXPECT_EQ(FRESH_BLACK, document.GetRow(0, 0).colour);
  EXPECT_EQ(2, document.RowCount(0));
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(1u, result.changes.rowsChanged.count(document.IdOfScene(0)));
  EXPECT_EQ("edit cell", document.UndoLabel());
  EditPlace place;
  ASSERT_TRUE(document.Undo(&place));
  EXPECT_EQ(1, document.RowCount(0));
  EXPECT_EQ(Row(), document.GetRow(0, 0));
  EXPECT_FALSE(document.CanUndo());
  EXPECT_FALSE(document.IsModified());
  EXPECT_TRUE(heard.sets.back().steppedHistory);
}

TEST(EditCommands, AChosenColourNumbersAFreshRowAfterTheRowAbove) {
  const struct {
    std::vector<Row> above;
    const char* number;
  } cases[] = {
      {{}, "1"},
      {{MakeRow("3")}, "4"},
      {{MakeRow("3", "9")}, "10"},
      {{MakeRow("x")}, ""},
      {{MakeRow("0")}, ""},
  };
  for (const auto& c : cases) {
    Document document = WithScenes({c.above});
    const int row = static_cast<int>(c.above.size());
    std::array<std::optional<PaletteColour>, PALETTE_SIZE> palette;
    palette[2] = PaletteColour{true, 51, 102, 153};
    const EditResult result = SetColour(document, 0, row, 42, palette);
    EXPECT_EQ(c.number, document.GetRow(0, row).from);
    EXPECT_EQ(42, document.GetRow(0, row).colour);
    EXPECT_EQ(row + 2, document.RowCount(0));  // the empty row stays last
    EXPECT_EQ((PaletteColour{true, 51, 102, 153}), document.GetScenario().palette[2]);
    EXPECT_FALSE(document.GetScenario().palette[3].set);
    EXPECT_EQ("colour", document.UndoLabel());
    EXPECT_FALSE(result.changes.Empty());
  }
}

// ---- Fade and hold ----------------------------------------------------------

TEST(EditCommands, FadeAndHoldAreTakenRoundedAndWarnedAbout) {
  const struct {
    const char* fade;
    const char* hold;
    int fadeTaken;
    double holdTaken;
    const char* holdShown;
    std::vector<EditWarning> warnings;
  } cases[] = {
      {"10", "2.5", 10, 2.5, "2.5", {}},
      {"0", "2.02", 0, 2.0, "2.0", {}},
      {"0", "2.05", 0, 2.0, "2.0", {}},  // rounded without a word
      {"300", "130", 300, 130, "130.0", W({{EditWarning::FADE_OUT_OF_RANGE, 216}, {EditWarning::HOLD_OUT_OF_RANGE, 0}})},
      {"0", "2.3", 0, 2.5, "2.5", W({{EditWarning::HOLD_ROUNDED, 0}})},
      {"217", "130", 217, 130, "130.0", W({{EditWarning::FADE_OUT_OF_RANGE, 216}, {EditWarning::HOLD_OUT_OF_RANGE, 0}})},
      {"-1", "0", -1, 0, "", W({{EditWarning::FADE_OUT_OF_RANGE, 216}})},
      {"abc", "x", 0, 0, "", {}},  // no number counts as 0
  };
  for (const auto& c : cases) {
    Document document = WithScenes({{}});
    std::string shown;
    const EditResult result = CommitFadeHold(document, 0, c.fade, c.hold, &shown);
    EXPECT_EQ(c.fadeTaken, document.GetScene(0).fade) << c.fade;
    EXPECT_EQ(c.holdTaken, document.GetScene(0).hold.Seconds()) << c.hold;
    EXPECT_EQ(c.holdShown, shown) << c.hold;
    EXPECT_EQ(c.warnings, result.warnings) << c.fade << " " << c.hold;
  }
}

TEST(EditCommands, FadeAndHoldThatDoNotChangeTheSceneAreNoStep) {
  Document document = WithScenes({{}});
  std::string shown;
  CommitFadeHold(document, 0, "40", "2", &shown);
  CommitFadeHold(document, 0, "abc", "2", &shown);
  EXPECT_EQ(0, document.GetScene(0).fade);  // text that is no number counts as 0
  document.SetModified(false);
  shown.clear();
  const EditResult result = CommitFadeHold(document, 0, "0", "2.02", &shown);
  EXPECT_TRUE(result.changes.Empty());
  EXPECT_EQ("", shown);  // the field keeps what was typed
  EXPECT_FALSE(document.IsModified());
}

TEST(EditCommands, AHoldReadFromAFileStaysWhenTheFieldShowsIt) {
  Document document = WithScenes({{}});
  HoldTime read;
  ASSERT_TRUE(HoldTime::FromFileText("2.25", &read));
  Scenario scenario = document.GetScenario();
  scenario.scenes[0].hold = read;
  document.Replace(scenario);
  std::string shown;
  const EditResult result = CommitFadeHold(document, 0, "0", read.FieldText(), &shown);
  EXPECT_TRUE(result.changes.Empty());
  EXPECT_EQ(2.25, document.GetScene(0).hold.Seconds());
  EXPECT_FALSE(document.CanUndo());
}

TEST(EditCommands, SetAllCopiesTheSourceToEveryScene) {
  Document document = WithScenes({{}, {}, {}});
  std::string shown;
  CommitFadeHold(document, 1, "9", "4", &shown);
  SetAllFade(document, 1);
  EXPECT_EQ("set all fades", document.UndoLabel());
  SetAllHold(document, 1);
  EXPECT_EQ("set all holds", document.UndoLabel());
  for (int scene = 0; scene < 3; ++scene) {
    EXPECT_EQ(9, document.GetScene(scene).fade);
    EXPECT_EQ(4.0, document.GetScene(scene).hold.Seconds());
  }
}

// ---- Rows -------------------------------------------------------------------

TEST(EditCommands, RowCommandsKeepTheEmptyRowLastAndUndoAsOneStep) {
  const struct {
    const char* behaviour;
    std::function<EditResult(Document&)> command;
    std::vector<std::string> froms;  // after, the empty row left out
    const char* label;
  } cases[] = {
      {"insert", [](Document& d) { return InsertRow(d, 0, 1); }, {"1", "", "2", "3"}, "insert row"},
      {"delete", [](Document& d) { return DeleteRow(d, 0, 0); }, {"2", "3"}, "delete row"},
      {"delete last", [](Document& d) { return DeleteRow(d, 0, 3); }, {"1", "2", "3"}, ""},
      {"move", [](Document& d) { return MoveRow(d, 0, 0, 1); }, {"2", "1", "3"}, "move row"},
      {"cut", [](Document& d) { return CutRows(d, 0, {2, 0, 3}); }, {"2"}, "cut"},
      {"paste", [](Document& d) {
         EditResult result;
         PasteRows(d, 0, 1, "8\t\t5\t\t\n9\t\t\t\t\n", &result);
         return result;
       }, {"1", "8", "9", "2", "3"}, "paste"},
  };
  for (const auto& c : cases) {
    Document document = WithScenes({{MakeRow("1"), MakeRow("2"), MakeRow("3")}});
    const Scenario before = document.GetScenario();
    c.command(document);
    std::vector<std::string> froms;
    for (int row = 0; row + 1 < document.RowCount(0); ++row) {
      froms.push_back(document.GetRow(0, row).from);
    }
    EXPECT_EQ(c.froms, froms) << c.behaviour;
    EXPECT_EQ(Row(), document.GetRow(0, document.RowCount(0) - 1)) << c.behaviour;
    EXPECT_TRUE(document.IsModified()) << c.behaviour;
    EXPECT_EQ(c.label, document.UndoLabel()) << c.behaviour;
    EditPlace place;
    document.Undo(&place);
    EXPECT_EQ(before, document.GetScenario()) << c.behaviour;
  }
}

TEST(EditCommands, PastedRowsWithBadValuesWarnOnceAndTextThatIsNoRowsIsLeftToTheCell) {
  Document document = WithScenes({{}});
  EditResult result;
  ASSERT_TRUE(PasteRows(document, 0, 0, "0\tx\t999\t20\tbad\n", &result));
  EXPECT_EQ(W({{EditWarning::PASTED_SUSPECT_VALUES, 0}}), result.warnings);
  EXPECT_FALSE(PasteRows(document, 0, 0, "just text", &result));
  EXPECT_EQ(2, document.RowCount(0));
}

// ---- Scenes -------------------------------------------------------------------

TEST(EditCommands, SceneCommandsAnnounceScenesByStableIds) {
  Document document = WithScenes({{MakeRow("1")}, {MakeRow("2")}, {MakeRow("3")}});
  Heard heard(document);
  const SceneId first = document.IdOfScene(0);
  const SceneId second = document.IdOfScene(1);
  const SceneId third = document.IdOfScene(2);

  EditResult result = DeleteScene(document, 1);
  EXPECT_EQ(std::vector<SceneId>{second}, result.changes.scenesRemoved);
  EXPECT_EQ("delete scene \"S2\"", document.UndoLabel());
  EXPECT_EQ(1, document.IndexOfScene(third));  // renumbered position, same id

  result = MoveScene(document, 1, 0);
  EXPECT_TRUE(result.changes.scenesMoved);
  EXPECT_EQ(third, document.IdOfScene(0));
  EXPECT_EQ(first, document.IdOfScene(1));

  result = AddScene(document, "", true);
  ASSERT_EQ(1u, result.changes.scenesAdded.size());
  const SceneId added = result.changes.scenesAdded[0];
  EXPECT_EQ(2, document.IndexOfScene(added));
  EXPECT_EQ("Scene 3", document.GetScene(2).name);
  EXPECT_FALSE(document.GetScene(2).ToShown());

  // Undo and redo announce like any edit; an undone deletion brings the
  // scene back under its id.
  EditPlace place;
  document.Undo(&place);
  EXPECT_EQ(std::vector<SceneId>{added}, heard.sets.back().scenesRemoved);
  document.Undo(&place);
  EXPECT_TRUE(heard.sets.back().scenesMoved);
  document.Undo(&place);
  EXPECT_EQ(std::vector<SceneId>{second}, heard.sets.back().scenesAdded);
  EXPECT_EQ(second, document.IdOfScene(1));
  EXPECT_EQ(1, heard.sets.back().place.scene);
  document.Redo(&place);
  EXPECT_EQ(std::vector<SceneId>{second}, heard.sets.back().scenesRemoved);
}

TEST(EditCommands, TheLastSceneIsClearedNotDeleted) {
  Document document = WithScenes({{MakeRow("1"), MakeRow("2")}});
  const EditResult result = DeleteScene(document, 0);
  EXPECT_EQ(1, document.SceneCount());
  EXPECT_EQ(1, document.RowCount(0));
  EXPECT_TRUE(result.changes.scenesRemoved.empty());
  EXPECT_EQ(1u, result.changes.rowsChanged.count(document.IdOfScene(0)));
  EXPECT_EQ("clear scene \"S1\"", document.UndoLabel());
  EXPECT_TRUE(document.IsModified());
}

TEST(EditCommands, ADuplicateHasTheRowsButTheLastDefaultWidthsAndTheSourcesHiddenTo) {
  const struct {
    int toWidth;
    bool idLabel;
    int copyToWidth;
  } cases[] = {{40, false, 40}, {75, false, 40}, {0, true, 0}, {0, false, 0}};
  for (const auto& c : cases) {
    Scene source;
    source.name = "A";
    source.fade = 7;
    source.hold = 1.5;
    source.rows = {MakeRow("1"), MakeRow("2", "", 5)};  // no empty row at its end
    source.columnWidths = {60, c.toWidth, 50, 40, 200};
    source.idLabel = c.idLabel;
    const Scene copy = DuplicateOf(source, "B");
    EXPECT_EQ("B", copy.name);
    EXPECT_EQ(7, copy.fade);
    EXPECT_EQ(1.5, copy.hold.Seconds());
    ASSERT_EQ(2u, copy.rows.size());
    EXPECT_EQ("1", copy.rows[0].from);
    EXPECT_EQ(Row(), copy.rows[1]);
    EXPECT_EQ((std::array<int, GRID_COLUMNS>{40, c.copyToWidth, 50, 40, 300}), copy.columnWidths);
    EXPECT_EQ(c.copyToWidth == 0, copy.idLabel);
  }
  Document document = WithScenes({{}});
  for (int scene = 1; scene < MAX_SCENES; ++scene) {
    AddScene(document, "x", false);
  }
  EXPECT_TRUE(DuplicateScene(document, document.GetScene(0), "more").changes.Empty());
  EXPECT_TRUE(AddScene(document, "more", false).changes.Empty());
  EXPECT_EQ(MAX_SCENES, document.SceneCount());
}

TEST(EditCommands, HidingToIsAViewChangeThatCanBeUndone) {
  Document document = WithScenes({{MakeRow("1", "4")}});
  EXPECT_TRUE(ToColumnUsed(document, 0));
  const EditResult result = HideTo(document, 0, true);
  EXPECT_FALSE(document.GetScene(0).ToShown());
  EXPECT_TRUE(document.GetScene(0).idLabel);
  EXPECT_FALSE(document.IsModified());
  EXPECT_FALSE(result.changes.markedModified);
  EXPECT_EQ("hide \"To\" column", document.UndoLabel());
  HideTo(document, 0, false);
  EXPECT_EQ(TO_COLUMN_WIDTH, document.GetScene(0).columnWidths[COL_TO]);
  EXPECT_EQ("show \"To\" column", document.UndoLabel());
}

TEST(EditCommands, RenameAndInputsAreStepsThatMarkTheScenarioModified) {
  Document document = WithScenes({{}, {}});
  EditResult result = RenameScene(document, 1, "Finale");
  EXPECT_EQ("Finale", document.GetScene(1).name);
  EXPECT_EQ("rename scene \"Finale\"", document.UndoLabel());
  EXPECT_EQ(1u, result.changes.valuesChanged.count(document.IdOfScene(1)));
  EXPECT_TRUE(result.changes.contentChanged.empty());
  result = ConfigureInputs(document, {1, INPUT_NEXT, INPUT_PAUSE, 0});
  EXPECT_TRUE(result.changes.inputsChanged);
  EXPECT_EQ((std::array<int, INPUT_COUNT>{1, INPUT_NEXT, INPUT_PAUSE, 0}), document.GetScenario().inputs);
  EXPECT_EQ("input configuration", document.UndoLabel());
  EXPECT_TRUE(document.IsModified());
}

}  // namespace
