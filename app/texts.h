#pragma once
// The program's user-visible texts and file names, each in one place.

// Files and directories.
inline constexpr const char* SETTINGS_FILE_NAME = "lumivane.ini";
inline constexpr const char* DOC_DIR_NAME = "doc";
inline constexpr const char* TIPS_FILE_NAME = "lumivane.tips";
inline constexpr const char* USER_GUIDE_FILE_NAME = "lumivane_userguide.pdf";

// Settings file sections and keys.
inline constexpr const char* SECTION_SETTINGS = "Settings";
inline constexpr const char* SECTION_POSITION = "Position";
inline constexpr const char* SECTION_SESSION = "Session";
inline constexpr const char* KEY_PORT = "com";
inline constexpr const char* KEY_BAUD = "baud";
inline constexpr const char* KEY_AUTORUN = "autorun";
inline constexpr const char* KEY_TIP = "tip";
inline constexpr const char* KEY_FRAME = "frame";
inline constexpr const char* KEY_ACTIVE_DIR = "activedir";
inline constexpr const char* KEY_COPY_DIR = "copydir";
inline constexpr const char* KEY_FILE = "file";

// Main window.
inline constexpr const char* MAIN_WINDOW_TITLE = "Lumivane configuration";
inline constexpr const char* TITLE_PREFIX = "Lumivane - ";
inline constexpr const char* TITLE_UNTITLED = "[Untitled]";
inline constexpr const char* PRINTING_NAME = "Lumivane scenario";
inline constexpr const char* CAPTION_ERROR = "Error";
inline constexpr const char* CAPTION_WARNING = "Warning";

// Status bar.
inline constexpr const char* STATE_MODIFIED = "Modified";
inline constexpr const char* STATE_RUNNING = "Running";
inline constexpr const char* MSG_LOADED_RECENT = "Loaded recent scenario";
inline constexpr const char* MSG_FAILED_RECENT = "Failed to load recent scenario";

// Scene pages.
inline constexpr const char* SCENE_NAME_FORMAT = "Scene %d";
inline constexpr const char* LABEL_FROM = "From";
inline constexpr const char* LABEL_ID = "ID";
inline constexpr const char* LABEL_TO = "To";
inline constexpr const char* LABEL_COLOUR = "Colour";
inline constexpr const char* LABEL_BLINK = "Blink";
inline constexpr const char* LABEL_DESCRIPTION = "Description";
inline constexpr const char* ASK_HIDE_TO =
    "The \"To\" column is not empty. Are you sure that you want to hide it?";

// Fade/hold row.
inline constexpr const char* LABEL_FADE_TIME = "Fade time";
inline constexpr const char* LABEL_HOLD_TIME = "Hold time";
inline constexpr const char* LABEL_SET_ALL = "Set All";
