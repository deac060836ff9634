// lumivane-cli: the scenario file and the boards without a window. It runs
// on the core alone: the same reader and writer as the program's Open and
// Save, the same board commands and runner as its Control menu.
#include <signal.h>
#include <time.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "core/board/board_commands.h"
#include "core/board/board_lines.h"
#include "core/board/board_session.h"
#include "core/board/port_link.h"
#include "core/board/recording_link.h"
#include "core/serial/pause.h"
#include "core/format/scenario_file.h"
#include "core/format/scenario_text.h"

int Play(const std::vector<std::string>& args);   // play_command.cpp
int Check(const std::vector<std::string>& args);  // check_command.cpp
int Info(const std::vector<std::string>& args);   // info_command.cpp

namespace {

constexpr int EXIT_OK = 0;
constexpr int EXIT_FAILED = 1;
constexpr int EXIT_USAGE = 2;

const char PROGRAM[] = "lumivane-cli";

const char USAGE[] =
    "Usage: lumivane-cli COMMAND FILE [OPTION]...\n"
    "Lumivane scenario files and boards from the command line.\n"
    "\n"
    "Commands:\n"
    "  normalize FILE    print FILE as the program would save it\n"
    "  bytes FILE        print what a transfer, Program or Clear would send\n"
    "  send FILE         send, run, program, clear or reset over a port\n"
    "  play FILE         play on virtual boards in simulated time, their state as JSON\n"
    "  check FILE...     list the mistakes in scenario files, as compilers do\n"
    "  info FILE         what each scene costs on the line, and Program's time\n"
    "\n"
    "  lumivane-cli COMMAND --help   the options of a command\n"
    "  lumivane-cli --version        the version\n"
    "\n"
    "Exit status: 0 success, 1 failure, 2 wrong usage.\n";

const char NORMALIZE_HELP[] =
    "Usage: lumivane-cli normalize FILE\n"
    "Prints exactly what opening FILE in Lumivane and saving it would write.\n";

const char BYTES_HELP[] =
    "Usage: lumivane-cli bytes FILE [--scene N | --program | --erase] [--speed standard|high]\n"
    "Prints the stream the program would send from a closed port: one board\n"
    "message a line in hex, breaks, pauses and openings as '#' lines.\n"
    "\n"
    "  --scene N        the transfer of scene N (the default, scene 1)\n"
    "  --program        Program Lumivanes: every scene stored in the boards\n"
    "  --erase          Clear Lumivanes: the boards' ROM erased\n"
    "  --speed SPEED    standard (9600 bit/s, the default) or high (115200)\n";

const char SEND_HELP[] =
    "Usage: lumivane-cli send FILE --port PORT [--scene N | --run | --program | --erase | --reset]\n"
    "                         [--speed standard|high]\n"
    "Does over PORT what the program's Control menu does.\n"
    "\n"
    "  --port PORT      \"Lumivane ... (n)\" for FTDI adapter n, \"Virtual boards\"\n"
    "                   for a chain inside this process, else a tty path or a\n"
    "                   name under /dev/\n"
    "  --scene N        transfer scene N (the default, scene 1)\n"
    "  --run            play the scenario with its hold times and the adapter's\n"
    "                   inputs, from scene 1 or the one --scene names, until\n"
    "                   interrupted (Ctrl+C or SIGTERM); a change to FILE is\n"
    "                   read again and played from the next transfer on\n"
    "  --program        store every scene in the boards\n"
    "  --erase          erase the boards' ROM\n"
    "  --reset          reset the boards\n"
    "  --speed SPEED    standard (9600 bit/s, the default) or high (115200)\n";

// A usage error: one line, exit status 2.
struct UsageError {
  std::string text;
};

void PrintError(const std::string& subject, const std::string& reason) {
  fprintf(stderr, "%s: %s: %s\n", PROGRAM, subject.c_str(), reason.c_str());
}

int Usage(const std::string& command, const std::string& text) {
  const std::string help = command.empty() ? std::string(PROGRAM) + " --help"
                                           : std::string(PROGRAM) + " " + command + " --help";
  fprintf(stderr, "%s: %s (see %s)\n", PROGRAM, text.c_str(), help.c_str());
  return EXIT_USAGE;
}

// What a command line asks for, checked against the options its command has.
struct Request {
  std::string file;
  std::string port;
  std::string action;  // "scene", "run", "program", "erase", "reset"
  int scene = 1;
  bool sceneGiven = false;
  LinkSpeed speed = LinkSpeed::STANDARD;
  bool help = false;
};

bool IsAction(const std::string& name) {
  return name == "run" || name == "program" || name == "erase" || name == "reset";
}

Request ParseRequest(const std::vector<std::string>& args, const std::vector<std::string>& allowed) {
  Request request;
  auto allows = [&](const std::string& name) {
    for (const std::string& option : allowed) {
      if (option == name) return true;
    }
    return false;
  };
  std::vector<std::string> files;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg == "-" || arg[0] != '-') {
      files.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;  // a file name may begin with "-" after it
      continue;
    }
    if (arg == "--help" || arg == "-h") {
      request.help = true;
      continue;
    }
    if (arg.compare(0, 2, "--") != 0) {
      throw UsageError{"unknown option '" + arg + "'"};
    }
    std::string name = arg.substr(2);
    std::string value;
    bool hasValue = false;
    const size_t equals = name.find('=');
    if (equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.erase(equals);
      hasValue = true;
    }
    if (!allows(name)) {
      throw UsageError{"unknown option '--" + name + "'"};
    }
    const bool takesValue = name == "scene" || name == "port" || name == "speed";
    if (takesValue && !hasValue) {
      if (i + 1 == args.size()) {
        throw UsageError{"option '--" + name + "' needs a value"};
      }
      value = args[++i];
    } else if (!takesValue && hasValue) {
      throw UsageError{"option '--" + name + "' takes no value"};
    }
    if (name == "scene") {
      char* end = nullptr;
      errno = 0;
      const long scene = std::strtol(value.c_str(), &end, 10);
      if (value.empty() || *end != '\0' || errno == ERANGE || scene < 1 || scene > MAX_SCENES) {
        throw UsageError{"scene number '" + value + "' is not 1 to " + std::to_string(MAX_SCENES)};
      }
      request.scene = static_cast<int>(scene);
      request.sceneGiven = true;
    } else if (name == "port") {
      request.port = value;
    } else if (name == "speed") {
      if (value == "standard") {
        request.speed = LinkSpeed::STANDARD;
      } else if (value == "high") {
        request.speed = LinkSpeed::HIGH;
      } else {
        throw UsageError{"speed '" + value + "' is neither standard nor high"};
      }
    } else if (IsAction(name)) {
      if (!request.action.empty() && request.action != name) {
        throw UsageError{"--" + request.action + " and --" + name + " exclude each other"};
      }
      request.action = name;
    }
  }
  if (request.help) {
    return request;
  }
  if (files.empty()) {
    throw UsageError{"no scenario file given"};
  }
  if (files.size() > 1) {
    throw UsageError{"one scenario file only, not also '" + files[1] + "'"};
  }
  request.file = files[0];
  if (request.action.empty()) {
    request.action = "scene";
  } else if (request.sceneGiven && request.action != "run") {
    throw UsageError{"--scene and --" + request.action + " exclude each other"};
  }
  return request;
}

