#pragma once
// Rows that a save leaves out: the scenario file holds a row only as a
// range of board numbers, so a note without a usable From has no place in it.
#include "core/model/scenario.h"

// How many rows with any content the file will not hold, over all scenes.
int RowsLeftOutOfFile(const Scenario& scenario);
