// The scenario runner, driven tick by tick through the timer handler, with
// the simulated adapter's input pins.
#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <chrono>

#include <wx/filename.h>
#include <wx/notebook.h>
#include <wx/statusbr.h>
#include <wx/timer.h>
#include <wx/toolbar.h>

#include "gui/app/lumivane_app.h"
#include "gui/app/texts.h"
#include "gui/frame/lumivane_frame.h"
#include "support/app_fixture.h"
#include "support/ftdi_sim.h"
#include "support/gui_testing.h"
#include "support/pause_recorder.h"

namespace {

// A scenario file with one scene per hold time, named S1, S2, ...
std::string ScenarioText(std::initializer_list<const char*> holds, const char* inputs = "") {
  std::string text = "# Lumivane scenario\n";
  int n = 0;
  for (const char* hold : holds) {
    ++n;
    text += "\n[Scene" + std::to_string(n) + "]\nname=S" + std::to_string(n) + "\nhold=" + hold +
            "\nrange1=" + std::to_string(n) + ":" + std::to_string(n) + "; 0; 0\n";
  }
  text += std::string("\n[Inputs]\n") + inputs;
  return text;
}

}  // namespace

class WindowRunner : public AppTest {
 protected:
  void SetUp() override {
    FtdiSimReset();
    FtdiSimAddDevice("Lumivane USB");
    WriteSettings("[Settings]\ncom=Lumivane USB (1)\nautorun=0\ntip=-1\n");
  }
  void TearDown() override {
    AppTest::TearDown();
  }
  // Opens the scenario and runs it, ticked by hand.
  void RunScenario(const std::string& text) {
    path = HomePath("show.cfg");
    StartRunningScenario(path, text);
  }
  // Ticks until the active scene changes; returns the number of ticks, or -1.
  int TicksUntilNextScene(int limit = 300) {
    const int scene = m_frame->ActiveScene();
    for (int tick = 1; tick <= limit; ++tick) {
      m_frame->TimerTick();
      if (m_frame->ActiveScene() != scene) return tick;
    }
    return -1;
  }
  void Tick(int count) {
    for (int i = 0; i < count; ++i) m_frame->TimerTick();
  }
  wxString Status(int field) { return m_frame->GetStatusBar()->GetStatusText(field); }
  static int SyncBytes() {
    int count = 0;
    for (const FtdiSimEvent& event : FtdiSimEvents()) {
      if (event.call == "FT_Write" && event.bytes == std::vector<unsigned char>{0xF8}) ++count;
    }
    return count;
  }
  std::string path;
};

TEST_F(WindowRunner, HoldTimesLastExactlyTheirTicks) {
  RunScenario(ScenarioText({"0.5", "1.0", "2.0", "0"}));
  EXPECT_EQ(Status(1), STATE_RUNNING);
  EXPECT_EQ(Status(0), MSG_TRANSFERRED);
  EXPECT_EQ(TicksUntilNextScene(), 5);
  EXPECT_EQ(TicksUntilNextScene(), 10);
  EXPECT_EQ(TicksUntilNextScene(), 20);
  EXPECT_EQ(m_frame->ActiveScene(), 3);
  EXPECT_EQ(m_frame->Notebook()->GetSelection(), 3);
  // No hold time: the scene stays, and no countdown shows.
  EXPECT_EQ(TicksUntilNextScene(100), -1);
  EXPECT_EQ(Status(2), "");
}

TEST_F(WindowRunner, CountdownShowsEveryHalfSecondAndTheLastSceneWrapsToTheFirst) {
  RunScenario(ScenarioText({"2.0", "0.5"}));
  Tick(5);
  EXPECT_EQ(Status(2), "1.5");
  Tick(2);
  EXPECT_EQ(Status(2), "1.5");
  Tick(3);
  EXPECT_EQ(Status(2), "1.0");
  EXPECT_EQ(TicksUntilNextScene(), 10);
  EXPECT_EQ(Status(2), "0.5");  // the new scene's full hold
  EXPECT_EQ(TicksUntilNextScene(), 5);
  EXPECT_EQ(m_frame->ActiveScene(), 0);
}

