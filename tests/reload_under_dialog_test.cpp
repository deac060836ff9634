// The scenario file changes on disk while a command's dialog waits for the
// user: the command finishes on the scenario the user saw, and the question
// about the file comes once, after the dialog is gone.
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include <wx/datetime.h>
#include <wx/filename.h>
#include <wx/grid.h>
#include <wx/notebook.h>
#include <wx/timer.h>

#include "gui/app/texts.h"
#include "gui/frame/cell_colours.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/gui_testing.h"

namespace {

const char* const SHOWN =
    "# Lumivane scenario\n\n"
    "[Scene1]\nname=Front\nrange1=1:4; 215; 3; front\nrange2=5:5; 0; 0; side\n\n"
    "[Scene2]\nname=Back\nrange1=7:12; 86; 14; back\n";
const char* const CHANGED = "# Lumivane scenario\n\n[Scene1]\nname=Other\nrange1=20:20; 43; 0; other\n";

// Answers a dialog as `answer` does, after running `whileOpen` with the
// dialog still open.
template <class Expectation>
class WhileOpen : public wxModalExpectation {
 public:
  WhileOpen(Expectation answer, std::function<void()> whileOpen)
      : m_answer(std::move(answer)), m_whileOpen(std::move(whileOpen)) {}

  int Invoke(wxDialog* dialog) const override {
    if (dynamic_cast<typename Expectation::DialogType*>(dialog) != nullptr) {
      m_whileOpen();
    }
    return static_cast<const wxModalExpectation&>(m_answer).Invoke(dialog);
  }

 protected:
  wxString GetDefaultDescription() const override { return m_answer.GetDescription(); }

 private:
  Expectation m_answer;
  std::function<void()> m_whileOpen;
};

}  // namespace

class ReloadUnderDialog : public AppTest {
 protected:
  void SetUp() override {
    path = HomePath("show.cfg");
    WriteFileText(path, SHOWN);
    WriteSettings("[Settings]\nautorun=0\ntip=-1\n\n[Session]\nfile=" + path + "\n");
    Start();
    m_frame->Timer()->Stop();  // the test drives the timer
    ASSERT_EQ(m_frame->SceneCount(), 2);
  }

  // Another program rewrites the file while the timer goes on.
  void ChangeOnDisk() {
    WriteFileText(path, CHANGED);
    wxDateTime later = wxDateTime::Now() + wxTimeSpan::Minutes(1);
    wxFileName(path).SetTimes(nullptr, &later, nullptr);
    Tick();
  }
  // Enough timer ticks to reach the file watch once.
  void Tick() {
    for (int tick = 0; tick < 50; ++tick) m_frame->TimerTick();
  }
  template <class Expectation>
  WhileOpen<Expectation> ChangingFile(Expectation answer) {
    return WhileOpen<Expectation>(std::move(answer), [this] { ChangeOnDisk(); });
  }

  // The question comes once the dialog is gone, and only once.
  void AnswerQuestion(int answer) {
    wxTEST_DIALOG(Pump(), ExpectMessageBox(wxString(ASK_FILE_CHANGED) + ASK_FILE_CHANGED_LOSE + ASK_RELOAD,
                                           CAPTION_FILE_CHANGED, answer));
    Tick();
  }
  std::string PageNames() {
    std::string names;
    for (size_t page = 0; page < m_frame->Notebook()->GetPageCount(); ++page) {
      names += m_frame->Notebook()->GetPageText(page).utf8_string() + "|";
    }
    return names;
  }
  const std::vector<Row>& Rows(int scene) { return m_frame->GetDocument().GetScene(scene).rows; }

  void Command(int id) {
    wxCommandEvent event(wxEVT_MENU, id);
    m_frame->ProcessWindowEvent(event);
  }

  std::string path;
};

TEST_F(ReloadUnderDialog, DuplicateCopiesTheSceneTheUserSawThenAsks) {
  m_frame->Notebook()->SetSelection(0);
  const std::vector<Row> source = Rows(0);
  wxTEST_DIALOG(Command(wxID_DUPLICATE), ChangingFile(wxExpectModal<wxTextEntryDialog>("Copy")));
  ASSERT_EQ(PageNames(), "Front|Back|Copy|");
  EXPECT_EQ(Rows(2), source);
  EXPECT_EQ(Rows(2)[0].description, "front");

  AnswerQuestion(wxYES);
  EXPECT_EQ(PageNames(), "Other|");
  EXPECT_EQ(Rows(0)[0].description, "other");
  EXPECT_FALSE(m_frame->GetDocument().IsModified());  // the window shows the file again
}

TEST_F(ReloadUnderDialog, ColourLandsInTheClickedRowThenAsks) {
  wxGrid* grid = m_frame->Grid(1);
  const std::vector<Row> front = Rows(0);
  wxTEST_DIALOG(
      {
        wxGridEvent click(grid->GetId(), wxEVT_GRID_CELL_LEFT_CLICK, grid, 0, COL_COLOUR);
        grid->ProcessWindowEvent(click);
      },
      ExpectMoreColours(), ChangingFile(wxExpectModal<wxColourDialog>(*wxRED)));
  EXPECT_EQ(Rows(1)[0].colour, ColourToIndex(*wxRED));
  EXPECT_EQ(Rows(1)[0].description, "back");
  EXPECT_EQ(Rows(0), front);

  AnswerQuestion(wxNO);
  EXPECT_EQ(PageNames(), "Front|Back|");
  EXPECT_EQ(Rows(1)[0].colour, ColourToIndex(*wxRED));
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
}

TEST_F(ReloadUnderDialog, AddSceneAppendsAfterTheScenesThatExistThenAsks) {
  wxTEST_DIALOG(Command(wxID_ADD), ChangingFile(wxExpectModal<wxTextEntryDialog>("Finale")));
  EXPECT_EQ(PageNames(), "Front|Back|Finale|");
  EXPECT_EQ(m_frame->Notebook()->GetSelection(), 2);

  AnswerQuestion(wxYES);
  EXPECT_EQ(PageNames(), "Other|");
}
