// The preview GIF read back with giflib's reader: its frame times, each
// tile's colour against what the monitor's renderer shows at that moment,
// how little of a frame goes into the file, and a file that cannot be
// written.
#include <gtest/gtest.h>

#include <sys/mount.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "core/board/board_frame_renderer.h"
#include "core/format/scenario_text.h"
#include "core/preview/gif_animation.h"
#include "core/preview/preview_render.h"
#include "core/preview/simulated_run.h"
#include "support/gif_frames.h"
#include "support/directory_entries.h"
#include "support/temp_home.h"

namespace {

// Scene 1 for 1 s: boards 1-3 colour 180, board 5 colour 30 blinking (3).
// Scene 2 for 2 s: board 2 fades to colour 5 over 1 s.
const char SHOW[] =
    "# Lumivane scenario\n\n"
    "[Scene1]\nname=One\nfade=0\nhold=1\nrange1=1:3; 180; 0\nrange2=5:5; 30; 3\n\n"
    "[Scene2]\nname=Two\nfade=10\nhold=2\nrange1=2:2; 5; 0\n";

const Rgb BLACK{0, 0, 0};
const Rgb BACKGROUND{24, 24, 24};

// The middle of board `number`'s tile.
Rgb TileColour(const ShownGif& gif, long long ms, long number, int columns = 8, int tile = 24) {
  const long index = number - 1;
  return gif.Pixel(ms, static_cast<int>(index % columns) * tile + tile / 2,
                   static_cast<int>(index / columns) * tile + tile / 2);
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::vector<Rgb> Filled(int pixels, Rgb colour) { return std::vector<Rgb>(static_cast<size_t>(pixels), colour); }

}  // namespace

TEST(PreviewRender, OnePassAddsTheHoldsAsTheRunKeepsThem) {
  const struct {
    const char* holds;
    double seconds;
  } cases[] = {
      {"1 2.5", 3.5}, {"0", 10}, {"0.5 0 0.5", 11}, {"0.04", 10},  // below a tick: holds until moved on
      {"0.25", 0.3},                                              // whole ticks
      {"120 120 120 120 120 120", 600},                           // at most 10 minutes
  };
  for (const auto& c : cases) {
    Scenario scenario;
    scenario.scenes.clear();
    std::istringstream holds(c.holds);
    for (double hold; holds >> hold;) {
      Scene scene;
      scene.hold = hold;
      scenario.scenes.push_back(scene);
    }
    EXPECT_DOUBLE_EQ(OnePassSeconds(scenario), c.seconds) << c.holds;
  }
}

TEST(PreviewRender, FrameDelaysAddUpToTheFrameTimes) {
  const struct {
    int fps;
    long frame;
    long long ms;
    int delayCs;
  } cases[] = {
      {10, 0, 0, 10}, {10, 7, 700, 10}, {3, 0, 0, 33}, {3, 1, 333, 34}, {3, 2, 666, 33}, {50, 9, 180, 2},
      {1, 4, 4000, 100},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PreviewFrameMs(c.frame, c.fps), c.ms) << c.fps << " fps, frame " << c.frame;
    EXPECT_EQ(PreviewFrameDelayCs(c.frame, c.fps), c.delayCs) << c.fps << " fps, frame " << c.frame;
  }
}

TEST(PreviewRender, TilesShowAtEachTimeWhatTheBoardsShow) {
  const PreviewResult result = RenderPreview(ParseScenarioText(SHOW), PreviewOptions{});
  ASSERT_EQ(result.error, 0);
  EXPECT_EQ(result.frames, 30) << "one pass of 3 s at 10 frames a second";
  const ShownGif gif = ReadShownGif(result.gif);
  ASSERT_TRUE(gif.ok);
  EXPECT_TRUE(gif.loops);
  EXPECT_EQ(gif.width, 8 * 24) << "8 tiles at least, in one row";
  EXPECT_EQ(gif.height, 24);
  EXPECT_EQ(gif.LengthMs(), 3000);

  const struct {
    long long ms;
    long board;
    Rgb colour;
  } cases[] = {
      {0, 1, IndexToColour(180)},    {0, 5, IndexToColour(30)},     {299, 5, IndexToColour(30)},
      {300, 5, BLACK},               {600, 5, IndexToColour(30)},   {0, 4, BACKGROUND},
      {900, 2, IndexToColour(180)},  {1000, 2, IndexToColour(180)}, {1500, 2, {148, 40, 148}},
      {2000, 2, IndexToColour(5)},   {2999, 2, IndexToColour(5)},   {2999, 3, IndexToColour(180)},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ColourText(TileColour(gif, c.ms, c.board)), ColourText(c.colour)) << "board " << c.board << " at " << c.ms;
  }

  // Frames only where something changes: blink 3 every 300 ms, the fade every 100 ms.
  const struct {
    long long ms;
    long long shownSince;
  } frames[] = {{0, 0},       {299, 0},      {300, 300},    {1000, 900},  // the fade starts where it stood
                {1100, 1100}, {1500, 1500}, {1950, 1900}, {2150, 2100}};
  for (const auto& c : frames) {
    EXPECT_EQ(gif.At(c.ms).startMs, c.shownSince) << "at " << c.ms;
  }
  for (const ShownGifFrame& frame : gif.frames) {
    EXPECT_EQ(frame.startMs % 100, 0) << "frames start on the frame times";
  }
}

