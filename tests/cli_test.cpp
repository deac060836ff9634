// lumivane-cli run as a child process: what each command prints, its exit
// status and its one-line errors, and `send` on a real pseudo-terminal.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <termios.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <fstream>
#include <string>
#include <vector>

#include "core/format/scenario_text.h"
#include "support/cli_child.h"
#include "support/pseudo_terminal.h"
#include "support/temp_home.h"

namespace {

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Scene 1 holds half a second; scene 2 stays.
const char SHOW[] =
    "# Lumivane scenario\n\n"
    "[Scene1]\nname=Red\nfade=10\nhold=0.5\nrange1=1:1; 180; 0\n\n"
    "[Scene2]\nname=Two\nfade=200\nhold=0.0\nrange1=3:5; 0; 2\n";

const std::string OPENING = "# open at 9600\nF8\n# pause 500 ms\n# break\n# pause 500 ms\n";
const std::string RED = "F5 00 00 7F 7E\nF2 0A\nF5 00 00 01 00\nF1 B4\nF3 00\n";
const std::string TWO = "F5 00 00 7F 7E\nF2 C8\nF5 02 00 03 00\nF1 00\nF3 02\n";

class CliTest : public testing::Test {
 protected:
  void SetUp() override { WriteFile(show, SHOW); }
  std::string show = TestHome() + "/show.cfg";
};

}  // namespace

TEST_F(CliTest, NormalizePrintsWhatSavingWouldWrite) {
  const std::string messy = "[Scene1]\nname=Only\nhold=2.50\nfade=3\nrange1=2:9; 7; 1; left\n[Inputs]\ninput2=-3\n";
  WriteFile(show, messy);
  const ProgramResult result = RunCli({"normalize", show});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, WriteScenarioText(ParseScenarioText(messy)));
  WriteFile(show, result.out);
  EXPECT_EQ(RunCli({"normalize", show}).out, result.out);
}

TEST_F(CliTest, BytesPrintsTheTransferOfAScene) {
  ProgramResult result = RunCli({"bytes", show});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, OPENING + RED);
  EXPECT_EQ(RunCli({"bytes", "--scene=2", show}).out, OPENING + TWO);
}

TEST_F(CliTest, BytesPrintsProgrammingAtHighSpeedAndClearing) {
  EXPECT_EQ(RunCli({"bytes", show, "--program", "--speed", "high"}).out,
            OPENING + "F6 02\n# pause 100 ms\n# reopen at 115200\n# pause 100 ms\n" + RED +
                "# pause 100 ms\nF7 00 DF\n# pause 2000 ms\n" + RED + "F7 01 01\n# pause 100 ms\n" + TWO +
                "# pause 100 ms\nF7 00 02\n# pause 100 ms\n# break\n# pause 500 ms\n");
  EXPECT_EQ(RunCli({"bytes", show, "--erase"}).out, OPENING + "F7 00 DF\n# pause 2000 ms\n");
}

TEST_F(CliTest, WrongUsageGivesOneLineAndStatusTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"replay", show},
      {"bytes"},
      {"bytes", show, "--colour"},
      {"bytes", show, "-x"},
      {"bytes", show, "--scene", "0"},
      {"bytes", show, "--scene", "x"},
      {"bytes", show, "--scene", "3"},  // the file has two
      {"bytes", show, "--program", "--erase"},
      {"bytes", show, "--speed", "fast"},
      {"bytes", show, "--run"},
      {"bytes", show, show},
      {"send", show},
      {"send", show, "--port"},
      {"normalize", show, "--scene", "1"},
      {"play"},
      {"play", show, "--seconds", "-1"},
      {"play", show, "--inputs", "1:5"},
      {"play", show, "--inputs", "1:1,"},
      {"info"},
      {"info", show, "--speed", "fast"},
      {"info", show, "--scene", "1"},
      {"info", show, show},
      {"check", show, "--speed"},
      {"check", show, "--speed=slow"},
  };
  for (const std::vector<std::string>& args : cases) {
    std::string line;
    for (const std::string& arg : args) line += " " + arg;
    const ProgramResult result = RunCli(args);
    EXPECT_EQ(result.status, 2) << line;
    EXPECT_EQ(result.out, "") << line;
    EXPECT_EQ(result.err.rfind("lumivane-cli: ", 0), 0u) << line << ": " << result.err;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << line << ": " << result.err;
  }
}