bool ReadScenario(const std::string& path, Scenario* scenario, time_t* modificationTime = nullptr) {
  const int error = ReadScenarioFile(path, scenario, modificationTime);
  if (error != 0) {
    PrintError(path, strerror(error));
    return false;
  }
  return true;
}

// Whether the file has the scene --scene names; a scene it lacks is wrong usage.
bool HasScene(const Request& request, const Scenario& scenario) {
  const int count = static_cast<int>(scenario.scenes.size());
  if (request.scene > count) {
    PrintError(request.file, "no scene " + std::to_string(request.scene) + ", only " + std::to_string(count));
    return false;
  }
  return true;
}

// Standard output that failed (a full disk, a closed pipe) is a failure.
int FinishOutput(int status) {
  if (fflush(stdout) != 0 || ferror(stdout)) {
    PrintError("standard output", strerror(errno != 0 ? errno : EIO));
    return EXIT_FAILED;
  }
  return status;
}

int Normalize(const std::vector<std::string>& args) {
  const Request request = ParseRequest(args, {});
  if (request.help) {
    fputs(NORMALIZE_HELP, stdout);
    return FinishOutput(EXIT_OK);
  }
  Scenario scenario;
  if (!ReadScenario(request.file, &scenario)) {
    return EXIT_FAILED;
  }
  const std::string text = WriteScenarioText(scenario);
  fwrite(text.data(), 1, text.size(), stdout);
  return FinishOutput(EXIT_OK);
}

