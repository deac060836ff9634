// Whether remote traffic makes a run late: `lumivane-cli serve` plays
// scenes of 20 rows (sent in about 0.25 s) with holds of 0.5 s onto a pseudo-terminal made as slow
// as a 9600 bit/s line (line_pace.c, preloaded), while 1,000 OSC datagrams
// a second arrive (unknown addresses, garbage, subscriptions, jumps to a
// scene that does not exist) and, where the web remote is built, 100 HTTP
// requests a second. Printed: how far each scene's first byte lies from the
// plan (first arrival + k x hold) and the worst lateness the run itself
// tells its subscribers, with and without the traffic, and the processor
// time the player used (a figure that a busy machine does not blur).
//   build/bin/serve_load_bench [seconds]
#include <lo/lo.h>
#include <netinet/in.h>
#include <poll.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "bench/paced_line.h"
#include "core/format/scenario_text.h"
#include "core/model/scenario.h"
#include "support/loopback_port.h"
#include "support/pseudo_terminal.h"
#include "support/spawned_program.h"

namespace {

constexpr int SCENES = 4;
constexpr int ROWS = 20;
constexpr double HOLD = 0.5;
constexpr int DATAGRAMS_A_SECOND = 1000;
constexpr int REQUESTS_A_SECOND = 100;

// The datagrams a flood cycles through: none of them moves the run.
std::vector<std::vector<char>> FloodDatagrams() {
  std::vector<std::vector<char>> datagrams;
  auto add = [&](const char* path, lo_message message) {
    size_t size = 0;
    void* bytes = lo_message_serialise(message, path, nullptr, &size);
    datagrams.emplace_back(static_cast<char*>(bytes), static_cast<char*>(bytes) + size);
    free(bytes);
    lo_message_free(message);
  };
  add("/lumivane/subscribe", lo_message_new());
  add("/lumivane/unknown", lo_message_new());
  lo_message far = lo_message_new();
  lo_message_add_int32(far, 99);
  add("/lumivane/scene", far);
  lo_message wrong = lo_message_new();
  lo_message_add_float(wrong, 1);
  add("/lumivane/next", wrong);
  datagrams.push_back(std::vector<char>(64, '\x7f'));
  return datagrams;
}

void FloodOsc(int port, const std::atomic<bool>& stop, long* sent) {
  const int sender = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<uint16_t>(port));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  const auto datagrams = FloodDatagrams();
  Clock::time_point next = Clock::now();
  for (long i = 0; !stop; ++i) {
    const auto& datagram = datagrams[i % datagrams.size()];
    sendto(sender, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    ++*sent;
    next += std::chrono::microseconds(1000000 / DATAGRAMS_A_SECOND);
    std::this_thread::sleep_until(next);
  }
  close(sender);
}

// One request on a connection of its own; the answer is read to its end.
void RequestOnce(int port, const std::string& request) {
  const int connection = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<uint16_t>(port));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(connection, reinterpret_cast<sockaddr*>(&to), sizeof to) == 0 &&
      send(connection, request.data(), request.size(), MSG_NOSIGNAL) > 0) {
    char buffer[4096];
    pollfd p{connection, POLLIN, 0};
    while (poll(&p, 1, 1000) > 0 && read(connection, buffer, sizeof buffer) > 0) {
    }
  }
  close(connection);
}

void FloodHttp(int port, const std::atomic<bool>& stop, long* sent) {
  const std::string requests[] = {
      "GET /api/state HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n",
      "GET /nowhere HTTP/1.1\r\nHost: 127.0.0.1\r\nConnection: close\r\n\r\n",
      "POST /api/scene/99 HTTP/1.1\r\nHost: 127.0.0.1\r\nContent-Length: 0\r\nConnection: close\r\n\r\n",
      "GARBAGE\r\n\r\n",
  };
  Clock::time_point next = Clock::now();
  for (long i = 0; !stop; ++i) {
    RequestOnce(port, requests[i % 4]);
    ++*sent;
    next += std::chrono::microseconds(1000000 / REQUESTS_A_SECOND);
    std::this_thread::sleep_until(next);
  }
}

// The run's own account of its lateness, as a subscriber hears it: the
// worst `late` of any /lumivane/state.
int OnState(const char*, const char*, lo_arg** argv, int, lo_message, void* worst) {
  double& worstLate = *static_cast<double*>(worst);
  worstLate = std::max(worstLate, static_cast<double>(argv[4]->f));
  return 0;
}

