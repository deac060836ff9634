#pragma once
// An undo step's label taken apart again, so that the window can show it in
// the user's language: the English pattern it was made from (one of the
// step labels) and the scene name put into its "%s".
#include <string>

struct StepLabelParts {
  // The step label the text was made from; the text itself when it matches
  // none of them.
  std::string pattern;
  // The scene name in place of "%s"; empty when the pattern has none.
  std::string name;
};

StepLabelParts SplitStepLabel(const std::string& label);

// `pattern` with its "%s" replaced by `name` (a pattern without one as it is).
std::string FillStepLabel(const std::string& pattern, const std::string& name);