TEST(PreviewRender, EveryTileAgreesWithTheRendererEveryFrame) {
  const Scenario scenario = ParseScenarioText(SHOW);
  PreviewOptions options;
  options.fps = 20;
  options.columns = 3;
  options.tile = 10;
  const ShownGif gif = ReadShownGif(RenderPreview(scenario, options).gif);
  ASSERT_TRUE(gif.ok);
  ASSERT_EQ(gif.width, 30);
  ASSERT_EQ(gif.height, 30);

  SimulatedRun run(scenario);
  BoardFrameRenderer renderer;
  renderer.Update(run.Chain(), 0);
  for (long long ms = 0; ms < 3000; ms += 50) {
    while (run.Tick() < ms / 100) {
      run.AdvanceTo(run.Tick() + 1);
      renderer.Update(run.Chain(), run.Tick() * 100);
    }
    for (long board = 1; board <= 8; ++board) {
      const ShownBoard shown = renderer.Shown(board, ms);
      EXPECT_EQ(ColourText(TileColour(gif, ms, board, 3, 10)), ColourText(shown.given ? shown.colour : BACKGROUND))
          << "board " << board << " at " << ms;
    }
  }
}

TEST(PreviewRender, InputsMoveTheRunAsInPlay) {
  PreviewOptions options;
  options.seconds = 1;
  options.inputs[5] = 0x0D;  // input 2 at 0.5 s: scene 2
  const ShownGif gif = ReadShownGif(RenderPreview(ParseScenarioText(SHOW), options).gif);
  ASSERT_TRUE(gif.ok);
  EXPECT_EQ(ColourText(TileColour(gif, 400, 2)), ColourText(IndexToColour(180)));
  EXPECT_EQ(ColourText(TileColour(gif, 900, 2)), "169,40,126") << "fading to colour 5 since 0.5 s";
}

TEST(PreviewRender, ProgressCountsFramesAndCancels) {
  long seen = 0;
  const PreviewResult result = RenderPreview(ParseScenarioText(SHOW), PreviewOptions{}, [&](long done, long total) {
    EXPECT_EQ(total, 30);
    seen = done;
    return done < 12;
  });
  EXPECT_EQ(result.error, ECANCELED);
  EXPECT_EQ(seen, 12);
  EXPECT_TRUE(result.gif.empty());
}

TEST(PreviewRender, ABoardCountNoGifHoldsIsRefused) {
  Scenario scenario = ParseScenarioText("[Scene1]\nname=Far\nfade=0\nhold=1\nrange1=9000:9000; 3; 0\n");
  PreviewOptions options;
  options.columns = 1;
  options.tile = 128;
  const PreviewResult result = RenderPreview(scenario, options);
  EXPECT_EQ(result.error, EFBIG);
  EXPECT_EQ(result.boards, 9000);
  options.columns = 256;
  options.tile = 24;
  EXPECT_EQ(RenderPreview(scenario, options).error, 0);
}

