// lumivane-cli play: the scenario run as Transfer / run runs it, in
// simulated time, into a chain of virtual boards; after every scene
// transfer one JSON line with what the boards hold.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/board/board_commands.h"
#include "core/board/runner.h"
#include "core/board/virtual_chain.h"
#include "core/format/scenario_file.h"
#include "tools/command_line.h"
#include "tools/input_list.h"

int Play(const std::vector<std::string>& args);

namespace {

constexpr double DEFAULT_SECONDS = 10;
constexpr double MOST_SECONDS = 24 * 3600;
constexpr long TICKS_PER_SECOND = 1000 / RUNNER_TICK_MS;

const char PLAY_HELP[] =
    "Usage: lumivane-cli play FILE [--seconds S] [--inputs T:K[,T:K]...]\n"
    "Plays FILE as Transfer / run does, from scene 1, on virtual boards in\n"
    "simulated time, and returns at once. After every scene transfer it prints\n"
    "one JSON line with the boards' state after it:\n"
    "  {\"t\": 0.5, \"scene\": 2, \"fade\": 20, \"boards\": [[1, 4, 215, 0], ...]}\n"
    "t: run time in seconds; scene: from 1; fade: the last fade value sent;\n"
    "boards: runs of consecutive boards with equal colour and blink as\n"
    "[first, last, colour, blink], boards never given either left out.\n"
    "\n"
    "  --seconds S      transfers before S seconds are printed (default 10)\n"
    "  --inputs LIST    input K (1..4) active at T seconds for one tick; it\n"
    "                   does what the file's input configuration says\n";

struct PlayRequest {
  std::string file;
  double seconds = DEFAULT_SECONDS;
  std::map<long, unsigned char> inputs;  // tick -> levels (low = active)
  bool help = false;
};

// An error text, or "" when the request was understood.
std::string ParsePlay(const std::vector<std::string>& args, PlayRequest* request) {
  return TakeScenarioArguments(args, &request->help, &request->file, [&](size_t& i) -> std::string {
    std::string arg = args[i];
    std::string value;
    const size_t equals = arg.find('=');
    if (equals != std::string::npos) {
      value = arg.substr(equals + 1);
      arg.erase(equals);
    } else if (arg == "--seconds" || arg == "--inputs") {
      if (i + 1 == args.size()) {
        return "option '" + arg + "' needs a value";
      }
      value = args[++i];
    }
    if (arg == "--seconds") {
      if (!ParseSeconds(value, &request->seconds) || request->seconds > MOST_SECONDS) {
        return "seconds '" + value + "' is not a number from 0 to 86400";
      }
      return "";
    }
    if (arg == "--inputs") {
      return ParseInputList(value, &request->inputs);
    }
    return "unknown option '" + arg + "'";
  });
}

// "0", "0.5", "12": ticks as seconds.
std::string Seconds(long ticks) {
  std::string text = std::to_string(ticks / TICKS_PER_SECOND);
  if (ticks % TICKS_PER_SECOND != 0) {
    text += "." + std::to_string(ticks % TICKS_PER_SECOND);
  }
  return text;
}

// The boards as [first, last, colour, blink] runs, left out those never given a value.
std::string BoardRuns(const VirtualChain& chain) {
  std::string text;
  long first = 0;
  auto close = [&](long last) {
    const VirtualBoard& board = chain.Board(first);
    text += (text.empty() ? "[" : ", [") + std::to_string(first) + ", " + std::to_string(last) + ", " +
            std::to_string(board.colour) + ", " + std::to_string(board.blink) + "]";
    first = 0;
  };
  for (long number = 1; number <= chain.HighestGiven(); ++number) {
    const VirtualBoard& board = chain.Board(number);
    if (first > 0) {
      const VirtualBoard& run = chain.Board(first);
      if (!board.given || board.colour != run.colour || board.blink != run.blink) {
        close(number - 1);
      }
    }
    if (first == 0 && board.given) {
      first = number;
    }
  }
  if (first > 0) {
    close(chain.HighestGiven());
  }
  return "[" + text + "]";
}

class PlayOutput : public RunnerOutput {
 public:
  PlayOutput(const Scenario& scenario, double seconds) : m_scenario(scenario), m_link(m_chain), m_seconds(seconds) {}

  void ShowScene(int) override {}
  bool SendScene(int scene) override {
    if (SendSceneToBoards(m_link, BoardTarget{}, m_scenario.scenes[scene]).result != BoardResult::OK) {
      return false;
    }
    if (m_tick < m_seconds * TICKS_PER_SECOND - 1e-9) {
      printf("{\"t\": %s, \"scene\": %d, \"fade\": %d, \"boards\": %s}\n", Seconds(m_tick).c_str(), scene + 1,
             m_chain.LastFade(), BoardRuns(m_chain).c_str());
    }
    return true;
  }
  void ShowHold(const std::string&) override {}
  void ShowInputActive(int) override {}
  void RunStopped() override {}

  ChainLink& Link() { return m_link; }
  void SetTick(long tick) { m_tick = tick; }

 private:
  const Scenario& m_scenario;
  VirtualChain m_chain;
  ChainLink m_link;
  double m_seconds;
  long m_tick = 0;
};

}  // namespace

int Play(const std::vector<std::string>& args) {
  PlayRequest request;
  const std::string error = ParsePlay(args, &request);
  Scenario scenario;
  const int begun = BeginOnScenario("play", error, request.help, PLAY_HELP, request.file, &scenario);
  if (begun != GO_ON) {
    return begun;
  }
  PlayOutput output(scenario, request.seconds);
  Runner runner(scenario, output);
  if (output.SendScene(0)) {
    runner.Start(0);
  }
  for (long tick = 1; runner.Running() && tick < request.seconds * TICKS_PER_SECOND - 1e-9; ++tick) {
    output.SetTick(tick);
    const auto input = request.inputs.find(tick);
    output.Link().SetInputs(input == request.inputs.end() ? 0x0F : input->second);
    runner.Tick(output.Link());
  }
  return FinishOutput(EXIT_OK);
}
