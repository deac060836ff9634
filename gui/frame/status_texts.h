#pragma once
// What the status bar shows and how wide its fields are.
#include <wx/string.h>

struct Scenario;
class wxStatusBar;

// Gives the message field the rest of the bar and the state and hold fields
// the width of their longest texts in the bar's font; `late` widens the
// hold field for the run's lateness.
void SetStatusFieldWidths(wxStatusBar* statusBar, bool late);

// "Input n active", and when the input jumps to a scene the scenario does
// not have, which one. `input` counts from 1.
wxString InputActiveMessage(int input, const Scenario& scenario);

// Takes the message away when `stale` says it no longer holds.
void ClearStaleMessage(wxStatusBar* statusBar, bool (*stale)(const wxString&));
// "Input n active", with or without its missing scene; "Modified scenario...".
bool IsInputMessage(const wxString& text);
bool IsModifiedMessage(const wxString& text);

// The message after a save (`saved`), telling how many rows with content
// the file could not hold when there are any.
wxString SavedMessage(const char* saved, int rowsLeftOut);

// Of two texts about the board link, the one naming the virtual boards when
// `port` is them, else the one naming the serial port.
const char* LinkText(const wxString& port, const char* serialText, const char* virtualText);
