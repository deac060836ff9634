#pragma once
// Starts the real application in the test's temporary HOME, with a real
// GTK main window under Xvfb.
#include <gtest/gtest.h>

#include <string>

#include <wx/arrstr.h>

#include "core/board/board_session.h"

class LumivaneApp;
class LumivaneFrame;

class AppTest : public testing::Test {
 protected:
  void TearDown() override;

  // Runs the start-up sequence with the given arguments after the program
  // name. Unless the test wrote its own settings file, tips at start are
  // switched off so that no tip dialog appears, and the port is empty, so
  // that nothing goes to the virtual boards of a first start.
  LumivaneFrame* Start(const wxArrayString& arguments = wxArrayString());
  // Runs the start-up sequence as it is, tip dialog included; the caller
  // expects the dialogs.
  LumivaneFrame* StartAsIs(const wxArrayString& arguments = wxArrayString());

  // Writes `text` to the scenario file `path`, starts the program and opens
  // the file. The test ticks by hand: the window's timer is stopped before
  // anything can tick, however slow the machine.
  void StartWithScenario(const std::string& path, const std::string& text);
  // The same, then Transfer / run, the timer stopped again as the run
  // started it.
  void StartRunningScenario(const std::string& path, const std::string& text);

  // Closes the main window through its close handler, as the user would.
  void CloseMainWindow();

  // Lets the toolkit deliver pending events for about `milliseconds`.
  static void Pump(int milliseconds = 50) { PumpEvents(milliseconds); }

 public:
  static void PumpEvents(int milliseconds);

 protected:

  static std::string SettingsPath();
  static void WriteSettings(const std::string& text);
  static std::string ReadSettings();
  static std::string HomePath(const std::string& relative);
  static wxString TestHomeDir();

  LumivaneApp& App();
  LumivaneFrame* m_frame = nullptr;
  // How the window's board session works: on the window's thread, ticked
  // by the timer that tests drive by hand, unless a test asks for the
  // program's own thread.
  BoardSession::Mode m_linkMode = BoardSession::Mode::TICKED;
};

void AppTestPump(int milliseconds);
// Names a scene as Rename scene would, without the dialog.
void SetSceneName(LumivaneFrame* frame, int scene, const wxString& name);
// Gives a row of a scene a colour as the colour dialog would, without the dialog.
void SetRowColour(LumivaneFrame* frame, int scene, int row, int colour);
// A scene's fade and hold in the window's Document; 0 for no such scene.
int FadeOf(LumivaneFrame* frame, int scene);
double HoldOf(LumivaneFrame* frame, int scene);
std::string ReadFileText(const std::string& path);
void WriteFileText(const std::string& path, const std::string& text);
