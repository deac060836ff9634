// How well a run keeps time, end to end: the real program plays scenes of
// 40 rows with holds of 0.5 s onto a pseudo-terminal made as slow as a
// 9600 bit/s line (line_pace.c, preloaded), and the benchmark notes when
// each scene's first byte arrives on the master side. Printed: how far the
// arrivals lie from the plan (first arrival + k x hold), and the mean
// period against the hold. Needs a display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/run_timing_bench [seconds]
// LUMIVANE_PROGRAM=/path/to/lumivane times another build of the program.
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "core/format/scenario_text.h"
#include "core/model/scenario.h"

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

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

Scenario TimedScenario() {
  Scenario scenario;
  scenario.scenes.clear();
  for (int number = 1; number <= SCENES; ++number) {
    Scene scene;
    scene.name = "Scene " + std::to_string(number);
    scene.fade = number;
    scene.hold = HOLD;
    scene.rows.clear();
    for (int i = 1; i <= ROWS; ++i) {
      Row row;
      row.from = std::to_string(i);
      row.colour = (number * 7 + i) % 216;
      row.blink = "";
      scene.rows.push_back(row);
    }
    scene.rows.emplace_back();
    scenario.scenes.push_back(scene);
  }
  return scenario;
}

struct Arrival {
  Clock::time_point at;
  unsigned char byte;
};

// When each scene began: its select-all message F5 00 00 7F 7E.
std::vector<Clock::time_point> SceneStarts(const std::vector<Arrival>& bytes) {
  static const unsigned char SELECT_ALL[] = {0xF5, 0x00, 0x00, 0x7F, 0x7E};
  std::vector<Clock::time_point> starts;
  for (size_t i = 0; i + 5 <= bytes.size(); ++i) {
    bool match = true;
    for (size_t j = 0; j < 5 && match; ++j) match = bytes[i + j].byte == SELECT_ALL[j];
    if (match) starts.push_back(bytes[i].at);
  }
  return starts;
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
  int master = -1;
  int slave = -1;
  char slaveName[256];
  if (openpty(&master, &slave, slaveName, nullptr, nullptr) != 0) {
    perror("openpty");
    return 1;
  }
  mkdir((home + "/.lumivane").c_str(), 0700);
  WriteText(home + "/.lumivane/lumivane.ini",
            std::string("[Settings]\ncom=") + slaveName + "\nbaud=0\nautorun=0\ntip=-1\n");
  std::string scenarioFile = home + "/timing.cfg";
  WriteText(scenarioFile, WriteScenarioText(TimedScenario()));

  const std::string homeVariable = "HOME=" + home;
  const std::string preload = std::string("LD_PRELOAD=") + LINE_PACE_PATH;
  const std::string paced = std::string("LUMIVANE_PACED_TTY=") + slaveName;
  std::vector<char*> environment = {const_cast<char*>(homeVariable.c_str()), const_cast<char*>(preload.c_str()),
                                    const_cast<char*>(paced.c_str())};
  for (char** variable = environ; *variable != nullptr; ++variable) {
    const std::string name = std::string(*variable).substr(0, std::string(*variable).find('='));
    if (name != "HOME" && name != "LD_PRELOAD" && name.rfind("XDG_", 0) != 0) {
      environment.push_back(*variable);
    }
  }
  environment.push_back(nullptr);
  char* arguments[] = {&program[0], &scenarioFile[0], nullptr};
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  if (posix_spawn(&pid, program.c_str(), &actions, nullptr, arguments, environment.data()) != 0) {
    fprintf(stderr, "cannot start %s\n", program.c_str());
    return 1;
  }
  posix_spawn_file_actions_destroy(&actions);

  // Reads until `seconds` after the first scene, or 30 s without it.
  std::vector<Arrival> bytes;
  const Clock::time_point started = Clock::now();
  Clock::time_point end = started + std::chrono::seconds(30);
  bool first = false;
  while (Clock::now() < end) {
    pollfd pfd = {master, POLLIN, 0};
    if (poll(&pfd, 1, 50) > 0 && (pfd.revents & POLLIN)) {
      unsigned char buffer[256];
      const ssize_t n = read(master, buffer, sizeof buffer);
      const Clock::time_point now = Clock::now();
      for (ssize_t i = 0; i < n; ++i) bytes.push_back(Arrival{now, buffer[i]});
    }
    if (!first && !SceneStarts(bytes).empty()) {
      first = true;
      end = SceneStarts(bytes).front() + std::chrono::duration_cast<Clock::duration>(
                                              std::chrono::duration<double>(seconds + HOLD / 2));
    }
  }
  kill(pid, SIGTERM);
  int status = 0;
  waitpid(pid, &status, 0);
  close(master);
  close(slave);
  std::error_code ignored;
  std::filesystem::remove_all(home, ignored);

  const std::vector<Clock::time_point> starts = SceneStarts(bytes);
  if (starts.size() < 2) {
    fprintf(stderr, "%zu scenes arrived from %s\n", starts.size(), program.c_str());
    return 1;
  }
  double worst = 0;
  double sum = 0;
  for (size_t k = 0; k < starts.size(); ++k) {
    const double off = std::chrono::duration<double>(starts[k] - starts[0]).count() - k * HOLD;
    worst = std::max(worst, std::fabs(off));
    sum += off;
  }
  const double period = std::chrono::duration<double>(starts.back() - starts.front()).count() / (starts.size() - 1);
  printf("%s\n", program.c_str());
  printf("  %zu scenes of %d rows, hold %.1f s, %.0f s at 9600 bit/s\n", starts.size(), ROWS, HOLD, seconds);
  printf("  first byte against the plan: mean %+.1f ms, worst %.1f ms\n", sum / starts.size() * 1000, worst * 1000);
  printf("  mean period %.2f ms (%+.2f %% of the hold)\n", period * 1000, (period / HOLD - 1) * 100);
  return 0;
}
