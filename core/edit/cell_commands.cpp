// Cell, colour and fade/hold commands.
#include "core/edit/edit_commands.h"

#include "core/edit/step_labels.h"
#include "core/model/limits.h"

namespace {

// The empty row the user appends to stays last.
void AppendAfterLast(Document& document, int scene, int row) {
  if (row + 1 >= document.RowCount(scene)) {
    document.InsertRows(scene, row + 1, 1);
  }
}

void CheckTyped(const Document& document, int scene, int column, const std::string& text,
                std::vector<EditWarning>* warnings) {
  long value = 0;
  if ((column == COL_FROM || column == COL_TO) && !text.empty() && (!ParseWholeNumber(text, &value) || value <= 0)) {
    const bool idOnly = !document.GetScene(scene).ToShown();
    warnings->push_back({idOnly ? EditWarning::ID_NOT_POSITIVE : EditWarning::FROM_TO_NOT_POSITIVE, 0});
  } else if (column == COL_DESCRIPTION && text.size() > static_cast<size_t>(LONG_DESCRIPTION_BYTES)) {
    warnings->push_back({EditWarning::LONG_DESCRIPTION, LONG_DESCRIPTION_BYTES});
  } else if (column == COL_BLINK && !text.empty()) {
    if (!ParseWholeNumber(text, &value) || value < 0) {
      warnings->push_back({EditWarning::BLINK_NOT_NUMBER, 0});
    } else if (value > MAX_BLINK) {
      warnings->push_back({EditWarning::BLINK_TOO_HIGH, MAX_BLINK});
    }
  }
}

}  // namespace

EditResult EditCell(Document& document, int scene, int row, int column, const std::string& text) {
  EditResult result;
  document.TakeLastChanges();
  if (!document.HasRow(scene, row) || column < 0 || column >= GRID_COLUMNS || column == COL_COLOUR) {
    return result;
  }
  // What the edit brings with it belongs to the grid's step of the cell.
  document.ContinueLastStep(EditPlace{scene, row, column}, STEP_EDIT_CELL);
  document.SetCellText(scene, row, column, text);
  if (document.GetRow(scene, row).colour == NO_COLOUR) {
    document.SetRowColour(scene, row, FRESH_BLACK);
  }
  AppendAfterLast(document, scene, row);
  document.SetModified(true);
  document.EndStep();
  result.changes = document.TakeLastChanges();
  CheckTyped(document, scene, column, text, &result.warnings);
  return result;
}

std::string FreshRowNumber(const Document& document, int scene, int row) {
  if (row == 0) {
    return "1";
  }
  const Row& above = document.GetRow(scene, row - 1);
  long last = 0;
  if (ParseWholeNumber(above.to.empty() ? above.from : above.to, &last) && last > 0) {
    return std::to_string(last + 1);
  }
  return std::string();
}

EditResult SetColour(Document& document, int scene, int row, int colour,
                     const std::array<std::optional<PaletteColour>, PALETTE_SIZE>& palette) {
  EditResult result;
  document.TakeLastChanges();
  if (!document.HasRow(scene, row)) {
    return result;
  }
  document.BeginStep(STEP_COLOUR, EditPlace{scene, row, COL_COLOUR});
  document.SetRowColour(scene, row, colour);
  for (int slot = 0; slot < PALETTE_SIZE; ++slot) {
    if (palette[slot]) {
      document.SetPaletteColour(slot, *palette[slot]);
    }
  }
  if (document.GetRow(scene, row).from.empty()) {
    const std::string number = FreshRowNumber(document, scene, row);
    if (!number.empty()) {
      document.SetCellText(scene, row, COL_FROM, number);
    }
  }
  AppendAfterLast(document, scene, row);
  document.SetModified(true);
  document.EndStep();
  result.changes = document.TakeLastChanges();
  return result;
}

EditResult CommitFadeHold(Document& document, int scene, const std::string& fadeText, const std::string& holdText,
                          std::string* holdShown) {
  EditResult result;
  document.TakeLastChanges();
  if (!document.HasScene(scene)) {
    return result;
  }
  bool changed = false;
  document.BeginStep(STEP_FADE_HOLD, EditPlace{scene, -1, -1});
  long fade = 0;
  if (!ParseWholeNumber(fadeText, &fade)) {
    fade = 0;
  }
  if (fade != document.GetScene(scene).fade) {
    if (fade > MAX_FADE || fade < 0) {
      result.warnings.push_back({EditWarning::FADE_OUT_OF_RANGE, MAX_FADE});
    }
    document.SetFade(scene, static_cast<int>(fade));
    changed = true;
  }
  const double hold = HoldTime::TypedSeconds(holdText);
  if (document.GetScene(scene).hold.DiffersFromTyped(hold)) {
    if (HoldTime::TypedOutOfRange(hold)) {
      result.warnings.push_back({EditWarning::HOLD_OUT_OF_RANGE, 0});
    }
    if (HoldTime::TypedWasRounded(hold)) {
      result.warnings.push_back({EditWarning::HOLD_ROUNDED, 0});
    }
    const HoldTime rounded = HoldTime::FromTyped(hold);
    document.SetHold(scene, rounded);
    *holdShown = rounded.FileText();
    changed = true;
  }
  if (changed) {
    document.SetModified(true);
  }
  document.EndStep();
  result.changes = document.TakeLastChanges();
  return result;
}

namespace {

// Set All: the source scene's value into every scene, as one step.
template <typename CopyValue>
EditResult SetAll(Document& document, int source, const char* label, CopyValue copyValue) {
  EditResult result;
  document.TakeLastChanges();
  if (!document.HasScene(source)) {
    return result;
  }
  document.BeginStep(label, EditPlace{source, -1, -1});
  copyValue(document.GetScene(source));
  document.SetModified(true);
  document.EndStep();
  result.changes = document.TakeLastChanges();
  return result;
}

}  // namespace

EditResult SetAllFade(Document& document, int source) {
  return SetAll(document, source, STEP_SET_ALL_FADES,
                [&document](const Scene& scene) { document.SetAllFade(scene.fade); });
}

EditResult SetAllHold(Document& document, int source) {
  return SetAll(document, source, STEP_SET_ALL_HOLDS,
                [&document](const Scene& scene) { document.SetAllHold(scene.hold); });
}
