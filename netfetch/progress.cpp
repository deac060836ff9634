#include "netfetch/progress.h"

#include <cstdio>

int ProgressPercent(int64_t now, int64_t total) {
  if (total <= 0 || now <= 0) {
    return 0;
  }
  if (now >= total) {
    return 100;
  }
  // 128 bits keep now * 100 exact for any size.
  const unsigned __int128 scaled = static_cast<unsigned __int128>(now) * 100;
  return static_cast<int>(scaled / static_cast<unsigned __int128>(total));
}

int FormatProgressLine(char* buffer, size_t size, int percent) {
  return std::snprintf(buffer, size, "\rDownloading ... %d %% ", percent);
}

bool ProgressChanged(ProgressLine* line, int percent) {
  if (line->shown == percent) {
    return false;
  }
  line->shown = percent;
  return true;
}
