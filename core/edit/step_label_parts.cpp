#include "core/edit/step_label_parts.h"

#include "core/edit/step_labels.h"

namespace {

constexpr const char* NAME_MARK = "%s";

const char* const STEP_LABELS[] = {
    STEP_EDIT_CELL,      STEP_COLOUR,        STEP_INSERT_ROW,      STEP_DELETE_ROW,   STEP_MOVE_ROW,
    STEP_ADD_SCENE,      STEP_DELETE_SCENE,  STEP_DUPLICATE_SCENE, STEP_RENAME_SCENE, STEP_MOVE_SCENE,
    STEP_CLEAR_SCENE,    STEP_FADE_HOLD,     STEP_SET_ALL_FADES,   STEP_SET_ALL_HOLDS, STEP_INPUTS,
    STEP_HIDE_TO,        STEP_SHOW_TO,       STEP_CUT,             STEP_PASTE,
};

bool StartsWith(const std::string& text, const std::string& start) { return text.compare(0, start.size(), start) == 0; }

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

StepLabelParts SplitStepLabel(const std::string& label) {
  for (const char* step : STEP_LABELS) {
    const std::string pattern = step;
    const size_t mark = pattern.find(NAME_MARK);
    if (mark == std::string::npos) {
      if (label == pattern) {
        return StepLabelParts{pattern, std::string()};
      }
      continue;
    }
    const std::string before = pattern.substr(0, mark);
    const std::string after = pattern.substr(mark + 2);
    if (label.size() >= before.size() + after.size() && StartsWith(label, before) && EndsWith(label, after)) {
      return StepLabelParts{pattern, label.substr(before.size(), label.size() - before.size() - after.size())};
    }
  }
  return StepLabelParts{label, std::string()};
}

std::string FillStepLabel(const std::string& pattern, const std::string& name) {
  const size_t mark = pattern.find(NAME_MARK);
  if (mark == std::string::npos) {
    return pattern;
  }
  return pattern.substr(0, mark) + name + pattern.substr(mark + 2);
}
