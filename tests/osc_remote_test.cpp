// The OSC remote with real datagrams on 127.0.0.1: which message becomes
// which command, what is dropped and counted, and the feedback subscribers
// receive.
#include "core/remote/osc_remote.h"

#include <lo/lo.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <thread>

#include "support/ticked_run_player.h"

namespace {

using namespace std::chrono_literals;

// Waits up to two seconds for `done`.
bool Eventually(const std::function<bool()>& done) {
  for (int i = 0; i < 200; ++i) {
    if (done()) return true;
    std::this_thread::sleep_for(10ms);
  }
  return done();
}

// A liblo client with a port of its own, so the remote can answer it.
template <typename T>
T Aligned(const lo_arg* argument) {
  T value;
  std::memcpy(&value, argument, sizeof value);
  return value;
}

class OscClient {
 public:
  explicit OscClient(int port) {
    m_server = lo_server_new_with_proto(nullptr, LO_UDP, nullptr);
    m_target = lo_address_new("127.0.0.1", std::to_string(port).c_str());
    lo_server_add_method(m_server, "/lumivane/state", "issff", &OscClient::OnState, this);
  }
  ~OscClient() {
    lo_address_free(m_target);
    lo_server_free(m_server);
  }
  void Send(const char* path, lo_message message) {
    lo_send_message_from(m_target, m_server, path, message);
    lo_message_free(message);
  }
  void Send(const char* path) { Send(path, lo_message_new()); }
  // The first /lumivane/state within `timeoutMs` that `wanted` accepts
  // (states on the way there come too), or false.
  bool ReceiveUntil(const std::function<bool(const RemoteState&)>& wanted, RemoteState* state,
                    int timeoutMs = 2000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
      if (Receive(state, 50) && wanted(*state)) return true;
    }
    return false;
  }
  // The next /lumivane/state within `timeoutMs`, or false.
  bool Receive(RemoteState* state, int timeoutMs = 2000) {
    m_received = false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!m_received && std::chrono::steady_clock::now() < end) lo_server_recv_noblock(m_server, 20);
    if (m_received) *state = m_state;
    return m_received;
  }

 private:
  static int OnState(const char*, const char*, lo_arg** argv, int, lo_message, void* self) {
    auto* client = static_cast<OscClient*>(self);
    client->m_state = RemoteState{};
    // The arguments lie 4-byte aligned in the message; lo_arg wants 8.
    client->m_state.scene = Aligned<int32_t>(argv[0]);
    client->m_state.name = reinterpret_cast<const char*>(argv[1]);
    const std::string run = reinterpret_cast<const char*>(argv[2]);
    client->m_state.run = run == "running"  ? RemoteState::Run::RUNNING
                          : run == "paused" ? RemoteState::Run::PAUSED
                                            : RemoteState::Run::STOPPED;
    client->m_state.remaining = Aligned<float>(argv[3]);
    client->m_state.late = Aligned<float>(argv[4]);
    client->m_received = true;
    return 0;
  }
  lo_server m_server;
  lo_address m_target;
  RemoteState m_state;
  bool m_received = false;
};

lo_message Message(const std::function<void(lo_message)>& add) {
  lo_message message = lo_message_new();
  add(message);
  return message;
}

// A hub whose commands are only written down, performed on the remote's
// own thread the moment they arrive.
struct RecordingPlayer {
  RemoteHub hub;
  std::mutex mutex;
  std::vector<RemoteCommand> commands;
  RecordingPlayer() {
    hub.SetPerformer([this](const RemoteCommand& command) {
      std::lock_guard<std::mutex> lock(mutex);
      commands.push_back(command);
      return RemoteReply{};
    });
    hub.SetWaker([this] { hub.DeliverCommands(); });
  }
};

uint64_t Seen(const OscRemote& remote) {
  const OscRemote::Counts counts = remote.Totals();
  return counts.commands + counts.ignored;
}

using A = RemoteAction;

