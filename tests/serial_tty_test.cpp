// The tty back-end on real pseudo-terminals: the driver opens the slave,
// the test watches the master side.

#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "core/serial/serial.h"
#include "support/test_port.h"
#include "support/temp_home.h"

namespace {

struct Pty {
  int master = -1;
  int slave = -1;
  std::string path;  // "/dev/pts/N"

  Pty() {
    char name[128] = {};
    if (openpty(&master, &slave, name, nullptr, nullptr) == 0) {
      path = name;
      fcntl(master, F_SETFL, O_NONBLOCK);
    }
  }
  ~Pty() {
    if (master >= 0) close(master);
    if (slave >= 0) close(slave);
  }
  // What the slave's line settings are now, read from the master side.
  termios Settings() const {
    termios t = {};
    tcgetattr(master, &t);
    return t;
  }
};

// Reads from the master until `count` bytes came or nothing more arrives.
std::vector<unsigned char> ReadMaster(int master, size_t count, int quiet_ms = 300) {
  std::vector<unsigned char> got;
  unsigned char buf[4096];
  while (got.size() < count) {
    pollfd pfd = {master, POLLIN, 0};
    if (poll(&pfd, 1, quiet_ms) <= 0) break;
    ssize_t n = read(master, buf, sizeof buf);
    if (n <= 0) break;
    got.insert(got.end(), buf, buf + n);
  }
  return got;
}

int OpenDescriptors() {
  int count = 0;
  DIR* dir = opendir("/proc/self/fd");
  while (dirent* entry = readdir(dir)) {
    if (entry->d_name[0] != '.') ++count;
  }
  closedir(dir);
  return count;
}

class TtyPort : public testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(pty.path.empty()); }
  void TearDown() override { CloseTestPort(); }
  Pty pty;
};

// Runs a test body with the working directory at the test's own HOME.
class InTempDir {
 public:
  InTempDir() {
    char cwd[4096];
    old_ = getcwd(cwd, sizeof cwd) ? cwd : "/";
    EXPECT_EQ(chdir(TestHome().c_str()), 0);
  }
  ~InTempDir() { EXPECT_EQ(chdir(old_.c_str()), 0); }

 private:
  std::string old_;
};

TEST_F(TtyPort, SendsBytesUnchangedOnRawLine) {
  ASSERT_EQ(OpenTestPort(pty.path.c_str(), 9600), 0);
  EXPECT_TRUE(serial_isopen(TestPort()));

  termios t = pty.Settings();
  EXPECT_EQ(cfgetospeed(&t), static_cast<speed_t>(B9600));
  EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
  EXPECT_TRUE(t.c_cflag & CREAD);
  EXPECT_TRUE(t.c_cflag & CLOCAL);
  EXPECT_FALSE(t.c_cflag & (PARENB | CSTOPB | CRTSCTS));
  EXPECT_EQ(t.c_iflag, static_cast<tcflag_t>(IGNBRK | IGNPAR));
  EXPECT_EQ(t.c_oflag, 0u);
  EXPECT_EQ(t.c_lflag, 0u);
  EXPECT_EQ(t.c_cc[VMIN], 0);
  EXPECT_EQ(t.c_cc[VTIME], 0);

  // Line ends, control characters and high bytes pass untouched.
  const unsigned char bytes[] = {0xF8, 0x0A, 0x0D, 0x00, 0x03, 0x11, 0x13, 0x7F, 0xFF, 0xF5};
  EXPECT_EQ(serial_write(TestPort(), bytes, sizeof bytes), static_cast<int>(sizeof bytes));
  std::vector<unsigned char> got = ReadMaster(pty.master, sizeof bytes);
  EXPECT_EQ(got, std::vector<unsigned char>(bytes, bytes + sizeof bytes));

  serial_break(TestPort());  // a pty has no break, but the call must come back
  EXPECT_EQ(serial_getbits(TestPort(), 0, 0), 0x0F);
}

