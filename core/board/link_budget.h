#pragma once
// The link budget: what a scenario costs on the line to the boards. For
// each scene the bytes of its transfer and their time on the line; for
// the scenario the time of an opening and of Program as a whole, with the
// protocol's pauses and breaks. The check, the status bar, `lumivane-cli
// info` and Program's progress all take their figures from here.
#include <string>
#include <vector>

#include "core/board/board_commands.h"
#include "core/model/scenario.h"
#include "core/model/scenario_check.h"

// A transfer: select all (5 bytes) and the fade (2), then for each row
// sent its select (5), colour (2) and blink (2).
constexpr long TRANSFER_BYTES = 7;
constexpr long TRANSFER_ROW_BYTES = 9;

// The rate a speed runs the line at: 9600 or 115200 bit/s.
int BaudOf(LinkSpeed speed);

// Seconds that `bytes` take on the line at `baud` (10 bits a byte).
double LineSeconds(long bytes, int baud);

struct SceneBudget {
  int rowsSent = 0;
  long bytes = 0;
  double seconds = 0;  // the bytes on the line
  HoldTime hold;

  // A run falls behind here: the transfer outlasts a hold that ends.
  bool OutlastsHold() const { return !hold.HoldsForever() && seconds > hold.Seconds(); }
};

SceneBudget BudgetOfScene(const Scene& scene, LinkSpeed speed);

struct ScenarioBudget {
  LinkSpeed speed = LinkSpeed::STANDARD;
  int baud = STANDARD_BAUD;
  std::vector<SceneBudget> scenes;
  int rowsSent = 0;     // all scenes
  long bytes = 0;       // one transfer of every scene
  double seconds = 0;   // those bytes on the line
  double openingSeconds = 0;  // sync, pauses, break and any speed switch
  double programSeconds = 0;  // Program from a closed port to its end
};

ScenarioBudget BudgetOfScenario(const Scenario& scenario, LinkSpeed speed);

// How long opening the link takes, pauses and breaks included.
double OpeningSeconds(LinkSpeed speed);

// ---- Texts ----------------------------------------------------------------
// A count with thousands separated: "4,606".
std::string CountText(long count);
// Seconds to a tenth: "4.8 s".
std::string SecondsText(double seconds);
// A duration as a person reads it: "42 s", "3 min 05 s".
std::string DurationText(double seconds);

// ---- The check ------------------------------------------------------------
// The warning for a scene whose transfer outlasts its hold (kind
// SLOW_TRANSFER); false when it keeps time or has no hold.
bool SlowTransferFinding(const Scene& scene, int index, LinkSpeed speed, Finding* finding);

// CheckScenario, and after each scene's own findings the warning when its
// transfer at `speed` outlasts its hold.
std::vector<Finding> CheckScenarioOnLine(const Scenario& scenario, LinkSpeed speed);
