// The Input configuration command and its dialog: which entries each input
// offers and shows, and what OK and Cancel leave in the scenario.
#include <wx/statusbr.h>

#include "gui/app/lumivane_app.h"
#include "gui/app/texts.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/gui_testing.h"
#include "support/input_config_expectation.h"

namespace {

using ExpectInputs = wxExpectModal<LumivaneInputConfig>;
using Seen = ExpectInputs::Seen;

const wxString FIXED[] = {"Restart", "Next", "Previous", "Pause/resume"};

class InputConfig : public AppTest {
 protected:
  void SetUp() override {
    WriteSettings("[Settings]\nautorun=0\ntip=-1\n");
    Start();
  }

  // Loads a scenario of the named scenes whose inputs hold `codes`.
  void Load(std::initializer_list<const char*> scenes, std::initializer_list<int> codes) {
    std::string text = "# Lumivane scenario\n";
    int number = 1;
    for (const char* name : scenes) {
      text += "\n[Scene" + std::to_string(number++) + "]\nname=" + name + "\n";
    }
    text += "\n[Inputs]\n";
    number = 1;
    for (int code : codes) {
      text += "input" + std::to_string(number++) + "=" + std::to_string(code) + "\n";
    }
    const std::string path = HomePath("inputs.cfg");
    WriteFileText(path, text);
    m_frame->GetDocument().SetPath(path);
    ASSERT_TRUE(m_frame->ReadScenario());
    m_frame->GetDocument().SetModified(false);
    m_frame->GetStatusBar()->SetStatusText("", STATUS_MESSAGE);
  }

  void ChooseInputConfig() {
    wxCommandEvent event(wxEVT_MENU, ID_INPUT_CONFIG);
    event.SetEventObject(m_frame);
    m_frame->ProcessWindowEvent(event);
  }

  std::vector<int> Codes() {
    std::vector<int> codes;
    for (int input = 0; input < 4; ++input) codes.push_back(m_frame->GetDocument().GetScenario().inputs[input]);
    return codes;
  }

  wxString Status() { return m_frame->GetStatusBar()->GetStatusText(STATUS_MESSAGE); }

  std::shared_ptr<Seen> seen = std::make_shared<Seen>();
};

}  // namespace

TEST_F(InputConfig, OneSceneOffersOnlyTheFixedEntriesAndOkWithoutChangeKeepsTheCodes) {
  // The defaults 1, 2 and 3 name scenes this scenario doesn't have: their
  // inputs show no entry, and OK leaves their codes alone.
  wxTEST_DIALOG(ChooseInputConfig(), ExpectInputs(wxID_OK, seen));
  EXPECT_EQ(seen->title, "Input configuration");
  ASSERT_EQ(seen->labels.GetCount(), 4u);
  for (int input = 0; input < 4; ++input) {
    EXPECT_EQ(seen->labels[input], wxString::Format("Input %d", input + 1));
    ASSERT_EQ(seen->entries[input].GetCount(), 4u) << input;
    for (int entry = 0; entry < 4; ++entry) {
      EXPECT_EQ(seen->entries[input][entry], FIXED[entry]);
    }
  }
  EXPECT_EQ(seen->selection[0], 0);
  EXPECT_EQ(seen->selection[1], wxNOT_FOUND);
  EXPECT_EQ(seen->selection[2], wxNOT_FOUND);
  EXPECT_EQ(seen->selection[3], wxNOT_FOUND);
  EXPECT_EQ(Codes(), (std::vector<int>{0, 1, 2, 3}));
  // OK counts as a change even when nothing was picked.
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
  EXPECT_EQ(Status(), "Input configuration changed");
}

TEST_F(InputConfig, FixedCodesShowTheirEntriesAndComeBackUnchanged) {
  Load({"A", "B"}, {0, -1, -2, -3});
  wxTEST_DIALOG(ChooseInputConfig(), ExpectInputs(wxID_OK, seen));
  for (int input = 0; input < 4; ++input) {
    EXPECT_EQ(seen->selection[input], input) << input;
    EXPECT_EQ(seen->entries[input][seen->selection[input]], FIXED[input]);
  }
  EXPECT_EQ(Codes(), (std::vector<int>{0, -1, -2, -3}));
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
}

TEST_F(InputConfig, ThreeScenesAreListedAfterTheFixedEntriesAndPickedByIndex) {
  Load({"A", "B", "C"}, {0, 1, 2, -3});
  wxTEST_DIALOG(ChooseInputConfig(),
                ExpectInputs(wxID_OK, seen).Picking(1, "C").Picking(2, "A").Picking(3, "B"));
  const wxString all[] = {"Restart", "Next", "Previous", "Pause/resume", "A", "B", "C"};
  ASSERT_EQ(seen->entries[0].GetCount(), 7u);
  for (int entry = 0; entry < 7; ++entry) {
    EXPECT_EQ(seen->entries[0][entry], all[entry]);
  }
  // Code 1 shows scene B, code 2 scene C.
  EXPECT_EQ(seen->selection[1], 5);
  EXPECT_EQ(seen->selection[2], 6);
  // Scene A by name means the same as "Restart".
  EXPECT_EQ(Codes(), (std::vector<int>{0, 2, 0, 1}));
}

TEST_F(InputConfig, CancelLeavesCodesModifiedStateAndStatusAsTheyWere) {
  Load({"A", "B", "C"}, {0, -1, -2, -3});
  m_frame->GetStatusBar()->SetStatusText("before", STATUS_MESSAGE);
  wxTEST_DIALOG(ChooseInputConfig(),
                ExpectInputs(wxID_CANCEL, seen).Picking(0, "C").Picking(3, "Next"));
  EXPECT_TRUE(seen->shown);
  EXPECT_EQ(Codes(), (std::vector<int>{0, -1, -2, -3}));
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
  EXPECT_EQ(Status(), "before");
  EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(STATUS_STATE), "");
}

TEST_F(InputConfig, CodeOfASceneNotListedShowsNoEntryAndIsKeptUnlessOneIsPicked) {
  // Two scenes list positions 0..5; code 3 would be position 7. A code
  // below -3 stands for nothing at all.
  Load({"A", "B"}, {3, -7, 3, -7});
  wxTEST_DIALOG(ChooseInputConfig(),
                ExpectInputs(wxID_OK, seen).Picking(2, "B").Picking(3, "Pause/resume"));
  for (int input = 0; input < 4; ++input) {
    EXPECT_EQ(seen->entries[input].GetCount(), 6u);
    EXPECT_EQ(seen->selection[input], wxNOT_FOUND) << input;
  }
  EXPECT_EQ(Codes(), (std::vector<int>{3, -7, 1, -3}));
}
