#pragma once
#include <vector>

// The test build's pause: records each pause in order instead of sleeping.
// Each pause also goes into the simulated FTDI device's event log
// (support/ftdi_sim.h), between the calls around it.
std::vector<int>& RecordedPauses();
