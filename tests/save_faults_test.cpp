// Scenario saves and settings writes under faults. A save that is killed
// leaves the complete old or the complete new file, and whatever temporary
// it left behind does not stop the next save; a save that fails leaves the
// old file and reports why.
#include <gtest/gtest.h>

#include <grp.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "core/format/ini.h"
#include "core/format/scenario_file.h"
#include "core/format/scenario_text.h"
#include "ini_test_files.h"
#include "support/child_process.h"
#include "support/directory_entries.h"

namespace {

constexpr int KILLS = 200;
constexpr uid_t NOBODY = 65534;

// A scenario of some kilobytes a scene, big enough that writing it takes
// a while.
Scenario BigScenario(const std::string& tag, size_t scenes = 16) {
  Scenario scenario;
  scenario.scenes.assign(scenes, Scene());
  for (size_t s = 0; s < scenario.scenes.size(); ++s) {
    Scene& scene = scenario.scenes[s];
    scene.name = tag + " " + std::to_string(s + 1);
    scene.rows.clear();
    for (int r = 1; r <= 200; ++r) {
      Row row;
      row.from = std::to_string(r);
      row.colour = r % 216;
      row.description = tag + " row " + std::to_string(r) + std::string(40, 'd');
      scene.rows.push_back(row);
    }
    scene.rows.emplace_back();
  }
  return scenario;
}

// A child that repeats save(0), save(1), save(0), ... until it is killed.
class SavingChild {
 public:
  template <typename Save>
  explicit SavingChild(Save save) {
    int ready[2];
    if (pipe(ready) != 0) return;
    m_pid = fork();
    if (m_pid == 0) {
      close(ready[0]);
      for (unsigned i = 0;; ++i) {
        save(i % 2);
        if (i == 0 && write(ready[1], "r", 1) != 1) _exit(1);
      }
    }
    close(ready[1]);
    char byte = 0;
    m_started = m_pid > 0 && read(ready[0], &byte, 1) == 1;
    close(ready[0]);
  }
  ~SavingChild() { Kill(); }

  bool Started() const { return m_started; }
  // True when SIGKILL ended the child.
  bool Kill() {
    if (m_pid <= 0) return false;
    kill(m_pid, SIGKILL);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  }

 private:
  pid_t m_pid = -1;
  bool m_started = false;
};

// Kills a child that saves the two versions at KILLS random moments within
// about one save's time; after each kill the file is one of the versions
// whole, and save(2) goes through. Returns how many kills left a temporary.
template <typename Save>
int KillWhileSaving(const std::string& path, const std::string versions[3], Save save) {
  const std::string dir = path.substr(0, path.rfind('/'));
  const auto before = std::chrono::steady_clock::now();
  for (int i = 0; i < 4; ++i) save(i % 2);
  const auto saveTime = (std::chrono::steady_clock::now() - before) / 4;
  std::mt19937 random(20261208);
  std::uniform_int_distribution<long long> moment(
      0, std::chrono::duration_cast<std::chrono::microseconds>(saveTime).count() * 2);
  int leftovers = 0;
  for (int kill = 0; kill < KILLS; ++kill) {
    SavingChild child(save);
    EXPECT_TRUE(child.Started());
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    EXPECT_TRUE(child.Kill());
    const std::string content = ReadBytes(path);
    if (content != versions[0] && content != versions[1]) {
      ADD_FAILURE() << "kill " << kill << " left " << content.size() << " bytes of neither version: "
                    << content.substr(0, 200);
      return leftovers;
    }
    leftovers += DirectoryEntries(dir).size() > 1 ? 1 : 0;
    save(2);
    if (ReadBytes(path) != versions[2]) {
      ADD_FAILURE() << "the save after kill " << kill << " did not go through";
      return leftovers;
    }
  }
  std::cout << KILLS << " kills within " << saveTime.count() / 1000 << " us saves, " << leftovers
            << " while a temporary was there\n";
  return leftovers;
}

// Runs body as the user nobody when this process is root; -1 when the
// privileges could not be dropped.
template <typename Body>
int RunAsNormalUser(Body body) {
  const int status = RunInChild([&body] {
    if (geteuid() == 0 && (setgroups(0, nullptr) != 0 || setgid(NOBODY) != 0 || setuid(NOBODY) != 0)) {
      return 255;
    }
    return body();
  });
  return WIFEXITED(status) && WEXITSTATUS(status) != 255 ? WEXITSTATUS(status) : -1;
}

}  // namespace

TEST(SaveFaults, KilledScenarioSavesLeaveTheOldOrTheNewFileWhole) {
  const std::string path = TestPath("show.cfg");
  const Scenario scenarios[3] = {BigScenario("first"), BigScenario("second"), BigScenario("third")};
  const std::string versions[3] = {WriteScenarioText(scenarios[0]), WriteScenarioText(scenarios[1]),
                                   WriteScenarioText(scenarios[2])};
  const int leftovers = KillWhileSaving(path, versions, [&](int version) {
    ASSERT_EQ(0, SaveScenarioFile(path, scenarios[version], nullptr));
  });
  EXPECT_GT(leftovers, 0) << "no kill came in the middle of a save";
}

