#pragma once
// The program's user-visible texts and file names, each in one place. The
// undo steps' names and the limits they tell of are the core's.
#include "core/edit/step_labels.h"
#include "core/model/limits.h"
#include "core/i18n/translatable.h"

// Files and directories.
inline constexpr const char* DOC_DIR_NAME = "doc";
inline constexpr const char* TIPS_FILE_NAME = "lumivane.tips";
inline constexpr const char* USER_GUIDE_FILE_NAME = "lumivane_userguide.pdf";

// Main window.
inline constexpr const char* MAIN_WINDOW_TITLE = N_("Lumivane configuration");
inline constexpr const char* TITLE_PREFIX = "Lumivane - ";
inline constexpr const char* TITLE_UNTITLED = N_("[Untitled]");
inline constexpr const char* TITLE_MODIFIED_MARK = "*";
inline constexpr const char* PRINTING_NAME = N_("Lumivane scenario");
inline constexpr const char* CAPTION_ERROR = N_("Error");
inline constexpr const char* CAPTION_WARNING = N_("Warning");

// Status bar.
inline constexpr const char* STATE_MODIFIED = N_("Modified");
inline constexpr const char* STATE_RUNNING = N_("Running");
inline constexpr const char* MSG_LOADED_RECENT = N_("Loaded recent scenario");
inline constexpr const char* MSG_FAILED_RECENT = N_("Failed to load recent scenario");

// Scene pages.
inline constexpr const char* SCENE_NAME_FORMAT = N_("Scene %d");
inline constexpr const char* LABEL_FROM = N_("From");
inline constexpr const char* LABEL_ID = N_("ID");
inline constexpr const char* LABEL_TO = N_("To");
inline constexpr const char* LABEL_COLOUR = N_("Colour");
inline constexpr const char* LABEL_BLINK = N_("Blink");
inline constexpr const char* LABEL_DESCRIPTION = N_("Description");
inline constexpr const char* ASK_HIDE_TO =
    N_("The \"To\" column is not empty. Are you sure that you want to hide it?");

// Fade/hold row.
inline constexpr const char* LABEL_FADE_TIME = N_("Fade time");
inline constexpr const char* LABEL_HOLD_TIME = N_("Hold time");
inline constexpr const char* LABEL_SET_ALL = N_("Set All");

// Cell editing.
inline constexpr const char* MSG_MODIFIED_SCENARIO = N_("Modified scenario (unsaved changes)");
inline constexpr const char* ERR_ID_NUMBER = N_("Invalid numeric valid value for the Lumivane \"ID\" number.");
inline constexpr const char* ERR_FROM_TO_NUMBER =
    N_("Invalid numeric valid value for the \"From\" or \"To\" number.");
inline constexpr const char* ERR_POSITIVE_NUMBER =
    N_("\nThis must be a positive non-zero number, without fractional part.");
inline constexpr const char* ERR_BLINK_NUMBER = N_("Not a (valid) numeric value for the blink interval.");
inline constexpr const char* ERR_BLINK_TOO_HIGH = N_("Value for the blink speed is too high (max = %d).");
inline constexpr const char* ERR_FADE_RANGE = N_("Value for the fade interval is out of range (max = %d).");
inline constexpr const char* ERR_HOLD_RANGE =
    N_("Value for the hold time is out of range (max = 120 seconds).");
inline constexpr const char* WARN_HOLD_ROUNDED =
    N_("Value for the hold time is rounded to a multiple of 0.5 seconds.");

// The colour palette: the boards' colours.
inline constexpr const char* PALETTE_TITLE = N_("Colour");
inline constexpr const char* PALETTE_MORE_COLOURS = N_("More colours...");
inline constexpr const char* PALETTE_CUBE_TIP = N_("Colour %d: red %d, green %d, blue %d (levels 0 to 5)");
inline constexpr const char* PALETTE_CUSTOM_TIP = N_("Custom colour %d: ");
inline constexpr const char* PALETTE_CUSTOM_UNSET_TIP = N_("Custom colour %d: not set");

// Settings dialog.
inline constexpr const char* SETTINGS_TITLE = N_("Settings");
inline constexpr const char* LABEL_BAUD_RATE = N_("&Baud rate");
inline constexpr const char* LABEL_PORT = N_("&Port");
inline constexpr const char* BAUD_STANDARD = N_("9600 (standard)");
inline constexpr const char* BAUD_HIGH = N_("115200 (high)");
inline constexpr const char* ERR_PORT_SELECTION = N_("Invalid COM port selection.\nPlease verify the settings.");
inline constexpr const char* MSG_SETTINGS_CHANGED = N_("Settings changed");
inline constexpr const char* LABEL_LANGUAGE = N_("&Language");
inline constexpr const char* LANGUAGE_SYSTEM_DEFAULT = N_("System default");
inline constexpr const char* NOTE_LANGUAGE_NEXT_START = N_("A new language is used from the next start.");

