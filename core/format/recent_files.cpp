#include "core/format/recent_files.h"

#include <algorithm>

namespace {

std::string FileName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string WithMnemonicsEscaped(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    escaped += c;
    if (c == '&') {
      escaped += '&';
    }
  }
  return escaped;
}

}  // namespace

std::vector<std::string> WithRecentFile(std::vector<std::string> list, const std::string& path) {
  if (path.empty()) {
    return list;
  }
  list = WithoutRecentFile(std::move(list), path);
  list.insert(list.begin(), path);
  if (list.size() > static_cast<size_t>(RECENT_FILES_LIMIT)) {
    list.resize(RECENT_FILES_LIMIT);
  }
  return list;
}

std::vector<std::string> WithoutRecentFile(std::vector<std::string> list, const std::string& path) {
  list.erase(std::remove(list.begin(), list.end(), path), list.end());
  return list;
}

std::vector<std::string> RecentMenuLabels(const std::vector<std::string>& list) {
  std::vector<std::string> labels;
  for (size_t i = 0; i < list.size(); ++i) {
    const std::string name = FileName(list[i]);
    const bool shared = std::count_if(list.begin(), list.end(), [&name](const std::string& other) {
                          return FileName(other) == name;
                        }) > 1;
    labels.push_back("&" + std::to_string(i + 1) + " " + WithMnemonicsEscaped(shared ? list[i] : name));
  }
  return labels;
}