TEST_F(CliTest, HelpGoesToStandardOutput) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"--help"}, {"normalize", "--help"}, {"bytes", "--help"}, {"send", "-h"}, {"play", "-h"},
           {"info", "--help"}, {"check", "--help"}}) {
    const ProgramResult result = RunCli(args);
    EXPECT_EQ(result.status, 0) << args[0];
    EXPECT_EQ(result.out.rfind("Usage: lumivane-cli", 0), 0u) << result.out;
    EXPECT_EQ(result.err, "");
  }
}

TEST_F(CliTest, PlayPrintsTheBoardsAfterEveryTransferInSimulatedTime) {
  auto line = [](const char* t, int scene, const char* state) {
    return std::string("{\"t\": ") + t + ", \"scene\": " + std::to_string(scene) + ", " + state + "}\n";
  };
  const char* red = "\"fade\": 10, \"boards\": [[1, 1, 180, 0]]";
  const char* two = "\"fade\": 200, \"boards\": [[1, 1, 180, 0], [3, 5, 0, 2]]";
  const char* redAgain = "\"fade\": 10, \"boards\": [[1, 1, 180, 0], [3, 5, 0, 2]]";
  const struct {
    std::vector<std::string> options;
    std::string out;
  } cases[] = {
      {{"--seconds", "0.5"}, line("0", 1, red)},
      {{}, line("0", 1, red) + line("0.5", 2, two)},  // scene 2 stays
      // Input 1 goes to scene 1, input 2 to scene 2.
      {{"--seconds=2", "--inputs", "1:1,0.2:2"},
       line("0", 1, red) + line("0.2", 2, two) + line("1", 1, redAgain) + line("1.5", 2, two)},
      {{"--inputs=3:3,4:4"}, line("0", 1, red) + line("0.5", 2, two)},  // scenes the file lacks
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"play", show};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const ProgramResult result = RunCli(args);
    EXPECT_EQ(result.status, 0) << args.size();
    EXPECT_EQ(result.out, c.out) << args.size();
    EXPECT_EQ(result.err, "");
  }
}

TEST_F(CliTest, CheckPrintsFindingsAsCompilersDoWithTheirStatus) {
  const std::string clean = TestHome() + "/clean.cfg";
  const std::string faulty = TestHome() + "/faulty.cfg";
  WriteFile(clean, "# Lumivane scenario\n\n[Scene1]\nname=A\nrange1=1:4; 3; 0\n");
  WriteFile(faulty, "# Lumivane scenario\n\n[Scene1]\nname=A\nrange1=129:130; 3; 0\n"
                    "\n[Inputs]\ninput3=7\n");
  // Inputs left as they came that name missing scenes are notes, no errors.
  const auto notes = [](const std::string& file, std::initializer_list<int> inputs) {
    std::string text;
    for (int input : inputs) {
      text += file + ":1: note: input " + std::to_string(input) + ": jumps to scene " + std::to_string(input) +
              ", which does not exist\n";
    }
    return text;
  };
  ProgramResult result = RunCli({"check", clean});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, notes(clean, {2, 3, 4}));
  result = RunCli({"check", clean, faulty});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, notes(clean, {2, 3, 4}) + faulty +
                            ":5: warning: scene 1 \"A\", row 1: boards 129 to 130 go out as boards 1 "
                            "to 2 on the wire\n" +
                            notes(faulty, {2}) + faulty +
                            ":8: error: input 3: jumps to scene 8, which does not exist\n" + notes(faulty, {4}));
  result = RunCli({"check", clean, TestHome() + "/missing.cfg"});
  EXPECT_EQ(result.status, 2);
  EXPECT_EQ(result.err, "lumivane-cli: " + TestHome() + "/missing.cfg: No such file or directory\n");
}

