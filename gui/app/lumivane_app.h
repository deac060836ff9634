#pragma once
#include <wx/wx.h>  // the toolkit's headers expect its core set first
#include <wx/app.h>
#include <wx/arrstr.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

#include "core/board/board_lines.h"
#include "core/board/board_session.h"
#include "gui/app/app_state.h"

class LumivaneFrame;

// The application object: works out the directories, reads the per-user
// settings, creates the main window and holds the settings in memory until
// the main window's close handler writes them back.
class LumivaneApp : public wxApp {
 public:
  LumivaneApp();
  ~LumivaneApp() override;

  bool OnInit() override;

  // The start-up sequence for the given command line (program name first),
  // the main window's board session working as `mode` says. OnInit runs it
  // with the real command line; tests run it directly.
  bool StartUp(const wxArrayString& commandLine, BoardSession::Mode mode = BoardSession::Mode::THREAD);

  // The settings file into State().settings; the main window's close
  // handler writes them back.
  void LoadSettings();

  // The documentation directory for an executable directory: "doc" beside
  // it, else "doc" inside it, else the directory itself.
  static wxString FindDocDir(const wxString& exeDir);

  LumivaneFrame* Frame() const { return m_frame; }
  AppState& State() { return m_state; }
  // The lines to the boards, the virtual ones among them, for as long as
  // the program runs.
  BoardLines& Lines() { return m_lines; }

 private:
  void ShowStartupTip();

  AppState m_state;
  BoardLines m_lines;
  LumivaneFrame* m_frame;
};