// Board commands.
inline constexpr const char* MSG_OPENING_PORT = N_("Opening COM port");
inline constexpr const char* MSG_OPENING_VIRTUAL = N_("Opening the virtual boards");
inline constexpr const char* MSG_RESETTING_BOARDS = N_("Resetting the Lumivane boards");
inline constexpr const char* MSG_ERASING_ROM = N_("Erasing Lumivane ROM");
inline constexpr const char* MSG_WRITING_SCENE = N_("Writing scene %d");
inline constexpr const char* MSG_PROGRAMMING_DONE = N_("Completed programming Lumivanes");
inline constexpr const char* BOX_PROGRAMMING_DONE = N_("Completed programming Lumivanes.");
inline constexpr const char* CAPTION_LUMIVANE = "Lumivane";
inline constexpr const char* ERR_PORT_INIT = N_("Failed to initialize the COM port.\nPlease verify the settings.");
inline constexpr const char* ERR_AUTO_TRANSMIT_OFF =
    N_("\nAuto-transmit has been toggled off (to avoid this message being repeated).");
inline constexpr const char* ERR_TRANSMIT = N_("Failed to transmit scene data (serial transmission error).");
inline constexpr const char* PROGRESS_PROGRAM_TITLE = N_("Program Lumivanes");
inline constexpr const char* MSG_PROGRAM_SCENE_OF = N_("Writing scene %d of %d");
inline constexpr const char* MSG_PROGRAM_TIME_LEFT = N_("About %s left");
inline constexpr const char* TIME_SECONDS = N_("%ld s");
inline constexpr const char* TIME_MINUTES = N_("%ld min %02ld s");
inline constexpr const char* MSG_PROGRAMMING_CANCELLED = N_("Programming cancelled after %d of %d scenes.");

// Board monitor.
inline constexpr const char* MONITOR_TITLE = N_("Board monitor");
inline constexpr const char* MONITOR_INPUTS = N_("Adapter inputs:");
inline constexpr const char* MONITOR_INPUT = N_("Input %d");
inline constexpr const char* MONITOR_INPUT_TIP = N_("Makes input %d of the virtual adapter active for a moment");
inline constexpr const char* MONITOR_INPUT_REAL_TIP = N_("Inputs can only be pressed on the virtual boards");
inline constexpr const char* MONITOR_NOT_OPENED = N_("No port opened yet");
inline constexpr const char* MONITOR_MIRROR = N_("%s (what was written to it)");
inline constexpr const char* MONITOR_SPEED = N_("%d bit/s");
inline constexpr const char* MONITOR_SPEED_HIGH = N_(", boards told 115200 bit/s");
inline constexpr const char* MONITOR_SPEED_CODE = N_(", speed message %d");
inline constexpr const char* MONITOR_BYTES = N_("%lld bytes received");
inline constexpr const char* MONITOR_NO_RESET = N_("no reset yet");
inline constexpr const char* MONITOR_LAST_RESET = N_("last reset %s");
inline constexpr const char* MONITOR_ROM_EMPTY = N_("ROM: empty");
inline constexpr const char* MONITOR_ROM = N_("ROM: ");
inline constexpr const char* MONITOR_ROM_SCENE = N_("scene %d (hold %s s)");

