// The window's side of the remotes: commands handed in from other threads,
// show mode's keys, the Remote control dialog and the status bar.
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <thread>

#include <wx/checkbox.h>
#include <wx/notebook.h>
#include <wx/spinctrl.h>
#include <wx/statbmp.h>
#include <wx/statusbr.h>
#include <wx/timer.h>
#include <wx/uiaction.h>

#include "gui/app/lumivane_app.h"
#include "gui/dialogs/remote_control_dlg.h"
#include "gui/frame/ids.h"
#include "gui/frame/lumivane_frame.h"
#include "gui/remote/window_remotes.h"
#include "gui/show/show_keys.h"
#include "gui/show/show_window.h"
#include "support/app_fixture.h"
#include "support/ftdi_sim.h"
#include "support/gui_testing.h"

namespace {

// A scenario file with one scene per hold time, named S1, S2, ...
std::string ScenarioText(int scenes, const char* hold = "0") {
  std::string text = "# Lumivane scenario\n";
  for (int n = 1; n <= scenes; ++n) {
    text += "\n[Scene" + std::to_string(n) + "]\nname=S" + std::to_string(n) + "\nhold=" + hold +
            "\nrange1=" + std::to_string(n) + ":" + std::to_string(n) + "; 0; 0\n";
  }
  return text;
}

// The Remote control dialog: sets the checks and ports as a user would,
// notes what it showed, then clicks OK or Cancel.
struct RemoteDialogSeen {
  bool shown = false;
  bool osc = false;
  int oscPort = 0;
  bool http = false;
  int httpPort = 0;
  bool network = false;
  wxString url;
  wxString token;
  bool qrCode = false;
};

class ExpectRemoteDialog : public wxExpectModalBase<RemoteControlDlg, ExpectRemoteDialog> {
 public:
  struct Choice {
    bool osc;
    int oscPort;
    bool http;
    int httpPort;
    bool network;
    // Tests listen on loopback only: the network can be allowed to see the
    // address, then taken back before OK.
    bool networkAtOk;
  };
  ExpectRemoteDialog(int button, std::shared_ptr<RemoteDialogSeen> before, std::shared_ptr<RemoteDialogSeen> after,
                     const Choice* choice = nullptr)
      : m_button(button), m_before(before), m_after(after), m_choice(choice ? *choice : Choice{}),
        m_choose(choice != nullptr) {}

 protected:
  int OnInvoked(RemoteControlDlg* dialog) const override {
    Note(dialog, *m_before);
    if (m_choose) {
      Tick(dialog->OscCheck(), m_choice.osc);
      dialog->OscPort()->SetValue(m_choice.oscPort);
      Tick(dialog->HttpCheck(), m_choice.http);
      dialog->HttpPort()->SetValue(m_choice.httpPort);
      Tick(dialog->NetworkCheck(), m_choice.network);
    }
    Note(dialog, *m_after);
    if (m_choose) Tick(dialog->NetworkCheck(), m_choice.networkAtOk);
    dialog->Show();
    ClickButton(m_button == wxID_OK ? dialog->OkButton() : dialog->CancelButton());
    return dialog->GetReturnCode();
  }
  wxString GetDefaultDescription() const override { return "remote control dialog"; }

 private:
  static void Tick(wxCheckBox* box, bool on) {
    box->SetValue(on);
    wxCommandEvent event(wxEVT_CHECKBOX, box->GetId());
    event.SetEventObject(box);
    event.SetInt(on ? 1 : 0);
    box->ProcessWindowEvent(event);
  }
  static void Note(RemoteControlDlg* dialog, RemoteDialogSeen& seen) {
    seen.shown = true;
    seen.osc = dialog->OscCheck()->GetValue();
    seen.oscPort = dialog->OscPort()->GetValue();
    seen.http = dialog->HttpCheck()->GetValue();
    seen.httpPort = dialog->HttpPort()->GetValue();
    seen.network = dialog->NetworkCheck()->GetValue();
    seen.url = dialog->UrlText()->GetValue();
    seen.token = dialog->TokenText()->GetValue();
    const wxBitmap& code = dialog->QrCode()->GetBitmap();
    seen.qrCode = code.IsOk() && code.GetWidth() > 100;
  }