TEST_F(WindowRunner, KeepAliveGoesOutOnceASecondRunningOrNot) {
  RunScenario(ScenarioText({"0"}));
  const int before = SyncBytes();
  Tick(30);
  EXPECT_EQ(SyncBytes() - before, 3);
  wxCommandEvent stop(wxEVT_MENU, ID_STOP);
  m_frame->ProcessWindowEvent(stop);
  EXPECT_FALSE(m_frame->Session().Running());
  Tick(20);
  EXPECT_EQ(SyncBytes() - before, 5);
}

TEST_F(WindowRunner, InputsActInOrderAndOnlyWhenTheyBecomeActive) {
  // Input 1 next, 2 previous, 3 pause, 4 go to scene 3 (index 2).
  RunScenario(ScenarioText({"0", "0", "0"}, "input1=-1\ninput2=-2\ninput3=-3\ninput4=2\n"));
  FtdiSimSetInputPins(0x0E);  // input 1 active (low)
  Tick(1);
  EXPECT_EQ(m_frame->ActiveScene(), 1);
  EXPECT_EQ(Status(0), "Input 1 active");
  FtdiSimSetInputPins(0x0F);  // released: nothing happens
  Tick(1);
  EXPECT_EQ(m_frame->ActiveScene(), 1);
  FtdiSimSetInputPins(0x05);  // inputs 2 and 4 together: previous, then scene 3
  Tick(1);
  EXPECT_EQ(m_frame->ActiveScene(), 2);
  EXPECT_EQ(Status(0), "Input 4 active");
}

TEST_F(WindowRunner, PauseStopsTheHoldAndResumesWhereItStood) {
  RunScenario(ScenarioText({"1.0", "0"}, "input1=-3\n"));
  Tick(4);
  FtdiSimSetInputPins(0x0E);
  Tick(1);  // this tick still counts, then the pause begins
  FtdiSimSetInputPins(0x0F);
  Tick(20);
  EXPECT_EQ(m_frame->ActiveScene(), 0);
  FtdiSimSetInputPins(0x0E);
  Tick(1);
  EXPECT_EQ(TicksUntilNextScene(), 5);
}

TEST_F(WindowRunner, InputForASceneTheScenarioLacksSaysTheSceneDoesNotExist) {
  RunScenario(ScenarioText({"0", "0"}, "input1=0\ninput2=5\n"));
  FtdiSimSetInputPins(0x0C);
  Tick(1);
  EXPECT_EQ(m_frame->ActiveScene(), 0);
  EXPECT_EQ(Status(0), "Input 2 active: scene 6 does not exist");
  EXPECT_TRUE(m_frame->Session().Running());
  // The message goes once the run is stopped.
  wxCommandEvent stop(wxEVT_MENU, ID_STOP);
  m_frame->ProcessWindowEvent(stop);
  EXPECT_EQ(Status(0), "");
}

TEST_F(WindowRunner, InputsToScenesThatExistAreNamedAndTheirMessageGoesAtStop) {
  RunScenario(ScenarioText({"0", "0"}, "input1=1\n"));
  FtdiSimSetInputPins(0x0E);
  Tick(1);
  EXPECT_EQ(Status(0), "Input 1 active");
  FtdiSimSetInputPins(0x0F);
  Tick(1);
  wxCommandEvent stop(wxEVT_MENU, ID_STOP);
  m_frame->ProcessWindowEvent(stop);
  EXPECT_EQ(Status(0), "");
}

TEST_F(WindowRunner, AFlickeringInputGivesUpAfterAboutTwoHundredMilliseconds) {
  RunScenario(ScenarioText({"0", "0"}, "input1=-1\n"));
  FtdiSimFlickerInputs(true);
  FtdiSimSetInputPins(0x0E);
  const size_t pausesBefore = RecordedPauses().size();
  Tick(1);  // returns instead of waiting for ever
  int waited = 0;
  for (size_t i = pausesBefore; i < RecordedPauses().size(); ++i) waited += RecordedPauses()[i];
  EXPECT_GE(waited, 150);
  EXPECT_LE(waited, 250);
  EXPECT_EQ(m_frame->ActiveScene(), 0);
  FtdiSimFlickerInputs(false);
}

