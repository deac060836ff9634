#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <climits>
#include <cstdint>
#include <string>

#include "ini_test_files.h"
#include "support/child_process.h"
#include "core/format/ini.h"
#include "core/fs/replace_test_hook.h"

namespace {

bool g_killBeforeReplace = false;
std::string g_lastTempName;

// Writes initial as the file, sets section/key to value and returns the
// file's bytes afterwards.
std::string Rewrite(const std::string& initial, const char* section, const char* key, const char* value) {
  const std::string path = TestPath("rewrite.ini");
  WriteBytes(path, initial);
  EXPECT_EQ(1, IniWriteString(section, key, value, path.c_str()));
  return ReadBytes(path);
}

std::string ReadValue(const std::string& path, const char* section, const char* key) {
  char buffer[2048];
  IniReadString(section, key, "DEF", buffer, sizeof buffer, path.c_str());
  return buffer;
}

const time_t OLD_TIME = 1000000000;

void SetOldModificationTime(const std::string& path) {
  const struct timespec times[2] = {{OLD_TIME, 0}, {OLD_TIME, 0}};
  ASSERT_EQ(0, utimensat(AT_FDCWD, path.c_str(), times, 0));
}

time_t ModificationTime(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 ? status.st_mtime : 0;
}

mode_t Mode(const std::string& path) {
  struct stat status;
  return stat(path.c_str(), &status) == 0 ? (status.st_mode & 07777) : 0;
}

bool Exists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }


}  // namespace

// Lets a test stop a write at its most delicate moment.
void ReplaceHookBeforeRename(const char* tempName) {
  g_lastTempName = tempName;
  if (g_killBeforeReplace) {
    raise(SIGKILL);
  }
}

TEST(IniWrite, KeyLineIsReplacedInPlace) {
  EXPECT_EQ("[Settings]\ncom=/dev/ttyUSB1\nbaud=1\n",
            Rewrite("[Settings]\ncom = /dev/ttyUSB0\nbaud=1\n", "Settings", "com", "/dev/ttyUSB1"));
  EXPECT_EQ("[settings]\ncom=x\n", Rewrite("[settings]\n  COM : old\n", "Settings", "com", "x"));
  // Only the first of two equal keys is the key; a comment never is.
  EXPECT_EQ("[S]\n;k=0\nk=new\nk=2\n", Rewrite("[S]\n;k=0\nk=1\nk=2\n", "S", "k", "new"));
}

TEST(IniWrite, NewKeyGoesToTheEndOfItsSection) {
  EXPECT_EQ("[A]\nx=1\nk=v\n\n[B]\ny=2\n", Rewrite("[A]\nx=1\n\n[B]\ny=2\n", "A", "k", "v"));
  // A malformed header ends the section all the same.
  EXPECT_EQ("[S]\na=1\nb=2\n\n[oops\nb=1\n", Rewrite("[S]\na=1\n[oops\nb=1\n", "S", "b", "2"));
  // At the end of the file the key gets an empty line before it, which the
  // next rewrite drops again.
  const std::string appended = Rewrite("[A]\nx=1\n", "A", "k", "v");
  EXPECT_EQ("[A]\nx=1\n\nk=v\n", appended);
  EXPECT_EQ("[A]\nx=2\nk=v\n", Rewrite(appended, "A", "x", "2"));
}

TEST(IniWrite, MissingSectionIsAppendedWithHeader) {
  EXPECT_EQ("[A]\nx=1\n\n[B]\nk=v\n", Rewrite("[A]\nx=1\n", "B", "k", "v"));
  // A header with blanks inside the brackets is another section.
  EXPECT_EQ("[ Settings ]\ncom=x\n\n[Settings]\ncom=y\n",
            Rewrite("[ Settings ]\ncom=x\n", "Settings", "com", "y"));
  // An empty file gets no empty line before its first header.
  EXPECT_EQ("[B]\nk=v\n", Rewrite("\n  \n", "B", "k", "v"));
}

TEST(IniWrite, EmptySectionIsTheTopOfTheFile) {
  EXPECT_EQ("a=1\nc=3\n\n[S]\nb=2\n", Rewrite("a=1\n[S]\nb=2\n", "", "c", "3"));
  EXPECT_EQ("a=9\n\n[S]\nb=2\n", Rewrite("a=1\n[S]\nb=2\n", nullptr, "a", "9"));
  EXPECT_EQ("c=3\n", Rewrite("", "", "c", "3"));
}

