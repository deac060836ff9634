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

// Cell editing.
inline constexpr const char* MSG_MODIFIED_SCENARIO = "Modified scenario (unsaved changes)";
inline constexpr const char* ERR_ID_NUMBER = "Invalid numeric valid value for the Lumivane \"ID\" number.";
inline constexpr const char* ERR_FROM_TO_NUMBER =
    "Invalid numeric valid value for the \"From\" or \"To\" number.";
inline constexpr const char* ERR_POSITIVE_NUMBER =
    "\nThis must be a positive non-zero number, without fractional part.";
inline constexpr const char* ERR_BLINK_NUMBER = "Not a (valid) numeric value for the blink interval.";
inline constexpr const char* ERR_BLINK_TOO_HIGH = "Value for the blink speed is too high (max = %d).";
inline constexpr const char* ERR_FADE_RANGE = "Value for the fade interval is out of range (max = %d).";
inline constexpr const char* ERR_HOLD_RANGE =
    "Value for the hold time is out of range (max = 120 seconds).";
inline constexpr const char* WARN_HOLD_ROUNDED =
    "Value for the hold time is rounded to a multiple of 0.5 seconds.";

// Settings dialog.
inline constexpr const char* SETTINGS_TITLE = "Settings";
inline constexpr const char* LABEL_BAUD_RATE = "&Baud rate";
inline constexpr const char* LABEL_PORT = "&Port";
inline constexpr const char* BAUD_STANDARD = "9600 (standard)";
inline constexpr const char* BAUD_HIGH = "115200 (high)";
inline constexpr const char* ERR_PORT_SELECTION = "Invalid COM port selection.\nPlease verify the settings.";
inline constexpr const char* MSG_SETTINGS_CHANGED = "Settings changed";

// Scenario file: sections, keys and the writer's line formats.
inline constexpr const char* SCENARIO_FIRST_LINE = "# Lumivane scenario\n";
inline constexpr const char* SCENARIO_SECTION_FORMAT = "Scene%d";
inline constexpr const char* SCENARIO_SECTION_OPEN = "\n[";
inline constexpr const char* SCENARIO_SECTION_CLOSE = "]\n";
inline constexpr const char* SCENARIO_KEY_NAME = "name";
inline constexpr const char* SCENARIO_KEY_FADE = "fade";
inline constexpr const char* SCENARIO_KEY_HOLD = "hold";
inline constexpr const char* SCENARIO_KEY_TO_COLUMN = "to-column";
inline constexpr const char* SCENARIO_KEY_COLUMNS = "columns";
inline constexpr const char* SCENARIO_KEY_RANGE_FORMAT = "range%d";
inline constexpr const char* SCENARIO_SECTION_INPUTS = "Inputs";
inline constexpr const char* SCENARIO_KEY_INPUT_FORMAT = "input%d";
inline constexpr const char* SCENARIO_SECTION_PALETTE = "Palette";
inline constexpr const char* SCENARIO_KEY_COLOUR_FORMAT = "colour%d";
inline constexpr const char* SCENARIO_NAME_PREFIX = "name=";
inline constexpr const char* SCENARIO_FADE_LINE = "fade=%d\n";
inline constexpr const char* SCENARIO_HOLD_LINE = "hold=%.1f\n";
inline constexpr const char* SCENARIO_TO_COLUMN_LINE = "to-column=%d\n";
inline constexpr const char* SCENARIO_COLUMNS_LINE = "columns=%d %d %d %d %d\n";
inline constexpr const char* SCENARIO_RANGE_LINE = "range%d=%ld:%ld; %d; %ld";
inline constexpr const char* SCENARIO_DESCRIPTION_SEPARATOR = "; ";
inline constexpr const char* SCENARIO_INPUTS_HEADER = "\n[Inputs]\n";
inline constexpr const char* SCENARIO_INPUT_LINE = "input%d=%d\n";
inline constexpr const char* SCENARIO_PALETTE_HEADER = "\n[Palette]\n";
inline constexpr const char* SCENARIO_COLOUR_LINE = "colour%d=%d %d %d\n";

// Board commands.
inline constexpr const char* MSG_OPENING_PORT = "Opening COM port";
inline constexpr const char* MSG_RESETTING_BOARDS = "Resetting the Lumivane boards";
inline constexpr const char* MSG_ERASING_ROM = "Erasing Lumivane ROM";
inline constexpr const char* MSG_WRITING_SCENE = "Writing scene %d";
inline constexpr const char* MSG_PROGRAMMING_DONE = "Completed programming Lumivanes";
inline constexpr const char* BOX_PROGRAMMING_DONE = "Completed programming Lumivanes.";
inline constexpr const char* CAPTION_LUMIVANE = "Lumivane";
inline constexpr const char* ERR_PORT_INIT = "Failed to initialize the COM port.\nPlease verify the settings.";
inline constexpr const char* ERR_AUTO_TRANSMIT_OFF =
    "\nAuto-transmit has been toggled off (to avoid this message being repeated).";
inline constexpr const char* ERR_TRANSMIT = "Failed to transmit scene data (serial transmission error).";
