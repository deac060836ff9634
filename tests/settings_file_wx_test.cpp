// The window's SettingsFile: wide strings over the core's UTF-8 one.
#include <gtest/gtest.h>

#include <wx/filefn.h>

#include <string>

#include "ini_test_files.h"
#include "gui/app/settings_file.h"

namespace {

wxString Wide(const std::string& utf8) { return wxString::FromUTF8(utf8.c_str()); }

}  // namespace

TEST(SettingsFileWx, PathIsBuiltFromDirectoryAndName) {
  EXPECT_EQ("/a/b/lumivane.ini", SettingsFile("lumivane.ini", "/a/b").Path());
  EXPECT_EQ(wxGetCwd() + "/lumivane.ini", SettingsFile("lumivane.ini").Path());
}

TEST(SettingsFileWx, WideStringsGoToTheFileAsUtf8AndBack) {
  const SettingsFile settings("wide.ini", Wide(TestHome()));
  const wxString section = Wide("\xC3\x9C" "ber");               // "Über"
  const wxString key = Wide("schl\xC3\xBC" "ssel");              // "schlüssel"
  const wxString value = Wide("\xC3\xA9t\xC3\xA9 \xE2\x82\xAC");  // "été €"
  EXPECT_TRUE(settings.WriteString(section, key, value));
  EXPECT_EQ("[\xC3\x9C" "ber]\nschl\xC3\xBC" "ssel=\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\n", ReadBytes(TestPath("wide.ini")));
  EXPECT_EQ(value, settings.ReadString(Wide("\xC3\x9C" "BER"), key, "default"));
  EXPECT_EQ("default", settings.ReadString(section, "missing", "default"));
  EXPECT_TRUE(settings.WriteLong("S", "n", -17));
  EXPECT_EQ(-17, settings.ReadLong("S", "n", 0));
  // Latin-1 text from an old editor comes back as the same characters.
  WriteBytes(TestPath("latin1.ini"), "[S]\nk=gr\xFC\xDF" "e\n");
  EXPECT_EQ(Wide("gr\xC3\xBC\xC3\x9F" "e"), settings.ReadString("S", "k", "", Wide(TestPath("latin1.ini"))));
}
