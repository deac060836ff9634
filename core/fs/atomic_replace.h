#pragma once
// Replacing a file's content in one step: a complete, synced temporary file
// in the same directory is renamed over it, so the file always holds either
// the old or the new content, also when the process dies on the way.
#include <string>

// How the temporary file beside the file is named.
enum class TempNaming {
  // A fresh hidden name, "." + name + "." + a random suffix.
  UNIQUE,
  // The name with its last character replaced by "~" ("lumivane.ini" gives
  // "lumivane.in~"); a name already ending in "~" gets one more, so the
  // temporary is never the file itself. A leftover of an interrupted
  // replace is removed first.
  TILDE,
};

struct ReplaceOptions {
  TempNaming temp = TempNaming::UNIQUE;
  // A symbolic link is followed to the file at the end of its chain, which
  // is replaced while the link stays; otherwise the link itself is replaced.
  bool followLinks = true;
  // A file the user may not write is left alone (EACCES), although the
  // directory would let the rename replace it.
  bool refuseReadOnly = true;
  // An existing file's owner and group carry over where the system allows.
  bool keepOwner = true;
};

// The settings file's ways, which its users and README rely on.
constexpr ReplaceOptions SETTINGS_REPLACE{TempNaming::TILDE, false, false, false};

// Puts bytes in the place of the file at path. An existing file's
// permission bits carry over; a new file gets 0666 less the umask. The
// temporary is created exclusively, never written through a link. On
// failure it is removed and the old file is left as it was. Returns 0 or an
// errno value (ENOENT for an empty path, EISDIR for a directory).
int ReplaceFileContents(const std::string& path, const std::string& bytes,
                        const ReplaceOptions& options = ReplaceOptions());
