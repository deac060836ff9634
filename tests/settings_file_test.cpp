#include <gtest/gtest.h>

#include <unistd.h>

#include <wx/filefn.h>

#include <string>

#include "ini_test_files.h"
#include "gui/app/settings_file.h"

namespace {

wxString Wide(const std::string& utf8) { return wxString::FromUTF8(utf8.c_str()); }

}  // namespace

TEST(SettingsFile, PathIsBuiltFromDirectoryAndName) {
  EXPECT_EQ("/a/b/lumivane.ini", SettingsFile("lumivane.ini", "/a/b").Path());
  EXPECT_EQ("/a/b/lumivane.ini", SettingsFile("lumivane.ini", "/a/b/").Path());
  EXPECT_EQ("/a/b/c.cfg", SettingsFile("/a/b/c.cfg", "/x/y").Path());
  EXPECT_EQ("sub/c.cfg", SettingsFile("sub/c.cfg", "/x/y").Path());
  EXPECT_EQ(wxGetCwd() + "/lumivane.ini", SettingsFile("lumivane.ini").Path());

  char previous[4096];
  ASSERT_NE(nullptr, getcwd(previous, sizeof previous));
  ASSERT_EQ(0, chdir("/"));
  const wxString atRoot = SettingsFile("lumivane.ini").Path();
  ASSERT_EQ(0, chdir(previous));
  EXPECT_EQ("/lumivane.ini", atRoot);
}

TEST(SettingsFile, WideStringsGoToTheFileAsUtf8AndBack) {
  const SettingsFile settings("wide.ini", Wide(TestHome()));
  const wxString section = Wide("\xC3\x9C" "ber");               // "Über"
  const wxString key = Wide("schl\xC3\xBC" "ssel");              // "schlüssel"
  const wxString value = Wide("\xC3\xA9t\xC3\xA9 \xE2\x82\xAC");  // "été €"
  EXPECT_TRUE(settings.WriteString(section, key, value));
  EXPECT_EQ("[\xC3\x9C" "ber]\nschl\xC3\xBC" "ssel=\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\n", ReadBytes(TestPath("wide.ini")));
  // Only ASCII letters match regardless of case.
  EXPECT_EQ(value, settings.ReadString(Wide("\xC3\x9C" "BER"), key, "default"));
  EXPECT_EQ("default", settings.ReadString(Wide("\xC3\xBC" "ber"), key, "default"));
  EXPECT_EQ("default", settings.ReadString(section, "missing", "default"));
}

TEST(SettingsFile, NumbersAreWrittenAndReadAsDecimals) {
  const SettingsFile settings("numbers.ini", Wide(TestHome()));
  EXPECT_EQ(-3, settings.ReadLong("Settings", "baud", -3));
  EXPECT_TRUE(settings.WriteLong("Settings", "baud", -17));
  EXPECT_EQ(-17, settings.ReadLong("Settings", "baud", 0));
  EXPECT_EQ("-17", settings.ReadString("Settings", "baud", ""));
}

TEST(SettingsFile, OtherFileIsUsedForOneCall) {
  const SettingsFile settings("main.ini", Wide(TestHome()));
  const wxString other = Wide(TestPath("other.ini"));
  EXPECT_TRUE(settings.WriteString("S", "k", "there", other));
  EXPECT_TRUE(settings.WriteLong("S", "n", 4, other));
  EXPECT_EQ("there", settings.ReadString("S", "k", "", other));
  EXPECT_EQ(4, settings.ReadLong("S", "n", 0, other));
  EXPECT_EQ("none", settings.ReadString("S", "k", "none"));
  EXPECT_FALSE(wxFileExists(settings.Path()));
}

TEST(SettingsFile, ValueCutInsideACharacterKeepsTheWholeCharacters) {
  const SettingsFile settings("cut.ini", Wide(TestHome()));
  std::string accents;
  for (int i = 0; i < 300; ++i) {
    accents += "\xC3\xA9";  // "é", two bytes
  }
  // The key line holds 507 bytes of value: 253 characters and half of one.
  EXPECT_TRUE(settings.WriteString("S", "k", Wide(accents)));
  EXPECT_EQ(Wide(accents.substr(0, 506)), settings.ReadString("S", "k", ""));
}

TEST(SettingsFile, WriteReportsFailure) {
  const SettingsFile settings("x.ini", Wide(TestPath("missing-directory")));
  EXPECT_FALSE(settings.WriteString("S", "k", "v"));
  EXPECT_FALSE(settings.WriteLong("S", "k", 1));
}
