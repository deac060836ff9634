#pragma once
// Program's progress dialog: made as Program starts, following the board
// session's snapshot scene by scene, gone when Program ends. Cancelling in
// it lets the scene under way finish and be stored, then Program stops.
class BoardSession;
class wxProgressDialog;
class wxWindow;

class ProgramProgress {
 public:
  // A dialog over `parent` for `scenes` scenes, unless one is open or there
  // is no scene. Until the first scene goes out it shows the link budget's
  // estimate of the whole, `seconds`.
  void Begin(wxWindow* parent, int scenes, double seconds);
  // The scene under way and the time left, or the session told to cancel.
  void Show(BoardSession& session);
  void End();

 private:
  // A child of its parent window, which destroys it with itself.
  wxProgressDialog* m_dialog = nullptr;
  bool m_cancelled = false;
};
