#pragma once

// Test seam of the scenario writer, not part of its interface. The writer
// calls this once the temporary file is complete, synced and closed, just
// before it is renamed over the scenario file. The library's definition is
// weak and does nothing; a test binary defines its own to stop the process
// at that moment.
void ScenarioHookBeforeReplace(const char* tempName);
