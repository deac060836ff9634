// Start-up of the real program, end to end: from starting `lumivane` with a
// scenario file on its command line to the first byte of its start-up
// transfer on the port. The port is the slave side of a pseudo-terminal
// that the benchmark reads from the master side; the settings file of a
// fresh HOME names it. One scene of 511 rows against 64 scenes of 511 rows,
// each alone and then in pairs for the difference, which is also printed
// at the end. Needs a display:
//   xvfb-run -a -s "-screen 0 1280x1024x24" build/bin/startup_bench
// LUMIVANE_PROGRAM=/path/to/lumivane times another build of the program.
#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "bench/bench_scenario.h"
#include "core/board/protocol_bytes.h"
#include "core/format/scenario_text.h"
#include "core/model/scenario.h"

extern char** environ;

namespace {

const int ROWS = 511;
// Longest wait for the first byte; a start-up that takes longer failed.
const int FIRST_BYTE_TIMEOUT_MS = 60000;
// The sync byte is followed, after the pauses of the start-up sequence, by
// the selection of the scene's first transfer.
const int NEXT_BYTE_TIMEOUT_MS = 5000;

std::string g_directory;
std::string g_program;
// The 64-scene start minus the one-scene start, in seconds, for each pair
// of BM_StartupDifference (of every repetition).
std::vector<double> g_differences;

void WriteText(const std::string& path, const std::string& text) {
  FILE* file = fopen(path.c_str(), "w");
  if (file == nullptr || fwrite(text.data(), 1, text.size(), file) != text.size() || fclose(file) != 0) {
    std::abort();
  }
}

Scenario FullScenario(int scenes) { return BenchScenario(scenes, ROWS); }

// The file of a given size, made once.
std::string ScenarioFile(int scenes) {
  static std::map<int, std::string> s_files;
  auto found = s_files.find(scenes);
  if (found == s_files.end()) {
    const std::string path = g_directory + "/scenes" + std::to_string(scenes) + ".cfg";
    WriteText(path, WriteScenarioText(FullScenario(scenes)));
    found = s_files.emplace(scenes, path).first;
  }
  return found->second;
}

// Waits up to `timeoutMs` for one byte on `fd`; false when none came.
bool ReadByte(int fd, int timeoutMs, unsigned char* byte) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() < 0) {
      return false;
    }
    pollfd pfd = {fd, POLLIN, 0};
    const int ready = poll(&pfd, 1, static_cast<int>(left.count()) + 1);
    if (ready < 0 && errno != EINTR) {
      return false;
    }
    if (ready > 0) {
      const ssize_t n = read(fd, byte, 1);
      if (n == 1) {
        return true;
      }
      if (n < 0 && errno != EINTR && errno != EAGAIN) {
        return false;
      }
    }
  }
}

// One start of the program: a fresh HOME whose settings name a fresh
// pseudo-terminal, the program started with the scenario file, timed to the
// first byte on the terminal, then killed.
class StartUp {
 public:
  StartUp() = default;
  StartUp(const StartUp&) = delete;
  StartUp& operator=(const StartUp&) = delete;

  ~StartUp() {
    if (m_pid > 0) {
      kill(m_pid, SIGKILL);
      int status;
      waitpid(m_pid, &status, 0);
    }
    if (m_master >= 0) {
      close(m_master);
    }
    if (m_slave >= 0) {
      close(m_slave);
    }
    if (!m_home.empty()) {
      std::error_code ignored;
      std::filesystem::remove_all(m_home, ignored);
    }
  }

  // Seconds from starting the program to its first byte; the error, when
  // there is one, in *error.
  double Run(const std::string& scenarioFile, std::string* error) {
    if (!Prepare(error)) {
      return 0.0;
    }
    const std::string homeVariable = "HOME=" + m_home;
    std::vector<char*> environment;
    environment.push_back(const_cast<char*>(homeVariable.c_str()));
    for (char** variable = environ; *variable != nullptr; ++variable) {
      const std::string name = std::string(*variable).substr(0, std::string(*variable).find('='));
      // Everything the program keeps goes under the fresh HOME.
      if (name != "HOME" && name != "XDG_CONFIG_HOME" && name != "XDG_DATA_HOME" &&
          name != "XDG_CACHE_HOME" && name != "XDG_STATE_HOME") {
        environment.push_back(*variable);
      }
    }
    environment.push_back(nullptr);
    std::string program = g_program;
    std::string file = scenarioFile;
    char* arguments[] = {&program[0], &file[0], nullptr};

    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const auto start = std::chrono::steady_clock::now();
    const int spawned = posix_spawn(&m_pid, program.c_str(), &actions, nullptr, arguments, environment.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
      m_pid = -1;
      *error = "cannot start " + g_program;
      return 0.0;
    }
    unsigned char first = 0;
    const bool arrived = ReadByte(m_master, FIRST_BYTE_TIMEOUT_MS, &first);
    const auto end = std::chrono::steady_clock::now();
    if (!arrived) {
      *error = "no byte on the port from " + g_program;
      return 0.0;
    }
    // Outside the time: the byte opens the start-up transfer, the sync that
    // the selection of the scene's first rows follows.
    unsigned char next = 0;
    if (first != CMD_SYNC || !ReadByte(m_master, NEXT_BYTE_TIMEOUT_MS, &next) || next != CMD_SELECT) {
      char text[96];
      snprintf(text, sizeof text, "the port got 0x%02X 0x%02X, not the start of a transfer", first, next);
      *error = text;
      return 0.0;
    }
    return std::chrono::duration<double>(end - start).count();
  }

