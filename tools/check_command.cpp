// lumivane-cli check: the scenario check, one line per finding in the form
// compilers use, so that editors and CI jobs can go to the line.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/board/link_budget.h"
#include "core/format/scenario_file.h"
#include "core/format/scenario_text.h"
#include "core/model/scenario_check.h"
#include "tools/command_line.h"

namespace {

const char CHECK_HELP[] =
    "Usage: lumivane-cli check FILE... [--speed standard|high]\n"
    "Checks scenario files for mistakes that would show on the boards: rows\n"
    "never sent, boards addressed as others, rows driving the same boards,\n"
    "inputs jumping to missing scenes, descriptions a save cuts, repeated\n"
    "scene names, empty scenes, holds of 0 in a run, scenes past the 64 held,\n"
    "transfers longer than their scene's hold at the link's speed.\n"
    "One line per finding, an error, a warning or a note:\n"
    "  FILE:LINE: error: scene 2 \"Finale\", row 3: From 0 is never sent\n"
    "Rows of a scene that alias boards or drive the same boards come as one\n"
    "line, at the line of the first of them.\n"
    "\n"
    "  --speed SPEED    standard (9600 bit/s, the default) or high (115200)\n"
    "\n"
    "Exit status: 0 no error, 1 an error found or a file too large to be a\n"
    "scenario, 2 a file unreadable or wrong usage.\n";

// The file line a finding is about; 1 when the file holds no line for it.
int LineOf(const ScenarioLines& lines, const Finding& finding) {
  int line = 0;
  if (finding.input >= 0) {
    line = lines.inputs[finding.input];
  } else if (finding.scene >= 0 && finding.scene < static_cast<int>(lines.scenes.size())) {
    const ScenarioLines::SceneLines& scene = lines.scenes[finding.scene];
    if (finding.row >= 0 && finding.row < static_cast<int>(scene.rows.size())) {
      line = scene.rows[finding.row];
    } else if (finding.kind == FindingKind::HOLD_IN_RUN || finding.kind == FindingKind::SLOW_TRANSFER) {
      line = scene.hold;
    }
    line = line != 0 ? line : scene.name;
  }
  return line != 0 ? line : 1;
}

}  // namespace

int Check(const std::vector<std::string>& args) {
  std::vector<std::string> files;
  LinkSpeed speed = LinkSpeed::STANDARD;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") {
      return ShowHelp(CHECK_HELP);
    }
    if (arg == "--speed" || arg.rfind("--speed=", 0) == 0) {
      const std::string error = TakeSpeedOption(args, i, &speed);
      if (!error.empty()) {
        return Usage("check", error);
      }
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      return Usage("check", "unknown option '" + arg + "'");
    }
    files.push_back(arg);
  }
  if (files.empty()) {
    return Usage("check", "no scenario file given");
  }
  bool unreadable = false;
  bool error = false;
  for (const std::string& file : files) {
    Scenario scenario;
    ScenarioLines lines;
    int scenesLeftOut = 0;
    const int failure = ReadScenarioFileLines(file, &scenario, &lines, &scenesLeftOut);
    if (failure != 0) {
      PrintError(file, ScenarioReadErrorText(failure));
      // A file too large is no scenario: an error in it, not a failure to read.
      (failure == EFBIG ? error : unreadable) = true;
      continue;
    }
    if (scenesLeftOut > 0) {
      printf("%s:%d: %s: scenario: %d scene%s past the %dth %s left out; a save drops %s\n", file.c_str(),
             lines.firstSceneLeftOut, SeverityName(Severity::ERROR), scenesLeftOut, scenesLeftOut == 1 ? "" : "s",
             MAX_SCENES, scenesLeftOut == 1 ? "is" : "are", scenesLeftOut == 1 ? "it" : "them");
      error = true;
    }
    for (const Finding& finding : CheckScenarioOnLine(scenario, speed)) {
      printf("%s:%d: %s: %s: %s\n", file.c_str(), LineOf(lines, finding), SeverityName(finding.severity),
             FindingPlace(scenario, finding).c_str(), finding.message.c_str());
      error = error || finding.severity == Severity::ERROR;
    }
  }
  if (fflush(stdout) != 0) {
    return 1;
  }
  return unreadable ? 2 : (error ? 1 : 0);
}
