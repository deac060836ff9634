#include "tools/serve_command.h"

#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>

#include "core/board/board_lines.h"
#include "core/model/colour_numbers.h"
#include "core/remote/osc_remote.h"
#include "core/remote/remote_hub.h"
#include "core/remote/run_actions.h"
#include "tools/send_run.h"

#include "core/remote/http_remote.h"

namespace {

// Board colours told to the remotes: the first boards of the chain only,
// enough for any show a phone's screen can picture.
constexpr long MAX_REPORTED_BOARDS = 512;

// Wakes the serving loop from other threads: the session's worker when
// events wait, a remote when a command waits.
class Wakeup {
 public:
  Wakeup() : m_fd(eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)) {}
  ~Wakeup() {
    if (m_fd >= 0) close(m_fd);
  }
  void Wake() const {
    const uint64_t one = 1;
    if (write(m_fd, &one, sizeof one) < 0) {
      // Full: the loop is awake already.
    }
  }
  // Waits until woken or `timeoutMs` passed; true when woken.
  bool Wait(int timeoutMs) const {
    pollfd wake{m_fd, POLLIN, 0};
    if (poll(&wake, 1, timeoutMs) <= 0) return false;  // a signal ends the wait too
    uint64_t count = 0;
    return read(m_fd, &count, sizeof count) > 0;
  }

 private:
  int m_fd;
};

int MillisecondsUntil(const timespec& when) {
  timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  const long long ms = (when.tv_sec - now.tv_sec) * 1000LL + (when.tv_nsec - now.tv_nsec) / 1000000;
  return ms < 0 ? 0 : static_cast<int>(ms) + 1;
}

std::vector<uint32_t> BoardColours(const BoardLines& lines) {
  std::vector<uint32_t> colours;
  const auto lock = lines.Lock();
  const VirtualChain& chain = *lines.Line().chain;
  const long count = std::min(chain.HighestGiven(), MAX_REPORTED_BOARDS);
  for (long board = 1; board <= count; ++board) {
    const Rgb rgb = IndexToColour(chain.Board(board).colour);
    colours.push_back(static_cast<uint32_t>(rgb.red) << 16 | static_cast<uint32_t>(rgb.green) << 8 | rgb.blue);
  }
  return colours;
}

}  // namespace

int Serve(const ServeOptions& options) {
  Scenario scenario;
  time_t modified = -1;
  if (!ReadScenario(options.file, &scenario, &modified)) return 1;
  if (scenario.scenes.empty()) {
    PrintError(options.file, "no scene to play");
    return 1;
  }
  CatchInterrupts();
  const std::string port = options.port.empty() ? VIRTUAL_PORT_NAME : options.port;
  const BoardTarget target{port, options.speed};
  BoardLines lines;
  const LinkFactory factory = [&lines](const std::string& name) {
    return std::make_unique<SendingLink>(lines.MakeLink(name));
  };
  Wakeup wakeup;
  BoardSession session(factory);
  session.SetWaker([&wakeup] { wakeup.Wake(); });
  RunPrinter printer(session, options.file, scenario, modified);
  session.AddListener(&printer);
  session.WatchFile(FILE_WATCH_TICKS, [&printer] { return printer.File(); });
  RemoteHub hub;
  hub.SetWaker([&wakeup] { wakeup.Wake(); });
  // Read from the boards once a tick, not for every remote's command.
  std::vector<uint32_t> colours;
  RunActions actions(session, hub,
                     RunActions::Driver{[&scenario]() -> const Scenario& { return scenario; },
                                        [&] {
                                          session.Run(target, scenario, 0);
                                          return std::string();
                                        },
                                        [&session] { session.Stop(); },
                                        [&colours] { return colours; }});

  // The remotes listen before the run starts, so a port in use ends the
  // command before anything reaches the boards.
  OscRemote osc(hub);
  std::string failure;
  if (options.osc.given) {
    const std::string error = osc.Start(options.osc.address, options.osc.port);
    if (!error.empty()) failure = "OSC: " + error;
  }
  HttpRemote http(hub);
  if (failure.empty() && options.http.given) {
    const std::string error = http.Start(options.http.address, options.http.port, options.token);
    if (!error.empty()) failure = "HTTP: " + error;
  }
  if (!failure.empty()) {
    fprintf(stderr, "lumivane-cli: %s\n", failure.c_str());
    hub.Shutdown();
    session.RemoveListener(&printer);
    return 1;
  }

  session.Run(target, scenario, 0);
  timespec next;
  clock_gettime(CLOCK_MONOTONIC, &next);
  AddTick(&next);
  // A stop from a remote leaves the player waiting for the next run; a
  // line that fails ends it, as it ends `send --run`.
  while (!Interrupted() && printer.outcome.result == BoardResult::OK) {
    if (wakeup.Wait(MillisecondsUntil(next))) {
      session.DeliverEvents();
      hub.DeliverCommands();
    }
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (Before(now, next)) continue;
    session.Tick();
    colours = BoardColours(lines);
    actions.Publish();
    AddTick(&next);
    if (Before(next, now)) {
      next = now;
      AddTick(&next);
    }
  }
  // No remote acts from now on; the run stops and what was written leaves
  // the line before the port closes.
  hub.Shutdown();
  osc.Stop();
  http.Stop();
  session.DeliverEvents();
  session.Close();
  session.RemoveListener(&printer);
  fflush(stdout);
  switch (printer.outcome.result) {
    case BoardResult::OK:
      return 0;
    case BoardResult::OPEN_FAILED:
      PrintError(port, strerror(printer.outcome.openError));
      break;
    case BoardResult::WRITE_FAILED:
    case BoardResult::CANCELLED:
      PrintError(port, strerror(EIO));
      break;
  }
  return 1;
}