 private:
  bool Prepare(std::string* error) {
    char name[256];
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0) {
      *error = "openpty failed";
      return false;
    }
    // The program opens the slave by its name; the benchmark keeps its own
    // end open so that the master reads no hang-up in between.
    fcntl(m_master, F_SETFD, FD_CLOEXEC);
    fcntl(m_slave, F_SETFD, FD_CLOEXEC);
    fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);

    m_home = g_directory + "/home-XXXXXX";
    if (mkdtemp(&m_home[0]) == nullptr) {
      m_home.clear();
      *error = "mkdtemp failed";
      return false;
    }
    mkdir((m_home + "/.lumivane").c_str(), 0777);
    WriteText(m_home + "/.lumivane/lumivane.ini",
              std::string("[Settings]\ncom=") + name + "\nbaud=0\nautorun=0\ntip=-1\n");
    return true;
  }

  int m_master = -1;
  int m_slave = -1;
  pid_t m_pid = -1;
  std::string m_home;
};

// One timed start with a scenario of `scenes` scenes of 511 rows; seconds
// to the first byte, or the error in *error.
double TimedStart(int scenes, std::string* error) {
  StartUp startUp;
  return startUp.Run(ScenarioFile(scenes), error);
}

// Once untimed before the timed runs: the program and its libraries then
// come from the page cache in each of them. False (the benchmark marked)
// when the program does not start.
bool WarmUp(benchmark::State& state, int scenes) {
  std::string error;
  TimedStart(scenes, &error);
  if (error.empty()) {
    return true;
  }
  state.SkipWithError(error.c_str());
  return false;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// Time from start to the first byte on the port with a scenario of
// range(0) scenes of 511 rows on the command line.
void BM_StartupToFirstByte(benchmark::State& state) {
  const int scenes = static_cast<int>(state.range(0));
  if (!WarmUp(state, scenes)) {
    return;
  }
  for (auto _ : state) {
    std::string error;
    const double seconds = TimedStart(scenes, &error);
    if (!error.empty()) {
      state.SkipWithError(error.c_str());
      return;
    }
    state.SetIterationTime(seconds);
  }
  state.counters["rows"] = scenes * ROWS;
}

// The cost of the scenario's size at start-up: each iteration starts the
// program with one scene and with 64 scenes, one right after the other and
// in turns first, so that a change of the machine's load falls on both.
// The time is that of the 64-scene start; the counters give the one-scene
// start and the difference, as medians over the pairs.
void BM_StartupDifference(benchmark::State& state) {
  if (!WarmUp(state, 1) || !WarmUp(state, MAX_SCENES)) {
    return;
  }
  std::vector<double> one;
  std::vector<double> differences;
  bool oneFirst = true;
  for (auto _ : state) {
    std::string error;
    double oneSeconds = 0.0;
    double manySeconds = 0.0;
    if (oneFirst) {
      oneSeconds = TimedStart(1, &error);
      manySeconds = error.empty() ? TimedStart(MAX_SCENES, &error) : 0.0;
    } else {
      manySeconds = TimedStart(MAX_SCENES, &error);
      oneSeconds = error.empty() ? TimedStart(1, &error) : 0.0;
    }
    if (!error.empty()) {
      state.SkipWithError(error.c_str());
      return;
    }
    oneFirst = !oneFirst;
    state.SetIterationTime(manySeconds);
    one.push_back(oneSeconds);
    differences.push_back(manySeconds - oneSeconds);
  }
  state.counters["one_scene_ms"] = 1000 * Median(one);
  state.counters["difference_ms"] = 1000 * Median(differences);
  g_differences.insert(g_differences.end(), differences.begin(), differences.end());
}

BENCHMARK(BM_StartupToFirstByte)
    ->Arg(1)
    ->Arg(MAX_SCENES)
    ->UseManualTime()
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartupDifference)->UseManualTime()->Iterations(6)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  const char* program = getenv("LUMIVANE_PROGRAM");
  g_program = program != nullptr && *program != '\0' ? program : LUMIVANE_PATH;
  if (getenv("DISPLAY") == nullptr) {
    fprintf(stderr, "startup_bench needs a display: run it under xvfb-run\n");
    return 1;
  }

  char pattern[] = "/tmp/lumivane-startup-XXXXXX";
  if (mkdtemp(pattern) == nullptr) {
    return 1;
  }
  g_directory = pattern;

  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();

  // Beside the table (on stderr, so that a JSON report stays JSON).
  fprintf(stderr, "program: %s\n", g_program.c_str());
  if (!g_differences.empty()) {
    std::string each;
    for (double difference : g_differences) {
      char text[32];
      snprintf(text, sizeof text, " %+.0f", 1000 * difference);
      each += text;
    }
    fprintf(stderr, "64 x %d scenes against 1 x %d to the first byte: %+.0f ms (median; pairs:%s ms)\n",
            ROWS, ROWS, 1000 * Median(g_differences), each.c_str());
  }

  std::error_code ignored;
  std::filesystem::remove_all(g_directory, ignored);
  return 0;
}
