#pragma once
// Reading and saving a scenario file.
#include <ctime>
#include <string>

#include "core/model/scenario.h"

// Reads the regular file at path and parses it (ParseScenarioText).
// Returns 0, or an errno value with *out and *modificationTime untouched
// (EISDIR for a directory, EINVAL for another file that is not regular).
// modificationTime may be null.
int ReadScenarioFile(const std::string& path, Scenario* out, time_t* modificationTime);
// The same, telling where in the file each part stands.
struct ScenarioLines;
int ReadScenarioFileLines(const std::string& path, Scenario* out, ScenarioLines* lines);

// The modification time of the regular file at path, from one look at it;
// -1 when it is gone, unreadable or not a regular file. A file watch that
// compares it with the time it last read counts -1 as "no change".
time_t ScenarioFileTime(const std::string& path);

// Writes the scenario's text (WriteScenarioText) in the place of the file
// at path in one step (ReplaceFileContents): a failed save leaves the old
// file as it was. Returns 0 or an errno value. On success sets
// *modificationTime (when not null) to the saved file's, if it can be read.
int SaveScenarioFile(const std::string& path, const Scenario& scenario, time_t* modificationTime);
