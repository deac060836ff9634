#pragma once
#include <wx/defs.h>

#include "core/model/scenario.h"

// Period of the window's timer: runs, keep-alives and input polling.
constexpr int TIMER_PERIOD_MS = 100;

// Command and control ids of our own; stock ids are used where they fit.
enum {
  ID_SAVE_COPY = 100,
  ID_INPUT_CONFIG = 105,
  ID_HIDE_TO = 106,
  ID_TRANSFER = 107,
  ID_STOP = 108,
  ID_AUTO_TRANSFER = 109,
  ID_RESET_BOARDS = 110,
  ID_PROGRAM_BOARDS = 111,
  ID_ERASE_BOARDS = 112,
  ID_FADE_SET_ALL = 113,
  ID_HOLD_SET_ALL = 114,
  ID_ROW_INSERT = 115,
  ID_ROW_DELETE = 116,
  ID_ROW_UP = 117,
  ID_ROW_DOWN = 118,
  ID_SCENE_LEFT = 119,
  ID_SCENE_RIGHT = 120,
  ID_TIMER = 121,
  ID_PICK_COLOUR = 122,
  ID_BOARD_MONITOR = 123,
  ID_CHECK_SCENARIO = 124
};

// File > Export preview...
enum { ID_EXPORT_PREVIEW = 150 };

// Remote control and show mode.
enum { ID_REMOTE_CONTROL = 190, ID_SHOW_MODE = 191 };

// File > Open Recent, its entries (newest first) and the entry shown when
// the list is empty; Help > Keyboard shortcuts.
enum {
  ID_OPEN_RECENT = 160,
  ID_RECENT_FIRST = 161,
  ID_RECENT_LAST = 169,
  ID_RECENT_NONE = 170,
  ID_KEYBOARD_SHORTCUTS = 171
};

// Status bar fields.
enum StatusField { STATUS_MESSAGE = 0, STATUS_STATE = 1, STATUS_HOLD = 2, STATUS_BUDGET = 3 };
constexpr int STATUS_FIELDS = 4;
// Widths of the state and hold fields; the hold field widens while it
// tells how late a run is.
constexpr int STATUS_STATE_WIDTH = 60;
constexpr int STATUS_HOLD_WIDTH = 50;
constexpr int STATUS_LATE_WIDTH = 150;

// What the boards hold: the command and its dialog's "open" button.
enum { ID_ROM_RECORD = 140, ID_ROM_OPEN_PROGRAMMED = 141 };
