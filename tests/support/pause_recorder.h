#pragma once
#include <vector>

// The test build's pause: records each pause in order instead of sleeping.
std::vector<int>& RecordedPauses();