TEST(GifAnimation, WritesOnlyWhatAFrameChanges) {
  const std::vector<Rgb> palette = {BLACK, {255, 255, 255}, {40, 40, 255}};
  GifAnimation animation(20, 10, palette);
  std::vector<Rgb> frame = Filled(200, BLACK);
  animation.AddFrame(frame, 10);
  animation.AddFrame(frame, 10);  // the same: the first lasts longer
  frame[5 * 20 + 7] = {40, 40, 255};
  frame[6 * 20 + 9] = {40, 40, 255};
  animation.AddFrame(frame, 5);
  frame[0] = {1, 2, 3};  // outside the palette: kept exactly
  animation.AddFrame(frame, 5);
  EXPECT_EQ(animation.FrameCount(), 3);
  const ShownGif gif = ReadShownGif(animation.Finish());
  ASSERT_TRUE(gif.ok);
  ASSERT_EQ(gif.frames.size(), 3u);
  const struct {
    size_t frame;
    long long startMs;
    int delayCs;
  } times[] = {{0, 0, 20}, {1, 200, 5}, {2, 250, 5}};
  for (const auto& c : times) {
    EXPECT_EQ(gif.frames[c.frame].startMs, c.startMs) << "frame " << c.frame;
    EXPECT_EQ(gif.frames[c.frame].delayCs, c.delayCs) << "frame " << c.frame;
  }
  EXPECT_EQ(ColourText(gif.Pixel(200, 7, 5)), "40,40,255");
  EXPECT_EQ(ColourText(gif.Pixel(200, 8, 5)), "0,0,0") << "inside the changed area, kept as it was";
  EXPECT_EQ(ColourText(gif.Pixel(250, 0, 0)), "1,2,3");
  EXPECT_EQ(ColourText(gif.Pixel(250, 9, 6)), "40,40,255");
  EXPECT_EQ(gif.ownTables, 1) << "only the frame with a colour outside the palette";
}

TEST(GifAnimation, AFrameOfMoreColoursThanATableTakesTheNearestOfThePalette) {
  const std::vector<Rgb> palette = {BLACK, {255, 255, 255}};
  GifAnimation animation(300, 1, palette);
  std::vector<Rgb> frame;
  for (int i = 0; i < 300; ++i) {
    const unsigned char level = static_cast<unsigned char>(i * 255 / 299);
    frame.push_back({level, level, static_cast<unsigned char>(level > 0 ? level - i % 2 : 0)});
  }
  animation.AddFrame(frame, 10);
  const ShownGif gif = ReadShownGif(animation.Finish());
  ASSERT_TRUE(gif.ok);
  const struct {
    int x;
    const char* colour;
  } cases[] = {{0, "0,0,0"}, {100, "0,0,0"}, {200, "255,255,255"}, {299, "255,255,255"}};
  for (const auto& c : cases) {
    EXPECT_EQ(ColourText(gif.Pixel(0, c.x, 0)), c.colour) << "x " << c.x;
  }
  EXPECT_EQ(gif.ownTables, 0);
}

TEST(PreviewExport, AFileThatCannotBeWrittenLeavesNothingBehind) {
  const Scenario scenario = ParseScenarioText(SHOW);
  const std::string missing = TestHome() + "/no such folder/show.gif";
  EXPECT_EQ(ExportPreview(scenario, PreviewOptions{}, missing), ENOENT);
  struct stat info;
  EXPECT_NE(stat(missing.c_str(), &info), 0);

  const std::string written = TestHome() + "/show.gif";
  PreviewResult result;
  ASSERT_EQ(ExportPreview(scenario, PreviewOptions{}, written, {}, &result), 0);
  EXPECT_EQ(ReadFile(written), result.gif);
  EXPECT_EQ(DirectoryEntries(TestHome()).size(), 1u) << "no temporary left";
}

TEST(PreviewExport, AFullDiskKeepsTheOldFileWhole) {
  const std::string dir = TestHome() + "/small";
  ASSERT_EQ(mkdir(dir.c_str(), 0755), 0);
  if (mount("tmpfs", dir.c_str(), "tmpfs", 0, "size=64k") != 0) {
    GTEST_SKIP() << "no 64 KiB tmpfs could be mounted here (" << std::strerror(errno) << "); mounting needs root";
  }
  const std::string old = "an older preview";
  std::ofstream(dir + "/show.gif") << old;
  std::ofstream(dir + "/filler") << std::string(56 * 1024, 'f');
  // Every board blinking at its own rate for a minute: far more than 8 KiB.
  std::string text = "[Scene1]\nname=Busy\nfade=0\nhold=0\n";
  for (int board = 1; board <= 64; ++board) {
    text += "range" + std::to_string(board) + "=" + std::to_string(board) + ":" + std::to_string(board) + "; " +
            std::to_string(board * 3) + "; " + std::to_string(board % 13 + 1) + "\n";
  }
  PreviewOptions options;
  options.seconds = 60;
  EXPECT_EQ(ExportPreview(ParseScenarioText(text), options, dir + "/show.gif"), ENOSPC);
  EXPECT_EQ(ReadFile(dir + "/show.gif"), old);
  EXPECT_EQ(DirectoryEntries(dir).size(), 2u) << "no temporary left";
  umount2(dir.c_str(), MNT_DETACH);
}