TEST(IniWrite, NewFileHoldsHeaderAndKeyLineOnly) {
  const std::string path = TestPath("new.ini");
  EXPECT_EQ(1, IniWriteString("Settings", "com", "/dev/ttyUSB0", path.c_str()));
  EXPECT_EQ("[Settings]\ncom=/dev/ttyUSB0\n", ReadBytes(path));
  const std::string top = TestPath("top.ini");
  EXPECT_EQ(1, IniWriteString("", "com", "x", top.c_str()));
  EXPECT_EQ("com=x\n", ReadBytes(top));
}

TEST(IniWrite, RewriteUnindentsAndLeavesOneEmptyLineBeforeHeaders) {
  const std::string initial = ReadBytes(LUMIVANE_TEST_DATA "/ini_messy.ini");
  ASSERT_FALSE(initial.empty());
  EXPECT_EQ(ReadBytes(LUMIVANE_TEST_DATA "/ini_messy_rewritten.ini"), Rewrite(initial, "settings", "tip", "4"));
}

TEST(IniWrite, StoredValueLeavesFileUntouched) {
  const std::string path = TestPath("same.ini");
  const std::string content = "[S]\ncom = \"/dev/ttyUSB0\"\r\n  n=5\n\n";
  WriteBytes(path, content);
  SetOldModificationTime(path);
  EXPECT_EQ(1, IniWriteString("s", "COM", "/dev/ttyUSB0", path.c_str()));
  EXPECT_EQ(1, IniWriteLong("S", "n", 5, path.c_str()));
  EXPECT_EQ(content, ReadBytes(path));
  EXPECT_EQ(OLD_TIME, ModificationTime(path));
  EXPECT_EQ(1, IniWriteLong("S", "n", 6, path.c_str()));
  EXPECT_NE(OLD_TIME, ModificationTime(path));
}

TEST(IniWriteLong, WritesPlainDecimalDigits) {
  const std::string path = TestPath("numbers.ini");
  for (long value : {0L, 7L, -42L, LONG_MIN, LONG_MAX}) {
    EXPECT_EQ(1, IniWriteLong("N", "v", value, path.c_str()));
    EXPECT_EQ(value, IniReadLong("N", "v", 99, path.c_str()));
  }
  EXPECT_EQ("[N]\nv=" + std::to_string(LONG_MAX) + "\n", ReadBytes(path));
}

TEST(IniWrite, LongNamesAndValuesAreCutToOneReadableLine) {
  const std::string path = TestPath("long.ini");
  const std::string longValue(600, 'v');
  EXPECT_EQ(1, IniWriteString("A", "k", longValue.c_str(), path.c_str()));
  EXPECT_EQ("[A]\nk=" + std::string(507, 'v') + "\n", ReadBytes(path));
  EXPECT_EQ(std::string(507, 'v'), ReadValue(path, "A", "k"));
  SetOldModificationTime(path);
  EXPECT_EQ(1, IniWriteString("A", "k", longValue.c_str(), path.c_str()));
  EXPECT_EQ(OLD_TIME, ModificationTime(path));  // the cut value is what is stored

  const std::string longKey(600, 'k');
  const std::string longSection(600, 's');
  WriteBytes(path, "[A]\nx=1\n\n[B]\n");
  EXPECT_EQ(1, IniWriteString("A", longKey.c_str(), "v", path.c_str()));
  EXPECT_EQ(1, IniWriteString(longSection.c_str(), "k", "v", path.c_str()));
  EXPECT_EQ("[A]\nx=1\n" + std::string(508, 'k') + "=\n\n[B]\n\n[" + std::string(507, 's') + "]\nk=v\n",
            ReadBytes(path));
  // A key line put before the next header is cut the same way.
  WriteBytes(path, "[A]\nx=1\n\n[B]\n");
  EXPECT_EQ(1, IniWriteString("A", "k", longValue.c_str(), path.c_str()));
  EXPECT_EQ("[A]\nx=1\nk=" + std::string(507, 'v') + "\n\n[B]\n", ReadBytes(path));
}