TEST(SaveFaults, KilledSettingsWritesLeaveTheOldOrTheNewFileWhole) {
  const std::string path = TestPath("lumivane.ini");
  std::string base = "[Settings]\n";
  for (int i = 0; i < 3000; ++i) base += "key" + std::to_string(i) + "=" + std::string(30, 'v') + "\n";
  WriteBytes(path, base);
  const std::string values[3] = {std::string(300, 'a'), std::string(300, 'b'), std::string(300, 'c')};
  std::string versions[3];
  // The first write also tidies the file; the versions are those after it.
  for (int i = 0; i < 6; ++i) {
    ASSERT_EQ(1, IniWriteString("Settings", "port", values[i % 3].c_str(), path.c_str()));
    versions[i % 3] = ReadBytes(path);
  }
  const int leftovers = KillWhileSaving(path, versions, [&](int version) {
    ASSERT_EQ(1, IniWriteString("Settings", "port", values[version].c_str(), path.c_str()));
  });
  EXPECT_GT(leftovers, 0) << "no kill came in the middle of a write";
  EXPECT_EQ(std::vector<std::string>{"lumivane.ini"}, DirectoryEntries(TestHome()));  // the leftover went
}

TEST(SaveFaults, AFullFileSystemFailsWithEnospcAndKeepsTheOldFiles) {
  const std::string dir = TestPath("small");
  ASSERT_EQ(0, mkdir(dir.c_str(), 0755));
  if (mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "no 64 KiB tmpfs could be mounted here (" << std::strerror(errno)
                 << "); mounting needs root";
  }
  const std::string show = dir + "/show.cfg";
  const std::string settings = dir + "/lumivane.ini";
  const std::string oldShow = WriteScenarioText(Scenario());
  WriteBytes(show, oldShow);
  WriteBytes(settings, "[Settings]\nport=/dev/ttyUSB0\n");
  {
    // Fill what is left.
    FILE* filler = fopen((dir + "/filler").c_str(), "wb");
    ASSERT_NE(nullptr, filler);
    const std::string block(4096, 'f');
    while (fwrite(block.data(), 1, block.size(), filler) == block.size() && fflush(filler) == 0) {
    }
    fclose(filler);
  }
  EXPECT_EQ(ENOSPC, SaveScenarioFile(show, BigScenario("new", 1), nullptr));
  errno = 0;
  EXPECT_EQ(0, IniWriteString("Settings", "port", std::string(400, 'p').c_str(), settings.c_str()));
  EXPECT_EQ(ENOSPC, errno);
  EXPECT_EQ(oldShow, ReadBytes(show));
  EXPECT_EQ("[Settings]\nport=/dev/ttyUSB0\n", ReadBytes(settings));
  EXPECT_EQ(3u, DirectoryEntries(dir).size()) << "a temporary was left";
  // Room again: both go through.
  unlink((dir + "/filler").c_str());
  EXPECT_EQ(0, SaveScenarioFile(show, BigScenario("new", 1), nullptr));
  EXPECT_EQ(1, IniWriteString("Settings", "port", "/dev/ttyS1", settings.c_str()));
  EXPECT_EQ(2u, DirectoryEntries(dir).size());
  umount2(dir.c_str(), MNT_DETACH);
}

TEST(SaveFaults, ReadOnlyPlacesFailWithEaccesForANormalUserAndKeepTheOldFiles) {
  const std::string dir = TestPath("ro");
  const std::string show = dir + "/show.cfg";
  const std::string settings = dir + "/lumivane.ini";
  const std::string oldShow = WriteScenarioText(Scenario());
  const std::string oldSettings = "[Settings]\nport=/dev/ttyUSB0\n";
  ASSERT_EQ(0, chmod(TestHome().c_str(), 0711));
  ASSERT_EQ(0, mkdir(dir.c_str(), 0755));
  WriteBytes(show, oldShow);
  WriteBytes(settings, oldSettings);
  if (geteuid() == 0) {
    for (const std::string& name : {dir, show, settings}) ASSERT_EQ(0, chown(name.c_str(), NOBODY, NOBODY));
  }
  const struct {
    mode_t dirMode;
    mode_t fileMode;
    int scenarioError;
    int settingsError;  // 0: the write goes through (the settings replace read-only files)
  } cases[] = {{0555, 0644, EACCES, EACCES}, {0755, 0444, EACCES, 0}};
  for (const auto& c : cases) {
    ASSERT_EQ(0, chmod(dir.c_str(), c.dirMode));
    ASSERT_EQ(0, chmod(show.c_str(), c.fileMode));
    ASSERT_EQ(0, chmod(settings.c_str(), c.fileMode));
    const int scenarioError = RunAsNormalUser([&] { return SaveScenarioFile(show, BigScenario("new"), nullptr); });
    if (scenarioError < 0) {
      GTEST_SKIP() << "running as root and the privileges cannot be dropped to nobody here";
    }
    EXPECT_EQ(c.scenarioError, scenarioError);
    EXPECT_EQ(oldShow, ReadBytes(show));
    const int settingsError = RunAsNormalUser([&] {
      return IniWriteString("Settings", "port", "/dev/ttyS1", settings.c_str()) == 1 ? 0 : errno;
    });
    EXPECT_EQ(c.settingsError, settingsError);
    if (c.settingsError != 0) {
      EXPECT_EQ(oldSettings, ReadBytes(settings));
    }
    EXPECT_EQ(2u, DirectoryEntries(dir).size()) << "a temporary was left";
  }
  chmod(dir.c_str(), 0755);
}
