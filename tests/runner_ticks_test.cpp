// The runner tick by tick: hold times, countdown, inputs, pause, the
// user's scene choice, failures, keep-alive and the input debounce, on a
// recording link with an output that notes what it was asked to do.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/board/recording_link.h"
#include "core/board/runner.h"

namespace {

using Lines = std::vector<std::string>;

class NotedOutput : public RunnerOutput {
 public:
  void ShowScene(int scene) override { notes.push_back("show " + std::to_string(scene)); }
  bool SendScene(int scene) override {
    notes.push_back("send " + std::to_string(scene));
    return !failSends;
  }
  void ShowHold(const std::string& text) override { notes.push_back("hold " + (text.empty() ? "-" : text)); }
  void ShowInputActive(int input) override { notes.push_back("input " + std::to_string(input)); }
  void RunStopped() override { notes.push_back("stopped"); }
  Lines notes;
  bool failSends = false;
};

Scenario WithHolds(const std::vector<double>& holds, std::array<int, INPUT_COUNT> inputs = {0, 1, 2, 3}) {
  Scenario scenario;
  scenario.scenes.resize(holds.size());
  for (size_t i = 0; i < holds.size(); ++i) scenario.scenes[i].hold = holds[i];
  scenario.inputs = inputs;
  return scenario;
}

struct RunCase {
  const char* behaviour;
  std::vector<double> holds;
  std::array<int, INPUT_COUNT> inputs;
  // Steps, each with what the output notes during it: "tick N" (N ticks),
  // "inputs XX" (the pins settle at XX and are polled), "move N" (the user
  // chooses scene N), "fail" (sends fail from now on).
  std::vector<std::pair<const char*, Lines>> steps;
};

const RunCase RUN_CASES[] = {
    {"HoldCountsWholeTicksAndTheLastSceneWrapsToTheFirst", {1.0, 0.5}, {0, 1, 2, 3},
     {{"tick 9", {"hold 0.5"}},
      {"tick 1", {"show 1", "send 1", "hold -", "hold 0.5"}},
      {"tick 5", {"show 0", "send 0", "hold -", "hold 1.0"}}}},
    {"AHoldOfZeroStays", {0, 1}, {0, 1, 2, 3}, {{"tick 100", {}}}},
    {"AHoldBelowOneTickStays", {0.05, 1}, {0, 1, 2, 3}, {{"tick 100", {}}}},
    {"AHoldRoundsToWholeTicks", {0.26, 0}, {0, 1, 2, 3},
     {{"tick 2", {}}, {"tick 1", {"show 1", "send 1", "hold -"}}, {"tick 50", {}}}},
    {"PauseStopsTheHoldWhileTheCountdownStands", {1.0, 1.0}, {INPUT_PAUSE, 1, 2, 3},
     {{"tick 5", {"hold 0.5"}},
      {"inputs 0E", {"input 1"}},
      {"tick 3", {"hold 0.5", "hold 0.5", "hold 0.5"}},
      {"inputs 0F", {}},
      {"inputs 0E", {"input 1"}},
      {"tick 4", {}},
      {"tick 1", {"show 1", "send 1", "hold -", "hold 1.0"}}}},
    {"InputsGoBackForwardOrToASceneOnlyWhenTheyBecomeActive", {0, 0, 0}, {INPUT_PREVIOUS, INPUT_NEXT, 2, 0},
     {{"inputs 0D", {"show 1", "send 1", "input 2"}},
      {"tick 3", {}},
      {"inputs 0F", {}},
      {"inputs 0E", {"show 0", "send 0", "input 1"}},
      {"inputs 0A", {"show 2", "send 2", "input 3"}},
      {"inputs 02", {"show 0", "send 0", "input 4"}}}},
    {"InputsActiveTogetherActInTheirOrder", {0, 0, 0}, {INPUT_PREVIOUS, INPUT_NEXT, 2, 3},
     {{"inputs 0C", {"show 2", "send 2", "input 1", "show 0", "send 0", "input 2"}}}},
    {"AnInputForASceneTheScenarioLacksOnlyShowsItsText", {0, 0}, {5, 1, 2, 3},
     {{"inputs 0E", {"input 1"}}}},
    {"AnInputRestartsTheHold", {1.0, 1.0}, {INPUT_NEXT, 1, 2, 3},
     {{"tick 7", {"hold 0.5"}}, {"inputs 0E", {"show 1", "send 1", "input 1"}}, {"tick 5", {"hold 0.5"}}}},
    {"TheUsersChoiceRestartsTheHoldOnThatScene", {1.0, 1.0, 1.0}, {0, 1, 2, 3},
     {{"tick 7", {"hold 0.5"}},
      {"move 2", {"send 2"}},
      {"tick 5", {"hold 0.5"}},
      {"tick 5", {"show 0", "send 0", "hold -", "hold 1.0"}}}},
    {"AFailedSendAtTheEndOfAHoldStopsTheRun", {0.5, 0.5}, {0, 1, 2, 3},
     {{"fail", {}}, {"tick 5", {"show 1", "send 1", "stopped"}}, {"tick 20", {}}, {"inputs 0E", {}}}},
    {"AFailedSendForAnInputStopsTheRunAfterItsText", {0, 0}, {INPUT_NEXT, INPUT_NEXT, 2, 3},
     {{"fail", {}}, {"inputs 0C", {"show 1", "send 1", "stopped", "input 1"}}}},
    {"AFailedSendForTheUsersChoiceStopsTheRun", {0, 0}, {0, 1, 2, 3},
     {{"fail", {}}, {"move 1", {"send 1", "stopped"}}, {"move 0", {}}}},
};

class RunnerTicks : public testing::TestWithParam<RunCase> {};

}  // namespace

