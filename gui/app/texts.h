#pragma once
// The program's user-visible texts and file names, each in one place. The
// undo steps' names and the limits they tell of are the core's.
#include "core/edit/step_labels.h"
#include "core/model/limits.h"

// Files and directories.
inline constexpr const char* DOC_DIR_NAME = "doc";
inline constexpr const char* TIPS_FILE_NAME = "lumivane.tips";
inline constexpr const char* USER_GUIDE_FILE_NAME = "lumivane_userguide.pdf";

// Main window.
inline constexpr const char* MAIN_WINDOW_TITLE = "Lumivane configuration";
inline constexpr const char* TITLE_PREFIX = "Lumivane - ";
inline constexpr const char* TITLE_UNTITLED = "[Untitled]";
inline constexpr const char* TITLE_MODIFIED_MARK = "*";
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

// The colour palette: the boards' colours.
inline constexpr const char* PALETTE_TITLE = "Colour";
inline constexpr const char* PALETTE_MORE_COLOURS = "More colours...";
inline constexpr const char* PALETTE_CUBE_TIP = "Colour %d: red %d, green %d, blue %d (levels 0 to 5)";
inline constexpr const char* PALETTE_CUSTOM_TIP = "Custom colour %d: ";
inline constexpr const char* PALETTE_CUSTOM_UNSET_TIP = "Custom colour %d: not set";

// Settings dialog.
inline constexpr const char* SETTINGS_TITLE = "Settings";
inline constexpr const char* LABEL_BAUD_RATE = "&Baud rate";
inline constexpr const char* LABEL_PORT = "&Port";
inline constexpr const char* BAUD_STANDARD = "9600 (standard)";
inline constexpr const char* BAUD_HIGH = "115200 (high)";
inline constexpr const char* ERR_PORT_SELECTION = "Invalid COM port selection.\nPlease verify the settings.";
inline constexpr const char* MSG_SETTINGS_CHANGED = "Settings changed";

// Board commands.
inline constexpr const char* MSG_OPENING_PORT = "Opening COM port";
inline constexpr const char* MSG_OPENING_VIRTUAL = "Opening the virtual boards";
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
inline constexpr const char* PROGRESS_PROGRAM_TITLE = "Program Lumivanes";
inline constexpr const char* MSG_PROGRAM_SCENE_OF = "Writing scene %d of %d";
inline constexpr const char* MSG_PROGRAM_TIME_LEFT = "About %s left";
inline constexpr const char* TIME_SECONDS = "%ld s";
inline constexpr const char* TIME_MINUTES = "%ld min %02ld s";
inline constexpr const char* MSG_PROGRAMMING_CANCELLED = "Programming cancelled after %d of %d scenes.";

// Board monitor.
inline constexpr const char* MONITOR_TITLE = "Board monitor";
inline constexpr const char* MONITOR_INPUTS = "Adapter inputs:";
inline constexpr const char* MONITOR_INPUT = "Input %d";
inline constexpr const char* MONITOR_INPUT_TIP = "Makes input %d of the virtual adapter active for a moment";
inline constexpr const char* MONITOR_INPUT_REAL_TIP = "Inputs can only be pressed on the virtual boards";
inline constexpr const char* MONITOR_NOT_OPENED = "No port opened yet";
inline constexpr const char* MONITOR_MIRROR = "%s (what was written to it)";
inline constexpr const char* MONITOR_SPEED = "%d bit/s";
inline constexpr const char* MONITOR_SPEED_HIGH = ", boards told 115200 bit/s";
inline constexpr const char* MONITOR_SPEED_CODE = ", speed message %d";
inline constexpr const char* MONITOR_BYTES = "%lld bytes received";
inline constexpr const char* MONITOR_NO_RESET = "no reset yet";
inline constexpr const char* MONITOR_LAST_RESET = "last reset %s";
inline constexpr const char* MONITOR_ROM_EMPTY = "ROM: empty";
inline constexpr const char* MONITOR_ROM = "ROM: ";
inline constexpr const char* MONITOR_ROM_SCENE = "scene %d (hold %s s)";

