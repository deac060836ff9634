#pragma once
// The window's side of the remotes: one hub where OSC, the web remote and
// show mode hand in their commands, performed by the run actions on the
// window's board session, on the window's thread. It starts the servers
// the settings ask for, shows in the status bar which ones listen, and
// serves the Remote control and Show mode commands.
#include <wx/weakref.h>

#include <cstdint>
#include <vector>

#include "core/remote/remote_hub.h"
#include "core/remote/run_actions.h"
#include "gui/remote/remote_servers.h"
#include "gui/show/show_window.h"

struct AppState;
class BoardLines;
class LumivaneFrame;

class WindowRemotes {
 public:
  // Both outlive this; the frame owns it.
  WindowRemotes(LumivaneFrame& frame, AppState& app, BoardLines& lines);
  ~WindowRemotes();
  WindowRemotes(const WindowRemotes&) = delete;
  WindowRemotes& operator=(const WindowRemotes&) = delete;

  RemoteHub& Hub() { return m_hub; }
  RunActions& Actions() { return m_actions; }
  RemoteServers& Servers() { return m_servers; }
  // Show mode's window while it is open, else null.
  ShowWindow* Show() const { return m_show; }

  // On each of the window's ticks: the run's countdown reaches the remotes.
  void Tick();
  // Starts and stops the servers as the settings say; a remote that cannot
  // start is told about, and the program goes on without it.
  void ApplySettings();
  // The commands.
  void OnRemoteControl();
  void OnShowMode();

  // "Remote: OSC 9000, web 8080", or "" when none listens.
  static wxString StatusText(int oscPort, int httpPort);

 private:
  std::vector<uint32_t> BoardColours() const;
  void ShowStatus();

  LumivaneFrame& m_frame;
  AppState& m_app;
  BoardLines& m_lines;
  RemoteHub m_hub;
  RunActions m_actions;
  RemoteServers m_servers;
  int m_watch = 0;
  wxWeakRef<ShowWindow> m_show;
};
