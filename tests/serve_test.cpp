// `lumivane-cli serve` as a child process on a pseudo-terminal, driven by
// OSC datagrams on 127.0.0.1: what each remote jump puts on the line, and
// the exit status and one-line error of each way it ends.
#include <lo/lo.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <thread>

#include "core/board/board_commands.h"
#include "core/board/recording_link.h"
#include "core/format/scenario_text.h"
#include "support/cli_child.h"
#include "support/loopback_port.h"
#include "support/pseudo_terminal.h"
#include "support/temp_home.h"

namespace {

using Bytes = std::vector<unsigned char>;

// Three scenes that stay until a remote moves the run.
const char SHOW[] =
    "# Lumivane scenario\n\n"
    "[Scene1]\nname=Red\nfade=10\nhold=0.0\nrange1=1:1; 180; 0\n\n"
    "[Scene2]\nname=Two\nfade=200\nhold=0.0\nrange1=3:5; 0; 2\n\n"
    "[Scene3]\nname=Far\nfade=0\nhold=0.0\nrange1=2:2; 5; 1\nrange2=7:9; 100; 0\n";

// Scene `number`'s transfer as the core makes it, without the keep-alive
// byte F8 (the run sends it between scenes whenever a second is up).
Bytes Transfer(int number) {
  const Scenario scenario = ParseScenarioText(SHOW);
  RecordingBoardLink link;
  link.Open("line", 9600);
  link.ClearEvents();
  SendSceneToBoards(link, BoardTarget{"line", LinkSpeed::STANDARD}, scenario.scenes[number - 1]);
  Bytes bytes;
  for (const LinkEvent& event : link.Events()) {
    for (unsigned char byte : event.bytes) {
      if (event.kind == LinkEvent::WRITE && byte != 0xF8) bytes.push_back(byte);
    }
  }
  return bytes;
}

class ServeTest : public testing::Test {
 protected:
  void SetUp() override {
    std::ofstream(show, std::ios::binary) << SHOW;
    ASSERT_TRUE(line.IsOpen());
    path = line.Path();
  }
  // What arrives on the line, keep-alives left out, until `count` bytes
  // came, or nothing but keep-alives came for `quietMs` (they go out every
  // second, so a line quiet but for them ends the wait too).
  Bytes ReadLine(size_t count, int quietMs) { return line.ReadSkipping(0xF8, count, quietMs); }
  std::string show = TestHome() + "/show.cfg";
  PseudoTerminal line;
  std::string path;
};

// The player as these tests run it: a wait that does not end fails the
// test instead of hanging it.
class Serve : public Cli {
 public:
  explicit Serve(const std::vector<std::string>& args) : Cli(args, "serve") {}
  ProgramResult Wait() { return Cli::Wait(WAIT_MS); }

 private:
  static constexpr int WAIT_MS = 10000;
};

TEST_F(ServeTest, EachRemoteJumpPutsThatScenesTransferOnTheLine) {
  const struct {
    const char* path;
    int argument;  // -1: none
    int scene;     // whose transfer follows
  } steps[] = {
      {"/lumivane/scene", 3, 3}, {"/lumivane/previous", -1, 2}, {"/lumivane/next", -1, 3},
      {"/lumivane/next", -1, 1}, {"/lumivane/scene", 2, 2},     {"/lumivane/restart", -1, 1},
  };
  const int port = FreeLoopbackPort(SOCK_DGRAM);
  Serve serve({"serve", show, "--port", path, "--osc", "127.0.0.1:" + std::to_string(port)});
  ASSERT_EQ(ReadLine(Transfer(1).size(), 10000), Transfer(1)) << "scene 1 at once";
  lo_address remote = lo_address_new("127.0.0.1", std::to_string(port).c_str());
  for (const auto& step : steps) {
    const int at = static_cast<int>(&step - steps);
    if (step.argument < 0) {
      lo_send(remote, step.path, "");
    } else {
      lo_send(remote, step.path, "i", step.argument);
    }
    EXPECT_EQ(ReadLine(Transfer(step.scene).size(), 8000), Transfer(step.scene)) << at << " " << step.path;
  }
  lo_send(remote, "/lumivane/stop", "");
  lo_send(remote, "/lumivane/next", "");  // no run: refused, nothing sent
  EXPECT_EQ(ReadLine(1, 400), Bytes{});
  lo_send(remote, "/lumivane/run", "");
  EXPECT_EQ(ReadLine(Transfer(1).size(), 8000), Transfer(1)) << "a run again from scene 1";
  lo_address_free(remote);
  serve.Signal(SIGINT);
  const ProgramResult result = serve.Wait();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out,
            "Scene 1: Red\nScene 3: Far\nScene 2: Two\nScene 3: Far\nScene 1: Red\nScene 2: Two\nScene 1: Red\n"
            "Scene 1: Red\n");
  EXPECT_EQ(result.err, "");
}

