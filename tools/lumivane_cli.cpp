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
#include "core/board/rom_record.h"
#include "core/serial/pause.h"
#include "core/format/scenario_file.h"
#include "core/format/scenario_text.h"
#include "tools/send_run.h"
#include "tools/serve_command.h"

int Play(const std::vector<std::string>& args);   // play_command.cpp
int Check(const std::vector<std::string>& args);  // check_command.cpp
int Render(const std::vector<std::string>& args);  // render_command.cpp
int Rom(const std::vector<std::string>& args);    // rom_command.cpp
int Info(const std::vector<std::string>& args);   // info_command.cpp

namespace {

const char PROGRAM[] = "lumivane-cli";

const char USAGE[] =
    "Usage: lumivane-cli COMMAND FILE [OPTION]...\n"
    "Lumivane scenario files and boards from the command line.\n"
    "\n"
    "Commands:\n"
    "  normalize FILE    print FILE as the program would save it\n"
    "  bytes FILE        print what a transfer, Program or Clear would send\n"
    "  send FILE         send, run, program, clear or reset over a port\n"
    "  serve FILE        play over a port and take OSC and web remote commands\n"
    "  play FILE         play on virtual boards in simulated time, their state as JSON\n"
    "  check FILE...     list the mistakes in scenario files, as compilers do\n"
    "  render FILE       play on virtual boards into a looping animated GIF\n"
    "  rom               what the boards on a port hold, as last programmed\n"
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
    "                   (both keep the record that lumivane-cli rom prints)\n"
    "  --reset          reset the boards\n"
    "  --speed SPEED    standard (9600 bit/s, the default) or high (115200)\n";

const char SERVE_HELP[] =
    "Usage: lumivane-cli serve FILE [--port PORT] [--speed standard|high] [--osc [ADDR:]PORT]\n"
    "                          [--http [ADDR:]PORT] [--token TOKEN]\n"
    "Plays the scenario with its hold times and the adapter's inputs, as a run of\n"
    "send does, from scene 1 at once until interrupted (Ctrl+C or SIGTERM), and\n"
    "takes remote commands meanwhile.\n"
    "\n"
    "  --port PORT        as for send; the virtual boards when not given\n"
    "  --speed SPEED      standard (9600 bit/s, the default) or high (115200)\n"
    "  --osc [ADDR:]PORT  OSC commands over UDP on PORT (ADDR 127.0.0.1 unless given)\n"
    "  --http [ADDR:]PORT the web remote on PORT (ADDR 127.0.0.1 unless given)\n"
    "  --token TOKEN      what every web request must carry; needed when ADDR\n"
    "                     is not a loopback address\n";

// A usage error: one line, exit status 2.
struct UsageError {
  std::string text;
};

// What a command line asks for, checked against the options its command has.
struct Request {
  std::string file;
  std::string port;
  std::string action;  // "scene", "run", "program", "erase", "reset"
  int scene = 1;
  bool sceneGiven = false;
  LinkSpeed speed = LinkSpeed::STANDARD;
  bool help = false;
  ListenAddress osc;   // serve's remotes
  ListenAddress http;
  std::string token;
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
  const std::string error = TakeScenarioArguments(args, &request.help, &request.file, [&](size_t& i) {
    const std::string& arg = args[i];
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
    const bool takesValue = name == "scene" || name == "port" || name == "speed" || name == "osc" ||
                            name == "http" || name == "token";
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
      const std::string speedError = ParseSpeed(value, &request.speed);
      if (!speedError.empty()) {
        throw UsageError{speedError};
      }
    } else if (name == "osc" || name == "http") {
      if (!ParseListenAddress(value, name == "osc" ? &request.osc : &request.http)) {
        throw UsageError{"'" + value + "' is no [ADDR:]PORT for --" + name};
      }
    } else if (name == "token") {
      request.token = value;
    } else if (IsAction(name)) {
      if (!request.action.empty() && request.action != name) {
        throw UsageError{"--" + request.action + " and --" + name + " exclude each other"};
      }
      request.action = name;
    }
    return std::string();
  });
  if (!error.empty()) {
    throw UsageError{error};
  }
  if (request.help) {
    return request;
  }
  if (request.action.empty()) {
    request.action = "scene";
  } else if (request.sceneGiven && request.action != "run") {
    throw UsageError{"--scene and --" + request.action + " exclude each other"};
  }
  return request;
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
                             const Scenario& scenario, const BoardHooks& hooks = {}) {
  if (request.action == "program") {
    return ProgramBoards(link, target, scenario, hooks);
  }
  if (request.action == "erase") {
    return ClearBoards(link, target, hooks);
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
  while (!Interrupted() && !printer.over) {
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

// Program and erase leave the record of what the boards hold, as the
// window's do; a record that cannot be written is a warning.
void NoteInRom(const Request& request, const BoardTarget& target, const Scenario& scenario,
               const BoardOutcome& outcome, bool eraseWentOut) {
  const std::string directory = DefaultRomDirectory();
  int error = 0;
  if (request.action == "program") {
    error = NoteProgramInRom(directory, target, scenario, outcome, eraseWentOut, time(nullptr));
  } else if (request.action == "erase" && outcome.result == BoardResult::OK) {
    error = NoteClearInRom(directory, target, time(nullptr));
  }
  if (error != 0) {
    fprintf(stderr, "%s: warning: %s: the record of what the boards hold was not written: %s\n", PROGRAM,
            directory.c_str(), strerror(error));
  }
}

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
  bool eraseWentOut = false;
  BoardHooks hooks;
  hooks.erasing = [&eraseWentOut] { eraseWentOut = true; };
  const BoardOutcome outcome = RunBoardCommand(link, target, request, scenario, hooks);
  NoteInRom(request, target, scenario, outcome, eraseWentOut);
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

int ServeCommand(const std::vector<std::string>& args) {
  const Request request = ParseRequest(args, {"port", "speed", "osc", "http", "token"});
  if (request.help) {
    fputs(SERVE_HELP, stdout);
    return FinishOutput(EXIT_OK);
  }
  // Anyone on the network could drive the show otherwise.
  if (request.http.given && !IsLoopbackAddress(request.http.address) && request.token.empty()) {
    return Usage("serve", "--http on " + request.http.address + " needs a --token");
  }
  ServeOptions options;
  options.file = request.file;
  options.port = request.port;
  options.speed = request.speed;
  options.osc = request.osc;
  options.http = request.http;
  options.token = request.token;
  return FinishOutput(Serve(options));
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
      {"serve", ServeCommand}, {"render", Render}, {"rom", Rom}, {"info", Info}};
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
