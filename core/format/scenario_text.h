#pragma once
// A scenario as the text of its file (see scenario_format.h), both ways.
#include <array>
#include <string>
#include <vector>

#include "core/model/scenario.h"

// The file's text. The rows that RowWritten takes become range lines
// numbered from 1; a newline in a name or
// description becomes a blank, and both are cut (between characters) so
// that every line fits in one 511-byte piece of the INI reader. Scenes past
// the 64th are left out; only custom colours that are set are written.
std::string WriteScenarioText(const Scenario& scenario);

// The scenario a file's text describes, read as the INI reader reads it
// (pieces of at most 511 bytes, the first of equal sections and keys).
// Scene sections "Scene1" to "Scene64" in order; a section without a name
// is skipped, except that the first scene is always there ("Scene 1" when
// unnamed). Ranges are read from "range1" up to the first that is missing
// or unusable; each read scene ends with the empty row for appending, and
// its rows are set as the table shows them (To only above From, Blink only
// above 0). Values that do not parse leave the defaults; a custom colour
// the file does not give well stays unset. Names and descriptions that are
// not UTF-8 are taken as Latin-1 (TextFromFile).
Scenario ParseScenarioText(const std::string& text);

// Where in a file's text a scenario's parts stand: line numbers from 1, 0
// for a part the file does not hold. Scenes and rows are those of the
// scenario that ParseScenarioText reads from the same text.
struct ScenarioLines {
  struct SceneLines {
    int name = 0;
    int hold = 0;
    std::vector<int> rows;
  };
  std::vector<SceneLines> scenes;
  std::array<int, INPUT_COUNT> inputs{};
  // The header of the first named scene section past the ones held.
  int firstSceneLeftOut = 0;
};
Scenario ParseScenarioText(const std::string& text, ScenarioLines* lines);
// The same, telling how many named scene sections past "Scene64" were
// left out ("Scene65" and on, each number once). `lines` may be null.
Scenario ParseScenarioText(const std::string& text, ScenarioLines* lines, int* scenesLeftOut);