TEST_P(RunnerTicks, OutputMatches) {
  const RunCase& run = GetParam();
  const Scenario scenario = WithHolds(run.holds, run.inputs);
  NotedOutput output;
  RecordingBoardLink link;
  Runner runner(scenario, output);
  runner.Start(0);
  for (const auto& [step, expected] : run.steps) {
    output.notes.clear();
    std::istringstream words(step);
    std::string verb;
    std::string value;
    words >> verb >> value;
    if (verb == "tick") {
      for (int i = std::stoi(value); i > 0; --i) runner.Tick(link);
    } else if (verb == "inputs") {
      link.SetInputs(static_cast<unsigned char>(std::stoi(value, nullptr, 16)));
      runner.PollInputs(link);
    } else if (verb == "move") {
      runner.MoveTo(std::stoi(value));
    } else if (verb == "fail") {
      output.failSends = true;
    }
    EXPECT_EQ(output.notes, expected) << "at " << step;
  }
}

INSTANTIATE_TEST_SUITE_P(Cases, RunnerTicks, testing::ValuesIn(RUN_CASES),
                         [](const testing::TestParamInfo<RunCase>& info) { return info.param.behaviour; });

TEST(Runner, KeepAliveGoesOutEveryTenthTickRunningOrNotWhileTheLinkIsOpen) {
  const Scenario scenario = WithHolds({0});
  NotedOutput output;
  RecordingBoardLink link;
  Runner runner(scenario, output);
  for (int i = 0; i < 10; ++i) runner.Tick(link);  // closed: nothing to keep alive
  ASSERT_EQ(link.Open("p", 9600), 0);
  for (int i = 0; i < 25; ++i) runner.KeepAlive(link);
  runner.Start(0);  // a run counts afresh
  for (int i = 0; i < 19; ++i) runner.Tick(link);
  Lines writes;
  for (const std::string& line : EventLines(link.Events())) {
    if (line.rfind("write", 0) == 0) writes.push_back(line);
  }
  EXPECT_EQ(writes, (Lines{"write F8", "write F8", "write F8"}));
}

TEST(Runner, AScenarioReloadedWithFewerScenesGoesOnFromTheLast) {
  Scenario scenario = WithHolds({0, 0, 0.5});
  NotedOutput output;
  Runner runner(scenario, output);
  runner.Start(2);
  scenario = WithHolds({0, 0.5});
  RecordingBoardLink link;
  for (int i = 0; i < 5; ++i) runner.Tick(link);
  EXPECT_EQ(output.notes, (Lines{"show 0", "send 0", "hold -"}));
}

TEST(Runner, InputsAreNotReadWithoutARun) {
  const Scenario scenario = WithHolds({0});
  NotedOutput output;
  RecordingBoardLink link;
  link.SetInputs(0x0E);
  Runner runner(scenario, output);
  runner.Tick(link);
  runner.ApplyInputs(0x0E);
  EXPECT_EQ(EventLines(link.Events()), Lines{});
  EXPECT_EQ(runner.InputState(), 0x0F);
}

struct DebounceCase {
  const char* behaviour;
  std::vector<unsigned char> readings;  // then 0x0E for good
  bool changed;
  int pauses;
};

TEST(Debounce, InputsCountAsChangedOnceFiveEqualReadingsFiveMillisecondsApartDifferFromBefore) {
  std::vector<unsigned char> flicker;
  for (int i = 0; i < 60; ++i) flicker.push_back(i % 2 ? 0x0F : 0x0E);
  const DebounceCase cases[] = {
      {"unchanged, read once", {0x0F}, false, 0},
      {"settling after a glitch", {0x0E, 0x0F, 0x0E}, true, 7},
      {"a glitch that settles back", {0x0E, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F, 0x0F}, false, 6},
      {"flickering, given up after 40 readings", flicker, false, 40},
  };
  for (const DebounceCase& c : cases) {
    RecordingBoardLink link;
    link.QueueInputReadings(c.readings);
    link.SetInputs(0x0E);
    unsigned char levels = 0;
    EXPECT_EQ(ReadSettledInputs(link, 0x0F, &levels), c.changed) << c.behaviour;
    if (c.changed) {
      EXPECT_EQ(levels, 0x0E) << c.behaviour;
    }
    int pauses = 0;
    int reads = 0;
    for (const std::string& line : EventLines(link.Events())) {
      pauses += line == "pause 5";
      reads += line.rfind("inputs", 0) == 0;
    }
    EXPECT_EQ(pauses, c.pauses) << c.behaviour;
    EXPECT_EQ(reads, pauses + 1) << c.behaviour;
  }
}

TEST(StepTarget, StepsWrapAndAPagePastTheEndCountsAsTheFirst) {
  EXPECT_EQ(StepTarget(0, -1, 3), 2);
  EXPECT_EQ(StepTarget(2, 1, 3), 0);
  EXPECT_EQ(StepTarget(1, 1, 3), 2);
  EXPECT_EQ(StepTarget(5, 1, 3), 1);
  EXPECT_EQ(StepTarget(0, 1, 1), 0);
}
