// Reading and saving scenario files: only regular files are read, and a
// save that fails on the way leaves the file already there as it was.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <algorithm>
#include <string>
#include <vector>

#include "ini_test_files.h"
#include "support/child_process.h"
#include "support/directory_entries.h"
#include "core/format/scenario_file.h"
#include "core/format/scenario_text.h"
#include "core/fs/replace_test_hook.h"

namespace {

bool g_killBeforeRename = false;

const std::string OLD_CONTENT = "old content\n";

Scenario Named(const std::string& name) {
  Scenario scenario;
  scenario.scenes[0].name = name;
  return scenario;
}

}  // namespace

// Stops a save at its most delicate moment.
void ReplaceHookBeforeRename(const char*) {
  if (g_killBeforeRename) {
    raise(SIGKILL);
  }
}

TEST(ScenarioFileIo, ReadsWhatItSavesWithTheFilesTime) {
  const std::string path = TestPath("show.cfg");
  const Scenario saved = ParseScenarioText(ReadBytes(LUMIVANE_TEST_DATA "/scenario_small.cfg"));
  time_t savedTime = 0;
  ASSERT_EQ(0, SaveScenarioFile(path, saved, &savedTime));
  struct stat status;
  ASSERT_EQ(0, stat(path.c_str(), &status));
  EXPECT_EQ(status.st_mtime, savedTime);

  Scenario read;
  time_t readTime = 0;
  ASSERT_EQ(0, ReadScenarioFile(path, &read, &readTime));
  EXPECT_EQ(saved, read);
  EXPECT_EQ(status.st_mtime, readTime);
  EXPECT_EQ(0, ReadScenarioFile(path, &read, nullptr));
}

TEST(ScenarioFileIo, AFileThatCannotBeReadLeavesTheScenarioUntouched) {
  const std::string fifo = TestPath("fifo.cfg");
  ASSERT_EQ(0, mkfifo(fifo.c_str(), 0600));
  // Sparse: too large to be a scenario, without filling the disk.
  const std::string huge = TestPath("huge.cfg");
  WriteBytes(huge, "[Scene1]\nname=huge\n");
  ASSERT_EQ(0, truncate(huge.c_str(), SCENARIO_MAX_FILE_BYTES + 1));
  const struct {
    std::string path;
    int error;
  } cases[] = {
      {TestPath("missing.cfg"), ENOENT},
      {"", ENOENT},
      {TestHome(), EISDIR},
      {fifo, EINVAL},
      {huge, EFBIG},
  };
  for (const auto& c : cases) {
    Scenario scenario = Named("kept");
    time_t time = 42;
    EXPECT_EQ(c.error, ReadScenarioFile(c.path, &scenario, &time)) << c.path;
    EXPECT_EQ(Named("kept"), scenario);
    EXPECT_EQ(42, time);
  }
  EXPECT_EQ("File too large to be a scenario (over 64 MB)", ScenarioReadErrorText(EFBIG));
  EXPECT_EQ(strerror(ENOENT), ScenarioReadErrorText(ENOENT));
}

TEST(ScenarioFileIo, AKillBeforeTheRenameLeavesTheOldFileWhole) {
  const std::string path = TestPath("show.cfg");
  WriteBytes(path, OLD_CONTENT);
  const int status = RunInChild([&path] {
    g_killBeforeRename = true;
    SaveScenarioFile(path, Named("New"), nullptr);
    return 0;
  });
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_EQ(SIGKILL, WTERMSIG(status));
  EXPECT_EQ(OLD_CONTENT, ReadBytes(path));
  // The new content was complete, under the temporary name.
  const std::vector<std::string> names = DirectoryEntries(TestHome());
  ASSERT_EQ(2u, names.size());
  const std::string temporary = ReadBytes(TestPath(names[0] == "show.cfg" ? names[1] : names[0]));
  EXPECT_EQ(WriteScenarioText(Named("New")), temporary);
}

