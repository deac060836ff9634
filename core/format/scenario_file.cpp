#include "core/format/scenario_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "core/format/scenario_text.h"
#include "core/i18n/translatable.h"
#include "core/fs/atomic_replace.h"

namespace {

// Reads the whole regular file. Returns 0 or an errno value.
int ReadRegularFile(const std::string& path, std::string* content, time_t* modificationTime) {
  // Non-blocking, so that opening a FIFO cannot hang; a regular file reads
  // the same either way.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return errno;
  }
  struct stat status;
  int error = 0;
  if (fstat(fd, &status) != 0) {
    error = errno;
  } else if (!S_ISREG(status.st_mode)) {
    error = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
  } else if (status.st_size > SCENARIO_MAX_FILE_BYTES) {
    error = EFBIG;
  }
  if (error == 0) {
    content->resize(static_cast<size_t>(status.st_size));
    size_t done = 0;
    for (;;) {
      if (done == content->size()) {
        // The file may have grown since fstat, but not beyond the limit.
        if (done > static_cast<size_t>(SCENARIO_MAX_FILE_BYTES)) {
          error = EFBIG;
          break;
        }
        content->resize(content->size() + 65536);
      }
      const ssize_t got = read(fd, &(*content)[done], content->size() - done);
      if (got < 0 && errno == EINTR) {
        continue;
      }
      if (got < 0) {
        error = errno;
        break;
      }
      if (got == 0) {
        break;
      }
      done += static_cast<size_t>(got);
    }
    content->resize(done);
    *modificationTime = status.st_mtime;
  }
  close(fd);
  return error;
}

}  // namespace

int ReadScenarioFile(const std::string& path, Scenario* out, time_t* modificationTime) {
  int scenesLeftOut = 0;
  return ReadScenarioFile(path, out, modificationTime, &scenesLeftOut);
}

int ReadScenarioFile(const std::string& path, Scenario* out, time_t* modificationTime, int* scenesLeftOut) {
  std::string text;
  time_t modified = 0;
  const int error = ReadRegularFile(path, &text, &modified);
  if (error != 0) {
    return error;
  }
  *out = ParseScenarioText(text, nullptr, scenesLeftOut);
  if (modificationTime != nullptr) {
    *modificationTime = modified;
  }
  return 0;
}

int ReadScenarioFileLines(const std::string& path, Scenario* out, ScenarioLines* lines, int* scenesLeftOut) {
  std::string text;
  time_t modified = 0;
  const int error = ReadRegularFile(path, &text, &modified);
  if (error != 0) {
    return error;
  }
  *out = ParseScenarioText(text, lines, scenesLeftOut);
  return 0;
}

std::string ScenarioReadErrorText(int error) {
  return error == EFBIG ? N_("File too large to be a scenario (over 64 MB)") : strerror(error);
}

time_t ScenarioFileTime(const std::string& path) {
  struct stat status;
  if (stat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
    return -1;
  }
  return status.st_mtime;
}

int SaveScenarioFile(const std::string& path, const Scenario& scenario, time_t* modificationTime) {
  const int error = ReplaceFileContents(path, WriteScenarioText(scenario));
  if (error != 0) {
    return error;
  }
  struct stat status;
  if (modificationTime != nullptr && stat(path.c_str(), &status) == 0) {
    *modificationTime = status.st_mtime;
  }
  return 0;
}
