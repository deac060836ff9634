#pragma once
// The scenario check: mistakes that would otherwise show only in front of
// the boards. One implementation serves the window's Check scenario and
// `lumivane-cli check`.
#include <string>
#include <utility>
#include <vector>

#include "core/model/scenario.h"

// A note is the mildest: worth knowing, often meant that way.
enum class Severity { ERROR, WARNING, NOTE };

// What a finding is about, where a reader needs more than its text: the
// kinds a long scene repeats row after row come as one finding a scene.
enum class FindingKind {
  OTHER,
  ALIASED_BOARDS,    // rows whose boards go out as other boards on the wire
  OVERLAPPING_ROWS,  // rows that drive boards an earlier row drives
  HOLD_IN_RUN,       // a hold of 0 among scenes that move on
  SLOW_TRANSFER,     // a transfer longer than the scene's hold
};

// Rows from 0, first to last.
using RowSpan = std::pair<int, int>;

struct Finding {
  Severity severity = Severity::WARNING;
  int scene = -1;  // from 0; -1 for the scenario as a whole
  int row = -1;    // from 0; -1 for the scene as a whole; a group's first row
  int input = -1;  // from 0, for a finding about an input
  std::string message;
  // The message's English pattern and what fills its places (FillPattern),
  // for the window to show it translated.
  std::string pattern;
  std::vector<std::string> arguments;
  FindingKind kind = FindingKind::OTHER;
  // A finding that stands for several rows: them, in order; empty for one row.
  std::vector<RowSpan> rows;
};

// Every finding, in scene and row order, then the inputs'. Boards aliased
// on the wire and rows driving the same boards come as one finding for
// each scene, with the rows and boards as ranges, at the place of the
// first row; every other finding is about one row, scene or input.
std::vector<Finding> CheckScenario(const Scenario& scenario);

// "error", "warning" or "note"; the window shows it translated.
const char* SeverityName(Severity severity);

// Where a finding is: `scene 2 "Finale", row 3`, `scene 2 "Finale", rows
// 3-9, 12`, `scene 2 "Finale"` or `input 3`; counted from 1.
std::string FindingPlace(const Scenario& scenario, const Finding& finding);

// The rows of a finding, counted from 1: "3", "3-9, 12", or empty for a
// finding about no row.
std::string FindingRows(const Finding& finding);