TEST_F(CliTest, CheckCallsScenesPastTheHeldOnesAndFilesTooLargeErrors) {
  const std::string many = TestHome() + "/many.cfg";
  std::string text = "# Lumivane scenario\n";
  for (int scene = 1; scene <= 70; ++scene) {
    text += "[Scene" + std::to_string(scene) + "]\nname=S" + std::to_string(scene) + "\nrange1=1:1; 3; 0\n";
  }
  WriteFile(many, text);
  ProgramResult result = RunCli({"check", many});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, many + ":194: error: scenario: 6 scenes past the 64th are left out; a save drops them\n");

  const std::string huge = TestHome() + "/huge.cfg";
  WriteFile(huge, "[Scene1]\nname=huge\n");
  ASSERT_EQ(0, truncate(huge.c_str(), 64LL * 1024 * 1024 + 1));
  for (const char* command : {"check", "normalize"}) {
    result = RunCli({command, huge});
    EXPECT_EQ(result.status, 1) << command;
    EXPECT_EQ(result.out, "") << command;
    EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    EXPECT_EQ(result.err.rfind("lumivane-cli: " + huge + ": File too large", 0), 0u) << result.err;
  }
}

// A scene of `rows` rows of one board each, none aliased on the wire.
std::string SceneText(int number, const char* name, const char* hold, int rows) {
  std::string text = "\n[Scene" + std::to_string(number) + "]\nname=" + name + "\nhold=" + hold + "\n";
  for (int row = 0; row < rows; ++row) {
    const std::string board = std::to_string(row / 128 * 256 + row % 128 + 1);
    text += "range" + std::to_string(row + 1) + "=" + board + ":" + board + "; 3; 0\n";
  }
  return text;
}

TEST_F(CliTest, CheckWarnsOfTransfersLongerThanTheirHoldAtTheSpeedGiven) {
  const std::string slow = TestHome() + "/slow.cfg";
  WriteFile(slow, "# Lumivane scenario\n" + SceneText(1, "Opening", "5.0", 511) + SceneText(2, "Finale", "0.5", 511) +
                      "\n[Inputs]\ninput1=0\ninput2=-1\ninput3=-2\ninput4=-3\n");
  const std::string warning = slow + ":520: warning: scene 2 \"Finale\": its transfer takes 4.8 s at 9600 bit/s, "
                                     "longer than its hold of 0.5 s; a run falls behind here\n";
  const struct {
    std::vector<std::string> options;
    std::string out;
  } cases[] = {
      {{}, warning},
      {{"--speed", "standard"}, warning},
      {{"--speed=high"}, ""},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"check", slow};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const ProgramResult result = RunCli(args);
    EXPECT_EQ(result.status, 0) << c.options.size();
    EXPECT_EQ(result.out, c.out) << c.options.size();
    EXPECT_EQ(result.err, "");
  }
}

TEST_F(CliTest, CheckGivesRowsOfOneKindOneLineAtTheFirstRowsLine) {
  const std::string aliased = TestHome() + "/aliased.cfg";
  WriteFile(aliased, "# Lumivane scenario\n\n[Scene1]\nname=A\nrange1=1:1; 3; 0\nrange2=129:129; 3; 0\n"
                     "range3=2:2; 3; 0\nrange4=130:131; 3; 0\n\n[Inputs]\ninput1=0\ninput2=-1\ninput3=-2\ninput4=-3\n");
  const ProgramResult result = RunCli({"check", aliased});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, aliased + ":6: warning: scene 1 \"A\", rows 2, 4: boards 129-131 go out as boards 1-3 on the "
                                  "wire\n" +
                            aliased + ":6: warning: scene 1 \"A\", rows 2, 4: boards 1-2 are driven by rows 1, 3 first; "
                                      "the later row wins\n");
}