// Document commands.
inline constexpr const char* DIALOG_SAVE_TITLE = N_("Save file...");
inline constexpr const char* DIALOG_OPEN_TITLE = N_("Open file...");
inline constexpr const char* SCENARIO_FILE_FILTER = N_("Lumivane data files|*.cfg;|All files|*");
inline constexpr const char* SCENARIO_EXTENSION = "cfg";
inline constexpr const char* MSG_SAVED = N_("Saved scenario");
inline constexpr const char* MSG_SAVED_COPY = N_("Saved backup of the scenario");
// After MSG_SAVED or MSG_SAVED_COPY when rows without a board number had no place in the file.
inline constexpr const char* MSG_ROW_LEFT_OUT = N_("; %d row without a board number is not saved");
inline constexpr const char* MSG_ROWS_LEFT_OUT = N_("; %d rows without a board number are not saved");
inline constexpr const char* MSG_NEW = N_("New scenario");
inline constexpr const char* MSG_LOADED = N_("Loaded scenario");
inline constexpr const char* MSG_RELOADED = N_("Reloaded saved scenario");
inline constexpr const char* CAPTION_FILE_NOT_FOUND = N_("File not found");
inline constexpr const char* ERR_REVERT_MISSING = N_("The file does not exist. It cannot be reverted to.");
inline constexpr const char* ERR_OPEN_MISSING = N_("The file \"%s\" does not exist.");
inline constexpr const char* ERR_READ_FAILED = N_("The scenario could not be read from \"%s\":\n%s");
inline constexpr const char* ASK_REPLACE_FILE = N_("The file \"%s\" already exists.\nDo you want to replace it?");
inline constexpr const char* ERR_SAVE_FAILED = N_("The scenario could not be saved to \"%s\":\n%s");
inline constexpr const char* WARN_SCENES_LEFT_OUT =
    N_("This file holds %d more scene(s) than the %d this program can hold.\nThey were left out.");
inline constexpr const char* ASK_SAVE_FEWER_SCENES =
    N_("The file held %d more scene(s) than the %d this program can hold.\n"
    "Saving writes only the first %d scenes.\nSave anyway?");
inline constexpr const char* CAPTION_EXIT_LOSE = N_("Exit & loose changes?");
inline constexpr const char* ASK_EXIT_LOSE =
    N_("The file was not saved. If you continue, you will\nloose recent changes.\nContinue?");

// Scenario runner.
inline constexpr const char* MSG_TRANSFERRED = N_("Transferred the scene to the serial port");
inline constexpr const char* MSG_TRANSFERRED_VIRTUAL = N_("Transferred the scene to the virtual boards");
inline constexpr const char* MSG_INPUT_ACTIVE = N_("Input %d active");
// After MSG_INPUT_ACTIVE, when the input jumps to a scene the scenario lacks.
inline constexpr const char* MSG_INPUT_NO_SCENE_SEPARATOR = N_(": ");
inline constexpr const char* MSG_INPUT_NO_SCENE = N_("Input %d active: scene %d does not exist");
// After the countdown, when the run is more than RUN_LATE_SHOWN_MS behind its plan.
inline constexpr const char* MSG_RUN_LATE = N_("+%.2f s late");
inline constexpr int RUN_LATE_SHOWN_MS = 50;
inline constexpr const char* CAPTION_FILE_CHANGED = N_("File changed");
inline constexpr const char* ASK_FILE_CHANGED = N_("The file was changed outside this application.\n");
inline constexpr const char* ASK_FILE_CHANGED_LOSE = N_("If you reload the file, you will loose local changes.\n");
inline constexpr const char* ASK_RELOAD = N_("Reload?");

// Row and scene commands: the grid's context menu, the scene name
// dialogs and questions, and the status messages.
inline constexpr const char* CONTEXT_INSERT_ROW = N_("Insert row");
inline constexpr const char* CONTEXT_INSERT_ROW_HELP = N_("Insert a row above this row");
inline constexpr const char* CONTEXT_DELETE_ROW = N_("Delete row");
inline constexpr const char* CONTEXT_DELETE_ROW_HELP = N_("Delete this row");
inline constexpr const char* CONTEXT_ROW_UP = N_("Move row up");
inline constexpr const char* CONTEXT_ROW_UP_HELP = N_("Move this row one position upward");
inline constexpr const char* CONTEXT_ROW_DOWN = N_("Move row down");
inline constexpr const char* CONTEXT_ROW_DOWN_HELP = N_("Move this row one position downward");
inline constexpr const char* CONTEXT_SCENE_LEFT = N_("Move scene left");
inline constexpr const char* CONTEXT_SCENE_LEFT_HELP = N_("Move this scene one position left");
inline constexpr const char* CONTEXT_SCENE_RIGHT = N_("Move scene right");
inline constexpr const char* CONTEXT_SCENE_RIGHT_HELP = N_("Move this scene one position right");
inline constexpr const char* ASK_DUPLICATE_SCENE_NAME =
    N_("A scene with this name already exists.\nDo you wish to use this name anyway?");
