#pragma once
// A record of what the boards hold (rom_record.h) set against a scenario:
// the same when programming the scenario would store what the boards hold,
// else the scenes that differ and how (rows, fade, hold, order), one line
// each. What does not reach the boards (names, descriptions, column widths)
// does not count.
#include <string>
#include <vector>

#include "core/board/rom_record.h"
#include "core/model/scenario.h"

struct RomComparison {
  bool same = false;
  std::vector<std::string> differences;  // empty when same
};

RomComparison CompareRomWithScenario(const RomRecord& record, const Scenario& scenario);

// The scenario the record's text describes (a copy of what was programmed).
Scenario ProgrammedScenario(const RomRecord& record);
