// lumivane-cli info: what a scenario costs on the line, scene by scene, as
// a table or as JSON, with the time Program would take.
#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/board/link_budget.h"
#include "core/format/scenario_file.h"
#include "tools/command_line.h"

int Info(const std::vector<std::string>& args);

namespace {


const char INFO_HELP[] =
    "Usage: lumivane-cli info FILE [--speed standard|high] [--json]\n"
    "Prints what each scene of FILE costs on the line to the boards: one line\n"
    "per scene with its number, name, rows sent, the bytes of its transfer,\n"
    "their time on the line and its hold; then the totals, the time the\n"
    "opening of the link takes and the time Program would take, with the\n"
    "protocol's pauses.\n"
    "\n"
    "  --speed SPEED    standard (9600 bit/s, the default) or high (115200)\n"
    "  --json           the same as one JSON object, times in seconds\n";

struct InfoRequest {
  std::string file;
  LinkSpeed speed = LinkSpeed::STANDARD;
  bool json = false;
  bool help = false;
};

// An error text, or "" when the arguments were taken.
std::string ParseInfoRequest(const std::vector<std::string>& args, InfoRequest* request) {
  return TakeScenarioArguments(args, &request->help, &request->file, [&](size_t& i) -> std::string {
    const std::string& arg = args[i];
    if (arg == "--json") {
      request->json = true;
      return "";
    }
    if (arg != "--speed" && arg.rfind("--speed=", 0) != 0) {
      return "unknown option '" + arg + "'";
    }
    return TakeSpeedOption(args, i, &request->speed);
  });
}

// Seconds to the millisecond, as JSON numbers.
double Milliseconds(double seconds) { return std::round(seconds * 1000) / 1000; }

double HoldSum(const Scenario& scenario) {
  double sum = 0;
  for (const Scene& scene : scenario.scenes) {
    sum += scene.hold.Seconds();
  }
  return sum;
}

std::string Json(const Scenario& scenario, const ScenarioBudget& budget) {
  nlohmann::ordered_json scenes = nlohmann::ordered_json::array();
  for (size_t i = 0; i < budget.scenes.size(); ++i) {
    const SceneBudget& scene = budget.scenes[i];
    scenes.push_back({{"number", i + 1},
                      {"name", scenario.scenes[i].name},
                      {"rows", scene.rowsSent},
                      {"bytes", scene.bytes},
                      {"seconds", Milliseconds(scene.seconds)},
                      {"hold", scene.hold.Seconds()},
                      {"falls_behind", scene.OutlastsHold()}});
  }
  nlohmann::ordered_json info = {
      {"speed", budget.speed == LinkSpeed::HIGH ? "high" : "standard"},
      {"baud", budget.baud},
      {"scenes", scenes},
      {"total", {{"rows", budget.rowsSent}, {"bytes", budget.bytes}, {"seconds", Milliseconds(budget.seconds)},
                 {"hold", HoldSum(scenario)}}},
      {"opening_seconds", Milliseconds(budget.openingSeconds)},
      {"program_seconds", Milliseconds(budget.programSeconds)},
  };
  // Names are the file's bytes; one that is no UTF-8 is kept as it is.
  return info.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) + "\n";
}

// The columns after the name: rows, bytes, transfer, hold, a remark.
const char FIGURES[] = "  %5s  %9s  %9s  %9s%s\n";

// A name filled up to `width` bytes.
std::string Padded(const std::string& name, size_t width) {
  return name.size() < width ? name + std::string(width - name.size(), ' ') : name;
}

std::string Table(const Scenario& scenario, const ScenarioBudget& budget) {
  size_t width = 4;
  for (const Scene& scene : scenario.scenes) {
    width = std::max(width, scene.name.size());
  }
  char figures[160];
  snprintf(figures, sizeof figures, FIGURES, "Rows", "Bytes", "Transfer", "Hold", "");
  std::string text = "Scene  " + Padded("Name", width) + figures;
  for (size_t i = 0; i < budget.scenes.size(); ++i) {
    const SceneBudget& scene = budget.scenes[i];
    snprintf(figures, sizeof figures, FIGURES, CountText(scene.rowsSent).c_str(), CountText(scene.bytes).c_str(),
             SecondsText(scene.seconds).c_str(), SecondsText(scene.hold.Seconds()).c_str(),
             scene.OutlastsHold() ? "  falls behind" : "");
    char number[32];
    snprintf(number, sizeof number, "%5zu  ", i + 1);
    text += number + Padded(scenario.scenes[i].name, width) + figures;
  }
  snprintf(figures, sizeof figures, FIGURES, CountText(budget.rowsSent).c_str(), CountText(budget.bytes).c_str(),
           SecondsText(budget.seconds).c_str(), SecondsText(HoldSum(scenario)).c_str(), "");
  text += "Total  " + Padded("", width) + figures;
  text += "\nAt " + std::to_string(budget.baud) + " bit/s, 10 bits a byte.\n";
  text += "Opening the link: " + SecondsText(budget.openingSeconds) + "\n";
  text += "Program: " + SecondsText(budget.programSeconds);
  text += budget.programSeconds >= 60 ? " (" + DurationText(budget.programSeconds) + ")\n" : "\n";
  return text;
}

}  // namespace

int Info(const std::vector<std::string>& args) {
  InfoRequest request;
  const std::string error = ParseInfoRequest(args, &request);
  Scenario scenario;
  const int begun = BeginOnScenario("info", error, request.help, INFO_HELP, request.file, &scenario);
  if (begun != GO_ON) {
    return begun;
  }
  const ScenarioBudget budget = BudgetOfScenario(scenario, request.speed);
  const std::string text = request.json ? Json(scenario, budget) : Table(scenario, budget);
  fwrite(text.data(), 1, text.size(), stdout);
  return FinishOutput(EXIT_OK);
}