TEST(OscRemote, MessagesBecomeCommandsOrAreIgnored) {
  const struct {
    const char* path;
    std::function<void(lo_message)> arguments;
    bool command;  // false: ignored
    A action;
    int scene;
    const char* name;
  } cases[] = {
      {"/lumivane/next", [](lo_message) {}, true, A::NEXT, 0, ""},
      {"/lumivane/previous", [](lo_message) {}, true, A::PREVIOUS, 0, ""},
      {"/lumivane/restart", [](lo_message) {}, true, A::RESTART, 0, ""},
      {"/lumivane/run", [](lo_message) {}, true, A::RUN, 0, ""},
      {"/lumivane/stop", [](lo_message) {}, true, A::STOP, 0, ""},
      {"/lumivane/pause", [](lo_message) {}, true, A::TOGGLE_PAUSE, 0, ""},
      {"/lumivane/pause", [](lo_message m) { lo_message_add_int32(m, 1); }, true, A::PAUSE, 0, ""},
      {"/lumivane/pause", [](lo_message m) { lo_message_add_int32(m, 0); }, true, A::RESUME, 0, ""},
      {"/lumivane/scene", [](lo_message m) { lo_message_add_int32(m, 3); }, true, A::JUMP, 3, ""},
      {"/lumivane/scene", [](lo_message m) { lo_message_add_int32(m, 0); }, true, A::JUMP, 0, ""},
      {"/lumivane/scene", [](lo_message m) { lo_message_add_string(m, "Verse"); }, true, A::JUMP, 0, "Verse"},
      {"/lumivane/pause", [](lo_message m) { lo_message_add_int32(m, 2); }, false, A::NEXT, 0, ""},
      {"/lumivane/pause", [](lo_message m) { lo_message_add_float(m, 1); }, false, A::NEXT, 0, ""},
      {"/lumivane/scene", [](lo_message) {}, false, A::NEXT, 0, ""},
      {"/lumivane/scene", [](lo_message m) { lo_message_add_string(m, ""); }, false, A::NEXT, 0, ""},
      {"/lumivane/scene", [](lo_message m) { lo_message_add_float(m, 2); }, false, A::NEXT, 0, ""},
      {"/lumivane/scene", [](lo_message m) { lo_message_add(m, "ii", 1, 2); }, false, A::NEXT, 0, ""},
      {"/lumivane/next", [](lo_message m) { lo_message_add_int32(m, 1); }, false, A::NEXT, 0, ""},
      {"/lumivane/subscribe", [](lo_message m) { lo_message_add_int32(m, 1); }, false, A::NEXT, 0, ""},
      {"/lumivane/nextt", [](lo_message) {}, false, A::NEXT, 0, ""},
      {"/lumivane", [](lo_message) {}, false, A::NEXT, 0, ""},
      {"/other/next", [](lo_message) {}, false, A::NEXT, 0, ""},
  };
  RecordingPlayer player;
  OscRemote remote(player.hub);
  ASSERT_EQ(remote.Start("127.0.0.1", 0), "");
  OscClient client(remote.Port());
  for (const auto& c : cases) {
    const int at = static_cast<int>(&c - cases);
    const uint64_t before = Seen(remote);
    const size_t commands = player.commands.size();
    client.Send(c.path, Message(c.arguments));
    ASSERT_TRUE(Eventually([&] { return Seen(remote) == before + 1; })) << at;
    std::lock_guard<std::mutex> lock(player.mutex);
    ASSERT_EQ(player.commands.size(), commands + (c.command ? 1 : 0)) << at << " " << c.path;
    if (c.command) {
      EXPECT_EQ(player.commands.back().action, c.action) << at;
      EXPECT_EQ(player.commands.back().scene, c.scene) << at;
      EXPECT_EQ(player.commands.back().sceneName, c.name) << at;
    }
  }
  EXPECT_EQ(remote.Totals().ignored, 11u);
  EXPECT_EQ(remote.Totals().refused, 0u);
}

