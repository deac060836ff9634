// Undo and redo on the Document: every kind of edit taken back and done
// again, the modified flag against the saved point, and a bounded history.
#include <gtest/gtest.h>

#include <functional>

#include "core/model/document.h"

namespace {

Scenario TwoScenes() {
  Scenario scenario;
  scenario.scenes.resize(2);
  scenario.scenes[0].name = "A";
  scenario.scenes[1].name = "B";
  scenario.scenes[0].rows.resize(3);
  scenario.scenes[0].rows[0].from = "1";
  scenario.scenes[0].rows[1].from = "2";
  scenario.scenes[0].rows[1].colour = 40;
  return scenario;
}

struct EditCase {
  const char* name;
  std::function<void(Document&)> edit;
};

}  // namespace

// Each kind of edit, done as one step: undo gives back the scenario before,
// redo the one after, and the modified flag follows the saved point.
TEST(DocumentHistory, EveryEditUndoesAndRedoesExactly) {
  Scene extra;
  extra.name = "C";
  const EditCase cases[] = {
      {"cell", [](Document& d) { d.SetCellText(0, 0, COL_DESCRIPTION, "x"); }},
      {"colour", [](Document& d) { d.SetRowColour(0, 2, FRESH_BLACK); }},
      {"insert rows", [](Document& d) { d.InsertRows(0, 1, 2); }},
      {"delete rows", [](Document& d) { d.DeleteRows(0, 0, 2); }},
      {"swap rows", [](Document& d) { d.SwapRows(0, 0, 1); }},
      {"clear rows", [](Document& d) { d.ClearRows(0); }},
      {"insert scene", [extra](Document& d) { d.InsertScene(1, extra); }},
      {"delete scene", [](Document& d) { d.DeleteScene(0); }},
      {"swap scenes", [](Document& d) { d.SwapScenes(0, 1); }},
      {"rename", [](Document& d) { d.RenameScene(1, "Finale"); }},
      {"fade and hold", [](Document& d) { d.SetFade(0, 9); d.SetHold(0, 2.5); }},
      {"set all", [](Document& d) { d.SetAllFade(3); d.SetAllHold(1.5); }},
      {"inputs", [](Document& d) { d.SetInputFunction(2, -3); }},
      {"hide To", [](Document& d) { d.SetToColumnWidth(1, 0); d.SetIdLabel(1, true); }},
  };
  for (const EditCase& c : cases) {
    SCOPED_TRACE(c.name);
    Document document;
    document.Replace(TwoScenes());
    const Scenario before = document.GetScenario();
    document.BeginStep(c.name);
    c.edit(document);
    document.EndStep();
    document.SetModified(true);
    const Scenario after = document.GetScenario();
    ASSERT_NE(before, after);
    EXPECT_EQ(document.UndoLabel(), c.name);

    EditPlace place;
    ASSERT_TRUE(document.Undo(&place));
    EXPECT_EQ(document.GetScenario(), before);
    EXPECT_EQ(document.GetScenario().scenes[1].idLabel, before.scenes[1].idLabel);
    EXPECT_FALSE(document.IsModified());
    EXPECT_FALSE(document.CanUndo());
    ASSERT_TRUE(document.Redo(&place));
    EXPECT_EQ(document.GetScenario(), after);
    EXPECT_TRUE(document.IsModified());
  }
}

TEST(DocumentHistory, EditsOutsideAStepAreStepsOfTheirOwnAndANewEditDropsRedo) {
  Document document;
  document.Replace(TwoScenes());
  document.SetCellText(0, 0, COL_TO, "4");
  document.SetCellText(0, 0, COL_TO, "5");
  EditPlace place;
  ASSERT_TRUE(document.Undo(&place));
  EXPECT_EQ(document.GetRow(0, 0).to, "4");
  EXPECT_EQ(place.scene, 0);
  EXPECT_EQ(place.column, COL_TO);
  document.SetCellText(0, 1, COL_TO, "9");
  EXPECT_FALSE(document.CanRedo());
  // Undoing past a save and editing again leaves the saved state out of reach.
  document.MarkSaved();
  ASSERT_TRUE(document.Undo(&place));
  document.SetCellText(0, 2, COL_TO, "1");
  ASSERT_TRUE(document.Undo(&place));
  EXPECT_TRUE(document.IsModified());
}

