// The remotes' settings in the INI file, and the boards' colours remotes
// are shown: no display needed.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

#include "core/board/protocol_bytes.h"
#include "core/format/app_settings.h"
#include "core/remote/board_colours.h"
#include "support/temp_home.h"

namespace {

std::string IniPath() { return TestHome() + "/lumivane.ini"; }

Settings ReadFrom(const std::string& text) {
  std::ofstream(IniPath(), std::ios::binary | std::ios::trunc) << text;
  return ReadSettings(Utf8SettingsFile(IniPath()), "Virtual boards");
}

// The remotes' part of the settings, to compare.
std::tuple<int, int, bool, std::string> Remotes(const Settings& settings) {
  return {settings.oscPort, settings.httpPort, settings.remoteNetwork, settings.remoteToken};
}

Settings ReadBack() { return ReadSettings(Utf8SettingsFile(IniPath()), "Virtual boards"); }

std::string FileText() {
  std::ifstream in(IniPath(), std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void Send(VirtualChain& chain, const BoardMessage& message) {
  chain.Receive(message.command);
  chain.Receive(message.payload.data(), message.payloadLength);
}

}  // namespace

TEST(RemoteSettings, ReadsEachValueAndItsDefault) {
  struct Case {
    const char* file;
    int osc;
    int http;
    bool network;
    std::string token;
  } cases[] = {
      {"", 0, 0, false, ""},
      {"[Remote]\nosc=9000\nhttp=8080\nnetwork=1\ntoken=f00d\n", 9000, 8080, true, "f00d"},
      {"[Remote]\nosc=0\nhttp=0\nnetwork=0\ntoken=\n", 0, 0, false, ""},
      // What is no port is off.
      {"[Remote]\nosc=70000\nhttp=-1\n", 0, 0, false, ""},
      {"[Remote]\nosc=nine\nhttp=65535\nnetwork=2\n", 0, 65535, true, ""},
      // Keys of another section are not the remotes'.
      {"[Settings]\nosc=9000\n[Remote]\nhttp=1\n", 0, 1, false, ""},
  };
  for (const Case& c : cases) {
    const Settings settings = ReadFrom(c.file);
    EXPECT_EQ(settings.oscPort, c.osc) << c.file;
    EXPECT_EQ(settings.httpPort, c.http) << c.file;
    EXPECT_EQ(settings.remoteNetwork, c.network) << c.file;
    EXPECT_EQ(settings.remoteToken, c.token) << c.file;
  }
}

TEST(RemoteSettings, WrittenValuesReadBackEqual) {
  struct Case {
    int osc;
    int http;
    bool network;
    const char* token;
  } cases[] = {
      {9000, 8080, false, ""},
      {9000, 0, true, "0123456789abcdef0123456789abcdef"},
      {0, 8081, true, "t"},
      {0, 0, false, "kept"},
  };
  for (const Case& c : cases) {
    std::remove(IniPath().c_str());
    Settings settings;
    settings.oscPort = c.osc;
    settings.httpPort = c.http;
    settings.remoteNetwork = c.network;
    settings.remoteToken = c.token;
    ASSERT_TRUE(WriteSettings(Utf8SettingsFile(IniPath()), settings));
    EXPECT_EQ(Remotes(ReadBack()), Remotes(settings)) << c.osc << " " << c.http;
  }
}

TEST(RemoteSettings, FileOfSomeoneWithoutRemotesGetsNoSection) {
  ASSERT_TRUE(WriteSettings(Utf8SettingsFile(IniPath()), Settings()));
  EXPECT_EQ(FileText().find("[Remote]"), std::string::npos);
}

TEST(RemoteSettings, RemotesTurnedOffAreWrittenOff) {
  Settings on;
  on.oscPort = 9000;
  on.httpPort = 8080;
  ASSERT_TRUE(WriteSettings(Utf8SettingsFile(IniPath()), on));
  ASSERT_TRUE(WriteSettings(Utf8SettingsFile(IniPath()), Settings()));
  EXPECT_NE(FileText().find("[Remote]\nosc=0\nhttp=0\n"), std::string::npos) << FileText();
  EXPECT_EQ(Remotes(ReadBack()), Remotes(Settings()));
}

TEST(ChainColours, BoardsUpToTheHighestGivenOneInTheCubesColours) {
  struct Case {
    const char* name;
    long start;  // select boards start+1 .. start+count
    long count;
    int colour;
    std::vector<uint32_t> expected;
  } cases[] = {
      {"nothing sent", -1, 0, 0, {}},
      {"board 1 black of the cube", 0, 1, 0, {0x282828}},
      {"boards 2 and 3 white, board 1 never reached", 1, 2, 215, {0, 0xFFFFFF, 0xFFFFFF}},
      {"board 4 pure red", 3, 1, 180, {0, 0, 0, 0xFF2828}},
  };
  for (const Case& c : cases) {
    VirtualChain chain;
    if (c.start >= 0) {
      Send(chain, SelectMessage(c.start, c.count));
      Send(chain, ColourMessage(c.colour));
    }
    EXPECT_EQ(ChainColours(chain), c.expected) << c.name;
  }
}
