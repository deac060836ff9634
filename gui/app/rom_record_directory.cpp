#include "gui/app/rom_record_directory.h"

#include <wx/stdpaths.h>

std::string RomRecordDirectory() { return (wxStandardPaths::Get().GetUserDataDir() + "/rom").utf8_string(); }