TEST(ScenarioFileIo, AFullDiskFailsTheSaveAndKeepsTheOldFile) {
  const std::string path = TestPath("show.cfg");
  WriteBytes(path, OLD_CONTENT);
  Scenario big;
  for (int row = 1; row <= 300; ++row) {
    Row added;
    added.from = std::to_string(row);
    added.description = "enough text to pass the limit";
    big.scenes[0].rows.insert(big.scenes[0].rows.end() - 1, added);
  }
  const int status = RunInChild([&path, &big] {
    signal(SIGXFSZ, SIG_IGN);
    struct rlimit limit;
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = 4096;
    setrlimit(RLIMIT_FSIZE, &limit);
    return SaveScenarioFile(path, big, nullptr) == EFBIG ? 0 : 1;
  });
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(0, WEXITSTATUS(status));
  EXPECT_EQ(OLD_CONTENT, ReadBytes(path));
  EXPECT_EQ(std::vector<std::string>{"show.cfg"}, DirectoryEntries(TestHome()));
}

TEST(ScenarioFileIo, ReadOnlyDirectoriesAndFilesFailTheSaveAndKeepTheOldFile) {
  if (geteuid() == 0) {
    GTEST_SKIP() << "root writes into read-only directories and files";
  }
  const std::string path = TestPath("show.cfg");
  WriteBytes(path, OLD_CONTENT);
  ASSERT_EQ(0, chmod(TestHome().c_str(), 0555));
  EXPECT_EQ(EACCES, SaveScenarioFile(path, Named("New"), nullptr));
  chmod(TestHome().c_str(), 0755);
  EXPECT_EQ(OLD_CONTENT, ReadBytes(path));
  EXPECT_EQ(std::vector<std::string>{"show.cfg"}, DirectoryEntries(TestHome()));

  ASSERT_EQ(0, chmod(path.c_str(), 0444));
  EXPECT_EQ(EACCES, SaveScenarioFile(path, Named("New"), nullptr));
  EXPECT_EQ(OLD_CONTENT, ReadBytes(path));
  EXPECT_EQ(std::vector<std::string>{"show.cfg"}, DirectoryEntries(TestHome()));
}

TEST(ScenarioFileIo, ASaveThatCannotCreateTheFileReportsWhy) {
  time_t time = 42;
  EXPECT_EQ(ENOENT, SaveScenarioFile(TestPath("no such directory/show.cfg"), Named("x"), &time));
  EXPECT_EQ(ENOENT, SaveScenarioFile("", Named("x"), &time));
  const std::string directory = TestPath("dir.cfg");
  ASSERT_EQ(0, mkdir(directory.c_str(), 0700));
  EXPECT_EQ(EISDIR, SaveScenarioFile(directory, Named("x"), &time));
  EXPECT_EQ(42, time);
  EXPECT_EQ(std::vector<std::string>{"dir.cfg"}, DirectoryEntries(TestHome()));
}

TEST(ScenarioFileIo, SavingThroughASymbolicLinkReplacesItsTargetAndKeepsPermissions) {
  const std::string target = TestPath("real.cfg");
  const std::string link = TestPath("link.cfg");
  WriteBytes(target, OLD_CONTENT);
  ASSERT_EQ(0, chmod(target.c_str(), 0640));
  ASSERT_EQ(0, symlink("real.cfg", link.c_str()));

  ASSERT_EQ(0, SaveScenarioFile(link, Named("Linked"), nullptr));
  struct stat status;
  ASSERT_EQ(0, lstat(link.c_str(), &status));
  EXPECT_TRUE(S_ISLNK(status.st_mode));
  ASSERT_EQ(0, stat(target.c_str(), &status));
  EXPECT_EQ(0640u, status.st_mode & 07777);
  EXPECT_EQ(WriteScenarioText(Named("Linked")), ReadBytes(target));

  // A new file gets the usual permissions, 0666 less the umask.
  const mode_t previous = umask(027);
  EXPECT_EQ(0, SaveScenarioFile(TestPath("new.cfg"), Named("New"), nullptr));
  umask(previous);
  ASSERT_EQ(0, stat(TestPath("new.cfg").c_str(), &status));
  EXPECT_EQ(0640u, status.st_mode & 07777);
}