  int m_button;
  std::shared_ptr<RemoteDialogSeen> m_before;
  std::shared_ptr<RemoteDialogSeen> m_after;
  Choice m_choice;
  bool m_choose;
};

// The box that says which remotes could not start: names each one's port.
class ExpectRemoteProblem : public wxExpectModalBase<wxMessageDialog, ExpectRemoteProblem> {
 public:
  explicit ExpectRemoteProblem(std::vector<wxString> parts) : m_parts(std::move(parts)) {}

 protected:
  int OnInvoked(wxMessageDialog* dialog) const override {
    for (const wxString& part : m_parts) {
      EXPECT_TRUE(dialog->GetMessage().Contains(part)) << dialog->GetMessage().utf8_string() << " lacks " << part;
    }
    EXPECT_EQ(dialog->GetTitle(), "Remote control");
    return wxID_OK;
  }
  wxString GetDefaultDescription() const override { return "remote problem box"; }

 private:
  std::vector<wxString> m_parts;
};

// A port of 127.0.0.1 held open, so that a remote cannot have it.
class HeldPort {
 public:
  explicit HeldPort(int type) : m_socket(socket(AF_INET, type, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    if (type == SOCK_STREAM) listen(m_socket, 1);
    socklen_t length = sizeof address;
    getsockname(m_socket, reinterpret_cast<sockaddr*>(&address), &length);
    m_port = ntohs(address.sin_port);
  }
  ~HeldPort() { close(m_socket); }
  int Port() const { return m_port; }

 private:
  int m_socket;
  int m_port = 0;
};

}  // namespace

TEST(ShowKeys, EachKeyAndWhatItDoes) {
  using Kind = ShowKey::Kind;
  struct Case {
    const char* name;
    std::vector<int> keys;  // the last one's result is checked
    Kind kind;
    RemoteAction action;
    int scene;
    std::string typed;
  } cases[] = {
      {"space toggles pause", {WXK_SPACE}, Kind::COMMAND, RemoteAction::TOGGLE_PAUSE, 0, ""},
      {"right goes on", {WXK_RIGHT}, Kind::COMMAND, RemoteAction::NEXT, 0, ""},
      {"page down goes on", {WXK_PAGEDOWN}, Kind::COMMAND, RemoteAction::NEXT, 0, ""},
      {"left goes back", {WXK_LEFT}, Kind::COMMAND, RemoteAction::PREVIOUS, 0, ""},
      {"page up goes back", {WXK_PAGEUP}, Kind::COMMAND, RemoteAction::PREVIOUS, 0, ""},
      {"home restarts", {WXK_HOME}, Kind::COMMAND, RemoteAction::RESTART, 0, ""},
      {"digits wait for enter", {'1', '2'}, Kind::TYPING, RemoteAction::NEXT, 0, "12"},
      {"enter jumps", {'1', '2', WXK_RETURN}, Kind::COMMAND, RemoteAction::JUMP, 12, ""},
      {"keypad digits and enter", {WXK_NUMPAD3, WXK_NUMPAD_ENTER}, Kind::COMMAND, RemoteAction::JUMP, 3, ""},
      {"backspace takes a digit back", {'4', '5', WXK_BACK, WXK_RETURN}, Kind::COMMAND, RemoteAction::JUMP, 4, ""},
      {"enter alone does nothing", {WXK_RETURN}, Kind::NONE, RemoteAction::NEXT, 0, ""},
      {"a leading zero is not typed", {'0', '7'}, Kind::TYPING, RemoteAction::NEXT, 0, "7"},
      {"at most four digits", {'1', '2', '3', '4', '5'}, Kind::TYPING, RemoteAction::NEXT, 0, "1234"},
      {"another key drops the number", {'9', WXK_RIGHT}, Kind::COMMAND, RemoteAction::NEXT, 0, ""},
      {"escape leaves", {WXK_ESCAPE}, Kind::LEAVE, RemoteAction::NEXT, 0, ""},
      {"F11 leaves", {WXK_F11}, Kind::LEAVE, RemoteAction::NEXT, 0, ""},
      {"a letter is not show mode's", {'A'}, Kind::NONE, RemoteAction::NEXT, 0, ""},
  };
  for (const Case& c : cases) {
    ShowKeys keys;
    ShowKey key;
    for (int code : c.keys) key = keys.Press(code);
    EXPECT_EQ(key.kind, c.kind) << c.name;
    if (c.kind == Kind::COMMAND) {
      EXPECT_EQ(key.command.action, c.action) << c.name;
      EXPECT_EQ(key.command.scene, c.scene) << c.name;
    }
    EXPECT_EQ(keys.Typed(), c.typed) << c.name;
  }
}

TEST(RemoteStatus, NamesTheRemotesThatListen) {
  struct Case {
    int osc;
    int http;
    const char* text;
  } cases[] = {
      {0, 0, ""},
      {9000, 0, "Remote: OSC 9000"},
      {0, 8080, "Remote: web 8080"},
      {9000, 8080, "Remote: OSC 9000, web 8080"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WindowRemotes::StatusText(c.osc, c.http), c.text);
  }
}

class WindowRemotesTest : public AppTest {
 protected:
  void SetUp() override {
    FtdiSimReset();
    FtdiSimAddDevice("Lumivane USB");
    WriteSettings("[Settings]\ncom=Lumivane USB (1)\nautorun=0\ntip=-1\n");
  }
  // Opens a scenario of `scenes` scenes and runs it, ticked by hand.
  void RunScenario(int scenes) { StartRunningScenario(HomePath("show.cfg"), ScenarioText(scenes)); }
  // Hands `command` in from a thread of its own, as a remote does, while
  // the window's event loop runs; returns the reply.
  RemoteReply SubmitFromAnotherThread(RemoteAction action, int scene = 0) {
    RemoteCommand command;
    command.action = action;
    command.scene = scene;
    RemoteReply reply;
    std::atomic<bool> done{false};
    std::thread remote([&] {
      reply = m_frame->Remotes().Hub().Submit(command);
      done = true;
    });
    for (int i = 0; i < 200 && !done; ++i) Pump(10);
    remote.join();
    m_frame->TimerTick();  // the session takes the move in
    return reply;
  }
  // A key pressed in show mode. Xvfb has no window manager to keep the
  // full-screen window active when the main window changes its page, so
  // the focus is put back each time.
  void ShowModeKey(int key) {
    ShowWindow* show = m_frame->Remotes().Show();
    ASSERT_NE(show, nullptr);
    show->Raise();
    show->Canvas()->SetFocus();
    Pump(30);
    wxUIActionSimulator input;
    input.Char(key);
    Pump(60);
    m_frame->TimerTick();
  }
};

TEST_F(WindowRemotesTest, ACommandFromAnotherThreadMovesTheRunAndThePageFollows) {
  RunScenario(3);
  RemoteReply reply = SubmitFromAnotherThread(RemoteAction::NEXT);
  EXPECT_EQ(reply.status, RemoteReply::Status::OK);
  EXPECT_EQ(reply.state.scene, 2);
  EXPECT_EQ(m_frame->ActiveScene(), 1);
  EXPECT_EQ(m_frame->Notebook()->GetSelection(), 1);

  reply = SubmitFromAnotherThread(RemoteAction::JUMP, 3);
  EXPECT_EQ(reply.state.name, "S3");
  EXPECT_EQ(m_frame->Notebook()->GetSelection(), 2);
  EXPECT_EQ(m_frame->Remotes().Hub().Latest().scene, 3);

  reply = SubmitFromAnotherThread(RemoteAction::STOP);
  EXPECT_EQ(reply.state.run, RemoteState::Run::STOPPED);
  EXPECT_FALSE(m_frame->Session().Running());
  EXPECT_EQ(m_frame->GetStatusBar()->GetStatusText(STATUS_STATE), "");

  // Run starts as Transfer/run does, from the page shown.
  reply = SubmitFromAnotherThread(RemoteAction::RUN);
  EXPECT_EQ(reply.status, RemoteReply::Status::OK);
  EXPECT_TRUE(m_frame->Session().Running());
  EXPECT_EQ(m_frame->ActiveScene(), 2);
}

TEST_F(WindowRemotesTest, RunOfAScenarioWithoutAFileIsRefusedWithoutADialog) {
  Start();
  m_frame->Timer()->Stop();
  m_frame->GetDocument().SetModified(true);
  const RemoteReply reply = SubmitFromAnotherThread(RemoteAction::RUN);
  EXPECT_EQ(reply.status, RemoteReply::Status::CONFLICT);
  EXPECT_NE(reply.error.find("no file"), std::string::npos) << reply.error;
  EXPECT_FALSE(m_frame->Session().Running());
  EXPECT_TRUE(m_frame->GetDocument().IsModified());
}

TEST_F(WindowRemotesTest, RunSavesAModifiedScenarioThatHasItsFile) {
  const std::string path = HomePath("show.cfg");
  StartWithScenario(path, ScenarioText(2));
  ASSERT_FALSE(HasFatalFailure());
  SetSceneName(m_frame, 1, "Finale");
  m_frame->GetDocument().SetModified(true);
  const RemoteReply reply = SubmitFromAnotherThread(RemoteAction::RUN);
  EXPECT_EQ(reply.status, RemoteReply::Status::OK);
  EXPECT_FALSE(m_frame->GetDocument().IsModified());
  EXPECT_NE(ReadFileText(path).find("name=Finale"), std::string::npos);
  EXPECT_TRUE(m_frame->Session().Running());
}

TEST_F(WindowRemotesTest, ShowModeKeysActOnTheRunAndEscapeLeaves) {
  RunScenario(4);
  wxCommandEvent open(wxEVT_MENU, ID_SHOW_MODE);
  m_frame->ProcessWindowEvent(open);
  ShowWindow* show = m_frame->Remotes().Show();
  ASSERT_NE(show, nullptr);
  Pump(150);
  show->Raise();
  show->Canvas()->SetFocus();
  Pump(100);

  ShowModeKey(WXK_RIGHT);
  EXPECT_EQ(m_frame->ActiveScene(), 1);
  EXPECT_EQ(show->State().scene, 2);
  ShowModeKey(WXK_PAGEDOWN);
  EXPECT_EQ(m_frame->ActiveScene(), 2);
  ShowModeKey(WXK_PAGEUP);
  ShowModeKey(WXK_LEFT);
  EXPECT_EQ(m_frame->ActiveScene(), 0);
  ShowModeKey('4');
  EXPECT_EQ(show->Typed(), "4");
  ShowModeKey(WXK_RETURN);
  EXPECT_EQ(m_frame->ActiveScene(), 3);
  EXPECT_EQ(m_frame->Notebook()->GetSelection(), 3);
  ShowModeKey(WXK_HOME);
  EXPECT_EQ(m_frame->ActiveScene(), 0);
  ShowModeKey(WXK_SPACE);
  EXPECT_EQ(show->State().run, RemoteState::Run::PAUSED);
  ShowModeKey(WXK_SPACE);
  EXPECT_EQ(show->State().run, RemoteState::Run::RUNNING);
  // A scene the scenario lacks is told, and the run stays where it is.
  ShowModeKey('9');
  ShowModeKey(WXK_RETURN);
  EXPECT_EQ(show->Notice(), "There is no scene 9");
  EXPECT_EQ(m_frame->ActiveScene(), 0);

  ShowModeKey(WXK_ESCAPE);
  Pump(50);
  EXPECT_EQ(m_frame->Remotes().Show(), nullptr);
  EXPECT_TRUE(m_frame->Session().Running());
}

TEST_F(WindowRemotesTest, DialogTakesTheRemotesIntoTheSettingsAndMakesATokenForTheNetwork) {
  Start();
  auto before = std::make_shared<RemoteDialogSeen>();
  auto after = std::make_shared<RemoteDialogSeen>();
  // Busy ports: the program goes on without the remotes, and says so.
  const HeldPort udp(SOCK_DGRAM);
  const HeldPort tcp(SOCK_STREAM);
  const ExpectRemoteDialog::Choice choice{true, udp.Port(), true, tcp.Port(), true, false};
  wxCommandEvent command(wxEVT_MENU, ID_REMOTE_CONTROL);
  wxTEST_DIALOG(m_frame->ProcessWindowEvent(command), ExpectRemoteDialog(wxID_OK, before, after, &choice),
                ExpectRemoteProblem({wxString::Format("OSC remote could not listen on port %d", udp.Port()),
                                     wxString::Format("web remote could not listen on port %d", tcp.Port())}));
  // Everything off at first, with the default ports.
  EXPECT_FALSE(before->osc);
  EXPECT_EQ(before->oscPort, 9000);
  EXPECT_FALSE(before->http);
  EXPECT_EQ(before->httpPort, 8080);
  EXPECT_FALSE(before->network);
  EXPECT_EQ(before->token, "");
  EXPECT_FALSE(before->qrCode);
  // Allowing the network made a token; the address carries it and its QR code shows.
  EXPECT_EQ(after->token.length(), 32u);
  EXPECT_TRUE(after->url.StartsWith("http://")) << after->url;
  EXPECT_TRUE(after->url.Contains(wxString::Format(":%d/", tcp.Port()))) << after->url;
  EXPECT_TRUE(after->url.Contains(after->token)) << after->url;
  EXPECT_TRUE(after->qrCode);

  const Settings& settings = App().State().settings;
  EXPECT_EQ(settings.oscPort, udp.Port());
  EXPECT_EQ(settings.httpPort, tcp.Port());
  EXPECT_FALSE(settings.remoteNetwork);
  // The token made stays for the next time the network is allowed.
  EXPECT_EQ(wxString(settings.remoteToken), after->token);
  EXPECT_EQ(m_frame->GetStatusBar()->GetFieldsCount(), STATUS_FIELDS);

  // Cancel keeps the settings; the dialog shows them as they are.
  const wxString token = after->token;
  auto again = std::make_shared<RemoteDialogSeen>();
  const ExpectRemoteDialog::Choice off{false, 1, false, 1, true, false};
  wxTEST_DIALOG(m_frame->ProcessWindowEvent(command), ExpectRemoteDialog(wxID_CANCEL, again, after, &off));
  EXPECT_TRUE(again->osc);
  EXPECT_EQ(again->httpPort, tcp.Port());
  EXPECT_FALSE(again->network);
  EXPECT_EQ(again->token, "");  // shown only while the network is allowed
  EXPECT_EQ(after->token, token);  // ticking it again shows the same token
  EXPECT_EQ(App().State().settings.oscPort, udp.Port());
}

TEST_F(WindowRemotesTest, RemotesOfTheSettingsFileStartWithTheWindow) {
  const HeldPort udp(SOCK_DGRAM);
  WriteSettings("[Settings]\ncom=\ntip=-1\n[Remote]\nosc=" + std::to_string(udp.Port()) + "\nhttp=0\n");
  wxTEST_DIALOG(Start(), ExpectRemoteProblem({wxString::Format("port %d", udp.Port())}));
  EXPECT_EQ(m_frame->GetStatusBar()->GetFieldsCount(), STATUS_FIELDS);
  EXPECT_EQ(App().State().settings.oscPort, udp.Port());  // kept for the next start
}

TEST_F(WindowRemotesTest, StatusBarSaysWhichRemotesListenAndForgetsThemWhenOff) {
  int oscPort = 0;
  int httpPort = 0;
  {
    // Ports free a moment ago.
    const HeldPort udp(SOCK_DGRAM);
    const HeldPort tcp(SOCK_STREAM);
    oscPort = udp.Port();
    httpPort = tcp.Port();
  }
  WriteSettings("[Settings]\ncom=\ntip=-1\n[Remote]\nosc=" + std::to_string(oscPort) +
                "\nhttp=" + std::to_string(httpPort) + "\n");
  Start();
  wxStatusBar* bar = m_frame->GetStatusBar();
  ASSERT_EQ(bar->GetFieldsCount(), STATUS_FIELDS + 1);
  EXPECT_EQ(bar->GetStatusText(STATUS_FIELDS), wxString::Format("Remote: OSC %d, web %d", oscPort, httpPort));

  auto before = std::make_shared<RemoteDialogSeen>();
  auto after = std::make_shared<RemoteDialogSeen>();
  const ExpectRemoteDialog::Choice off{false, oscPort, false, httpPort, false, false};
  wxCommandEvent command(wxEVT_MENU, ID_REMOTE_CONTROL);
  wxTEST_DIALOG(m_frame->ProcessWindowEvent(command), ExpectRemoteDialog(wxID_OK, before, after, &off));
  EXPECT_TRUE(before->osc);
  EXPECT_TRUE(before->url.StartsWith(wxString::Format("http://127.0.0.1:%d", httpPort))) << before->url;
  EXPECT_EQ(bar->GetFieldsCount(), STATUS_FIELDS);
}