TEST_F(TtyPort, EveryTableRateReachesTheLine) {
  const struct {
    int baud;
    speed_t speed;
  } rates[] = {{9600, B9600},     {19200, B19200},     {38400, B38400},
               {57600, B57600},   {115200, B115200},   {230400, B230400},
               {576000, B576000}, {1152000, B1152000}};
  for (const auto& rate : rates) {
    ASSERT_EQ(OpenTestPort(pty.path.c_str(), rate.baud), 0) << rate.baud;
    termios t = pty.Settings();
    EXPECT_EQ(cfgetospeed(&t), rate.speed) << rate.baud;
    EXPECT_EQ(cfgetispeed(&t), rate.speed) << rate.baud;
    CloseTestPort();
  }
}

TEST_F(TtyPort, CloseGivesBackTheSettingsFoundAtOpen) {
  termios before = pty.Settings();
  cfsetospeed(&before, B38400);
  cfsetispeed(&before, B38400);
  before.c_lflag |= ICANON | ECHO;
  before.c_iflag |= ICRNL | IXON;
  before.c_oflag |= OPOST | ONLCR;
  ASSERT_EQ(tcsetattr(pty.slave, TCSANOW, &before), 0);
  before = pty.Settings();

  ASSERT_EQ(OpenTestPort(pty.path.c_str(), 115200), 0);
  termios during = pty.Settings();
  EXPECT_EQ(cfgetospeed(&during), static_cast<speed_t>(B115200));
  EXPECT_FALSE(during.c_lflag & ICANON);

  CloseTestPort();
  EXPECT_FALSE(serial_isopen(TestPort()));
  termios after = pty.Settings();
  EXPECT_EQ(after.c_iflag, before.c_iflag);
  EXPECT_EQ(after.c_oflag, before.c_oflag);
  EXPECT_EQ(after.c_cflag, before.c_cflag);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(cfgetospeed(&after), static_cast<speed_t>(B38400));
  EXPECT_EQ(0, memcmp(after.c_cc, before.c_cc, sizeof before.c_cc));

  CloseTestPort();  // a second close finds nothing to do
  EXPECT_FALSE(serial_isopen(TestPort()));
}

TEST_F(TtyPort, BareNameIsLookedUpUnderDev) {
  InTempDir here;
  std::string bare = pty.path.substr(std::string("/dev/").size());  // "pts/N"
  ASSERT_EQ(OpenTestPort(bare.c_str(), 9600), 0);
  const unsigned char byte = 0xF8;
  EXPECT_EQ(serial_write(TestPort(), &byte, 1), 1);
  EXPECT_EQ(ReadMaster(pty.master, 1), std::vector<unsigned char>{0xF8});
}

TEST_F(TtyPort, NameInWorkingDirectoryWinsOverDev) {
  InTempDir here;
  // A "pts/N" of our own in the working directory leads to a second pty.
  Pty other;
  std::string bare = pty.path.substr(std::string("/dev/").size());
  ASSERT_EQ(mkdir("pts", 0700), 0);
  ASSERT_EQ(symlink(other.path.c_str(), bare.c_str()), 0);

  ASSERT_EQ(OpenTestPort(bare.c_str(), 9600), 0);
  const unsigned char byte = 0x42;
  EXPECT_EQ(serial_write(TestPort(), &byte, 1), 1);
  EXPECT_EQ(ReadMaster(other.master, 1), std::vector<unsigned char>{0x42});
  EXPECT_TRUE(ReadMaster(pty.master, 1, 50).empty());
}

TEST_F(TtyPort, MissingPortReportsTheSystemError) {
  InTempDir here;
  EXPECT_EQ(OpenTestPort("ttyLumivaneMissing9", 9600), ENOENT);
  EXPECT_FALSE(serial_isopen(TestPort()));
  CloseTestPort();
  const unsigned char byte = 0x01;
  EXPECT_EQ(serial_write(TestPort(), &byte, 1), 0);
}

