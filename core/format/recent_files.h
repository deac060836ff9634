#pragma once
// The scenarios opened or saved last, newest first, as File > Open Recent
// lists them. The list is part of the settings (app_settings.h).
#include <string>
#include <vector>

inline constexpr int RECENT_FILES_LIMIT = 9;

// The list once `path` was opened or saved: `path` first, no other entry
// for it, and at most RECENT_FILES_LIMIT entries. An empty path changes
// nothing.
std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& path);

// The list without `path`: a file that was found missing leaves it.
std::vector<std::string> WithoutRecentFile(std::vector<std::string> list, const std::string& path);

// What the menu shows of each entry: the file's name, or its whole path
// when another entry has the same name, after "&1 ", "&2 ", ... so that the
// digits choose an entry from the keyboard. An "&" in a name is doubled so
// that it shows as itself.
std::vector<std::string> RecentMenuLabels(const std::vector<std::string>& list);