// The board command a request names, on either link.
BoardOutcome RunBoardCommand(BoardLink& link, const BoardTarget& target, const Request& request,
                             const Scenario& scenario) {
  if (request.action == "program") {
    return ProgramBoards(link, target, scenario);
  }
  if (request.action == "erase") {
    return ClearBoards(link, target);
  }
  if (request.action == "reset") {
    return ResetBoards(link, target);
  }
  return SendSceneToBoards(link, target, scenario.scenes[request.scene - 1]);
}

int Bytes(const std::vector<std::string>& args) {
  const Request request = ParseRequest(args, {"scene", "program", "erase", "speed"});
  if (request.help) {
    fputs(BYTES_HELP, stdout);
    return FinishOutput(EXIT_OK);
  }
  Scenario scenario;
  if (!ReadScenario(request.file, &scenario)) {
    return EXIT_FAILED;
  }
  if (request.action == "scene" && !HasScene(request, scenario)) {
    return EXIT_USAGE;
  }
  RecordingBoardLink link;
  RunBoardCommand(link, BoardTarget{"", request.speed}, request, scenario);
  fputs(FormatBoardStream(link.Events()).c_str(), stdout);
  return FinishOutput(EXIT_OK);
}

// ---- send -------------------------------------------------------------------

// A link that keeps count of the bytes the line may still be sending.
// Closing a serial port discards output still queued, which the window
// never meets, since it keeps the port open; a command that ends right
// after its writes must first give the line that time, so Close waits.
class SendingLink : public BoardLink {
 public:
  explicit SendingLink(std::unique_ptr<BoardLink> link) : m_link(std::move(link)) {}
  int Open(const std::string& port, int baud) override {
    m_baud = baud;
    m_queued = 0;
    return m_link->Open(port, baud);
  }
  void Close() override {
    if (m_link->IsOpen() && m_queued > 0 && m_baud > 0) {
      const long long lineMs = (m_queued * BITS_PER_BYTE * 1000 + m_baud - 1) / m_baud;
      // Not a pause a cancel may cut short: the bytes are on their way.
      PauseMilliseconds(static_cast<int>(lineMs + lineMs / 2 + SENT_MARGIN_MS));
    }
    m_queued = 0;
    m_link->Close();
  }
  bool IsOpen() const override { return m_link->IsOpen(); }
  int Write(const unsigned char* data, int length) override {
    const int written = m_link->Write(data, length);
    m_queued += written > 0 ? written : 0;
    return written;
  }
  void Break() override { m_link->Break(); }
  void Pause(int milliseconds) override {
    m_link->Pause(milliseconds);
    m_queued -= std::min(m_queued, static_cast<long long>(milliseconds) * m_baud / BITS_PER_BYTE / 1000);
  }
  unsigned char ReadInputs() override { return m_link->ReadInputs(); }
  void InterruptPausesWith(const std::atomic<bool>* interrupt) override { m_link->InterruptPausesWith(interrupt); }

