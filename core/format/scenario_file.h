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

// Writes the scenario's text (WriteScenarioText) in the place of the file
// at path in one step (ReplaceFileContents): a failed save leaves the old
// file as it was. Returns 0 or an errno value. On success sets
// *modificationTime (when not null) to the saved file's, if it can be read.
int SaveScenarioFile(const std::string& path, const Scenario& scenario, time_t* modificationTime);
