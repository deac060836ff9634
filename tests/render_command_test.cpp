// lumivane-cli render as a child process: the GIF it writes, read back;
// absurd options as wrong usage; a file it cannot write.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <fstream>

#include "support/cli_child.h"
#include "support/gif_frames.h"
#include "support/temp_home.h"

namespace {

// Scene 1 for 1 s: boards 1-3 colour 180; scene 2 for 1 s: board 2 colour 5.
const char SHOW[] =
    "# Lumivane scenario\n\n"
    "[Scene1]\nname=One\nfade=0\nhold=1\nrange1=1:3; 180; 0\n\n"
    "[Scene2]\nname=Two\nfade=0\nhold=1\nrange1=2:2; 5; 0\n";

class RenderCommand : public testing::Test {
 protected:
  void SetUp() override { std::ofstream(show) << SHOW; }
  std::string show = TestHome() + "/show.cfg";
  std::string gif = TestHome() + "/show.gif";
};

}  // namespace

TEST_F(RenderCommand, WritesTheRunAsALoopingGif) {
  const ProgramResult result = RunCli({"render", show, "-o", gif, "--fps", "5", "--columns", "4", "--tile", "10"});
  ASSERT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(result.out, gif + ": 10 frames of 40 x 20 pixels, 2 s, " + std::to_string(ReadWholeFile(gif).size()) +
                            " bytes\n");
  const ShownGif shown = ReadShownGif(ReadWholeFile(gif));
  ASSERT_TRUE(shown.ok);
  EXPECT_TRUE(shown.loops);
  EXPECT_EQ(shown.LengthMs(), 2000);
  const struct {
    long long ms;
    int x, y;  // the middle of a tile: board 1 at 5,5, board 2 at 15,5, board 5 at 5,15
    Rgb colour;
  } cases[] = {
      {0, 5, 5, IndexToColour(180)}, {0, 15, 5, IndexToColour(180)},  {999, 15, 5, IndexToColour(180)},
      {1000, 15, 5, IndexToColour(5)}, {1999, 5, 5, IndexToColour(180)}, {0, 5, 15, {24, 24, 24}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ColourText(shown.Pixel(c.ms, c.x, c.y)), ColourText(c.colour)) << c.x << "," << c.y << " at " << c.ms;
  }
  ASSERT_EQ(shown.frames.size(), 2u) << "one frame a scene";
  EXPECT_EQ(shown.frames[1].startMs, 1000);

  const ProgramResult early = RunCli({"render", show, "--output=" + gif, "--seconds", "2", "--inputs", "0.4:2"});
  ASSERT_EQ(early.status, 0) << early.err;
  EXPECT_EQ(ColourText(ReadShownGif(ReadWholeFile(gif)).Pixel(500, 24 + 12, 12)), ColourText(IndexToColour(5)))
      << "input 2 went to scene 2 at 0.4 s";
}

TEST_F(RenderCommand, AbsurdOptionsAreWrongUsage) {
  const struct {
    std::vector<std::string> options;
    const char* error;
  } cases[] = {
      {{"--fps", "0"}, "fps '0' is not a whole number from 1 to 50"},
      {{"--fps", "51"}, "fps '51' is not a whole number from 1 to 50"},
      {{"--fps", "2.5"}, "fps '2.5' is not a whole number from 1 to 50"},
      {{"--seconds", "-1"}, "seconds '-1' is not a number above 0 and at most 600"},
      {{"--seconds", "0"}, "seconds '0' is not a number above 0 and at most 600"},
      {{"--seconds", "601"}, "seconds '601' is not a number above 0 and at most 600"},
      {{"--columns", "100000"}, "columns '100000' is not a whole number from 1 to 256"},
      {{"--columns", "0"}, "columns '0' is not a whole number from 1 to 256"},
      {{"--tile", "3"}, "tile '3' is not a whole number from 4 to 128"},
      {{"--inputs", "1:5"}, "input '1:5' is not TIME:INPUT with INPUT 1 to 4"},
      {{"--frames", "3"}, "unknown option '--frames'"},
      {{"--fps"}, "option '--fps' needs a value"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> args = {"render", show, "-o", gif};
    args.insert(args.end(), c.options.begin(), c.options.end());
    const ProgramResult result = RunCli(args);
    EXPECT_EQ(result.status, 2) << c.error;
    EXPECT_EQ(result.err, std::string("lumivane-cli: ") + c.error + " (see lumivane-cli render --help)\n");
    EXPECT_EQ(result.out, "");
  }
  const ProgramResult noOutput = RunCli({"render", show});
  EXPECT_EQ(noOutput.status, 2);
  EXPECT_EQ(noOutput.err, "lumivane-cli: no output file given (-o OUT.gif) (see lumivane-cli render --help)\n");
  struct stat info;
  EXPECT_NE(stat(gif.c_str(), &info), 0) << "nothing written";
}

TEST_F(RenderCommand, AFileThatCannotBeWrittenIsNamed) {
  const std::string missing = TestHome() + "/gone/show.gif";
  const ProgramResult result = RunCli({"render", show, "-o", missing});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.err, "lumivane-cli: " + missing + ": No such file or directory\n");
  EXPECT_EQ(result.out, "");
}
