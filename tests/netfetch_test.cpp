// netfetch run as a child process against a local HTTP server.

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "netfetch/progress.h"
#include "support/http_test_server.h"
#include "support/temp_home.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;

const char kUsageLine[] = "Usage: netfetch <url> <newfile>\n";
const char kProgressText[] = "\rDownloading ... ";

struct RunResult {
  int exitCode = -1;    // when the process exited
  int termSignal = 0;   // when a signal ended it
  std::string out;
  std::string err;
};

// The test build of netfetch that gives up on a stalled transfer after
// 1.5 s instead of 60 s; it sits beside netfetch.
const std::string kShortStallPath =
    fs::path(NETFETCH_PATH).parent_path().string() + "/netfetch-short-stall";
constexpr int kShortStallMs = 1500;

// netfetch with its standard output and error captured separately.
class Netfetch {
 public:
  explicit Netfetch(const std::vector<std::string>& args, const std::string& program = NETFETCH_PATH) {
    int out[2];
    int err[2];
    if (pipe2(out, O_CLOEXEC) != 0 || pipe2(err, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    std::vector<std::string> argStrings = {program};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : argStrings) argv.push_back(&arg[0]);
    argv.push_back(nullptr);
    std::vector<std::string> envStrings = ProxyFreeEnvironment();
    std::vector<char*> envp;
    for (std::string& entry : envStrings) envp.push_back(&entry[0]);
    envp.push_back(nullptr);
    if (posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), envp.data()) != 0) {
      m_pid = -1;
    }
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    m_out = out[0];
    m_err = err[0];
  }

  ~Netfetch() {
    if (m_pid > 0) {
      kill(m_pid, SIGKILL);
      waitpid(m_pid, nullptr, 0);
    }
    if (m_out >= 0) close(m_out);
    if (m_err >= 0) close(m_err);
  }

  bool Started() const { return m_pid > 0; }

  // Reads output until standard output contains `text`; false on timeout or
  // when the output ends first.
  bool WaitForOutput(const std::string& text) {
    while (m_result.out.find(text) == std::string::npos) {
      if (!ReadSome()) return false;
    }
    return true;
  }

  void Signal(int signo) { kill(m_pid, signo); }

  // Reads all output and waits for the end of the process.
  RunResult Finish() {
    if (m_pid <= 0) return m_result;
    while (ReadSome()) {
    }
    int status = 0;
    if (m_timedOut) {
      kill(m_pid, SIGKILL);
    }
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    if (WIFEXITED(status)) m_result.exitCode = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) m_result.termSignal = WTERMSIG(status);
    return m_result;
  }

 private:
  // One read from whichever pipe has data; false once both ended or after
  // the deadline.
  bool ReadSome() {
    if (m_out < 0 && m_err < 0) return false;
    const auto left = m_deadline - std::chrono::steady_clock::now();
    const int ms = static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(left).count());
    if (ms <= 0) {
      m_timedOut = true;
      return false;
    }
    pollfd fds[2] = {{m_out, POLLIN, 0}, {m_err, POLLIN, 0}};
    const int ready = poll(fds, 2, ms);
    if (ready <= 0) {
      m_timedOut = ready == 0;
      return ready < 0 && errno == EINTR;
    }
    ReadPipe(&m_out, fds[0].revents, &m_result.out);
    ReadPipe(&m_err, fds[1].revents, &m_result.err);
    return true;
  }

  static void ReadPipe(int* fd, short revents, std::string* into) {
    if (*fd < 0 || revents == 0) return;
    char buffer[4096];
    const ssize_t got = read(*fd, buffer, sizeof buffer);
    if (got > 0) {
      into->append(buffer, static_cast<size_t>(got));
    } else {
      close(*fd);
      *fd = -1;
    }
  }

  pid_t m_pid = -1;
  int m_out = -1;
  int m_err = -1;
  bool m_timedOut = false;
  RunResult m_result;
  std::chrono::steady_clock::time_point m_deadline =
      std::chrono::steady_clock::now() + std::chrono::seconds(20);
};

RunResult RunNetfetch(const std::vector<std::string>& args) {
  Netfetch run(args);
  EXPECT_TRUE(run.Started());
  return run.Finish();
}

