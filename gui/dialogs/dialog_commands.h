#pragma once
// Commands of the main window that are one dialog each, and the board
// monitor's. The frame binds them to their menu items.
class Document;
class BoardLines;
class LumivaneFrame;
struct AppState;

// Settings: the port, its speed and the program's options; true when the
// user changed them.
bool RunSettingsCommand(LumivaneFrame& frame, AppState& app);
// Input configuration: the functions of the adapter's four inputs.
void RunInputConfigCommand(LumivaneFrame& frame, Document& document);
// Check scenario: the findings, leading to the row one is about.
void RunCheckCommand(LumivaneFrame& frame, const Document& document);
// The Board monitor command, and the monitor opening by itself the first
// time a transfer goes to the virtual boards.
void BindMonitorCommand(LumivaneFrame& frame, BoardLines& lines);
// What the boards hold: the session keeps its records, and the command
// shows them against the open scenario.
void BindRomRecordCommand(LumivaneFrame& frame, AppState& app, Document& document);
// Program's question when the boards hold the open scenario already; false
// when the user declines.
bool ConfirmProgramAgain(LumivaneFrame& frame, const AppState& app, const Document& document);
