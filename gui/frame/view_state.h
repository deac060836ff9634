#pragma once

// What the window shows besides the Document: the commands change these
// values, and the tool bar and menu show them when the toolkit asks for an
// update of its controls.
struct ViewState {
  // Every change goes to the boards at once (the Auto transfer tool; the
  // settings file keeps it as autorun=).
  bool autoTransfer = false;
  // The shown scene hides its "To" column (the Edit menu's check); a scene
  // added next takes it over.
  bool hideTo = false;
};