// Bytes that differ from position to position, so a shifted or repeated
// block shows up.
std::string Pattern(size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  uint32_t state = seed * 2654435761u + 1;
  for (char& byte : bytes) {
    state = state * 1103515245u + 12345u;
    byte = static_cast<char>(state >> 24);
  }
  return bytes;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

std::vector<std::string> Entries(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(dir)) {
    names.push_back(entry.path().filename().string());
  }
  return names;
}

// Splits standard output into its progress values and what follows them.
// False when the progress lines are not in their exact form.
bool ParseProgress(const std::string& out, std::vector<int>* percents, std::string* rest) {
  size_t at = 0;
  const size_t textLength = std::strlen(kProgressText);
  while (out.compare(at, textLength, kProgressText) == 0) {
    at += textLength;
    size_t digits = at;
    while (digits < out.size() && isdigit(static_cast<unsigned char>(out[digits]))) ++digits;
    if (digits == at || out.compare(digits, 3, " % ") != 0) return false;
    percents->push_back(std::stoi(out.substr(at, digits - at)));
    at = digits + 3;
  }
  *rest = out.substr(at);
  return true;
}

// A successful run: progress lines ending at 100 and one line end, nothing
// else on either stream.
void ExpectCompleteRun(const RunResult& run) {
  EXPECT_EQ(run.exitCode, 0);
  EXPECT_EQ(run.err, "");
  std::vector<int> percents;
  std::string rest;
  ASSERT_TRUE(ParseProgress(run.out, &percents, &rest)) << run.out;
  ASSERT_FALSE(percents.empty());
  EXPECT_EQ(percents.back(), 100);
  EXPECT_EQ(rest, "\n");
}

// A failed transfer: progress lines (maybe none), a line end, the message.
void ExpectFailedDownload(const RunResult& run, const std::string& url) {
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "");
  std::vector<int> percents;
  std::string rest;
  ASSERT_TRUE(ParseProgress(run.out, &percents, &rest)) << run.out;
  EXPECT_EQ(rest, "\nError downloading " + url + ".\n");
}

class NetfetchTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_server.Started());
    m_dir = TestHome();
  }
  std::string Path(const std::string& name) const { return m_dir + "/" + name; }

  HttpTestServer m_server;
  std::string m_dir;
};

}  // namespace

TEST(NetfetchProgress, PercentDropsTheFraction) {
  EXPECT_EQ(ProgressPercent(500, 1000), 50);
  EXPECT_EQ(ProgressPercent(999, 1000), 99);
  EXPECT_EQ(ProgressPercent(1000, 1000), 100);
  EXPECT_EQ(ProgressPercent(1, 3), 33);
  EXPECT_EQ(ProgressPercent(INT64_MAX - 1, INT64_MAX), 99);
  EXPECT_EQ(ProgressPercent(INT64_MAX / 2, INT64_MAX), 49);
}

TEST(NetfetchProgress, UnknownTotalShowsZero) {
  EXPECT_EQ(ProgressPercent(0, 0), 0);
  EXPECT_EQ(ProgressPercent(12345, 0), 0);
}

TEST(NetfetchProgress, LineIsRewrittenInPlaceOnlyWhenThePercentChanges) {
  char text[64];
  EXPECT_EQ(FormatProgressLine(text, sizeof text, 50), 22);
  EXPECT_STREQ(text, "\rDownloading ... 50 % ");

  ProgressLine line;
  EXPECT_TRUE(ProgressChanged(&line, 0));
  EXPECT_FALSE(ProgressChanged(&line, 0));
  EXPECT_TRUE(ProgressChanged(&line, 1));
  EXPECT_TRUE(ProgressChanged(&line, 100));
  EXPECT_FALSE(ProgressChanged(&line, 100));
}

TEST_F(NetfetchTest, WrongArgumentCountPrintsUsageAndCreatesNothing) {
  m_server.Route("/file", HttpTestRoute{200, "", "data"});
  const std::string url = m_server.Url("/file");
  const std::vector<std::vector<std::string>> cases = {
      {}, {url}, {url, Path("out.bin"), Path("extra.bin")}};
  for (const auto& args : cases) {
    const RunResult run = RunNetfetch(args);
    EXPECT_EQ(run.out, kUsageLine);
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitCode, 1);
  }
  EXPECT_TRUE(Entries(m_dir).empty());
  EXPECT_EQ(m_server.Requests(), 0);
}

