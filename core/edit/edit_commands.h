#pragma once
// The user's editing commands, one function each, on a Document. Each
// applies the editing rules, records one undo step named for the Undo menu,
// marks the scenario modified where the command changes the show, and
// returns the change set the Document announced plus the warnings to show.
// Values are warned about, never rejected. Positions outside the scenario
// change nothing.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "core/model/change_set.h"
#include "core/model/document.h"

// A warning for the user, as a code and the limit it names.
struct EditWarning {
  enum Code {
    FROM_TO_NOT_POSITIVE,  // From or To is not a whole number above 0
    ID_NOT_POSITIVE,       // the same with "To" hidden: the "ID"
    BLINK_NOT_NUMBER,
    BLINK_TOO_HIGH,        // value: MAX_BLINK
    LONG_DESCRIPTION,      // value: LONG_DESCRIPTION_BYTES
    FADE_OUT_OF_RANGE,     // value: MAX_FADE
    HOLD_OUT_OF_RANGE,
    HOLD_ROUNDED,
    PASTED_SUSPECT_VALUES,
  };
  Code code;
  long value = 0;
  bool operator==(const EditWarning& other) const { return code == other.code && value == other.value; }
};

struct EditResult {
  ChangeSet changes;
  std::vector<EditWarning> warnings;
};

// ---- Cells ------------------------------------------------------------------

// A cell typed: `text` into the cell (already there when the grid stored
// it as a step of its own, which this then joins), a fresh row's colour
// number 0 (shown black), and an empty row appended after the last one.
EditResult EditCell(Document& document, int scene, int row, int column, const std::string& text);

// A colour chosen for a row: its cube index, the custom colours the colour
// dialog kept (unset slots stay), a fresh row's From numbered after the
// row above, and an empty row appended after the last one.
EditResult SetColour(Document& document, int scene, int row, int colour,
                     const std::array<std::optional<PaletteColour>, PALETTE_SIZE>& palette);

// The number a fresh row's From takes: 1 on the first row, else one past
// the row above (its To, else its From) when that is a whole number above
// 0; empty when there is none.
std::string FreshRowNumber(const Document& document, int scene, int row);

// ---- Fade and hold ------------------------------------------------------------

// The fade/hold row's texts taken into a scene: each value only when it
// differs from the scene's (a fade not a whole number counts as 0, a hold
// not a number as 0), the hold rounded to half seconds. `holdShown` is set
// to the text the field then shows, when the hold was taken.
EditResult CommitFadeHold(Document& document, int scene, const std::string& fadeText,
                          const std::string& holdText, std::string* holdShown);
// Every scene takes the fade, or the hold, of `source`.
EditResult SetAllFade(Document& document, int source);
EditResult SetAllHold(Document& document, int source);

// ---- Rows ---------------------------------------------------------------------

EditResult InsertRow(Document& document, int scene, int row);
// The empty last row stays: deleting it changes nothing but the flag.
EditResult DeleteRow(Document& document, int scene, int row);
EditResult MoveRow(Document& document, int scene, int from, int to);
// Rows given as clipboard text, inserted above `row`. False (and nothing
// done) when the text is no rows: it then belongs in one cell.
bool PasteRows(Document& document, int scene, int row, const std::string& text, EditResult* result);
// The rows removed, but for the empty last row.
EditResult CutRows(Document& document, int scene, std::vector<int> rows);

// ---- Scenes -------------------------------------------------------------------

// A new empty scene appended, "Scene n" when `name` is empty; none past
// MAX_SCENES. `hideTo` starts it with "To" hidden.
EditResult AddScene(Document& document, const std::string& name, bool hideTo);
// A copy of `source` (taken when the user asked) appended under `name`:
// its rows but for its last, then an empty row; default widths, "To"
// hidden as in the source.
Scene DuplicateOf(const Scene& source, const std::string& name);
EditResult DuplicateScene(Document& document, const Scene& source, const std::string& name);
// The last scene is cleared, not deleted: it keeps one empty row.
EditResult DeleteScene(Document& document, int scene);
EditResult RenameScene(Document& document, int scene, const std::string& name);
// Scene `scene` changes places with scene `other`.
EditResult MoveScene(Document& document, int scene, int other);
// Whether any row of the scene uses "To", which hiding it would hide.
bool ToColumnUsed(const Document& document, int scene);
// "To" hidden or shown: a change of the view that can be undone, not one
// to save.
EditResult HideTo(Document& document, int scene, bool hide);

// ---- Inputs ---------------------------------------------------------------------

EditResult ConfigureInputs(Document& document, const std::array<int, INPUT_COUNT>& functions);