// Document commands.
inline constexpr const char* DIALOG_SAVE_TITLE = "Save file...";
inline constexpr const char* DIALOG_OPEN_TITLE = "Open file...";
inline constexpr const char* SCENARIO_FILE_FILTER = "Lumivane data files|*.cfg;|All files|*";
inline constexpr const char* SCENARIO_EXTENSION = "cfg";
inline constexpr const char* MSG_SAVED = "Saved scenario";
inline constexpr const char* MSG_SAVED_COPY = "Saved backup of the scenario";
// After MSG_SAVED or MSG_SAVED_COPY when rows without a board number had no place in the file.
inline constexpr const char* MSG_ROW_LEFT_OUT = "; %d row without a board number is not saved";
inline constexpr const char* MSG_ROWS_LEFT_OUT = "; %d rows without a board number are not saved";
inline constexpr const char* MSG_NEW = "New scenario";
inline constexpr const char* MSG_LOADED = "Loaded scenario";
inline constexpr const char* MSG_RELOADED = "Reloaded saved scenario";
inline constexpr const char* CAPTION_FILE_NOT_FOUND = "File not found";
inline constexpr const char* ERR_REVERT_MISSING = "The file does not exist. It cannot be reverted to.";
inline constexpr const char* ERR_OPEN_MISSING = "The file \"%s\" does not exist.";
inline constexpr const char* ERR_READ_FAILED = "The scenario could not be read from \"%s\":\n%s";
inline constexpr const char* ASK_REPLACE_FILE = "The file \"%s\" already exists.\nDo you want to replace it?";
inline constexpr const char* ERR_SAVE_FAILED = "The scenario could not be saved to \"%s\":\n%s";
inline constexpr const char* WARN_SCENES_LEFT_OUT =
    "This file holds %d more scene(s) than the %d this program can hold.\nThey were left out.";
inline constexpr const char* ASK_SAVE_FEWER_SCENES =
    "The file held %d more scene(s) than the %d this program can hold.\n"
    "Saving writes only the first %d scenes.\nSave anyway?";
inline constexpr const char* CAPTION_EXIT_LOSE = "Exit & loose changes?";
inline constexpr const char* ASK_EXIT_LOSE =
    "The file was not saved. If you continue, you will\nloose recent changes.\nContinue?";

// Scenario runner.
inline constexpr const char* MSG_TRANSFERRED = "Transferred the scene to the serial port";
inline constexpr const char* MSG_TRANSFERRED_VIRTUAL = "Transferred the scene to the virtual boards";
inline constexpr const char* MSG_INPUT_ACTIVE = "Input %d active";
// After MSG_INPUT_ACTIVE, when the input jumps to a scene the scenario lacks.
inline constexpr const char* MSG_INPUT_NO_SCENE_SEPARATOR = ": ";
inline constexpr const char* MSG_INPUT_NO_SCENE = "Input %d active: scene %d does not exist";
// After the countdown, when the run is more than RUN_LATE_SHOWN_MS behind its plan.
inline constexpr const char* MSG_RUN_LATE = "+%.2f s late";
inline constexpr int RUN_LATE_SHOWN_MS = 50;
inline constexpr const char* CAPTION_FILE_CHANGED = "File changed";
inline constexpr const char* ASK_FILE_CHANGED = "The file was changed outside this application.\n";
inline constexpr const char* ASK_FILE_CHANGED_LOSE = "If you reload the file, you will loose local changes.\n";
inline constexpr const char* ASK_RELOAD = "Reload?";

// Row and scene commands: the grid's context menu, the scene name
// dialogs and questions, and the status messages.
inline constexpr const char* CONTEXT_INSERT_ROW = "Insert row";
inline constexpr const char* CONTEXT_INSERT_ROW_HELP = "Insert a row above this row";
inline constexpr const char* CONTEXT_DELETE_ROW = "Delete row";
inline constexpr const char* CONTEXT_DELETE_ROW_HELP = "Delete this row";
inline constexpr const char* CONTEXT_ROW_UP = "Move row up";
inline constexpr const char* CONTEXT_ROW_UP_HELP = "Move this row one position upward";
inline constexpr const char* CONTEXT_ROW_DOWN = "Move row down";
inline constexpr const char* CONTEXT_ROW_DOWN_HELP = "Move this row one position downward";
inline constexpr const char* CONTEXT_SCENE_LEFT = "Move scene left";
inline constexpr const char* CONTEXT_SCENE_LEFT_HELP = "Move this scene one position left";
inline constexpr const char* CONTEXT_SCENE_RIGHT = "Move scene right";
inline constexpr const char* CONTEXT_SCENE_RIGHT_HELP = "Move this scene one position right";
inline constexpr const char* ASK_DUPLICATE_SCENE_NAME =
    "A scene with this name already exists.\nDo you wish to use this name anyway?";
