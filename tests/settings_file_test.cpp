#include <gtest/gtest.h>

#include <unistd.h>

#include <string>

#include "ini_test_files.h"
#include "core/format/settings_file.h"

namespace {

std::string WorkingDirectory() {
  char path[4096];
  return getcwd(path, sizeof path) ? path : "";
}

}  // namespace

TEST(SettingsFile, PathIsBuiltFromDirectoryAndName) {
  EXPECT_EQ("/a/b/lumivane.ini", Utf8SettingsFile("lumivane.ini", "/a/b").Path());
  EXPECT_EQ("/a/b/lumivane.ini", Utf8SettingsFile("lumivane.ini", "/a/b/").Path());
  EXPECT_EQ("/a/b/c.cfg", Utf8SettingsFile("/a/b/c.cfg", "/x/y").Path());
  EXPECT_EQ("sub/c.cfg", Utf8SettingsFile("sub/c.cfg", "/x/y").Path());
  EXPECT_EQ(WorkingDirectory() + "/lumivane.ini", Utf8SettingsFile("lumivane.ini").Path());

  char previous[4096];
  ASSERT_NE(nullptr, getcwd(previous, sizeof previous));
  ASSERT_EQ(0, chdir("/"));
  const std::string atRoot = Utf8SettingsFile("lumivane.ini").Path();
  ASSERT_EQ(0, chdir(previous));
  EXPECT_EQ("/lumivane.ini", atRoot);
}

TEST(SettingsFile, Utf8GoesToTheFileAndBackUnchanged) {
  const Utf8SettingsFile settings("wide.ini", TestHome());
  const std::string section = "\xC3\x9C" "ber";               // "Über"
  const std::string key = "schl\xC3\xBC" "ssel";              // "schlüssel"
  const std::string value = "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC";  // "été €"
  EXPECT_TRUE(settings.WriteString(section, key, value));
  EXPECT_EQ("[\xC3\x9C" "ber]\nschl\xC3\xBC" "ssel=\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\n", ReadBytes(TestPath("wide.ini")));
  // Only ASCII letters match regardless of case.
  EXPECT_EQ(value, settings.ReadString("\xC3\x9C" "BER", key, "default"));
  EXPECT_EQ("default", settings.ReadString("\xC3\xBC" "ber", key, "default"));
  EXPECT_EQ("default", settings.ReadString(section, "missing", "default"));
}

TEST(SettingsFile, NumbersAreWrittenAndReadAsDecimals) {
  const Utf8SettingsFile settings("numbers.ini", TestHome());
  EXPECT_EQ(-3, settings.ReadLong("Settings", "baud", -3));
  EXPECT_TRUE(settings.WriteLong("Settings", "baud", -17));
  EXPECT_EQ(-17, settings.ReadLong("Settings", "baud", 0));
  EXPECT_EQ("-17", settings.ReadString("Settings", "baud", ""));
}

TEST(SettingsFile, OtherFileIsUsedForOneCall) {
  const Utf8SettingsFile settings("main.ini", TestHome());
  const std::string other = TestPath("other.ini");
  EXPECT_TRUE(settings.WriteString("S", "k", "there", other));
  EXPECT_TRUE(settings.WriteLong("S", "n", 4, other));
  EXPECT_EQ("there", settings.ReadString("S", "k", "", other));
  EXPECT_EQ(4, settings.ReadLong("S", "n", 0, other));
  EXPECT_EQ("none", settings.ReadString("S", "k", "none"));
  EXPECT_NE(0, access(settings.Path().c_str(), F_OK));
}

TEST(SettingsFile, ValueCutInsideACharacterKeepsTheWholeCharacters) {
  const Utf8SettingsFile settings("cut.ini", TestHome());
  std::string accents;
  for (int i = 0; i < 300; ++i) {
    accents += "\xC3\xA9";  // "é", two bytes
  }
  // The key line holds 507 bytes of value: 253 characters and half of one.
  EXPECT_TRUE(settings.WriteString("S", "k", accents));
  EXPECT_EQ(accents.substr(0, 506), settings.ReadString("S", "k", ""));
}

TEST(SettingsFile, WriteReportsFailure) {
  const Utf8SettingsFile settings("x.ini", TestPath("missing-directory"));
  EXPECT_FALSE(settings.WriteString("S", "k", "v"));
  EXPECT_FALSE(settings.WriteLong("S", "k", 1));
}

TEST(TextFromFile, GivesUtf8TakingOtherTextAsLatin1) {
  const struct {
    std::string bytes;
    std::string text;
  } cases[] = {
      {"", ""},
      {"plain", "plain"},
      {"\xC3\xA9t\xC3\xA9", "\xC3\xA9t\xC3\xA9"},
      // Latin-1 from an old editor.
      {"gr\xFC\xDF" "e", "gr\xC3\xBC\xC3\x9F" "e"},
      // A character cut by a buffer loses its bytes.
      {"ab\xE2\x82", "ab"},
      {"ab\xC3", "ab"},
      // So does a Latin-1 letter at the end, taken for a cut character,
      // and a text of nothing else becomes empty: the window's rule.
      {"caf\xE9", "caf"},
      {"\xE9", ""},
      // Not UTF-8 even when cut back: all of it as Latin-1.
      {"\xE9t\xE9", "\xC3\xA9t\xC3\xA9"},
      {"\xB0" "C", "\xC2\xB0" "C"},
      // Forms that only look like UTF-8: overlong, surrogate, past U+10FFFF.
      {"\xC0\xAF" "x", "\xC3\x80\xC2\xAF" "x"},
      {"\xED\xA0\x80" "x", "\xC3\xAD\xC2\xA0\xC2\x80" "x"},
      {"\xF4\x90\x80\x80" "x", "\xC3\xB4\xC2\x90\xC2\x80\xC2\x80" "x"},
      {std::string("a\0b", 3), std::string("a\0b", 3)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.text, TextFromFile(c.bytes.data(), c.bytes.size())) << c.bytes;
  }
}