inline constexpr const char* CAPTION_DUPLICATE_SCENE_NAME = N_("Duplicate scene name");
inline constexpr const char* ASK_NEW_SCENE_NAME = N_("Please give a name for the new scene");
inline constexpr const char* CAPTION_NEW_SCENE = N_("New scene");
inline constexpr const char* ASK_RENAME_SCENE = N_("Please give the new name for the scene");
inline constexpr const char* CAPTION_RENAME_SCENE = N_("Rename scene");
inline constexpr const char* ASK_DELETE_SCENE = N_("Delete scene - are you sure?");
inline constexpr const char* CAPTION_DELETE_SCENE = N_("Delete scene");
inline constexpr const char* MSG_ADDED_SCENE = N_("Added a scene");
inline constexpr const char* MSG_DUPLICATED_SCENE = N_("Duplicated a scene");
inline constexpr const char* MSG_DELETED_SCENE = N_("Deleted a scene");
inline constexpr const char* MSG_RENAMED_SCENE = N_("Renamed a scene");

// Input configuration dialog.
inline constexpr const char* INPUT_CONFIG_TITLE = N_("Input configuration");
inline constexpr const char* INPUT_LABEL_FORMAT = N_("Input %d");
inline constexpr const char* INPUT_ENTRY_RESTART = N_("Restart");
inline constexpr const char* INPUT_ENTRY_NEXT = N_("Next");
inline constexpr const char* INPUT_ENTRY_PREVIOUS = N_("Previous");
inline constexpr const char* INPUT_ENTRY_PAUSE = N_("Pause/resume");
inline constexpr const char* MSG_INPUT_CONFIG_CHANGED = N_("Input configuration changed");

// Printing the scenario report.
inline constexpr int REPORT_FONT_SIZE = 10;

// Help commands.
inline constexpr const char* MAILCAP_FILE = "/etc/mailcap";
inline constexpr const char* PDF_MIME_TYPE = "application/pdf";
inline constexpr const char* ABOUT_NAME = "Lumivane Configuration and Control";
inline constexpr const char* ABOUT_VERSION = "1.0.4319";
inline constexpr const char* ABOUT_DESCRIPTION = N_("A utility to configure and run the Lumivane boards.");
inline constexpr const char* ABOUT_NOTICE = "Copyright (c) 2025 Lumivane. All rights reserved.";
inline constexpr const char* ABOUT_WEB_SITE = "https://www.lumivane.com/";
inline constexpr const char* ERR_USER_GUIDE_MISSING = N_("The User Guide was not found:\n%s");
inline constexpr const char* ERR_USER_GUIDE_NO_VIEWER =
    N_("No program to show PDF documents was found.\nPlease open the User Guide yourself:\n%s");

// Undo and redo: the menu items name the step they act on.
inline constexpr const char* MENU_UNDO = N_("Undo");
inline constexpr const char* MENU_REDO = N_("Redo");
inline constexpr const char* MENU_UNDO_ACCEL = "\tCtrl-Z";
inline constexpr const char* MENU_REDO_ACCEL = "\tCtrl-Y";
// With the step's name, as in "Undo delete row".
inline constexpr const char* MENU_UNDO_STEP = N_("Undo %s");
inline constexpr const char* MENU_REDO_STEP = N_("Redo %s");
// The steps' names come with the commands that record them.

inline constexpr const char* CONTEXT_CUT = N_("Cut rows");
inline constexpr const char* CONTEXT_CUT_HELP = N_("Cut the selected rows to the clipboard");
inline constexpr const char* CONTEXT_COPY = N_("Copy rows");
inline constexpr const char* CONTEXT_COPY_HELP = N_("Copy the selected rows to the clipboard");
inline constexpr const char* CONTEXT_PASTE = N_("Paste rows");
inline constexpr const char* CONTEXT_PASTE_HELP = N_("Paste rows above the selected row");

// Check scenario.
inline constexpr const char* CHECK_TITLE = N_("Check scenario");
inline constexpr const char* CHECK_NOTHING_FOUND = N_("The check found nothing to report in this scenario.");
inline constexpr const char* CHECK_COLUMN_SEVERITY = N_("Severity");
inline constexpr const char* CHECK_COLUMN_SCENE = N_("Scene");
inline constexpr const char* CHECK_COLUMN_ROW = N_("Row");
inline constexpr const char* CHECK_COLUMN_MESSAGE = N_("Message");
inline constexpr const char* CHECK_CLOSE = N_("&Close");

// Copy, cut and paste of rows.
inline constexpr const char* WARN_PASTED_VALUES =
    N_("Some pasted values are not valid numbers or are out of range.\n"
    "They were pasted as they are; Edit > Check scenario lists them.");

// Long cell texts: a scenario file line holds about 460 bytes of description
// (LONG_DESCRIPTION_BYTES).
inline constexpr const char* WARN_LONG_DESCRIPTION =
    N_("Descriptions of more than %d characters may be shortened when the scenario is saved.");