TEST(IniWrite, ValueCannotAddLinesToTheFile) {
  const std::string path = TestPath("inject.ini");
  EXPECT_EQ(1, IniWriteString("S", "k", "a\n[Evil]\nx=1", path.c_str()));
  EXPECT_EQ("[S]\nk=a\n", ReadBytes(path));
  EXPECT_EQ("DEF", ReadValue(path, "Evil", "x"));
}

TEST(IniWrite, LongLinesBinaryBytesAndCrLfSurviveARewrite) {
  // Past its first 511 bytes a long line is copied as it is, blanks and
  // brackets included; NUL bytes and carriage returns stay too.
  const std::string longLine = "long=" + std::string(506, 'L') + "   [x] " + std::string(1200, 'M') + "\n";
  const std::string binary("bin=\x01\x00\xff\xfe\r\n", 10);
  const std::string before = "[A]\r\n" + longLine + binary + "\n[B]\nk=1\r\nz=2";
  const std::string after = "[A]\r\n" + longLine + binary + "\n[B]\nk=2\nz=2";
  EXPECT_EQ(after, Rewrite(before, "B", "k", "2"));
  // A last line without newline is ended before anything goes behind it.
  EXPECT_EQ("[B]\nk=1\nz=2\n\nn=3\n", Rewrite("[B]\nk=1\nz=2", "B", "n", "3"));
  EXPECT_EQ("[B]\nk=5\n", Rewrite("[B]\nk=1", "B", "k", "5"));
}

TEST(IniWrite, ReplacedLongKeyLineGoesAsAWhole) {
  const std::string before = "[S]\nk=" + std::string(1500, 'o') + "\nnext=1\n";
  EXPECT_EQ("[S]\nk=new\nnext=1\n", Rewrite(before, "S", "k", "new"));
}

TEST(IniWrite, GarbageFileStaysWritable) {
  std::string garbage;
  uint32_t state = 777;
  for (int i = 0; i < 20000; ++i) {
    state = state * 1103515245u + 12345u;
    garbage += static_cast<char>(state >> 16);
  }
  const std::string path = TestPath("garbage.ini");
  WriteBytes(path, garbage);
  EXPECT_EQ(1, IniWriteString("Fresh", "k", "v", path.c_str()));
  EXPECT_EQ("v", ReadValue(path, "Fresh", "k"));
  EXPECT_EQ(1, IniWriteString("Fresh", "k", "w", path.c_str()));
  EXPECT_EQ("w", ReadValue(path, "Fresh", "k"));
}

TEST(IniWrite, TemporaryIsTheNameWithLastCharacterReplaced) {
  const std::string path = TestPath("lumivane.ini");
  g_lastTempName.clear();
  EXPECT_EQ(1, IniWriteString("S", "k", "v", path.c_str()));
  EXPECT_EQ(TestPath("lumivane.in~"), g_lastTempName);
  EXPECT_FALSE(Exists(g_lastTempName));

  // A name ending in "~" must not be its own temporary.
  const std::string tilde = TestPath("notes~");
  WriteBytes(tilde, "[S]\na=1\n");
  EXPECT_EQ(1, IniWriteString("S", "b", "2", tilde.c_str()));
  EXPECT_EQ("[S]\na=1\n\nb=2\n", ReadBytes(tilde));
  EXPECT_EQ(TestPath("notes~~"), g_lastTempName);
}

TEST(IniWrite, StaleTemporaryIsReplacedNotFollowed) {
  const std::string path = TestPath("x.ini");
  const std::string victim = TestPath("victim");
  WriteBytes(path, "[S]\nk=1\n");
  WriteBytes(victim, "precious");
  ASSERT_EQ(0, symlink(victim.c_str(), TestPath("x.in~").c_str()));
  EXPECT_EQ(1, IniWriteString("S", "k", "2", path.c_str()));
  EXPECT_EQ("[S]\nk=2\n", ReadBytes(path));
  EXPECT_EQ("precious", ReadBytes(victim));
  EXPECT_FALSE(Exists(TestPath("x.in~")));
}

