#pragma once
// Progress line of netfetch: "\rDownloading ... N % " rewritten in place on
// one terminal line.

#include <cstddef>
#include <cstdint>

// Whole percent of `now` bytes out of `total`, the fraction dropped.
// A total of 0 or less (size not announced yet) gives 0; never above 100.
int ProgressPercent(int64_t now, int64_t total);

// Writes the progress line for `percent` into `buffer` (NUL-terminated,
// truncated to `size`). Returns the length of the full line.
int FormatProgressLine(char* buffer, size_t size, int percent);

// Remembers the percentage last shown, so the line is printed only when it
// changes: a download prints at most about a hundred lines, however fast.
struct ProgressLine {
  int shown = -1;  // -1: nothing shown yet
};

// Records `percent` and returns true when it differs from the value last
// shown (or nothing was shown yet); the caller then prints the line.
bool ProgressChanged(ProgressLine* line, int percent);
