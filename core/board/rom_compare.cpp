#include "core/board/rom_compare.h"

#include <algorithm>

#include "core/format/scenario_text.h"

namespace {

// What one scene puts in the boards.
struct StoredScene {
  std::string name;
  std::vector<SentRange> rows;
  int fade = 0;
  unsigned char hold = 0;
  double holdSeconds = 0;
};

bool SameRows(const std::vector<SentRange>& a, const std::vector<SentRange>& b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const SentRange& x, const SentRange& y) {
           return x.from == y.from && x.to == y.to && x.colour == y.colour && x.blink == y.blink;
         });
}

bool SameContent(const StoredScene& a, const StoredScene& b) {
  return a.fade == b.fade && a.hold == b.hold && SameRows(a.rows, b.rows);
}

// Both sides are read from their file text, so that the rules of the
// scenario file apply alike to what was programmed and to what is open.
std::vector<StoredScene> StoredScenes(const Scenario& scenario) {
  std::vector<StoredScene> scenes;
  for (const Scene& scene : scenario.scenes) {
    StoredScene stored;
    stored.name = scene.name;
    stored.fade = scene.fade;
    stored.hold = scene.hold.RomByte();
    stored.holdSeconds = scene.hold.Seconds();
    for (const Row& row : scene.rows) {
      SentRange range;
      if (RowSent(row, &range)) {
        stored.rows.push_back(range);
      }
    }
    scenes.push_back(std::move(stored));
  }
  return scenes;
}

std::string SceneLabel(int number, const std::string& name) {
  return "scene " + std::to_string(number) + " \"" + name + "\"";
}

std::string HowTheyDiffer(const StoredScene& boards, const StoredScene& open) {
  std::vector<std::string> parts;
  if (!SameRows(boards.rows, open.rows)) {
    if (boards.rows.size() != open.rows.size()) {
      parts.push_back("rows (" + std::to_string(boards.rows.size()) + " in the boards, " +
                      std::to_string(open.rows.size()) + " here)");
    } else {
      size_t row = 0;
      while (row < open.rows.size() && SameRows({boards.rows[row]}, {open.rows[row]})) {
        ++row;
      }
      parts.push_back("rows (row " + std::to_string(row + 1) + " of those sent differs)");
    }
  }
  if (boards.fade != open.fade) {
    parts.push_back("fade (" + std::to_string(boards.fade) + " in the boards, " + std::to_string(open.fade) +
                    " here)");
  }
  if (boards.hold != open.hold) {
    parts.push_back("hold (" + HoldText(boards.holdSeconds) + " s in the boards, " + HoldText(open.holdSeconds) +
                    " s here)");
  }
  std::string text;
  for (const std::string& part : parts) {
    text += (text.empty() ? "" : ", ") + part;
  }
  return text;
}

}  // namespace

Scenario ProgrammedScenario(const RomRecord& record) { return ParseScenarioText(record.text); }

RomComparison CompareRomWithScenario(const RomRecord& record, const Scenario& scenario) {
  RomComparison result;
  if (record.state == RomRecord::State::ERASED) {
    result.differences.push_back("the boards hold no scenes: their ROM was erased");
    return result;
  }
  const std::vector<StoredScene> boards = StoredScenes(ProgrammedScenario(record));
  const std::vector<StoredScene> open = StoredScenes(ParseScenarioText(WriteScenarioText(scenario)));
  const int held = std::min(record.scenesStored, static_cast<int>(boards.size()));
  if (record.state == RomRecord::State::PARTIAL) {
    result.differences.push_back("scenes " + std::to_string(held + 1) + " to " + std::to_string(boards.size()) +
                                 " were not stored: Program stopped");
  }
  const int openCount = static_cast<int>(open.size());
  for (int scene = 0; scene < std::min(held, openCount); ++scene) {
    if (SameContent(boards[scene], open[scene])) {
      continue;
    }
    const std::string label = SceneLabel(scene + 1, open[scene].name);
    // The scene as the boards hold it elsewhere: the scenes moved.
    int elsewhere = -1;
    for (int other = 0; other < held && elsewhere < 0; ++other) {
      if (other != scene && SameContent(boards[other], open[scene])) {
        elsewhere = other;
      }
    }
    if (elsewhere >= 0) {
      result.differences.push_back(label + ": order (the boards hold it as scene " + std::to_string(elsewhere + 1) +
                                   ")");
    } else {
      result.differences.push_back(label + ": " + HowTheyDiffer(boards[scene], open[scene]));
    }
  }
  for (int scene = held; scene < openCount; ++scene) {
    result.differences.push_back(SceneLabel(scene + 1, open[scene].name) + ": not in the boards");
  }
  for (int scene = openCount; scene < held; ++scene) {
    result.differences.push_back(SceneLabel(scene + 1, boards[scene].name) + " of the boards: not in the scenario");
  }
  result.same = result.differences.empty();
  return result;
}
