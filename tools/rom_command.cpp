// lumivane-cli rom: the record of what the boards on a port hold, as the
// program keeps it after each Program and Clear, and whether a scenario
// file is what they hold.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/board/board_lines.h"
#include "core/board/rom_compare.h"
#include "core/board/rom_record.h"
#include "core/format/app_settings.h"
#include "core/format/scenario_file.h"
#include "tools/command_line.h"

int Rom(const std::vector<std::string>& args);

namespace {

constexpr int EXIT_DIFFERENT = EXIT_FAILED;

const char ROM_HELP[] =
    "Usage: lumivane-cli rom [--port PORT] [--compare FILE] [--text]\n"
    "Prints the record of what the boards on PORT hold: the program writes it\n"
    "after each Program and Clear (the window's and lumivane-cli send's),\n"
    "since the boards cannot be asked.\n"
    "\n"
    "  --port PORT      the port as send takes it (default: the port the\n"
    "                   program's settings name)\n"
    "  --compare FILE   compare the record with FILE instead: exit 0 when the\n"
    "                   boards hold FILE, 1 when they hold something else or\n"
    "                   there is no record, each scene that differs on a line\n"
    "  --text           print the scenario text as programmed instead\n";

struct RomRequest {
  std::string port;
  bool portGiven = false;
  std::string compare;
  bool text = false;
  bool help = false;
};

// An error text, or "" when the arguments were taken.
std::string ParseRom(const std::vector<std::string>& args, RomRequest* request) {
  for (size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    bool hasValue = false;
    const size_t equals = name.find('=');
    if (name.compare(0, 2, "--") == 0 && equals != std::string::npos) {
      value = name.substr(equals + 1);
      name.erase(equals);
      hasValue = true;
    }
    if (name == "--help" || name == "-h") {
      request->help = true;
    } else if (name == "--text" && !hasValue) {
      request->text = true;
    } else if (name == "--port" || name == "--compare") {
      if (!hasValue) {
        if (i + 1 == args.size()) {
          return "option '" + name + "' needs a value";
        }
        value = args[++i];
      }
      if (value.empty()) {
        return "option '" + name + "' needs a value";
      }
      if (name == "--port") {
        request->port = value;
        request->portGiven = true;
      } else {
        request->compare = value;
      }
    } else if (name.compare(0, 1, "-") == 0) {
      return "unknown option '" + name + "'";
    } else {
      return "unexpected argument '" + name + "'";
    }
  }
  if (request->text && !request->compare.empty()) {
    return "--text and --compare exclude each other";
  }
  return "";
}

// The port the window would program: the settings' choice.
std::string SettingsPort() {
  const std::string romDirectory = DefaultRomDirectory();
  const std::string home = romDirectory.substr(0, romDirectory.rfind('/'));
  return ReadSettings(Utf8SettingsFile(SETTINGS_FILE_NAME, home), VIRTUAL_PORT_NAME).port;
}

void PrintRecord(const RomRecord& record) {
  printf("Port: %s\n", record.port.c_str());
  printf("Key: %s\n", record.key.c_str());
  printf("%s: %s\n", record.state == RomRecord::State::ERASED ? "Erased" : "Programmed",
         RomTimeText(record.time).c_str());
  printf("Speed: %s\n", RomSpeedText(record.speed).c_str());
  printf("Scenes: %d\n", record.sceneCount);
  printf("State: %s\n", RomStateText(record).c_str());
  printf("SHA-256: %s\n", record.sha256.c_str());
}

}  // namespace

int Rom(const std::vector<std::string>& args) {
  RomRequest request;
  const std::string error = ParseRom(args, &request);
  if (!error.empty()) {
    return Usage("rom", error);
  }
  if (request.help) {
    fputs(ROM_HELP, stdout);
    return FinishOutput(EXIT_OK);
  }
  const std::string port = request.portGiven ? request.port : SettingsPort();
  if (port.empty()) {
    return Usage("rom", "no port given (--port), and the settings name none");
  }
  Scenario scenario;
  if (!request.compare.empty()) {
    const int readError = ReadScenarioFile(request.compare, &scenario, nullptr);
    if (readError != 0) {
      PrintError(request.compare, ScenarioReadErrorText(readError));
      return EXIT_DIFFERENT;
    }
  }
  const RomRecordRead read = ReadRomRecord(DefaultRomDirectory(), port);
  if (!read.warning.empty()) {
    fprintf(stderr, "lumivane-cli: warning: %s\n", read.warning.c_str());
  }
  if (!read.Found()) {
    PrintError(port, "no record of what the boards hold");
    return EXIT_DIFFERENT;
  }
  if (request.text) {
    fwrite(read.record.text.data(), 1, read.record.text.size(), stdout);
    return FinishOutput(EXIT_OK);
  }
  if (request.compare.empty()) {
    PrintRecord(read.record);
    return FinishOutput(EXIT_OK);
  }
  const RomComparison comparison = CompareRomWithScenario(read.record, scenario);
  if (comparison.same) {
    printf("Same as %s\n", request.compare.c_str());
    return FinishOutput(EXIT_OK);
  }
  for (const std::string& difference : comparison.differences) {
    printf("%s\n", difference.c_str());
  }
  return FinishOutput(EXIT_DIFFERENT);
}