 private:
  static constexpr long long BITS_PER_BYTE = 10;  // 8N1
  static constexpr int SENT_MARGIN_MS = 20;       // the adapter's own buffer
  std::unique_ptr<BoardLink> m_link;
  int m_baud = 0;
  long long m_queued = 0;
};

// ---- send --run -------------------------------------------------------------

volatile sig_atomic_t g_interrupted = 0;

void OnInterrupt(int) { g_interrupted = 1; }

// Without SA_RESTART, so that the wait for the next tick ends at once.
void CatchInterrupts() {
  struct sigaction action {};
  action.sa_handler = OnInterrupt;
  sigemptyset(&action.sa_mask);
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

void PrintScene(const Scenario& scenario, int scene) {
  printf("Scene %d: %s\n", scene + 1, scenario.scenes[scene].name.c_str());
  fflush(stdout);
}

// The file a run plays is looked at every second: nobody is asked, so a
// change made in an editor is on the boards from the next transfer on.
// A file that cannot be read keeps the scenario playing and is tried again
// at its next change.
constexpr int FILE_WATCH_TICKS = 10;

// What the board session tells of the run, printed; the file watch's
// changes read again.
class RunPrinter : public BoardSessionListener {
 public:
  RunPrinter(BoardSession& session, const std::string& path, Scenario& scenario, time_t known)
      : m_session(session), m_file{path, known}, m_scenario(scenario) {}
  void OnBoardEvent(const BoardEvent& event) override {
    switch (event.kind) {
      case LinkReport::RUN_STARTED:
      case LinkReport::RUN_SCENE:
        PrintScene(m_scenario, event.number);
        break;
      case LinkReport::RUN_INPUT:
        printf("Input %d active\n", event.number);
        fflush(stdout);
        break;
      case LinkReport::RUN_FAILED:
        outcome = event.outcome;
        break;
      case LinkReport::RUN_STOPPED:
        over = true;
        break;
      case LinkReport::FINISHED:
        if (event.job == LinkJob::RUN && event.outcome.result != BoardResult::OK) {
          outcome = event.outcome;  // the first scene did not go out
          over = true;
        }
        break;
      case LinkReport::FILE_CHANGED:
        Reload();
        break;
      default:
        break;
    }
  }
  WatchedFile File() const { return m_file; }
  BoardOutcome outcome;
  bool over = false;

 private:
  void Reload() {
    m_file.knownTime = ScenarioFileTime(m_file.path);
    Scenario changed;
    if (ReadScenario(m_file.path, &changed, &m_file.knownTime)) {
      m_scenario = std::move(changed);
      m_session.UpdateScenario(m_scenario);
      printf("Reloaded %s\n", m_file.path.c_str());
      fflush(stdout);
    }
  }

  BoardSession& m_session;
  WatchedFile m_file;
  Scenario& m_scenario;
};

void AddTick(timespec* time) {
  time->tv_nsec += BoardSession::TICK_MS * 1000000L;
  if (time->tv_nsec >= 1000000000L) {
    time->tv_nsec -= 1000000000L;
    ++time->tv_sec;
  }
}

bool Before(const timespec& a, const timespec& b) {
  return a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec);
}

// Sends `scene` and plays the scenario from it until interrupted or a send
// fails, in a board session that this loop ticks every 100 ms.
BoardOutcome Run(const LinkFactory& factory, const BoardTarget& target, const std::string& path,
                 Scenario& scenario, time_t modified, int scene) {
  BoardSession session(factory);
  RunPrinter printer(session, path, scenario, modified);
  session.AddListener(&printer);
  session.WatchFile(FILE_WATCH_TICKS, [&printer] { return printer.File(); });
  session.Run(target, scenario, scene);
  timespec next;
  clock_gettime(CLOCK_MONOTONIC, &next);
  AddTick(&next);
  while (!g_interrupted && !printer.over) {
    if (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &next, nullptr) != 0) {
      continue;  // interrupted: the loop looks at the flag
    }
    session.Tick();
    AddTick(&next);
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (Before(next, now)) {
      next = now;
      AddTick(&next);
    }
  }
  // What the run told so far is printed; what was written leaves the line
  // before the port closes.
  session.DeliverEvents();
  session.Close();
  session.RemoveListener(&printer);
  return printer.outcome;
}

