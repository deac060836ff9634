#pragma once

// Test seam of ReplaceFileContents (core/fs/atomic_replace.h), not part of
// its interface. It is called once the temporary file is complete, synced
// and closed, just before it is renamed over the file. The library's
// definition is weak and does nothing; a test binary defines its own to
// stop the process at that moment or to note the temporary's name.
void ReplaceHookBeforeRename(const char* tempName);
