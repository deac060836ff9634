#pragma once
// The preview: a scenario played on the virtual boards in simulated time,
// as Transfer / run plays it, drawn frame by frame as the board monitor
// shows the boards, into a looping animated GIF. Each board is a square
// tile, wrapped to a number of columns.
#include <functional>
#include <map>
#include <string>

#include "core/model/scenario.h"

constexpr int PREVIEW_DEFAULT_FPS = 10;
constexpr int PREVIEW_MOST_FPS = 50;  // viewers show shorter delays slower
constexpr int PREVIEW_DEFAULT_COLUMNS = 16;
constexpr int PREVIEW_MOST_COLUMNS = 256;
constexpr int PREVIEW_DEFAULT_TILE = 24;
constexpr int PREVIEW_LEAST_TILE = 4;
constexpr int PREVIEW_MOST_TILE = 128;
constexpr double PREVIEW_MOST_SECONDS = 600;
// What one pass counts for a scene that holds until moved on.
constexpr double PREVIEW_ENDLESS_HOLD_SECONDS = 10;

struct PreviewOptions {
  double seconds = 0;  // 0: one pass through the scenario
  int fps = PREVIEW_DEFAULT_FPS;
  int columns = PREVIEW_DEFAULT_COLUMNS;
  int tile = PREVIEW_DEFAULT_TILE;
  // Input levels (bits 0..3, low = active) by 100 ms tick, as the run reads them.
  std::map<long, unsigned char> inputs;
};

// One pass: the holds of all scenes as the run keeps them, a scene that
// holds until moved on as PREVIEW_ENDLESS_HOLD_SECONDS; at most
// PREVIEW_MOST_SECONDS, at least one tick.
double OnePassSeconds(const Scenario& scenario);

// Told after each frame: frames done and of how many; false cancels.
using PreviewProgress = std::function<bool(long done, long total)>;

struct PreviewResult {
  // 0, ECANCELED when the progress cancelled, EFBIG when the tiles would
  // not fit a GIF, ENOMEM when encoding failed.
  int error = 0;
  std::string gif;
  long frames = 0;  // frame times drawn; equal neighbours are joined in the file
  long boards = 0;  // tiles
  int width = 0;
  int height = 0;
  double seconds = 0;
};

PreviewResult RenderPreview(const Scenario& scenario, const PreviewOptions& options,
                            const PreviewProgress& progress = {});

// Renders and puts the GIF at `path` in one step (a temporary beside it,
// renamed over it), so no partial file is ever left there. Returns 0 or an
// errno value (those of RenderPreview, or of writing the file).
int ExportPreview(const Scenario& scenario, const PreviewOptions& options, const std::string& path,
                  const PreviewProgress& progress = {}, PreviewResult* result = nullptr);

// The time in milliseconds at which frame `index` is drawn, and its delay
// in hundredths of a second, kept so that the delays add up to the frame
// times.
long long PreviewFrameMs(long index, int fps);
int PreviewFrameDelayCs(long index, int fps);
