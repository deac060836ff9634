#include "tools/command_line.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/format/scenario_file.h"

namespace {

const char PROGRAM[] = "lumivane-cli";

}  // namespace

void PrintError(const std::string& subject, const std::string& reason) {
  fprintf(stderr, "%s: %s: %s\n", PROGRAM, subject.c_str(), reason.c_str());
}

int Usage(const std::string& command, const std::string& text) {
  const std::string help = command.empty() ? std::string(PROGRAM) + " --help"
                                           : std::string(PROGRAM) + " " + command + " --help";
  fprintf(stderr, "%s: %s (see %s)\n", PROGRAM, text.c_str(), help.c_str());
  return EXIT_USAGE;
}

int ShowHelp(const char* text) {
  fputs(text, stdout);
  return fflush(stdout) == 0 ? EXIT_OK : EXIT_FAILED;
}

int FinishOutput(int status) {
  if (fflush(stdout) != 0 || ferror(stdout)) {
    PrintError("standard output", strerror(errno != 0 ? errno : EIO));
    return EXIT_FAILED;
  }
  return status;
}

bool ReadScenario(const std::string& path, Scenario* scenario, time_t* modificationTime) {
  const int error = ReadScenarioFile(path, scenario, modificationTime);
  if (error != 0) {
    PrintError(path, strerror(error));
    return false;
  }
  return true;
}

int BeginOnScenario(const std::string& command, const std::string& parseError, bool help, const char* helpText,
                    const std::string& file, Scenario* scenario) {
  if (!parseError.empty()) {
    return Usage(command, parseError);
  }
  if (help) {
    return ShowHelp(helpText);
  }
  return ReadScenario(file, scenario) ? GO_ON : EXIT_FAILED;
}

std::string ParseSpeed(const std::string& value, LinkSpeed* speed) {
  if (value == "standard") {
    *speed = LinkSpeed::STANDARD;
  } else if (value == "high") {
    *speed = LinkSpeed::HIGH;
  } else {
    return "speed '" + value + "' is neither standard nor high";
  }
  return "";
}

std::string TakeSpeedOption(const std::vector<std::string>& args, size_t& i, LinkSpeed* speed) {
  const std::string& arg = args[i];
  std::string value;
  if (arg != "--speed") {
    value = arg.substr(arg.find('=') + 1);
  } else if (i + 1 < args.size()) {
    value = args[++i];
  } else {
    return "option '--speed' needs a value";
  }
  return ParseSpeed(value, speed);
}

std::string TakeScenarioArguments(const std::vector<std::string>& args, bool* help, std::string* file,
                                  const OptionTaker& option) {
  std::vector<std::string> files;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg == "-" || arg.empty() || arg[0] != '-') {
      files.push_back(arg);
    } else if (arg == "--") {
      optionsEnded = true;  // a file name may begin with "-" after it
    } else if (arg == "--help" || arg == "-h") {
      *help = true;
    } else {
      const std::string error = option(i);
      if (!error.empty()) {
        return error;
      }
    }
  }
  if (*help) {
    return "";
  }
  if (files.empty()) {
    return "no scenario file given";
  }
  if (files.size() > 1) {
    return "one scenario file only, not also '" + files[1] + "'";
  }
  *file = files[0];
  return "";
}
