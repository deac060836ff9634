#include "netfetch/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdlib>

// Permissions a new file gets from fopen: 0666 less the umask.
static mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

// Writing through a symbolic link must replace the file it points to, not
// the link; other paths are used as they are.
static std::string ResolvedTarget(const char* path) {
  struct stat link;
  if (lstat(path, &link) == 0 && S_ISLNK(link.st_mode)) {
    char resolved[PATH_MAX];
    if (realpath(path, resolved) != nullptr) {
      return resolved;
    }
  }
  return path;
}

static bool OpenDirect(OutputFile* out, bool existed) {
  out->file = std::fopen(out->path.c_str(), "wb");
  out->created = out->file != nullptr && !existed;
  return out->file != nullptr;
}

bool OutputOpen(OutputFile* out, const char* path) {
  *out = OutputFile();
  out->path = path;
  if (path[0] == '\0') {
    return false;
  }

  struct stat st;
  const bool exists = stat(path, &st) == 0;
  if (exists && !S_ISREG(st.st_mode)) {
    return OpenDirect(out, true);
  }
  mode_t mode = NewFileMode();
  if (exists) {
    // Refuse a file that could not be opened for writing, as fopen would,
    // without truncating it.
    const int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
      return false;
    }
    close(fd);
    mode = st.st_mode & 07777;
    out->path = ResolvedTarget(path);
  }

  std::string temp = out->path + ".XXXXXX";
  const int fd = mkostemp(&temp[0], O_CLOEXEC);
  if (fd < 0) {
    // No room for a temporary name (directory not writable, name too long):
    // write the file itself.
    return OpenDirect(out, exists);
  }
  out->tempPath = temp;
  out->file = fdopen(fd, "wb");
  if (out->file == nullptr || fchmod(fd, mode) != 0) {
    if (out->file == nullptr) {
      close(fd);
    }
    OutputDiscard(out);
    return false;
  }
  return true;
}

bool OutputClose(OutputFile* out) {
  if (out->file == nullptr) {
    return true;
  }
  const int result = std::fclose(out->file);
  out->file = nullptr;
  return result == 0;
}

bool OutputCommit(OutputFile* out) {
  if (out->tempPath.empty()) {
    return true;
  }
  if (std::rename(out->tempPath.c_str(), out->path.c_str()) != 0) {
    OutputDiscard(out);
    return false;
  }
  out->tempPath.clear();
  return true;
}

void OutputDiscard(OutputFile* out) {
  OutputClose(out);
  if (!out->tempPath.empty()) {
    unlink(out->tempPath.c_str());
    out->tempPath.clear();
  } else if (out->created) {
    unlink(out->path.c_str());
    out->created = false;
  }
}
