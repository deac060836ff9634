#pragma once

// Test seam of the INI writer, not part of its interface. The writer calls
// this after the temporary file is complete and synced to disk, just before
// it takes the file's place. The library's definition is weak and does
// nothing; a test binary defines its own to stop the process at that moment.
void IniHookBeforeReplace(const char* tempName);