TEST_F(NetfetchTest, UncreatableOutputIsReportedBeforeFetching) {
  m_server.Route("/file", HttpTestRoute{200, "", "data"});
  const std::string url = m_server.Url("/file");
  for (const std::string& path : {Path("missing/out.bin"), m_dir, std::string()}) {
    const RunResult run = RunNetfetch({url, path});
    EXPECT_EQ(run.out, "Error creating " + path + ".\n");
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.exitCode, 1);
  }
  EXPECT_TRUE(Entries(m_dir).empty());
  EXPECT_EQ(m_server.Requests(), 0);
}

TEST_F(NetfetchTest, NotFoundNamesTheUrlAndLeavesNoFile) {
  const std::string url = m_server.Url("/missing");
  const RunResult run = RunNetfetch({url, Path("out.bin")});
  ExpectFailedDownload(run, url);
  EXPECT_TRUE(Entries(m_dir).empty());
}

TEST_F(NetfetchTest, FailedDownloadLeavesThePreviousFileUntouched) {
  HttpTestRoute cut{200, "", Pattern(1 << 20, 1)};
  cut.cutAfter = 300000;  // the connection closes short of Content-Length
  m_server.Route("/cut", cut);
  const std::string path = Path("out.bin");
  WriteFile(path, "previous contents");

  for (const std::string& url : {m_server.Url("/missing"), m_server.Url("/cut")}) {
    const RunResult run = RunNetfetch({url, path});
    ExpectFailedDownload(run, url);
    EXPECT_EQ(ReadFile(path), "previous contents");
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"out.bin"});
  }
}

TEST_F(NetfetchTest, RedirectIsFollowedToTheFinalTarget) {
  const std::string body = Pattern(200000, 2);
  m_server.Route("/old", HttpTestRoute{302, m_server.Url("/new"), "moved"});
  m_server.Route("/new", HttpTestRoute{200, "", body});
  const RunResult run = RunNetfetch({m_server.Url("/old"), Path("out.bin")});
  ExpectCompleteRun(run);
  EXPECT_TRUE(ReadFile(Path("out.bin")) == body);
  EXPECT_EQ(m_server.Requests(), 2);
}

TEST_F(NetfetchTest, RedirectLoopFailsInsteadOfRunningForever) {
  m_server.Route("/loop", HttpTestRoute{302, "/loop", ""});
  const std::string url = m_server.Url("/loop");
  const RunResult run = RunNetfetch({url, Path("out.bin")});
  ExpectFailedDownload(run, url);
  EXPECT_TRUE(Entries(m_dir).empty());
}

TEST_F(NetfetchTest, BodyWithoutLengthIsSavedWholeAndEndsAt100) {
  HttpTestRoute route{200, "", Pattern(6 << 20, 3)};
  route.announceLength = false;
  m_server.Route("/stream", route);
  const RunResult run = RunNetfetch({m_server.Url("/stream"), Path("out.bin")});
  ExpectCompleteRun(run);
  std::vector<int> percents;
  std::string rest;
  ASSERT_TRUE(ParseProgress(run.out, &percents, &rest));
  EXPECT_EQ(percents, (std::vector<int>{0, 100}));
  EXPECT_TRUE(ReadFile(Path("out.bin")) == route.body);
}

TEST_F(NetfetchTest, ProgressClimbsOncePerPercentTo100ThenOneLineEnd) {
  HttpTestRoute route{200, "", Pattern(1 << 20, 4)};
  route.length = 8 << 20;
  m_server.Route("/big", route);
  const RunResult run = RunNetfetch({m_server.Url("/big"), Path("out.bin")});
  ExpectCompleteRun(run);
  std::vector<int> percents;
  std::string rest;
  ASSERT_TRUE(ParseProgress(run.out, &percents, &rest));
  for (size_t i = 1; i < percents.size(); ++i) {
    EXPECT_LT(percents[i - 1], percents[i]) << "at " << i;
  }
  EXPECT_LE(percents.size(), 101u);
  EXPECT_EQ(fs::file_size(Path("out.bin")), 8u << 20);
}

