#pragma once

// What the window shows besides the Document: the commands change these
// values, and the tool bar and menu show them when the toolkit asks for an
// update of its controls.
// Auto transfer is the board session's policy, and the tool shows it from
// there.
struct ViewState {
  // The shown scene hides its "To" column (the Edit menu's check); a scene
  // added next takes it over.
  bool hideTo = false;
};
