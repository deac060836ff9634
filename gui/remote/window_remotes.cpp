#include "gui/remote/window_remotes.h"

#include <wx/msgdlg.h>
#include <wx/statusbr.h>

#include "core/board/board_lines.h"
#include "core/remote/board_colours.h"
#include "gui/app/app_state.h"
#include "gui/dialogs/remote_control_dlg.h"
#include "gui/frame/ids.h"
#include "gui/frame/lumivane_frame.h"
#include "gui/show/show_window.h"

namespace {

// After the bar's own fields.
constexpr int REMOTE_FIELD = STATUS_FIELDS;
constexpr int FIELD_PADDING = 24;

// The status bar's remote field, after its own: there while a remote
// listens, gone otherwise, so the bar looks as before without remotes.
void ShowRemoteField(wxStatusBar* bar, const wxString& text) {
  const int fields = bar->GetFieldsCount();
  int widths[REMOTE_FIELD + 1];
  for (int field = 0; field < REMOTE_FIELD; ++field) widths[field] = bar->GetStatusWidth(field);
  if (text.empty()) {
    if (fields > REMOTE_FIELD) bar->SetFieldsCount(REMOTE_FIELD, widths);
    return;
  }
  widths[REMOTE_FIELD] = bar->GetTextExtent(text).x + FIELD_PADDING;
  if (fields > REMOTE_FIELD) {
    bar->SetStatusWidths(REMOTE_FIELD + 1, widths);
  } else {
    bar->SetFieldsCount(REMOTE_FIELD + 1, widths);
  }
  bar->SetStatusText(text, REMOTE_FIELD);
}

}  // namespace

WindowRemotes::WindowRemotes(LumivaneFrame& frame, AppState& app, BoardLines& lines)
    : m_frame(frame),
      m_app(app),
      m_lines(lines),
      m_actions(frame.Session(), m_hub,
                RunActions::Driver{
                    [&frame]() -> const Scenario& { return frame.GetDocument().GetScenario(); },
                    [&frame] { return frame.RunWithoutDialogs().utf8_string(); },
                    [&frame] { frame.StopRun(); },
                    [this] { return BoardColours(); },
                }),
      m_servers(m_hub) {
  // Remotes wait on their own threads; the window performs their commands
  // in its event loop, where it drives the session.
  m_hub.SetWaker([this] { m_frame.CallAfter([this] { m_hub.DeliverCommands(); }); });
  m_watch = m_hub.Watch([this](const RemoteState& state) {
    if (m_show) m_show->ShowState(state);
  });
  frame.Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnRemoteControl(); }, ID_REMOTE_CONTROL);
  frame.Bind(wxEVT_MENU, [this](wxCommandEvent&) { OnShowMode(); }, ID_SHOW_MODE);
  // Once the window is on screen, so that a port in use is told over it.
  frame.CallAfter([this] { ApplySettings(); });
}

WindowRemotes::~WindowRemotes() {
  // No remote thread hands in anything from here on.
  m_servers.StopAll();
  m_hub.Shutdown();
  m_hub.SetWaker(nullptr);
  m_hub.Unwatch(m_watch);
  if (m_show) {
    m_show->Disconnect();
    m_show->Destroy();
  }
}

std::vector<uint32_t> WindowRemotes::BoardColours() const {
  auto lock = m_lines.Lock();
  return ChainColours(*m_lines.Line().chain);
}

void WindowRemotes::Tick() { m_actions.Publish(); }

wxString WindowRemotes::StatusText(int oscPort, int httpPort) {
  wxString listening;
  if (oscPort != 0) listening = wxString::Format(_("OSC %d"), oscPort);
  if (httpPort != 0) {
    listening += (listening.empty() ? "" : ", ") + wxString::Format(_("web %d"), httpPort);
  }
  return listening.empty() ? wxString() : wxString::Format(_("Remote: %s"), listening);
}

void WindowRemotes::ShowStatus() {
  ShowRemoteField(m_frame.GetStatusBar(), StatusText(m_servers.OscPort(), m_servers.HttpPort()));
}

void WindowRemotes::ApplySettings() {
  Settings& settings = m_app.settings;
  if (settings.remoteNetwork && settings.remoteToken.empty()) {
    settings.remoteToken = RemoteServers::MakeToken();
  }
  const std::vector<RemoteProblem> problems = m_servers.Apply(settings);
  ShowStatus();
  if (problems.empty()) return;
  wxString message;
  for (const RemoteProblem& problem : problems) {
    const wxString format = problem.kind == RemoteProblem::Kind::OSC
                                ? _("The OSC remote could not listen on port %d: %s.")
                                : _("The web remote could not listen on port %d: %s.");
    message += wxString::Format(format, problem.port, wxString::FromUTF8(problem.reason)) + "\n";
  }
  message += _("The program goes on without it; Control > Remote control... chooses another port.");
  wxMessageBox(message, _("Remote control"), wxOK | wxICON_WARNING, &m_frame);
}

void WindowRemotes::OnRemoteControl() {
  RemoteControlDlg dialog(&m_frame, m_app.settings, RemoteServers::NetworkAddress());
  if (dialog.ShowModal() == wxID_OK) {
    m_app.settings = dialog.Values();
    ApplySettings();
  }
}

void WindowRemotes::OnShowMode() {
  if (m_show) {
    m_show->Raise();
    return;
  }
  m_show = new ShowWindow(
      &m_frame, [this](const RemoteCommand& command) { return m_actions.Perform(command); }, m_actions.State());
}
