#pragma once
// Opening a file with the desktop's default application (xdg-open). The
// opener may find no application for the file only after it has started,
// so its failure is reported when it ends.
#include <functional>

#include <wx/string.h>

// Starts the desktop's opener for `path`, found on the search path, with
// its output discarded. False when there is none to start. Otherwise
// `failed` runs later, on the window's thread, if the opener ends without
// success.
bool OpenWithDesktop(const wxString& path, std::function<void()> failed);