TEST_F(TtyPort, RefusedOpenLeavesNothingOpen) {
  int before = OpenDescriptors();
  EXPECT_EQ(OpenTestPort(pty.path.c_str(), 4800), 93);
  EXPECT_FALSE(serial_isopen(TestPort()));
  EXPECT_EQ(OpenDescriptors(), before);

  // A file that is no terminal refuses the settings as well.
  std::string plain = TestHome() + "/not-a-tty";
  int fd = open(plain.c_str(), O_CREAT | O_WRONLY, 0600);
  ASSERT_GE(fd, 0);
  close(fd);
  EXPECT_EQ(OpenTestPort(plain.c_str(), 9600), 93);
  EXPECT_FALSE(serial_isopen(TestPort()));
  EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(TtyPort, OpeningAgainReleasesThePreviousPort) {
  int before = OpenDescriptors();
  ASSERT_EQ(OpenTestPort(pty.path.c_str(), 9600), 0);
  ASSERT_EQ(OpenTestPort(pty.path.c_str(), 115200), 0);
  CloseTestPort();
  EXPECT_EQ(OpenDescriptors(), before);
}

TEST_F(TtyPort, NothingIsSentWhenClosed) {
  const unsigned char byte = 0x55;
  EXPECT_EQ(serial_write(TestPort(), &byte, 1), 0);
  ASSERT_EQ(OpenTestPort(pty.path.c_str(), 9600), 0);
  CloseTestPort();
  EXPECT_EQ(serial_write(TestPort(), &byte, 1), 0);
  EXPECT_TRUE(ReadMaster(pty.master, 1, 50).empty());
}

std::vector<unsigned char> Pattern(size_t size) {
  std::vector<unsigned char> bytes(size);
  for (size_t i = 0; i < size; ++i) {
    bytes[i] = static_cast<unsigned char>(i * 7 + i / 251);
  }
  return bytes;
}

TEST_F(TtyPort, SlowReaderStillGetsEveryByteInOrder) {
  // Well past what the pty buffers, so the writer must wait for the reader.
  const std::vector<unsigned char> sent = Pattern(100000);
  ASSERT_EQ(OpenTestPort(pty.path.c_str(), 115200), 0);

  std::vector<unsigned char> got;
  std::thread reader([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    unsigned char buf[512];
    auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (got.size() < sent.size() && std::chrono::steady_clock::now() < give_up) {
      ssize_t n = read(pty.master, buf, sizeof buf);
      if (n > 0) got.insert(got.end(), buf, buf + n);
      std::this_thread::sleep_for(std::chrono::microseconds(500));
    }
  });
  int written = serial_write(TestPort(), sent.data(), static_cast<int>(sent.size()));
  reader.join();
  EXPECT_EQ(written, static_cast<int>(sent.size()));
  ASSERT_EQ(got.size(), sent.size());
  EXPECT_TRUE(got == sent);
}

TEST_F(TtyPort, StalledLineReportsWhatWasTaken) {
  // Nobody reads: the write gives up at its deadline (about 1.5 s for this
  // many bytes at this rate) and counts exactly what went out.
  const std::vector<unsigned char> sent = Pattern(40000);
  ASSERT_EQ(OpenTestPort(pty.path.c_str(), 1152000), 0);
  auto start = std::chrono::steady_clock::now();
  int written = serial_write(TestPort(), sent.data(), static_cast<int>(sent.size()));
  auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GT(written, 0);
  EXPECT_LT(written, static_cast<int>(sent.size()));
  EXPECT_LT(took, std::chrono::seconds(5));

  std::vector<unsigned char> got = ReadMaster(pty.master, sent.size(), 200);
  ASSERT_EQ(got.size(), static_cast<size_t>(written));
  EXPECT_TRUE(std::equal(got.begin(), got.end(), sent.begin()));
}

}  // namespace
