#pragma once
// The file netfetch downloads into. A regular file is written under a
// temporary name beside it and renamed into place only once the download
// has succeeded, so a failed or interrupted download neither leaves a
// partial file behind nor destroys the file that was there before.
// Anything else that can be opened for writing (a device, a pipe) is
// written directly.

#include <cstdio>
#include <string>

struct OutputFile {
  FILE* file = nullptr;   // open while the download runs
  std::string path;       // where the result belongs
  std::string tempPath;   // written instead of `path`; empty when direct
  bool created = false;   // direct writing created `path` itself
};

// Opens the output for `path`, failing when the file could not be created
// or opened for writing as named (missing directory, no permission, a
// directory). Nothing is created on failure.
bool OutputOpen(OutputFile* out, const char* path);

// Closes the file; false when buffered data could not be written.
bool OutputClose(OutputFile* out);

// Moves a finished download into place. False when that fails; the
// temporary file is then removed.
bool OutputCommit(OutputFile* out);

// Throws away an unfinished download: removes the temporary file, or the
// file that direct writing created. Closes the file first if still open.
void OutputDiscard(OutputFile* out);
