#include "core/fs/atomic_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <vector>

#include "core/fs/replace_test_hook.h"

namespace {

constexpr int MAX_LINK_DEPTH = 40;
constexpr int TEMP_NAME_TRIES = 100;
// Keeps a unique temporary's name within the file system's name limit.
constexpr size_t MAX_TEMP_BASE = 200;

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) {
    return ".";
  }
  return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string BaseOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file at the end of path's chain of symbolic links (which need not
// exist yet). Returns 0 or an errno value.
int FollowLinks(const std::string& path, std::string* target) {
  std::string current = path;
  for (int depth = 0; depth < MAX_LINK_DEPTH; ++depth) {
    struct stat status;
    if (lstat(current.c_str(), &status) != 0) {
      if (errno != ENOENT) {
        return errno;
      }
      *target = current;
      return 0;
    }
    if (!S_ISLNK(status.st_mode)) {
      *target = current;
      return 0;
    }
    std::vector<char> link(PATH_MAX + 1);
    const ssize_t length = readlink(current.c_str(), link.data(), link.size());
    if (length < 0) {
      return errno;
    }
    if (static_cast<size_t>(length) >= link.size()) {
      return ENAMETOOLONG;
    }
    const std::string next(link.data(), static_cast<size_t>(length));
    current = next[0] == '/' ? next : DirectoryOf(current) + "/" + next;
  }
  return ELOOP;
}

// Creates a new file exclusively, so that nothing is ever written through
// a link or into another's file. Returns the descriptor, or -1 with errno set.
int CreateExclusive(const std::string& name, mode_t mode) {
  return open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
}

int CreateUniqueTemp(const std::string& target, mode_t mode, std::string* tempName) {
  const std::string prefix =
      DirectoryOf(target) + "/." + BaseOf(target).substr(0, MAX_TEMP_BASE) + ".";
  for (int attempt = 0; attempt < TEMP_NAME_TRIES; ++attempt) {
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    char suffix[32];
    snprintf(suffix, sizeof suffix, "%lx%06x",
             static_cast<unsigned long>(getpid()) ^ static_cast<unsigned long>(now.tv_nsec),
             static_cast<unsigned>(attempt) & 0xFFFFFF);
    *tempName = prefix + suffix;
    const int fd = CreateExclusive(*tempName, mode);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  errno = EEXIST;
  return -1;
}

int CreateTildeTemp(const std::string& target, mode_t mode, std::string* tempName) {
  *tempName = target;
  if (tempName->back() == '~') {
    *tempName += '~';
  } else {
    tempName->back() = '~';
  }
  if (tempName->size() >= PATH_MAX) {
    errno = ENAMETOOLONG;
    return -1;
  }
  unlink(tempName->c_str());  // a failure shows in the exclusive create
  return CreateExclusive(*tempName, mode);
}

int WriteAll(int fd, const std::string& bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t written = write(fd, bytes.data() + done, bytes.size() - done);
    if (written < 0) {
      if (errno == EINTR) {
        continue;
      }
      return errno;
    }
    if (written == 0) {
      return ENOSPC;
    }
    done += static_cast<size_t>(written);
  }
  return 0;
}

// Makes the rename itself durable; a failure here loses nothing that the
// rename has not already put in place, so it is not reported.
void SyncDirectory(const std::string& directory) {
  const int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd >= 0) {
    fsync(fd);
    close(fd);
  }
}

}  // namespace

// Does nothing in the program; see core/fs/replace_test_hook.h.
__attribute__((weak)) void ReplaceHookBeforeRename(const char*) {}

int ReplaceFileContents(const std::string& path, const std::string& bytes,
                        const ReplaceOptions& options) {
  if (path.empty()) {
    return ENOENT;
  }
  std::string target = path;
  int error = options.followLinks ? FollowLinks(path, &target) : 0;
  if (error != 0) {
    return error;
  }
  struct stat old;
  const bool exists = stat(target.c_str(), &old) == 0;
  if (!exists && errno != ENOENT) {
    return errno;
  }
  if (exists && S_ISDIR(old.st_mode)) {
    return EISDIR;
  }
  if (exists && options.refuseReadOnly && access(target.c_str(), W_OK) != 0) {
    return errno;
  }

  std::string tempName;
  // Private until it has the old file's permissions.
  const mode_t mode = exists ? 0600 : 0666;
  const int fd = options.temp == TempNaming::TILDE ? CreateTildeTemp(target, mode, &tempName)
                                                   : CreateUniqueTemp(target, mode, &tempName);
  if (fd < 0) {
    return errno;
  }
  if (exists) {
    if (options.keepOwner && (old.st_uid != geteuid() || old.st_gid != getegid())) {
      if (fchown(fd, old.st_uid, old.st_gid) != 0) {
        // Not allowed for other users' files; the saving user owns the copy.
      }
    }
    if (fchmod(fd, old.st_mode & 0777) != 0) {
      error = errno;
    }
  }
  if (error == 0) {
    error = WriteAll(fd, bytes);
  }
  if (error == 0 && fsync(fd) != 0) {
    error = errno;
  }
  if (close(fd) != 0 && error == 0) {
    error = errno;
  }
  if (error == 0) {
    ReplaceHookBeforeRename(tempName.c_str());
    if (rename(tempName.c_str(), target.c_str()) != 0) {
      error = errno;
    }
  }
  if (error != 0) {
    unlink(tempName.c_str());
    return error;
  }
  SyncDirectory(DirectoryOf(target));
  return 0;
}
