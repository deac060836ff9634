#pragma once
#include <string>

// Where the window keeps the records of what the boards hold: "rom" in the
// toolkit's per-user directory (~/.lumivane/rom).
std::string RomRecordDirectory();