int SendFinished(const Request& request, const BoardOutcome& outcome);

int Send(const std::vector<std::string>& args) {
  const Request request = ParseRequest(args, {"port", "scene", "run", "program", "erase", "reset", "speed"});
  if (request.help) {
    fputs(SEND_HELP, stdout);
    return FinishOutput(EXIT_OK);
  }
  if (request.port.empty()) {
    return Usage("send", "no port given (--port)");
  }
  Scenario scenario;
  time_t modified = -1;
  if (!ReadScenario(request.file, &scenario, &modified)) {
    return EXIT_FAILED;
  }
  if ((request.action == "scene" || request.action == "run") && !HasScene(request, scenario)) {
    return EXIT_USAGE;
  }
  if (request.action == "run") {
    CatchInterrupts();
  }
  const BoardTarget target{request.port, request.speed};
  BoardLines lines;
  const LinkFactory factory = [&lines](const std::string& port) {
    return std::make_unique<SendingLink>(lines.MakeLink(port));
  };
  if (request.action == "run") {
    const BoardOutcome outcome = Run(factory, target, request.file, scenario, modified, request.scene - 1);
    return SendFinished(request, outcome);
  }
  PortLink link(factory);
  const BoardOutcome outcome = RunBoardCommand(link, target, request, scenario);
  if (outcome.result == BoardResult::OK) {
    if (request.action == "program") {
      printf("Stored %d scene%s\n", outcome.scenesStored, outcome.scenesStored == 1 ? "" : "s");
    } else if (request.action == "erase") {
      puts("Erased the boards' ROM");
    } else if (request.action == "reset") {
      puts("Reset the boards");
    } else {
      PrintScene(scenario, request.scene - 1);
    }
  }
  link.Close();
  return SendFinished(request, outcome);
}

// The exit status of a send, with the failure's one line.
int SendFinished(const Request& request, const BoardOutcome& outcome) {
  switch (outcome.result) {
    case BoardResult::OK:
      return FinishOutput(EXIT_OK);
    case BoardResult::OPEN_FAILED:
      PrintError(request.port, strerror(outcome.openError));
      break;
    case BoardResult::WRITE_FAILED:
    case BoardResult::CANCELLED:  // the tool's programming has no cancel
      PrintError(request.port, strerror(EIO));
      break;
  }
  FinishOutput(EXIT_FAILED);
  return EXIT_FAILED;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> all(argv + 1, argv + argc);
  if (all.empty()) {
    return Usage("", "no command given");
  }
  const std::string command = all[0];
  const std::vector<std::string> args(all.begin() + 1, all.end());
  if (command == "--help" || command == "-h") {
    fputs(USAGE, stdout);
    return FinishOutput(EXIT_OK);
  }
  if (command == "--version") {
    printf("%s %s\n", PROGRAM, LUMIVANE_VERSION);
    return FinishOutput(EXIT_OK);
  }
  using Command = int (*)(const std::vector<std::string>&);
  const std::map<std::string, Command> commands = {
      {"normalize", Normalize}, {"bytes", Bytes}, {"send", Send}, {"play", Play}, {"check", Check},
      {"info", Info}};
  const auto found = commands.find(command);
  if (found == commands.end()) {
    return Usage("", "unknown command '" + command + "'");
  }
  try {
    return found->second(args);
  } catch (const UsageError& error) {
    return Usage(command, error.text);
  }
}