TEST(OscRemote, DatagramsThatAreNoMessagesAreCountedAndTheRemoteGoesOn) {
  const std::string lengthOk("/lumivane/next\0\0,\0\0\0", 20);
  const std::vector<std::string> datagrams = {
      "",
      "hello",
      std::string("/lumivane/next", 14),                      // no terminator, no padding
      std::string("/lumivane/next\0\0,i\0\0", 20),           // an int announced, none given
      std::string("/lumivane/scene\0,s\0\0abcd", 24),         // a string without its end
      std::string("#bundle\0\0\0\0\0\0\0\0\1", 16),          // a bundle
      std::string(3000, '/'),                                // longer than any command
      std::string("/lumivane/next\0\0,\0\0\0", 19),          // cut short
      std::string("/lumivane/next\0\0,\xff\0\0", 20),        // an unknown type
  };
  RecordingPlayer player;
  OscRemote remote(player.hub);
  ASSERT_EQ(remote.Start("127.0.0.1", 0), "");
  const int raw = socket(AF_INET, SOCK_DGRAM, 0);
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<uint16_t>(remote.Port()));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  for (const std::string& datagram : datagrams) {
    sendto(raw, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  }
  EXPECT_TRUE(Eventually([&] { return remote.Totals().ignored == datagrams.size(); })) << remote.Totals().ignored;
  // The same bytes, whole, still work.
  sendto(raw, lengthOk.data(), lengthOk.size(), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
  EXPECT_TRUE(Eventually([&] { return remote.Totals().commands == 1; }));
  close(raw);
  std::lock_guard<std::mutex> lock(player.mutex);
  ASSERT_EQ(player.commands.size(), 1u);
  EXPECT_EQ(player.commands[0].action, A::NEXT);
}

// The remote's thread performs the commands the moment they arrive, as the
// only thread that uses the session once the remote listens.
struct ThreadedPlayer : TickedRunPlayer {
  ThreadedPlayer() {
    actions.Publish();
    hub.SetWaker([this] { hub.DeliverCommands(); });
  }
};

using R = RemoteState::Run;

TEST(OscRemote, SubscribersHearEveryChangeUntilTheyUnsubscribe) {
  ThreadedPlayer player;
  OscRemote remote(player.hub);
  ASSERT_EQ(remote.Start("127.0.0.1", 0), "");
  OscClient client(remote.Port());
  const struct {
    const char* path;
    std::function<void(lo_message)> arguments;
    int scene;  // what the state then says
    const char* name;
    R run;
  } steps[] = {
      {"/lumivane/subscribe", [](lo_message) {}, 0, "", R::STOPPED},
      {"/lumivane/run", [](lo_message) {}, 1, "Intro", R::RUNNING},
      {"/lumivane/scene", [](lo_message m) { lo_message_add_string(m, "Finale"); }, 3, "Finale", R::RUNNING},
      {"/lumivane/next", [](lo_message) {}, 1, "Intro", R::RUNNING},
      {"/lumivane/pause", [](lo_message) {}, 1, "Intro", R::PAUSED},
      {"/lumivane/scene", [](lo_message m) { lo_message_add_int32(m, 2); }, 2, "Verse", R::PAUSED},
      {"/lumivane/stop", [](lo_message) {}, 0, "", R::STOPPED},
  };
  for (const auto& step : steps) {
    const int at = static_cast<int>(&step - steps);
    client.Send(step.path, Message(step.arguments));
    RemoteState state;
    EXPECT_TRUE(client.ReceiveUntil(
        [&](const RemoteState& s) { return s.scene == step.scene && s.name == step.name && s.run == step.run; },
        &state))
        << at << " " << step.path << ": last heard " << state.scene << " " << state.name;
  }
  EXPECT_EQ(remote.Subscribers(), 1);
  client.Send("/lumivane/unsubscribe");
  ASSERT_TRUE(Eventually([&] { return remote.Subscribers() == 0; }));
  client.Send("/lumivane/run");
  RemoteState state;
  EXPECT_FALSE(client.Receive(&state, 300)) << "no state after unsubscribing";
}

TEST(OscRemote, ARunningRunIsToldOnceASecondAndRefusalsAreCounted) {
  ThreadedPlayer player;
  OscRemote remote(player.hub);
  ASSERT_EQ(remote.Start("127.0.0.1", 0), "");
  OscClient client(remote.Port());
  client.Send("/lumivane/next");  // no run yet
  ASSERT_TRUE(Eventually([&] { return remote.Totals().refused == 1; }));
  client.Send("/lumivane/run");
  ASSERT_TRUE(Eventually([&] { return player.hub.Latest().run == R::RUNNING; }));
  client.Send("/lumivane/subscribe");
  RemoteState state;
  ASSERT_TRUE(client.Receive(&state));  // on subscribing
  const auto since = std::chrono::steady_clock::now();
  ASSERT_TRUE(client.Receive(&state, 2500));
  ASSERT_TRUE(client.Receive(&state, 2500));
  EXPECT_GE(std::chrono::steady_clock::now() - since, 900ms) << "not more often than once a second";
  EXPECT_EQ(state.scene, 1);
  EXPECT_EQ(state.run, R::RUNNING);
  EXPECT_EQ(remote.Totals().commands, 2u);
}

TEST(OscRemote, ASubscriptionNotRenewedLapses) {
  ThreadedPlayer player;
  OscRemote remote(player.hub, 300ms);
  ASSERT_EQ(remote.Start("127.0.0.1", 0), "");
  OscClient renewing(remote.Port());
  OscClient lapsing(remote.Port());
  RemoteState state;
  lapsing.Send("/lumivane/subscribe");
  ASSERT_TRUE(lapsing.Receive(&state));
  // Renewed every 100 ms for 1.5 s: longer than the lifetime and than the
  // second in which lapsed subscriptions are dropped.
  for (int i = 0; i < 15; ++i) {
    renewing.Send("/lumivane/subscribe");
    ASSERT_TRUE(renewing.Receive(&state));
    std::this_thread::sleep_for(100ms);
  }
  EXPECT_EQ(remote.Subscribers(), 1);
  while (lapsing.Receive(&state, 100)) {
    // What it was told while it still was a subscriber.
  }
  renewing.Send("/lumivane/run");
  EXPECT_TRUE(renewing.Receive(&state));
  EXPECT_FALSE(lapsing.Receive(&state, 300)) << "a lapsed subscriber hears nothing more";
}

TEST(OscRemote, SixteenSubscribersAreKeptAtMost) {
  RecordingPlayer player;
  OscRemote remote(player.hub);
  ASSERT_EQ(remote.Start("127.0.0.1", 0), "");
  std::vector<std::unique_ptr<OscClient>> clients;
  for (int i = 0; i < OscRemote::MAX_SUBSCRIBERS + 2; ++i) {
    clients.push_back(std::make_unique<OscClient>(remote.Port()));
    clients.back()->Send("/lumivane/subscribe");
    RemoteState state;
    ASSERT_TRUE(clients.back()->Receive(&state)) << i << ": each newcomer is told the state";
  }
  EXPECT_EQ(remote.Subscribers(), OscRemote::MAX_SUBSCRIBERS);
  clients[5]->Send("/lumivane/subscribe");  // a renewal takes no new place
  RemoteState state;
  ASSERT_TRUE(clients[5]->Receive(&state));
  EXPECT_EQ(remote.Subscribers(), OscRemote::MAX_SUBSCRIBERS);
}

TEST(OscRemote, StartingReportsWhyItCannotListen) {
  RecordingPlayer player;
  OscRemote first(player.hub);
  ASSERT_EQ(first.Start("127.0.0.1", 0), "");
  EXPECT_TRUE(first.Listening());
  const int taken = first.Port();
  const struct {
    std::string address;
    int port;
    std::string error;
  } cases[] = {
      {"127.0.0.1", taken, "UDP port " + std::to_string(taken) + " is already in use"},
      {"127.0.0.1", 70000, "There is no UDP port 70000"},
      {"127.0.0.1", -1, "There is no UDP port -1"},
  };
  for (const auto& c : cases) {
    OscRemote second(player.hub);
    EXPECT_EQ(second.Start(c.address, c.port), c.error);
    EXPECT_FALSE(second.Listening());
    EXPECT_EQ(second.Port(), 0);
  }
  first.Stop();
  EXPECT_FALSE(first.Listening());
  OscRemote again(player.hub);
  EXPECT_EQ(again.Start("", taken), "") << "free again once stopped; the default address is loopback";
}

}  // namespace