TEST_F(NetfetchTest, EmptyBodyCreatesAnEmptyFile) {
  m_server.Route("/empty", HttpTestRoute{200, "", ""});
  const RunResult run = RunNetfetch({m_server.Url("/empty"), Path("out.bin")});
  ExpectCompleteRun(run);
  EXPECT_TRUE(fs::exists(Path("out.bin")));
  EXPECT_EQ(fs::file_size(Path("out.bin")), 0u);
}

TEST_F(NetfetchTest, WriteErrorIsReportedAsFailure) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  // A small body fails only when the buffered data is flushed at the end; a
  // large one while it is written.
  m_server.Route("/small", HttpTestRoute{200, "", "ten bytes!"});
  m_server.Route("/large", HttpTestRoute{200, "", Pattern(2 << 20, 5)});
  for (const std::string& url : {m_server.Url("/small"), m_server.Url("/large")}) {
    ExpectFailedDownload(RunNetfetch({url, "/dev/full"}), url);
  }
}

TEST_F(NetfetchTest, ReplacedFileKeepsItsPermissionsAndNewFileFollowsUmask) {
  const std::string body = Pattern(5000, 6);
  m_server.Route("/file", HttpTestRoute{200, "", body});
  const std::string existing = Path("existing.bin");
  WriteFile(existing, "old");
  chmod(existing.c_str(), 0640);
  const mode_t previousMask = umask(027);

  ExpectCompleteRun(RunNetfetch({m_server.Url("/file"), existing}));
  ExpectCompleteRun(RunNetfetch({m_server.Url("/file"), Path("new.bin")}));
  umask(previousMask);

  struct stat st;
  ASSERT_EQ(stat(existing.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_TRUE(ReadFile(existing) == body);
  ASSERT_EQ(stat(Path("new.bin").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST_F(NetfetchTest, SymbolicLinkIsWrittenThrough) {
  const std::string body = Pattern(5000, 7);
  m_server.Route("/file", HttpTestRoute{200, "", body});
  WriteFile(Path("target.bin"), "old");
  fs::create_symlink(Path("target.bin"), Path("link.bin"));
  ExpectCompleteRun(RunNetfetch({m_server.Url("/file"), Path("link.bin")}));
  EXPECT_TRUE(fs::is_symlink(Path("link.bin")));
  EXPECT_TRUE(ReadFile(Path("target.bin")) == body);
}

TEST_F(NetfetchTest, InterruptedDownloadLeavesNoFile) {
  HttpTestRoute route{200, "", Pattern(1 << 20, 8)};
  route.cutAfter = 100000;
  route.stallAtCut = true;
  m_server.Route("/slow", route);
  Netfetch run({m_server.Url("/slow"), Path("out.bin")});
  ASSERT_TRUE(run.Started());
  ASSERT_TRUE(run.WaitForOutput("\rDownloading ... 9 % "));
  run.Signal(SIGINT);
  const RunResult result = run.Finish();
  EXPECT_EQ(result.termSignal, SIGINT);
  EXPECT_EQ(result.err, "");
  EXPECT_TRUE(Entries(m_dir).empty());
}

// A server that stops sending: the download is given up once no byte has
// come for the limit, as a failure that leaves the old file as it was.
TEST_F(NetfetchTest, StalledBodyIsGivenUpAfterTheLimitWithoutByte) {
  const struct {
    bool announceLength;
    uint64_t cutAfter;
  } cases[] = {{true, 100000}, {false, 100000}, {true, 0}};
  for (const auto& c : cases) {
    HttpTestRoute route{200, "", Pattern(1 << 20, 9)};
    route.announceLength = c.announceLength;
    route.cutAfter = c.cutAfter;
    route.stallAtCut = true;
    m_server.Route("/stall", route);
    const std::string url = m_server.Url("/stall");
    WriteFile(Path("out.bin"), "old");
    const auto start = std::chrono::steady_clock::now();
    Netfetch run({url, Path("out.bin")}, kShortStallPath);
    ASSERT_TRUE(run.Started());
    const RunResult result = run.Finish();
    const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                        std::chrono::steady_clock::now() - start).count();
    ExpectFailedDownload(result, url);
    EXPECT_GE(ms, kShortStallMs);
    EXPECT_LT(ms, kShortStallMs + 5000);
    EXPECT_EQ(ReadFile(Path("out.bin")), "old");
    EXPECT_EQ(Entries(m_dir), std::vector<std::string>{"out.bin"});
  }
}
