#pragma once
// The scenario check: mistakes that would otherwise show only in front of
// the boards. One implementation serves the window's Check scenario and
// `lumivane-cli check`.
#include <string>
#include <vector>

#include "core/model/scenario.h"

// A note is the mildest: worth knowing, often meant that way.
enum class Severity { ERROR, WARNING, NOTE };

struct Finding {
  Severity severity = Severity::WARNING;
  int scene = -1;  // from 0; -1 for the scenario as a whole
  int row = -1;    // from 0; -1 for the scene as a whole
  int input = -1;  // from 0, for a finding about an input
  std::string message;
  // The message's English pattern and what fills its places (FillPattern),
  // for the window to show it translated.
  std::string pattern;
  std::vector<std::string> arguments;
};

// Every finding, in scene and row order, then the inputs'.
std::vector<Finding> CheckScenario(const Scenario& scenario);

// "error", "warning" or "note"; the window shows it translated.
const char* SeverityName(Severity severity);

// Where a finding is: `scene 2 "Finale", row 3`, `scene 2 "Finale"` or
// `input 3`; counted from 1.
std::string FindingPlace(const Scenario& scenario, const Finding& finding);