TEST(IniWrite, RewriteKeepsTheFileModeAndNewFilesFollowTheUmask) {
  const std::string path = TestPath("mode.ini");
  WriteBytes(path, "[S]\nk=1\n");
  ASSERT_EQ(0, chmod(path.c_str(), 0640));
  EXPECT_EQ(1, IniWriteString("S", "k", "2", path.c_str()));
  EXPECT_EQ(0640u, Mode(path));

  const mode_t previous = umask(027);
  const std::string fresh = TestPath("fresh.ini");
  EXPECT_EQ(1, IniWriteString("S", "k", "1", fresh.c_str()));
  umask(previous);
  EXPECT_EQ(0640u, Mode(fresh));
}

TEST(IniWrite, FailsWithoutChangingAnythingItCannotHandle) {
  // No directory for the file.
  const std::string nowhere = TestPath("missing/x.ini");
  EXPECT_EQ(0, IniWriteString("S", "k", "v", nowhere.c_str()));
  EXPECT_FALSE(Exists(nowhere));

  // The temporary's name is taken by a directory.
  const std::string path = TestPath("blocked.ini");
  WriteBytes(path, "[S]\nk=1\n");
  ASSERT_EQ(0, mkdir(TestPath("blocked.in~").c_str(), 0700));
  EXPECT_EQ(0, IniWriteString("S", "k", "2", path.c_str()));
  EXPECT_EQ("[S]\nk=1\n", ReadBytes(path));

  // Not a regular file: neither read nor replaced.
  const std::string directory = TestPath("dir.ini");
  ASSERT_EQ(0, mkdir(directory.c_str(), 0700));
  EXPECT_EQ(0, IniWriteString("S", "k", "v", directory.c_str()));
  const std::string fifo = TestPath("fifo.ini");
  ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
  EXPECT_EQ(0, IniWriteString("S", "k", "v", fifo.c_str()));
  EXPECT_FALSE(Exists(TestPath("dir.in~")));
  EXPECT_FALSE(Exists(TestPath("fifo.in~")));

  EXPECT_EQ(0, IniWriteString("S", nullptr, "v", path.c_str()));
  EXPECT_EQ(0, IniWriteString("S", "k", "v", ""));
  EXPECT_EQ(0, IniWriteString("S", "k", "v", nullptr));
}

TEST(IniWrite, FullDiskLeavesFileUntouchedAndNoTemporary) {
  const std::string path = TestPath("full.ini");
  const std::string content = "[S]\nk=1\nfiller=" + std::string(3000, 'f') + "\n";
  WriteBytes(path, content);
  // The child may write files of at most 100 bytes, so the copy fails.
  const int status = RunInChild([&] {
    signal(SIGXFSZ, SIG_IGN);
    const struct rlimit limit = {100, 100};
    setrlimit(RLIMIT_FSIZE, &limit);
    return IniWriteString("S", "k", "2", path.c_str()) == 0 ? 0 : 1;
  });
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(0, WEXITSTATUS(status));
  EXPECT_EQ(content, ReadBytes(path));
  EXPECT_FALSE(Exists(TestPath("full.in~")));
}

TEST(IniWrite, KillBeforeReplaceKeepsTheOldFile) {
  const std::string path = TestPath("lumivane.ini");
  const std::string content = "[Settings]\ncom=/dev/ttyUSB0\nbaud=1\n";
  WriteBytes(path, content);
  const int status = RunInChild([&] {
    g_killBeforeReplace = true;
    IniWriteString("Settings", "com", "/dev/ttyS9", path.c_str());
    return 0;
  });
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(SIGKILL, WTERMSIG(status));
  // The old file is whole; the new content is complete under the temporary name.
  EXPECT_EQ(content, ReadBytes(path));
  EXPECT_EQ("/dev/ttyUSB0", ReadValue(path, "Settings", "com"));
  EXPECT_EQ("[Settings]\ncom=/dev/ttyS9\nbaud=1\n", ReadBytes(TestPath("lumivane.in~")));
  // The next write gets through and clears the leftover.
  EXPECT_EQ(1, IniWriteString("Settings", "baud", "0", path.c_str()));
  EXPECT_EQ("[Settings]\ncom=/dev/ttyUSB0\nbaud=0\n", ReadBytes(path));
  EXPECT_FALSE(Exists(TestPath("lumivane.in~")));
}
