// The web remote's page in a real browser: headless Chromium opens it,
// presses Next, and the page shows the scene the player moved to.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "core/remote/http_remote.h"
#include "support/fake_remote_player.h"
#include "support/temp_home.h"

extern char** environ;

namespace {

const char* const CHROMIUM = "/usr/bin/chromium";

// Runs the browser on `url` and returns the page as it stands once its
// script is done, or "" when the browser fails or takes too long.
std::string DumpedPage(const std::string& url, std::chrono::seconds limit) {
  const std::string out = TestHome() + "/dom.html";
  const std::string profile = "--user-data-dir=" + TestHome() + "/chromium";
  // The page closes its event stream when it is done, which lets the
  // browser's clock run out its budget and print the page.
  std::vector<std::string> args = {CHROMIUM, "--headless", "--no-sandbox", "--disable-gpu",
                                   "--no-first-run", "--disable-extensions", "--no-proxy-server",
                                   profile, "--virtual-time-budget=20000", "--dump-dom", url};
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(&arg[0]);
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // A group of its own, so its helper processes can be ended with it.
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attributes, 0);
  pid_t pid = -1;
  const int spawned = posix_spawn(&pid, CHROMIUM, &actions, &attributes, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attributes);
  if (spawned != 0) return "";
  const auto deadline = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(-pid, SIGKILL);
      waitpid(pid, &status, 0);
      return "";
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::ifstream file(out);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

TEST(RemotePageInABrowser, NextMovesTheRunAndThePageShowsIt) {
  if (access(CHROMIUM, X_OK) != 0) GTEST_SKIP() << CHROMIUM << " is not installed";
  FakeRemotePlayer player;
  HttpRemote remote(player.hub);
  ASSERT_EQ("", remote.Start("127.0.0.1", 0, "Tok3n"));
  const std::string page =
      DumpedPage(HttpRemote::RemoteUrl("127.0.0.1", remote.Port(), "Tok3n") + "&selftest=next", std::chrono::seconds(60));
  ASSERT_FALSE(page.empty()) << "the browser failed or took too long";
  EXPECT_NE(std::string::npos, page.find("data-selftest=\"passed 1 to 2\"")) << page;
  EXPECT_NE(std::string::npos, page.find("<span id=\"name\">Verse</span>")) << page;
  EXPECT_NE(std::string::npos, page.find("background: rgb(0, 128, 255)")) << "the second board's colour";
  EXPECT_EQ(2, remote.Port() ? player.hub.Latest().scene : 0);
  EXPECT_EQ(1, player.performed);
}

}  // namespace