TEST_F(CliTest, InfoGivesEachScenesTransferTheTotalsAndProgramsTime) {
  ProgramResult result = RunCli({"info", show});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out,
            "Scene  Name   Rows      Bytes   Transfer       Hold\n"
            "    1  Red       1         16      0.0 s      0.5 s\n"
            "    2  Two       1         16      0.0 s      0.0 s\n"
            "Total            2         32      0.0 s      0.5 s\n"
            "\n"
            "At 9600 bit/s, 10 bits a byte.\n"
            "Opening the link: 1.3 s\n"
            "Program: 4.5 s\n");

  const std::string slow = TestHome() + "/slow.cfg";
  WriteFile(slow, "# Lumivane scenario\n" + SceneText(1, "Finale", "0.5", 511));
  result = RunCli({"info", slow});
  EXPECT_NE(result.out.find("\n    1  Finale    511      4,606      4.8 s      0.5 s  falls behind\n"), std::string::npos)
      << result.out;
  EXPECT_EQ(RunCli({"info", slow, "--speed", "high"}).out.find("falls behind"), std::string::npos);
}

TEST_F(CliTest, InfoAsJsonGivesTheSameFigures) {
  const ProgramResult result = RunCli({"info", "--json", show, "--speed=high"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.err, "");
  // Bytes at 115200 bit/s; Program: the opening with the speed switch,
  // 58 bytes in all, 3.4 s of pauses (2 s to erase) and two breaks.
  ASSERT_FALSE(result.out.empty());
  std::string compact = result.out;
  compact.erase(std::remove_if(compact.begin(), compact.end(), [](char c) { return c == ' ' || c == '\n'; }),
                compact.end());
  EXPECT_EQ(compact,
            "{\"speed\":\"high\",\"baud\":115200,\"scenes\":["
            "{\"number\":1,\"name\":\"Red\",\"rows\":1,\"bytes\":16,\"seconds\":0.001,\"hold\":0.5,"
            "\"falls_behind\":false},"
            "{\"number\":2,\"name\":\"Two\",\"rows\":1,\"bytes\":16,\"seconds\":0.001,\"hold\":0.0,"
            "\"falls_behind\":false}],"
            "\"total\":{\"rows\":2,\"bytes\":32,\"seconds\":0.003,\"hold\":0.5},"
            "\"opening_seconds\":1.453,\"program_seconds\":4.608}");
  EXPECT_EQ(result.out.back(), '\n');
}

TEST_F(CliTest, AFileThatCannotBeReadIsNamedWithTheReason) {
  const std::string missing = TestHome() + "/missing.cfg";
  ProgramResult result = RunCli({"bytes", missing});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "lumivane-cli: " + missing + ": No such file or directory\n");
  result = RunCli({"normalize", TestHome()});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "lumivane-cli: " + TestHome() + ": Is a directory\n");
}

TEST_F(CliTest, APortThatWillNotOpenIsNamedWithTheReason) {
  const std::pair<const char*, const char*> cases[] = {
      {"/nonexistent/ttyUSB9", "No such file or directory"},
      {"Lumivane No Such Adapter (9)", "No such device or address"},
  };
  for (const auto& [port, reason] : cases) {
    const ProgramResult result = RunCli({"send", show, "--port", port, "--erase"});
    EXPECT_EQ(result.status, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err, std::string("lumivane-cli: ") + port + ": " + reason + "\n");
  }
}

namespace {

// A pseudo-terminal whose slave the program opens by its path; the test
// reads what arrives on the master side.
class CliOnPty : public CliTest {
 protected:
  void SetUp() override {
    CliTest::SetUp();
    ASSERT_TRUE(line.IsOpen());
    path = line.Path();
    tcgetattr(line.Master(), &before);
  }
  // Reads from the master until `count` bytes came or the line went quiet.
  std::vector<unsigned char> ReadMaster(size_t count, int quietMs) { return line.Read(count, quietMs); }
  PseudoTerminal line;
  std::string path;
  termios before{};
};

using Bytes = std::vector<unsigned char>;
const Bytes RED_BYTES = {0xF5, 0x00, 0x00, 0x7F, 0x7E, 0xF2, 0x0A, 0xF5, 0x00, 0x00, 0x01, 0x00, 0xF1, 0xB4, 0xF3, 0x00};
const Bytes TWO_BYTES = {0xF5, 0x00, 0x00, 0x7F, 0x7E, 0xF2, 0xC8, 0xF5, 0x02, 0x00, 0x03, 0x00, 0xF1, 0x00, 0xF3, 0x02};

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const Bytes& part : parts) all.insert(all.end(), part.begin(), part.end());
  return all;
}

}  // namespace