void HearState(int port, const std::atomic<bool>& stop, double* worstLate) {
  lo_server server = lo_server_new_with_proto(nullptr, LO_UDP, nullptr);
  lo_server_add_method(server, "/lumivane/state", "issff", OnState, worstLate);
  lo_address remote = lo_address_new("127.0.0.1", std::to_string(port).c_str());
  Clock::time_point renew = Clock::now();
  while (!stop) {
    if (Clock::now() >= renew) {
      lo_send_from(remote, server, LO_TT_IMMEDIATE, "/lumivane/subscribe", "");
      renew += std::chrono::seconds(10);
    }
    lo_server_recv_noblock(server, 50);
  }
  lo_address_free(remote);
  lo_server_free(server);
}

struct Lateness {
  size_t scenes = 0;
  double worstMs = 0;
  double meanMs = 0;
  double runLateMs = 0;
  double cpuShare = 0;  // of one core, over the player's whole life
};

// Plays for `seconds` after the first scene, with or without the traffic.
Lateness Measure(const std::string& home, double seconds, bool flood) {
  PseudoTerminal line;
  if (!line.IsOpen()) {
    perror("openpty");
    std::exit(1);
  }
  const std::string scenarioFile = home + "/timing.cfg";
  FILE* file = fopen(scenarioFile.c_str(), "w");
  const std::string text = WriteScenarioText(TimedScenario(SCENES, ROWS, HOLD));
  fwrite(text.data(), 1, text.size(), file);
  fclose(file);

  const int oscPort = FreeLoopbackPort(SOCK_DGRAM);
  const int httpPort = FreeLoopbackPort(SOCK_STREAM);
  std::vector<std::string> environment = PacedEnvironment(home, line.Path());
  std::vector<char*> environmentPointers;
  for (std::string& variable : environment) environmentPointers.push_back(variable.data());
  environmentPointers.push_back(nullptr);
  SpawnedProgram serve({LUMIVANE_CLI_PATH, "serve", scenarioFile, "--port", line.Path(), "--osc",
                        std::to_string(oscPort), "--http", std::to_string(httpPort)},
                       "/dev/null", "/dev/null", environmentPointers.data());
  if (!serve.Started()) {
    fprintf(stderr, "cannot start %s\n", LUMIVANE_CLI_PATH);
    std::exit(1);
  }
  const Clock::time_point spawned = Clock::now();

  std::atomic<bool> stop{false};
  long datagrams = 0;
  long requests = 0;
  std::vector<std::thread> floods;
  double worstLate = 0;
  floods.emplace_back(HearState, oscPort, std::cref(stop), &worstLate);
  if (flood) {
    floods.emplace_back(FloodOsc, oscPort, std::cref(stop), &datagrams);
    floods.emplace_back(FloodHttp, httpPort, std::cref(stop), &requests);
  }
  const std::vector<Arrival> bytes = ReadArrivals(line.Master(), seconds, HOLD);
  stop = true;
  for (std::thread& thread : floods) thread.join();
  serve.Signal(SIGTERM);
  rusage usage{};
  serve.Wait(-1, &usage);
  const double lived = std::chrono::duration<double>(Clock::now() - spawned).count();
  if (flood) printf("  sent %ld datagrams and %ld HTTP requests\n", datagrams, requests);

  Lateness lateness;
  const std::vector<Clock::time_point> starts = SceneStarts(bytes);
  lateness.scenes = starts.size();
  lateness.runLateMs = worstLate * 1000;
  lateness.cpuShare = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec +
                       (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6) / lived;
  const PlanOffsets offsets = OffsetsFromPlan(starts, HOLD);
  lateness.worstMs = offsets.worstMs;
  lateness.meanMs = offsets.meanMs;
  return lateness;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? atof(argv[1]) : 30.0;
  char directoryTemplate[] = "/tmp/lumivane-serve-load-XXXXXX";
  if (mkdtemp(directoryTemplate) == nullptr) {
    perror("mkdtemp");
    return 1;
  }
  const std::string home = directoryTemplate;
  printf("lumivane-cli serve, %d scenes of %d rows, hold %.1f s, %.0f s at 9600 bit/s\n", SCENES, ROWS, HOLD,
         seconds);
  int failed = 0;
  for (const bool flood : {false, true}) {
    printf(flood ? "with %d OSC datagrams/s%s:\n" : "quiet:\n", DATAGRAMS_A_SECOND,
           " and 100 HTTP requests/s"
    );
    const Lateness lateness = Measure(home, seconds, flood);
    if (lateness.scenes < 2) {
      fprintf(stderr, "  %zu scenes arrived\n", lateness.scenes);
      failed = 1;
      continue;
    }
    printf("  %zu scenes; first byte against the plan: mean %+.1f ms, worst %.1f ms\n", lateness.scenes,
           lateness.meanMs, lateness.worstMs);
    printf("  the run's own lateness (its state's late): worst %.1f ms\n", lateness.runLateMs);
    printf("  the player's processor time: %.1f %% of a core\n", lateness.cpuShare * 100);
  }
  std::error_code ignored;
  std::filesystem::remove_all(home, ignored);
  return failed;
}
