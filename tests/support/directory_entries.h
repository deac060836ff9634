#pragma once
// What a directory holds, for tests that check a save left no temporary.
#include <string>
#include <vector>

// The names in `path` but "." and "..", sorted; none when it cannot be read.
std::vector<std::string> DirectoryEntries(const std::string& path);