TEST_F(ServeTest, TheWayItEndsGivesItsStatusAndOneLine) {
  int takenNumber = 0;
  const int taken = BoundLoopbackSocket(SOCK_DGRAM, &takenNumber);
  ASSERT_GE(taken, 0);
  const std::string takenPort = std::to_string(takenNumber);
  const std::string missing = TestHome() + "/missing.cfg";
  const struct {
    std::vector<std::string> args;
    int status;
    std::string err;  // exactly, or its start when it ends in "..."
  } cases[] = {
      {{"serve", show, "--http", "0.0.0.0:8080"}, 2,
       "lumivane-cli: --http on 0.0.0.0 needs a --token (see lumivane-cli serve --help)\n"},
      {{"serve", show, "--osc", "nine"}, 2,
       "lumivane-cli: 'nine' is no [ADDR:]PORT for --osc (see lumivane-cli serve --help)\n"},
      {{"serve", show, "--osc", "127.0.0.1:70000"}, 2, "lumivane-cli: '127.0.0.1:70000' is no..."},
      {{"serve", show, "--scene", "2"}, 2, "lumivane-cli: unknown option '--scene'..."},
      {{"serve"}, 2, "lumivane-cli: no scenario file given..."},
      {{"serve", show, "--port", path, "--osc", takenPort}, 1,
       "lumivane-cli: OSC: UDP port " + takenPort + " is already in use\n"},
      {{"serve", missing}, 1, "lumivane-cli: " + missing + ": No such file or directory\n"},
      {{"serve", show, "--port", TestHome() + "/no-tty"}, 1,
       "lumivane-cli: " + TestHome() + "/no-tty: No such file or directory\n"},
  };
  for (const auto& c : cases) {
    const ProgramResult result = Serve(c.args).Wait();
    const int at = static_cast<int>(&c - cases);
    EXPECT_EQ(result.status, c.status) << at;
    if (c.err.size() > 3 && c.err.compare(c.err.size() - 3, 3, "...") == 0) {
      EXPECT_EQ(result.err.substr(0, c.err.size() - 3), c.err.substr(0, c.err.size() - 3)) << at;
      EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << at;
    } else {
      EXPECT_EQ(result.err, c.err) << at;
    }
    EXPECT_EQ(result.out, "") << at << ": nothing played";
  }
  close(taken);
  EXPECT_EQ(ReadLine(1, 100), Bytes{}) << "the line was never written";
}

TEST_F(ServeTest, OnTheVirtualBoardsItPlaysUntilTerminated) {
  Serve serve({"serve", show});
  // The virtual boards open as a line does: a second of start-up first.
  for (int i = 0; i < 50 && ReadWholeFile(TestHome() + "/serve.out").empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  serve.Signal(SIGTERM);
  const ProgramResult result = serve.Wait();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "Scene 1: Red\n");
  EXPECT_EQ(result.err, "");
}

}  // namespace