inline constexpr const char* CAPTION_DUPLICATE_SCENE_NAME = "Duplicate scene name";
inline constexpr const char* ASK_NEW_SCENE_NAME = "Please give a name for the new scene";
inline constexpr const char* CAPTION_NEW_SCENE = "New scene";
inline constexpr const char* ASK_RENAME_SCENE = "Please give the new name for the scene";
inline constexpr const char* CAPTION_RENAME_SCENE = "Rename scene";
inline constexpr const char* ASK_DELETE_SCENE = "Delete scene - are you sure?";
inline constexpr const char* CAPTION_DELETE_SCENE = "Delete scene";
inline constexpr const char* MSG_ADDED_SCENE = "Added a scene";
inline constexpr const char* MSG_DUPLICATED_SCENE = "Duplicated a scene";
inline constexpr const char* MSG_DELETED_SCENE = "Deleted a scene";
inline constexpr const char* MSG_RENAMED_SCENE = "Renamed a scene";

// Input configuration dialog.
inline constexpr const char* INPUT_CONFIG_TITLE = "Input configuration";
inline constexpr const char* INPUT_LABEL_FORMAT = "Input %d";
inline constexpr const char* INPUT_ENTRY_RESTART = "Restart";
inline constexpr const char* INPUT_ENTRY_NEXT = "Next";
inline constexpr const char* INPUT_ENTRY_PREVIOUS = "Previous";
inline constexpr const char* INPUT_ENTRY_PAUSE = "Pause/resume";
inline constexpr const char* MSG_INPUT_CONFIG_CHANGED = "Input configuration changed";

// Printing the scenario report.
inline constexpr int REPORT_FONT_SIZE = 10;

// Help commands.
inline constexpr const char* MAILCAP_FILE = "/etc/mailcap";
inline constexpr const char* PDF_MIME_TYPE = "application/pdf";
inline constexpr const char* ABOUT_NAME = "Lumivane Configuration and Control";
inline constexpr const char* ABOUT_VERSION = "1.0.4319";
inline constexpr const char* ABOUT_DESCRIPTION = "A utility to configure and run the Lumivane boards.";
inline constexpr const char* ABOUT_NOTICE = "Copyright (c) 2025 Lumivane. All rights reserved.";
inline constexpr const char* ABOUT_WEB_SITE = "https://www.lumivane.com/";
inline constexpr const char* ERR_USER_GUIDE_MISSING = "The User Guide was not found:\n%s";
inline constexpr const char* ERR_USER_GUIDE_NO_VIEWER =
    "No program to show PDF documents was found.\nPlease open the User Guide yourself:\n%s";

// Undo and redo: the menu items name the step they act on.
inline constexpr const char* MENU_UNDO = "Undo";
inline constexpr const char* MENU_REDO = "Redo";
inline constexpr const char* MENU_UNDO_ACCEL = "\tCtrl-Z";
inline constexpr const char* MENU_REDO_ACCEL = "\tCtrl-Y";
// The steps' names come with the commands that record them.

inline constexpr const char* CONTEXT_CUT = "Cut rows";
inline constexpr const char* CONTEXT_CUT_HELP = "Cut the selected rows to the clipboard";
inline constexpr const char* CONTEXT_COPY = "Copy rows";
inline constexpr const char* CONTEXT_COPY_HELP = "Copy the selected rows to the clipboard";
inline constexpr const char* CONTEXT_PASTE = "Paste rows";
inline constexpr const char* CONTEXT_PASTE_HELP = "Paste rows above the selected row";

// Check scenario.
inline constexpr const char* CHECK_TITLE = "Check scenario";
inline constexpr const char* CHECK_NOTHING_FOUND = "The check found nothing to report in this scenario.";
inline constexpr const char* CHECK_COLUMN_SEVERITY = "Severity";
inline constexpr const char* CHECK_COLUMN_SCENE = "Scene";
inline constexpr const char* CHECK_COLUMN_ROW = "Row";
inline constexpr const char* CHECK_COLUMN_MESSAGE = "Message";
inline constexpr const char* CHECK_CLOSE = "&Close";

// Copy, cut and paste of rows.
inline constexpr const char* WARN_PASTED_VALUES =
    "Some pasted values are not valid numbers or are out of range.\n"
    "They were pasted as they are; Edit > Check scenario lists them.";

// Long cell texts: a scenario file line holds about 460 bytes of description
// (LONG_DESCRIPTION_BYTES).
inline constexpr const char* WARN_LONG_DESCRIPTION =
    "Descriptions of more than %d characters may be shortened when the scenario is saved.";
