#pragma once
// The names of the undo steps the commands record, as the Undo and Redo
// menu items show them ("Undo delete scene \"Finale\""); "%s" is a scene's
// name. The window shows them translated.
#include "core/i18n/translatable.h"

inline constexpr const char* STEP_EDIT_CELL = N_("edit cell");
inline constexpr const char* STEP_COLOUR = N_("colour");
inline constexpr const char* STEP_INSERT_ROW = N_("insert row");
inline constexpr const char* STEP_DELETE_ROW = N_("delete row");
inline constexpr const char* STEP_MOVE_ROW = N_("move row");
inline constexpr const char* STEP_ADD_SCENE = N_("add scene \"%s\"");
inline constexpr const char* STEP_DELETE_SCENE = N_("delete scene \"%s\"");
inline constexpr const char* STEP_DUPLICATE_SCENE = N_("duplicate scene \"%s\"");
inline constexpr const char* STEP_RENAME_SCENE = N_("rename scene \"%s\"");
inline constexpr const char* STEP_MOVE_SCENE = N_("move scene \"%s\"");
inline constexpr const char* STEP_CLEAR_SCENE = N_("clear scene \"%s\"");
inline constexpr const char* STEP_FADE_HOLD = N_("fade and hold");
inline constexpr const char* STEP_SET_ALL_FADES = N_("set all fades");
inline constexpr const char* STEP_SET_ALL_HOLDS = N_("set all holds");
inline constexpr const char* STEP_INPUTS = N_("input configuration");
inline constexpr const char* STEP_HIDE_TO = N_("hide \"To\" column");
inline constexpr const char* STEP_SHOW_TO = N_("show \"To\" column");
inline constexpr const char* STEP_CUT = N_("cut");
inline constexpr const char* STEP_PASTE = N_("paste");
