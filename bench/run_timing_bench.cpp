// How well a run keeps time, end to end: the real program plays scenes of
// 40 rows with holds of 0.5 s onto a pseudo-terminal made as slow as a
// 9600 bit/s line (line_pace.c, preloaded), and the benchmark notes when
// each scene's first byte arrives on the master side. Printed: how far the
// arrivals lie from the plan (first arrival + k x hold), and the mean
// period against the hold. Needs a display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/run_timing_bench [seconds]
// LUMIVANE_PROGRAM=/path/to/lumivane times another build of the program.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/paced_line.h"
#include "core/format/scenario_text.h"
#include "core/model/scenario.h"
#include "support/pseudo_terminal.h"
#include "support/spawned_program.h"

namespace {

constexpr int SCENES = 4;
constexpr int ROWS = 40;
constexpr double HOLD = 0.5;

void WriteText(const std::string& path, const std::string& text) {
  FILE* file = fopen(path.c_str(), "w");
  if (file == nullptr || fwrite(text.data(), 1, text.size(), file) != text.size() || fclose(file) != 0) {
    perror(path.c_str());
    std::exit(1);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? atof(argv[1]) : 60.0;
  const char* chosen = getenv("LUMIVANE_PROGRAM");
  std::string program = chosen != nullptr ? chosen : LUMIVANE_PATH;

  char directoryTemplate[] = "/tmp/lumivane-timing-XXXXXX";
  if (mkdtemp(directoryTemplate) == nullptr) {
    perror("mkdtemp");
    return 1;
  }
  const std::string home = directoryTemplate;
  PseudoTerminal line;
  if (!line.IsOpen()) {
    perror("openpty");
    return 1;
  }
  mkdir((home + "/.lumivane").c_str(), 0700);
  WriteText(home + "/.lumivane/lumivane.ini",
            std::string("[Settings]\ncom=") + line.Path() + "\nbaud=0\nautorun=0\ntip=-1\n");
  std::string scenarioFile = home + "/timing.cfg";
  WriteText(scenarioFile, WriteScenarioText(TimedScenario(SCENES, ROWS, HOLD)));

  std::vector<std::string> paced = PacedEnvironment(home, line.Path());
  std::vector<char*> environment;
  for (std::string& variable : paced) environment.push_back(variable.data());
  for (char** variable = environ; *variable != nullptr; ++variable) {
    const std::string name = std::string(*variable).substr(0, std::string(*variable).find('='));
    if (name != "HOME" && name != "LD_PRELOAD" && name.rfind("XDG_", 0) != 0) {
      environment.push_back(*variable);
    }
  }
  environment.push_back(nullptr);
  SpawnedProgram player({program, scenarioFile}, "/dev/null", "/dev/null", environment.data());
  if (!player.Started()) {
    fprintf(stderr, "cannot start %s\n", program.c_str());
    return 1;
  }

  const std::vector<Arrival> bytes = ReadArrivals(line.Master(), seconds, HOLD);
  player.Signal(SIGTERM);
  player.Wait();
  std::error_code ignored;
  std::filesystem::remove_all(home, ignored);

  const std::vector<Clock::time_point> starts = SceneStarts(bytes);
  if (starts.size() < 2) {
    fprintf(stderr, "%zu scenes arrived from %s\n", starts.size(), program.c_str());
    return 1;
  }
  const PlanOffsets offsets = OffsetsFromPlan(starts, HOLD);
  const double period = std::chrono::duration<double>(starts.back() - starts.front()).count() / (starts.size() - 1);
  printf("%s\n", program.c_str());
  printf("  %zu scenes of %d rows, hold %.1f s, %.0f s at 9600 bit/s\n", starts.size(), ROWS, HOLD, seconds);
  printf("  first byte against the plan: mean %+.1f ms, worst %.1f ms\n", offsets.meanMs, offsets.worstMs);
  printf("  mean period %.2f ms (%+.2f %% of the hold)\n", period * 1000, (period / HOLD - 1) * 100);
  return 0;
}
