#pragma once
// The names of the undo steps the commands record, as the Undo and Redo
// menu items show them ("Undo delete scene \"Finale\""); "%s" is a scene's
// name.
inline constexpr const char* STEP_EDIT_CELL = "edit cell";
inline constexpr const char* STEP_COLOUR = "colour";
inline constexpr const char* STEP_INSERT_ROW = "insert row";
inline constexpr const char* STEP_DELETE_ROW = "delete row";
inline constexpr const char* STEP_MOVE_ROW = "move row";
inline constexpr const char* STEP_ADD_SCENE = "add scene \"%s\"";
inline constexpr const char* STEP_DELETE_SCENE = "delete scene \"%s\"";
inline constexpr const char* STEP_DUPLICATE_SCENE = "duplicate scene \"%s\"";
inline constexpr const char* STEP_RENAME_SCENE = "rename scene \"%s\"";
inline constexpr const char* STEP_MOVE_SCENE = "move scene \"%s\"";
inline constexpr const char* STEP_CLEAR_SCENE = "clear scene \"%s\"";
inline constexpr const char* STEP_FADE_HOLD = "fade and hold";
inline constexpr const char* STEP_SET_ALL_FADES = "set all fades";
inline constexpr const char* STEP_SET_ALL_HOLDS = "set all holds";
inline constexpr const char* STEP_INPUTS = "input configuration";
inline constexpr const char* STEP_HIDE_TO = "hide \"To\" column";
inline constexpr const char* STEP_SHOW_TO = "show \"To\" column";
inline constexpr const char* STEP_CUT = "cut";
inline constexpr const char* STEP_PASTE = "paste";
