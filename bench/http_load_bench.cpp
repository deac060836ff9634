// How much the web remote's clients disturb a run: a scenario of 0.5 s
// holds plays onto a pseudo-terminal, first alone, then while 100 HTTP
// requests a second arrive (state reads, unknown paths, jumps to a scene
// that does not exist, which the driver must answer) and four clients
// follow the event stream. Printed: the run's lateness (how late each
// scene started against its plan) in both phases.
//   build/bin/http_load_bench [seconds per phase]
#include <pty.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/board/board_lines.h"
#include "core/board/board_session.h"
#include "core/remote/http_remote.h"
#include "core/remote/run_actions.h"
#include "support/raw_http.h"

namespace {

using Clock = std::chrono::steady_clock;

Scenario TimedScenario() {
  Scenario scenario;
  scenario.scenes.clear();
  for (int number = 1; number <= 4; ++number) {
    Scene scene;
    scene.name = "Scene " + std::to_string(number);
    scene.hold = 0.5;
    scene.rows.clear();
    for (int i = 1; i <= 40; ++i) {
      Row row;
      row.from = std::to_string(i);
      row.colour = (number * 7 + i) % 216;
      scene.rows.push_back(row);
    }
    scenario.scenes.push_back(scene);
  }
  return scenario;
}

struct Lateness : BoardSessionListener {
  std::vector<double> seconds;
  void OnBoardEvent(const BoardEvent& event) override {
    if (event.kind == LinkReport::RUN_LATE) seconds.push_back(std::chrono::duration<double>(event.late).count());
  }
};

// The clients would run on phones and desks, not beside the run: on this
// computer they take second place, as the server's own threads do.
void StandInForAnotherComputer() { setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 10); }

// Requests at `perSecond`, each on a connection of its own, until `stop`.
void Flood(int port, int perSecond, const std::atomic<bool>& stop, std::atomic<int>& answered) {
  StandInForAnotherComputer();
  auto next = Clock::now();
  for (int i = 0; !stop; ++i) {
    RawAnswer answer;
    if (i % 10 == 0) {
      answer = RawRequest(port, "GET", "/no/such/page");
    } else if (i % 10 == 5) {
      answer = RawRequest(port, "POST", "/api/scene/99");
    } else {
      answer = RawRequest(port, "GET", "/api/state");
    }
    if (answer.status != 0) ++answered;
    next += std::chrono::microseconds(1000000 / perSecond);
    std::this_thread::sleep_until(next);
  }
}

struct Result {
  std::vector<double> late;
  int requests = 0;
};

Result Play(const std::string& port, double seconds, bool load) {
  const Scenario scenario = TimedScenario();
  BoardLines lines;
  BoardSession session([&lines](const std::string& name) { return lines.MakeLink(name); });
  std::mutex mutex;
  std::condition_variable wake;
  bool woken = false;
  const auto waker = [&] {
    {
      std::lock_guard<std::mutex> lock(mutex);
      woken = true;
    }
    wake.notify_one();
  };
  session.SetWaker(waker);
  RemoteHub hub;
  hub.SetWaker(waker);
  const BoardTarget target{port, LinkSpeed::STANDARD};
  RunActions actions(session, hub,
                     {[&]() -> const Scenario& { return scenario; },
                      [&] {
                        session.Run(target, scenario, 0);
                        return std::string();
                      },
                      [&] { session.Stop(); }, nullptr});
  Lateness lateness;
  session.AddListener(&lateness);
  HttpRemote http(hub);
  if (!http.Start("127.0.0.1", 0, "").empty()) {
    std::fprintf(stderr, "the web remote did not start\n");
    std::exit(1);
  }
  std::atomic<bool> stop{false};
  std::atomic<int> answered{0};
  std::vector<std::thread> clients;
  std::vector<std::unique_ptr<RawStream>> streams;
  if (load) {
    clients.emplace_back(Flood, http.Port(), 100, std::cref(stop), std::ref(answered));
    for (int i = 0; i < 4; ++i) {
      streams.push_back(std::make_unique<RawStream>(http.Port(), "GET /api/events HTTP/1.1\r\nHost: 127.0.0.1\r\n\r\n"));
      RawStream* stream = streams.back().get();
      clients.emplace_back([stream, &stop] {
        StandInForAnotherComputer();
        while (!stop) stream->ReadUntil("\n\n", std::chrono::milliseconds(200));
      });
    }
  }

  session.Run(target, scenario, 0);
  const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  auto tick = Clock::now() + std::chrono::milliseconds(BoardSession::TICK_MS);
  while (Clock::now() < end) {
    {
      std::unique_lock<std::mutex> lock(mutex);
      wake.wait_until(lock, tick, [&] { return woken; });
      woken = false;
    }
    session.DeliverEvents();
    hub.DeliverCommands();
    if (Clock::now() >= tick) {
      session.Tick();
      tick += std::chrono::milliseconds(BoardSession::TICK_MS);
    }
  }
  stop = true;
  for (std::thread& client : clients) client.join();
  http.Stop();
  session.DeliverEvents();
  session.Close();
  session.RemoveListener(&lateness);
  return {lateness.seconds, answered};
}

void Print(const char* phase, const Result& result, double seconds) {
  if (result.late.empty()) {
    std::printf("  %-10s no scene started\n", phase);
    return;
  }
  double sum = 0;
  for (double late : result.late) sum += late;
  const double worst = *std::max_element(result.late.begin(), result.late.end());
  std::printf("  %-10s %3zu scenes, lateness mean %.2f ms, worst %.2f ms", phase, result.late.size(),
              sum / result.late.size() * 1000, worst * 1000);
  if (result.requests) std::printf(", %.0f requests/s answered", result.requests / seconds);
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 20.0;
  int master = -1;
  int slave = -1;
  char slaveName[256];
  if (openpty(&master, &slave, slaveName, nullptr, nullptr) != 0) {
    std::perror("openpty");
    return 1;
  }
  std::atomic<bool> done{false};
  std::thread drain([&] {
    char buffer[4096];
    while (!done) {
      if (read(master, buffer, sizeof buffer) <= 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  });
  std::printf("0.5 s holds of 40 rows onto %s, %.0f s per phase\n", slaveName, seconds);
  const Result quiet = Play(slaveName, seconds, false);
  Print("no load", quiet, seconds);
  std::fflush(stdout);
  const Result loaded = Play(slaveName, seconds, true);
  Print("HTTP load", loaded, seconds);
  done = true;
  close(slave);  // the drain's read ends
  close(master);
  drain.join();
  return 0;
}