TEST(DocumentHistory, TheGridsCellStepTakesInTheFreshRowItBrings) {
  Document document;
  document.Replace(TwoScenes());
  const Scenario before = document.GetScenario();
  document.SetCellText(0, 2, COL_DESCRIPTION, "new");
  document.ContinueLastStep(EditPlace{0, 2, COL_DESCRIPTION}, "edit cell");
  document.SetRowColour(0, 2, FRESH_BLACK);
  document.InsertRows(0, 3, 1);
  document.EndStep();
  EXPECT_EQ(document.History().StepCount(), 1u);
  EditPlace place;
  ASSERT_TRUE(document.Undo(&place));
  EXPECT_EQ(document.GetScenario(), before);
}

TEST(DocumentHistory, StaysBoundedOnALargeScenario) {
  Scenario large;
  large.scenes.resize(MAX_SCENES);
  for (Scene& scene : large.scenes) {
    scene.rows.resize(511);
    for (Row& row : scene.rows) {
      row.from = "12";
      row.description = std::string(60, 'd');
    }
  }
  Document document;
  document.Replace(large);
  EditPlace place;
  for (int i = 0; i < 1000; ++i) {
    document.DeleteScene(3);
    ASSERT_TRUE(document.Undo(&place));
    document.InsertScene(3, large.scenes[0]);
    document.DeleteScene(3);
    document.SetCellText(0, i % 511, COL_FROM, std::to_string(i));
  }
  EXPECT_LE(document.History().StepCount(), EditHistory::MAX_STEPS);
  EXPECT_LE(document.History().Bytes(), EditHistory::MAX_BYTES);
  EXPECT_GE(document.History().StepCount(), 200u);  // the small steps stay
  EXPECT_EQ(document.SceneCount(), MAX_SCENES - 1);
}

namespace {

class Announced : public DocumentListener {
 public:
  void DocumentChanged(const ChangeSet& changes) override { sets.push_back(changes); }
  std::vector<ChangeSet> sets;
};

}  // namespace

// What the Document announces, one change set per step, and nothing for a
// step that changed nothing.
TEST(DocumentChanges, EachStepIsAnnouncedOnceWithWhatItChanged) {
  const struct {
    const char* name;
    std::function<void(Document&)> change;
    std::function<bool(const ChangeSet&, const Document&)> heard;
  } cases[] = {
      {"replace", [](Document& d) { d.Replace(TwoScenes()); },
       [](const ChangeSet& c, const Document&) { return c.replaced && c.historyChanged; }},
      {"cell", [](Document& d) { d.SetCellText(0, 0, COL_BLINK, "3"); },
       [](const ChangeSet& c, const Document& d) {
         return c.rowsChanged.count(d.IdOfScene(0)) == 1 && c.contentChanged.count(d.IdOfScene(0)) == 1 &&
                c.valuesChanged.empty();
       }},
      {"rename", [](Document& d) { d.RenameScene(1, "C"); },
       [](const ChangeSet& c, const Document& d) {
         return c.valuesChanged.count(d.IdOfScene(1)) == 1 && c.contentChanged.empty();
       }},
      {"modified again", [](Document& d) { d.SetModified(true); d.SetModified(true); },
       [](const ChangeSet& c, const Document&) { return c.markedModified && !c.modifiedChanged; }},
      {"saved", [](Document& d) { d.MarkSaved(); },
       [](const ChangeSet& c, const Document&) { return c.historyChanged && c.rowsChanged.empty(); }},
      {"path", [](Document& d) { d.SetPath("/shows/a.cfg"); },
       [](const ChangeSet& c, const Document&) { return c.pathChanged; }},
  };
  for (const auto& c : cases) {
    Document document;
    document.Replace(TwoScenes());
    document.SetModified(true);
    Announced announced;
    document.AddListener(&announced);
    c.change(document);
    ASSERT_FALSE(announced.sets.empty()) << c.name;
    EXPECT_TRUE(c.heard(announced.sets.back(), document)) << c.name;
    document.RemoveListener(&announced);
  }
  // A grid's step that stored the same text again is no change, and its
  // mark does not stick to the next one.
  Document document;
  document.Replace(TwoScenes());
  Announced announced;
  document.AddListener(&announced);
  {
    Document::Step step(document, "edit cell");
    document.NoteTypedIntoCell();
    document.SetCellText(0, 0, COL_FROM, "1");
  }
  EXPECT_TRUE(announced.sets.empty());
  document.RenameScene(0, "Z");
  ASSERT_EQ(1u, announced.sets.size());
  EXPECT_FALSE(announced.sets[0].typedIntoCell);
  document.RemoveListener(&announced);
}
