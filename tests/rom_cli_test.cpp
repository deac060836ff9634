// lumivane-cli rom as a child process: the record that send --program and
// --erase leave, printed and compared, with its exit statuses.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "core/board/rom_record.h"
#include "support/cli_child.h"
#include "support/temp_home.h"

namespace {

void WriteFile(const std::string& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

const char SHOW[] =
    "# Lumivane scenario\n\n"
    "[Scene1]\nname=Red\nfade=10\nhold=0.5\nrange1=1:1; 180; 0\n\n"
    "[Scene2]\nname=Two\nfade=200\nhold=0.0\nrange1=3:5; 0; 2\n";

const char VIRTUAL[] = "Virtual boards";

class RomCli : public testing::Test {
 protected:
  void SetUp() override {
    WriteFile(show, SHOW);
    WriteFile(changed, std::string(SHOW).replace(std::string(SHOW).find("fade=200"), 8, "fade=20"));
  }
  std::string show = TestHome() + "/show.cfg";
  std::string changed = TestHome() + "/changed.cfg";
};

}  // namespace

TEST_F(RomCli, SendProgramLeavesARecordThatComparesWithTheFile) {
  ASSERT_EQ(RunCli({"send", show, "--port", VIRTUAL, "--program"}).status, 0);

  ProgramResult result = RunCli({"rom", "--port", VIRTUAL});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_NE(result.out.find("Port: Virtual boards\n"), std::string::npos) << result.out;
  EXPECT_NE(result.out.find("Scenes: 2\nState: complete\n"), std::string::npos) << result.out;
  EXPECT_EQ(RunCli({"rom"}).out, result.out) << "the settings' port, the virtual boards at a first start";

  const struct {
    std::string file;
    int status;
    std::string out;
  } cases[] = {
      {show, 0, "Same as " + show + "\n"},
      {changed, 1, "scene 2 \"Two\": fade (200 in the boards, 20 here)\n"},
  };
  for (const auto& c : cases) {
    result = RunCli({"rom", "--port", VIRTUAL, "--compare", c.file});
    EXPECT_EQ(result.status, c.status) << c.file;
    EXPECT_EQ(result.out, c.out) << c.file;
    EXPECT_EQ(result.err, "") << c.file;
  }
  EXPECT_EQ(RunCli({"rom", "--port", VIRTUAL, "--text"}).out, RunCli({"normalize", show}).out);
}

TEST_F(RomCli, SendEraseLeavesAnErasedRecord) {
  ASSERT_EQ(RunCli({"send", show, "--port", VIRTUAL, "--erase"}).status, 0);
  EXPECT_NE(RunCli({"rom", "--port", VIRTUAL}).out.find("State: erased\n"), std::string::npos);
  const ProgramResult result = RunCli({"rom", "--port", VIRTUAL, "--compare", show});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "the boards hold no scenes: their ROM was erased\n");
}

TEST_F(RomCli, NoRecordOrADamagedOneIsStatusOneAndWrongUsageTwo) {
  ProgramResult result = RunCli({"rom", "--port", "/dev/ttyUSB7", "--compare", show});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "lumivane-cli: /dev/ttyUSB7: no record of what the boards hold\n");

  const std::string directory = DefaultRomDirectory();
  RomRecord record = RecordAfterClear(BoardTarget{"/dev/ttyUSB7"}, 0);
  ASSERT_EQ(WriteRomRecord(directory, record), 0);
  WriteFile(RomRecordPath(directory, record.key), "Lumivane ROM record 1\nport=/dev/tty");
  result = RunCli({"rom", "--port", "/dev/ttyUSB7", "--compare", show});
  EXPECT_EQ(result.status, 1);
  EXPECT_NE(result.err.find("lumivane-cli: warning: "), std::string::npos) << result.err;
  EXPECT_NE(result.err.find("no record"), std::string::npos) << result.err;

  const std::vector<std::vector<std::string>> usage = {
      {"rom", "--colour"}, {"rom", "--port"}, {"rom", "--port="}, {"rom", show},
      {"rom", "--text", "--compare", show},
  };
  for (const auto& args : usage) {
    result = RunCli(args);
    EXPECT_EQ(result.status, 2) << args.back();
    EXPECT_EQ(result.out, "") << args.back();
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
  }
}
