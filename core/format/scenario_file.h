#pragma once
// Reading and saving a scenario file.
#include <ctime>
#include <string>

#include "core/model/scenario.h"

// Reads the regular file at path and parses it (ParseScenarioText).
// Returns 0, or an errno value with *out and *modificationTime untouched
// (EISDIR for a directory, EINVAL for another file that is not regular).
// modificationTime may be null.
// A file over SCENARIO_MAX_FILE_BYTES is refused with EFBIG, unread.
int ReadScenarioFile(const std::string& path, Scenario* out, time_t* modificationTime);
// The same, telling how many scenes past the ones held were left out.
int ReadScenarioFile(const std::string& path, Scenario* out, time_t* modificationTime, int* scenesLeftOut);
// The same, telling where in the file each part stands.
struct ScenarioLines;
int ReadScenarioFileLines(const std::string& path, Scenario* out, ScenarioLines* lines, int* scenesLeftOut);

// Far beyond any scenario (64 scenes of thousands of rows), far below what
// would exhaust memory.
constexpr long long SCENARIO_MAX_FILE_BYTES = 64LL * 1024 * 1024;

// Why a read failed, for the user: the system's text, or for EFBIG that the
// file is too large to be a scenario.
std::string ScenarioReadErrorText(int error);

// The modification time of the regular file at path, from one look at it;
// -1 when it is gone, unreadable or not a regular file. A file watch that
// compares it with the time it last read counts -1 as "no change".
time_t ScenarioFileTime(const std::string& path);

// Writes the scenario's text (WriteScenarioText) in the place of the file
// at path in one step (ReplaceFileContents): a failed save leaves the old
// file as it was. Returns 0 or an errno value. On success sets
// *modificationTime (when not null) to the saved file's, if it can be read.
int SaveScenarioFile(const std::string& path, const Scenario& scenario, time_t* modificationTime);