TEST_F(CliOnPty, SendPutsTheSceneOnTheLineAndLeavesTheTtyAsItWas) {
  Cli send({"send", show, "--port", path, "--scene", "2"});
  // Read while it runs: closing the port discards what was not read yet.
  EXPECT_EQ(ReadMaster(1 + TWO_BYTES.size(), 1500), Concat({{0xF8}, TWO_BYTES}));
  const ProgramResult result = send.Wait();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "Scene 2: Two\n");
  EXPECT_EQ(result.err, "");
  termios after{};
  tcgetattr(line.Master(), &after);
  EXPECT_EQ(after.c_cflag, before.c_cflag);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
}

TEST_F(CliOnPty, RunPlaysTheHoldTimesUntilTerminated) {
  Cli run({"send", show, "--port", path, "--run"});
  const auto started = std::chrono::steady_clock::now();
  // Start-up and scene 1; then scene 2 once scene 1's half second is over.
  EXPECT_EQ(ReadMaster(1 + RED_BYTES.size(), 3000), Concat({{0xF8}, RED_BYTES}));
  EXPECT_EQ(ReadMaster(TWO_BYTES.size(), 2000), TWO_BYTES);
  EXPECT_GE(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(1400));
  run.Signal(SIGTERM);
  const ProgramResult result = run.Wait();
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "Scene 1: Red\nScene 2: Two\n");
  EXPECT_EQ(result.err, "");
}

TEST_F(CliOnPty, ARunPlaysTheFileAsChangedFromTheNextTransferOn) {
  std::string slow = SHOW;
  slow.replace(slow.find("hold=0.5"), 8, "hold=2.0");
  WriteFile(show, slow);
  Cli run({"send", show, "--port", path, "--run"});
  ASSERT_EQ(ReadMaster(1 + RED_BYTES.size(), 3000).size(), 1 + RED_BYTES.size());
  // Looked at after 1 s, by tick count, so before scene 1's 2 s are over.
  std::string changed = slow;
  changed.replace(changed.find("name=Two"), 8, "name=Blinks");
  changed.replace(changed.find("3:5; 0; 2"), 9, "3:5; 0; 3");
  WriteFile(show, changed);
  const timespec later[2] = {{time(nullptr) + 10, 0}, {time(nullptr) + 10, 0}};
  utimensat(AT_FDCWD, show.c_str(), later, 0);
  Bytes blinks = TWO_BYTES;
  blinks.back() = 0x03;
  // The keep-alives of ticks 10 and 20, then scene 2 as changed.
  EXPECT_EQ(ReadMaster(2 + blinks.size(), 4000), Concat({{0xF8, 0xF8}, blinks}));
  run.Signal(SIGTERM);
  const ProgramResult result = run.Wait();
  EXPECT_EQ(result.out, "Scene 1: Red\nReloaded " + show + "\nScene 2: Blinks\n");
  EXPECT_EQ(result.err, "");
}

TEST_F(CliOnPty, ALineThatGoesAwayDuringARunEndsItWithAnError) {
  Cli run({"send", show, "--port", path, "--run"});
  ASSERT_EQ(ReadMaster(1 + RED_BYTES.size(), 3000).size(), 1 + RED_BYTES.size());
  line.CloseMaster();
  const ProgramResult result = run.Wait();
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "Scene 1: Red\nScene 2: Two\n");
  EXPECT_EQ(result.err, "lumivane-cli: " + path + ": Input/output error\n");
}
