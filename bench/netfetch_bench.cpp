// Download speed of netfetch against the curl command line: both fetch the
// same 1 GiB body from a local server into a file under /tmp.

#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include <cctype>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "support/http_test_server.h"

extern char** environ;

namespace {

const uint64_t kBodyBytes = uint64_t{1} << 30;
const size_t kPatternBytes = 1 << 20;

struct Setup {
  HttpTestServer server;
  std::string url;
  std::string file;  // the download's destination, removed after each run

  Setup() {
    HttpTestRoute route;
    route.body.resize(kPatternBytes);
    for (size_t i = 0; i < kPatternBytes; ++i) {
      route.body[i] = static_cast<char>((i * 131 + (i >> 9)) & 0xFF);
    }
    route.length = kBodyBytes;
    server.Route("/body", route);
    url = server.Url("/body");
    file = "/tmp/netfetch-bench-" + std::to_string(getpid()) + ".bin";
  }
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

// Runs `args` with its output discarded; returns the seconds it took, or a
// negative value when it failed or did not write the whole body.
double TimedDownload(std::vector<std::string> args) {
  const std::string& file = Shared().file;
  unlink(file.c_str());
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  std::vector<std::string> envStrings = ProxyFreeEnvironment();
  std::vector<char*> envp;
  for (std::string& entry : envStrings) envp.push_back(&entry[0]);
  envp.push_back(nullptr);

  const auto start = std::chrono::steady_clock::now();
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || waitpid(pid, &status, 0) != pid) {
    return -1;
  }
  const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;

  struct stat st;
  const bool whole = WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
                     stat(file.c_str(), &st) == 0 && static_cast<uint64_t>(st.st_size) == kBodyBytes;
  unlink(file.c_str());
  return whole ? took.count() : -1;
}

double NetfetchRun() { return TimedDownload({NETFETCH_PATH, Shared().url, Shared().file}); }

double CurlRun() {
  // -q: no ~/.curlrc; --silent: no progress meter on standard error.
  return TimedDownload({CURL_COMMAND, "-q", "--silent", "--fail", "--location", "--output",
                        Shared().file, Shared().url});
}

bool Usable(benchmark::State& state) {
  if (!Shared().server.Started()) {
    state.SkipWithError("local server did not start");
    return false;
  }
  return true;
}

void ReportSingle(benchmark::State& state, double (*run)()) {
  if (!Usable(state)) return;
  for (auto _ : state) {
    const double seconds = run();
    if (seconds < 0) {
      state.SkipWithError("download failed");
      break;
    }
    state.SetIterationTime(seconds);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBodyBytes));
}

void BM_NetfetchDownload1GiB(benchmark::State& state) { ReportSingle(state, NetfetchRun); }

void BM_CurlDownload1GiB(benchmark::State& state) {
  if (access(CURL_COMMAND, X_OK) != 0) {
    state.SkipWithError("curl command not found");
    return;
  }
  ReportSingle(state, CurlRun);
}

// Both tools in turn, alternating which goes first, so drift in the
// machine's speed hits both alike. ratio = netfetch's throughput / curl's.
void BM_NetfetchVsCurlThroughput(benchmark::State& state) {
  if (!Usable(state)) return;
  if (access(CURL_COMMAND, X_OK) != 0) {
    state.SkipWithError("curl command not found");
    return;
  }
  double netfetchSeconds = 0;
  double curlSeconds = 0;
  bool netfetchFirst = true;
  for (auto _ : state) {
    const double first = netfetchFirst ? NetfetchRun() : CurlRun();
    const double second = netfetchFirst ? CurlRun() : NetfetchRun();
    if (first < 0 || second < 0) {
      state.SkipWithError("download failed");
      return;
    }
    netfetchSeconds += netfetchFirst ? first : second;
    curlSeconds += netfetchFirst ? second : first;
    state.SetIterationTime(first + second);
    netfetchFirst = !netfetchFirst;
  }
  const double mib = static_cast<double>(state.iterations()) * kBodyBytes / (1 << 20);
  state.counters["netfetch_MiB/s"] = mib / netfetchSeconds;
  state.counters["curl_MiB/s"] = mib / curlSeconds;
  state.counters["ratio"] = curlSeconds / netfetchSeconds;
}

}  // namespace

BENCHMARK(BM_NetfetchDownload1GiB)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CurlDownload1GiB)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_NetfetchVsCurlThroughput)->UseManualTime()->Iterations(6)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
