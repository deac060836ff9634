// The fade/hold row on its own: what it shows of a scene, and what a commit
// takes into the scene it shows.
#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include "core/model/document.h"
#include "gui/frame/fade_hold_row.h"

namespace {

class FadeHoldRowTest : public testing::Test {
 protected:
  void SetUp() override {
    m_window = new wxFrame(nullptr, wxID_ANY, "row");
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_row = std::make_unique<FadeHoldRow>(m_window, sizer);
    m_window->SetSizer(sizer);
    Scenario scenario;
    scenario.scenes.resize(2);
    scenario.scenes[0].fade = 12;
    scenario.scenes[0].hold = HoldTime(2.5);
    scenario.scenes[1].fade = 30;
    scenario.scenes[1].hold = HoldTime(0);
    m_document.Replace(scenario);
  }
  void TearDown() override {
    m_row.reset();
    m_window->Destroy();
  }
  void Type(const char* fade, const char* hold) {
    m_row->FadeText()->ChangeValue(fade);
    m_row->HoldText()->ChangeValue(hold);
  }

  wxFrame* m_window = nullptr;
  std::unique_ptr<FadeHoldRow> m_row;
  Document m_document;
};

TEST_F(FadeHoldRowTest, ShowsTheValuesOfTheSceneAskedFor) {
  const struct {
    int scene;
    const char* fade;
    const char* hold;
    int shown;  // the scene the row shows after
  } cases[] = {{1, "30", "0", 1}, {0, "12", "2.5", 0}, {2, "12", "2.5", 0}, {-1, "12", "2.5", 0}};
  for (const auto& step : cases) {
    m_row->ShowScene(m_document, step.scene);
    EXPECT_EQ(m_row->FadeText()->GetValue(), step.fade) << step.scene;
    EXPECT_EQ(m_row->HoldText()->GetValue(), step.hold) << step.scene;
    EXPECT_EQ(m_row->SceneShown(), m_document.IdOfScene(step.shown)) << step.scene;
  }
  m_row->ClearFields();
  EXPECT_EQ(m_row->FadeText()->GetValue(), "");
  EXPECT_EQ(m_row->HoldText()->GetValue(), "");
}

TEST_F(FadeHoldRowTest, CommitTakesTheTypedValuesIntoTheSceneShown) {
  const struct {
    const char* fade;
    const char* hold;
    int fadeTaken;
    double holdTaken;
    const char* holdShown;
  } cases[] = {{"7", "3", 7, 3.0, "3.0"}, {"7", "2.2", 7, 2.0, "2.0"}, {"40", "1.5", 40, 1.5, "1.5"}};
  m_row->ShowScene(m_document, 1);
  for (const auto& typed : cases) {
    Type(typed.fade, typed.hold);
    m_row->Commit(m_document);
    EXPECT_EQ(m_document.GetScene(1).fade, typed.fadeTaken) << typed.hold;
    EXPECT_EQ(m_document.GetScene(1).hold.Seconds(), typed.holdTaken) << typed.hold;
    EXPECT_EQ(m_row->HoldText()->GetValue(), typed.holdShown) << typed.hold;
    EXPECT_EQ(m_document.GetScene(0).fade, 12);
  }
}

TEST_F(FadeHoldRowTest, CommitChangesNothingOnceTheSceneIsGone) {
  m_row->ShowScene(m_document, 1);
  Type("99", "9");
  Scenario other;
  other.scenes.resize(1);
  m_document.Replace(other);
  EXPECT_TRUE(m_row->Commit(m_document).changes.Empty());
  EXPECT_EQ(m_document.GetScene(0).fade, 0);
}

}  // namespace