TEST_F(WindowRunner, InputsAreIgnoredWithoutARun) {
  RunScenario(ScenarioText({"0", "0"}, "input1=-1\n"));
  wxCommandEvent stop(wxEVT_MENU, ID_STOP);
  m_frame->ProcessWindowEvent(stop);
  FtdiSimSetInputPins(0x0E);
  Tick(2);
  EXPECT_EQ(m_frame->Notebook()->GetSelection(), 0);
}

TEST_F(WindowRunner, FileChangedOutsideAsksWhenIdleAndReloadsSilentlyWhenRunning) {
  RunScenario(ScenarioText({"0"}));
  // Running: the new content is taken over without a question.
  WriteFileText(path, ScenarioText({"0", "0"}));
  wxDateTime soon = wxDateTime::Now() + wxTimeSpan::Minutes(1);
  wxFileName(path).SetTimes(nullptr, &soon, nullptr);
  Tick(50);
  EXPECT_EQ(m_frame->SceneCount(), 2);

  // Idle: a question, once; Yes reloads.
  wxCommandEvent stop(wxEVT_MENU, ID_STOP);
  m_frame->ProcessWindowEvent(stop);
  wxCommandEvent save(wxEVT_MENU, wxID_SAVE);
  m_frame->GetDocument().SetModified(true);
  m_frame->ProcessWindowEvent(save);  // sets the watch again
  WriteFileText(path, ScenarioText({"0", "0", "0"}));
  wxDateTime later = wxDateTime::Now() + wxTimeSpan::Minutes(2);
  wxFileName(path).SetTimes(nullptr, &later, nullptr);
  wxTEST_DIALOG(Tick(50), ExpectMessageBox(wxString(ASK_FILE_CHANGED) + ASK_RELOAD,
                                           CAPTION_FILE_CHANGED, wxYES));
  EXPECT_EQ(m_frame->SceneCount(), 3);
  Tick(100);  // asked once per change
}

// End to end with the real timer: "lumivane show.cfg" with the port set to
// a pseudo-terminal plays the scenario onto the line.
TEST_F(WindowRunner, ScenarioNamedOnTheCommandLinePlaysOntoAPseudoTerminal) {
  int master = -1;
  int slave = -1;
  char name[256];
  ASSERT_EQ(openpty(&master, &slave, name, nullptr, nullptr), 0);
  WriteSettings(std::string("[Settings]\ncom=") + name + "\nautorun=0\ntip=-1\n");
  path = HomePath("show.cfg");
  WriteFileText(path, ScenarioText({"0.5", "0.5"}));
  wxArrayString arguments;
  arguments.Add(path);
  Start(arguments);

  const std::vector<unsigned char> scene1 = {0xF5, 0x00, 0x00, 0x7F, 0x7E, 0xF2, 0x00, 0xF5,
                                             0x00, 0x00, 0x01, 0x00, 0xF1, 0x00, 0xF3, 0x00};
  const std::vector<unsigned char> scene2 = {0xF5, 0x00, 0x00, 0x7F, 0x7E, 0xF2, 0x00, 0xF5,
                                             0x01, 0x00, 0x01, 0x00, 0xF1, 0x00, 0xF3, 0x00};
  // Sync on opening, scene 1, scene 2 after 0.5 s, then at 1 s the
  // keep-alive and scene 1 again.
  std::vector<unsigned char> expected = {0xF8};
  for (const auto* part : {&scene1, &scene2}) expected.insert(expected.end(), part->begin(), part->end());
  expected.push_back(0xF8);
  expected.insert(expected.end(), scene1.begin(), scene1.end());

  std::vector<unsigned char> got;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (got.size() < expected.size() && std::chrono::steady_clock::now() < end) {
    Pump(20);
    unsigned char buffer[256];
    pollfd p{master, POLLIN, 0};
    while (poll(&p, 1, 0) > 0 && (p.revents & POLLIN)) {
      const ssize_t n = read(master, buffer, sizeof buffer);
      if (n <= 0) break;
      got.insert(got.end(), buffer, buffer + n);
    }
  }
  got.resize(std::min(got.size(), expected.size()));
  EXPECT_EQ(got, expected);
  m_frame->Session().Close();
  close(master);
  close(slave);
}
