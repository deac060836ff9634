#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/format/app_settings.h"
#include "core/format/recent_files.h"
#include "support/temp_home.h"

namespace {

using List = std::vector<std::string>;

List Numbered(int count) {
  List list;
  for (int i = 1; i <= count; ++i) {
    list.push_back("/shows/" + std::to_string(i) + ".cfg");
  }
  return list;
}

std::string IniPath() { return TestHome() + "/lumivane.ini"; }

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(RecentFiles, NewestComesFirstOnceAndNineAtMost) {
  struct Case {
    const char* what;
    List before;
    std::string added;
    List after;
  } cases[] = {
      {"first entry", {}, "/a.cfg", {"/a.cfg"}},
      {"newest first", {"/a.cfg"}, "/b.cfg", {"/b.cfg", "/a.cfg"}},
      {"again moves up", {"/a.cfg", "/b.cfg", "/c.cfg"}, "/c.cfg", {"/c.cfg", "/a.cfg", "/b.cfg"}},
      {"already first", {"/a.cfg", "/b.cfg"}, "/a.cfg", {"/a.cfg", "/b.cfg"}},
      {"empty path ignored", {"/a.cfg"}, "", {"/a.cfg"}},
      {"tenth drops the oldest", Numbered(9), "/new.cfg",
       {"/new.cfg", "/shows/1.cfg", "/shows/2.cfg", "/shows/3.cfg", "/shows/4.cfg", "/shows/5.cfg",
        "/shows/6.cfg", "/shows/7.cfg", "/shows/8.cfg"}},
      {"a full list reordered keeps all", Numbered(9), "/shows/9.cfg",
       {"/shows/9.cfg", "/shows/1.cfg", "/shows/2.cfg", "/shows/3.cfg", "/shows/4.cfg", "/shows/5.cfg",
        "/shows/6.cfg", "/shows/7.cfg", "/shows/8.cfg"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WithRecentFile(c.before, c.added), c.after) << c.what;
  }
}

TEST(RecentFiles, MissingEntryLeavesTheList) {
  struct Case {
    List before;
    std::string missing;
    List after;
  } cases[] = {
      {{"/a.cfg", "/b.cfg", "/c.cfg"}, "/b.cfg", {"/a.cfg", "/c.cfg"}},
      {{"/a.cfg"}, "/a.cfg", {}},
      {{"/a.cfg"}, "/z.cfg", {"/a.cfg"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(WithoutRecentFile(c.before, c.missing), c.after) << c.missing;
  }
}

TEST(RecentFiles, MenuShowsNamesNumberedAndFullPathsWhereNamesClash) {
  struct Case {
    List list;
    List labels;
  } cases[] = {
      {{}, {}},
      {{"/home/me/finale.cfg", "/home/me/intro.cfg"}, {"&1 finale.cfg", "&2 intro.cfg"}},
      {{"/a/show.cfg", "/b/show.cfg", "/b/other.cfg"}, {"&1 /a/show.cfg", "&2 /b/show.cfg", "&3 other.cfg"}},
      {{"/shows/rock&roll.cfg"}, {"&1 rock&&roll.cfg"}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RecentMenuLabels(c.list), c.labels);
  }
}

TEST(RecentFiles, SettingsKeepTheListNewestFirst) {
  Settings settings;
  settings.recentFiles = {"/shows/new.cfg", "/shows/old.cfg"};
  ASSERT_TRUE(WriteSettings(Utf8SettingsFile(IniPath()), settings));
  const std::string text = ReadText(IniPath());
  const size_t section = text.find("[Recent]\nfile1=/shows/new.cfg\n");
  ASSERT_NE(section, std::string::npos) << text;
  EXPECT_NE(text.find("\nfile2=/shows/old.cfg\n", section), std::string::npos) << text;
  EXPECT_EQ(ReadSettings(Utf8SettingsFile(IniPath()), "").recentFiles, settings.recentFiles);
}

TEST(RecentFiles, ReadingSkipsGapsRepeatsAndKeysPastNine) {
  std::ofstream(IniPath(), std::ios::binary | std::ios::trunc)
      << "[Recent]\nfile1=/a.cfg\nfile2=\nfile3=/b.cfg\nfile4=/a.cfg\nfile10=/j.cfg\n";
  EXPECT_EQ(ReadSettings(Utf8SettingsFile(IniPath()), "").recentFiles, (List{"/a.cfg", "/b.cfg"}));
}

TEST(RecentFiles, ShorterListEmptiesTheKeysItNoLongerUses) {
  Settings settings;
  settings.recentFiles = Numbered(3);
  ASSERT_TRUE(WriteSettings(Utf8SettingsFile(IniPath()), settings));
  settings.recentFiles = {"/shows/2.cfg"};
  ASSERT_TRUE(WriteSettings(Utf8SettingsFile(IniPath()), settings));
  EXPECT_EQ(ReadSettings(Utf8SettingsFile(IniPath()), "").recentFiles, settings.recentFiles);
  const std::string text = ReadText(IniPath());
  EXPECT_NE(text.find("file1=/shows/2.cfg\nfile2=\nfile3=\n"), std::string::npos) << text;
}

TEST(RecentFiles, NoSectionWrittenWithoutRecentFiles) {
  ASSERT_TRUE(WriteSettings(Utf8SettingsFile(IniPath()), Settings()));
  EXPECT_EQ(ReadText(IniPath()).find("[Recent]"), std::string::npos);
}
