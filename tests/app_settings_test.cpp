#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "core/format/app_settings.h"
#include "support/temp_home.h"

namespace {

Settings ReadFrom(const std::string& text) {
  const std::string path = TestHome() + "/lumivane.ini";
  std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
  return ReadSettings(Utf8SettingsFile(path), "Virtual boards");
}

}  // namespace

TEST(AppSettings, ReadsEachValueAndItsDefault) {
  struct Case {
    const char* file;
    std::string port;
    long baud;
    bool autoTransfer;
    bool sizeStored;
    int width;
    int height;
  } cases[] = {
      {"", "Virtual boards", 0, true, false, 0, 0},
      {"[Settings]\ncom=\n", "", 0, true, false, 0, 0},
      {"[Settings]\ncom=/dev/ttyS0\nbaud=1\nautorun=0\n", "/dev/ttyS0", 1, false, false, 0, 0},
      {"[Settings]\nautorun=5\n[Position]\nframe=800 600\n", "Virtual boards", 0, true, true, 800, 600},
      {"[Position]\nframe=800\n", "Virtual boards", 0, true, true, 800, 0},
      {"[Position]\nframe=wide 300x\n", "Virtual boards", 0, true, true, 0, 300},
  };
  for (const Case& c : cases) {
    const Settings settings = ReadFrom(c.file);
    EXPECT_EQ(settings.port, c.port) << c.file;
    EXPECT_EQ(settings.baudIndex, c.baud) << c.file;
    EXPECT_EQ(settings.autoTransfer, c.autoTransfer) << c.file;
    EXPECT_EQ(settings.sizeStored, c.sizeStored) << c.file;
    EXPECT_EQ(settings.width, c.width) << c.file;
    EXPECT_EQ(settings.height, c.height) << c.file;
  }
}

TEST(AppSettings, WrittenSettingsReadBackEqual) {
  Settings settings;
  settings.port = "Lumivane (2)";
  settings.baudIndex = 1;
  settings.autoTransfer = false;
  settings.tip = -1;
  settings.activeDir = "/home/me/shows";
  settings.copyDir = "/media/stick";
  settings.scenarioFile = "/home/me/shows/finale.cfg";
  settings.sizeStored = true;
  settings.width = 900;
  settings.height = 600;
  const std::string path = TestHome() + "/lumivane.ini";
  ASSERT_TRUE(WriteSettings(Utf8SettingsFile(path), settings));
  EXPECT_EQ(ReadSettings(Utf8SettingsFile(path), "Virtual boards"), settings);
}
