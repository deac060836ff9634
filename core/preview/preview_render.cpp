#include "core/preview/preview_render.h"

#include <algorithm>
#include <cerrno>
#include <cmath>

#include "core/board/board_frame_renderer.h"
#include "core/fs/atomic_replace.h"
#include "core/preview/gif_animation.h"
#include "core/preview/simulated_run.h"

namespace {

constexpr long TICK_MS = RUNNER_TICK_MS;
// Beyond this many pixels a frame is more than a preview needs.
constexpr long long MOST_PIXELS = 1LL << 26;
// Tiles this small have no room for an edge around their colour.
constexpr int LEAST_EDGED_TILE = 8;

const Rgb BACKGROUND{24, 24, 24};
const Rgb GIVEN_EDGE{64, 64, 64};    // as the monitor outlines a board's field
const Rgb UNSET_EDGE{160, 160, 160};  // as the monitor outlines a board never given a colour

// The cube, then what blink and the tiles' frames add.
std::vector<Rgb> PreviewPalette() {
  std::vector<Rgb> palette;
  for (int index = 0; index < COLOUR_COUNT; ++index) {
    palette.push_back(IndexToColour(index));
  }
  palette.insert(palette.end(), {RGB_BLACK, BACKGROUND, GIVEN_EDGE, UNSET_EDGE});
  return palette;
}

// The tiles as pixels: each board a square, a gap around its field, the
// field outlined as the monitor outlines it.
class TileCanvas {
 public:
  TileCanvas(long boards, int columns, int tile)
      : m_columns(static_cast<int>(std::min<long>(columns, boards))),
        m_rows(static_cast<int>((boards + m_columns - 1) / m_columns)),
        m_tile(tile),
        m_shown(static_cast<size_t>(boards)) {}

  long long Width() const { return static_cast<long long>(m_columns) * m_tile; }
  long long Height() const { return static_cast<long long>(m_rows) * m_tile; }

  void Allocate() {
    m_pixels.assign(static_cast<size_t>(Width() * Height()), BACKGROUND);
    for (size_t i = 0; i < m_shown.size(); ++i) {
      Paint(static_cast<long>(i), ShownBoard{});
    }
  }

  // Repaints the boards whose look changed; boards past `frame` show none.
  void Show(const std::vector<ShownBoard>& frame) {
    for (size_t i = 0; i < m_shown.size(); ++i) {
      const ShownBoard board = i < frame.size() ? frame[i] : ShownBoard{};
      if (board != m_shown[i]) {
        Paint(static_cast<long>(i), board);
        m_shown[i] = board;
      }
    }
  }

  const std::vector<Rgb>& Pixels() const { return m_pixels; }

 private:
  void Paint(long index, const ShownBoard& board) {
    const int left = static_cast<int>(index % m_columns) * m_tile;
    const int top = static_cast<int>(index / m_columns) * m_tile;
    const int edge = m_tile >= LEAST_EDGED_TILE ? 1 : 0;
    const Rgb fill = board.given ? board.colour : BACKGROUND;
    const Rgb outline = board.given ? GIVEN_EDGE : UNSET_EDGE;
    for (int y = 1; y < m_tile - 1; ++y) {
      Rgb* row = &m_pixels[static_cast<size_t>(top + y) * Width() + left];
      for (int x = 1; x < m_tile - 1; ++x) {
        const bool onEdge = edge > 0 && (x == 1 || y == 1 || x == m_tile - 2 || y == m_tile - 2);
        row[x] = onEdge ? outline : fill;
      }
    }
  }

  int m_columns;
  int m_rows;
  int m_tile;
  std::vector<ShownBoard> m_shown;
  std::vector<Rgb> m_pixels;
};

long FrameCount(double seconds, int fps) {
  return std::max(1L, static_cast<long>(std::ceil(seconds * fps - 1e-9)));
}

}  // namespace

double OnePassSeconds(const Scenario& scenario) {
  long ticks = 0;
  for (const Scene& scene : scenario.scenes) {
    ticks += scene.hold.HoldsForever() ? static_cast<long>(PREVIEW_ENDLESS_HOLD_SECONDS * 1000 / TICK_MS)
                                       : scene.hold.Ticks();
    ticks = std::min(ticks, static_cast<long>(PREVIEW_MOST_SECONDS * 1000 / TICK_MS));
  }
  return std::max(1L, ticks) * TICK_MS / 1000.0;
}

long long PreviewFrameMs(long index, int fps) { return static_cast<long long>(index) * 1000 / fps; }

int PreviewFrameDelayCs(long index, int fps) {
  auto shownAt = [fps](long frame) { return (static_cast<long long>(frame) * 200 / fps + 1) / 2; };
  return static_cast<int>(shownAt(index + 1) - shownAt(index));
}

PreviewResult RenderPreview(const Scenario& scenario, const PreviewOptions& options,
                            const PreviewProgress& progress) {
  PreviewResult result;
  const int fps = std::clamp(options.fps, 1, PREVIEW_MOST_FPS);
  result.seconds = options.seconds > 0 ? std::min(options.seconds, PREVIEW_MOST_SECONDS) : OnePassSeconds(scenario);
  result.frames = FrameCount(result.seconds, fps);
  const long lastTick = PreviewFrameMs(result.frames - 1, fps) / TICK_MS;

  // The canvas holds every board the run reaches, from the first frame on.
  {
    SimulatedRun dryRun(scenario, options.inputs);
    dryRun.AdvanceTo(lastTick);
    result.boards = std::max(BOARD_FRAME_MIN_BOARDS, dryRun.Chain().HighestGiven());
  }
  TileCanvas canvas(result.boards, std::max(1, options.columns), std::max(PREVIEW_LEAST_TILE, options.tile));
  if (canvas.Width() > GifAnimation::MAX_SIDE || canvas.Height() > GifAnimation::MAX_SIDE ||
      canvas.Width() * canvas.Height() > MOST_PIXELS) {
    result.error = EFBIG;
    return result;
  }
  result.width = static_cast<int>(canvas.Width());
  result.height = static_cast<int>(canvas.Height());
  canvas.Allocate();

  GifAnimation gif(result.width, result.height, PreviewPalette());
  SimulatedRun run(scenario, options.inputs);
  BoardFrameRenderer renderer;
  renderer.Update(run.Chain(), 0);
  for (long frame = 0; frame < result.frames; ++frame) {
    const long long nowMs = PreviewFrameMs(frame, fps);
    // Every tick is taken in at its own time, as the monitor sees a change
    // when it comes, whatever the frame rate.
    while (run.Tick() < nowMs / TICK_MS) {
      run.AdvanceTo(run.Tick() + 1);
      renderer.Update(run.Chain(), run.Tick() * TICK_MS);
    }
    canvas.Show(renderer.Frame(nowMs));
    gif.AddFrame(canvas.Pixels(), PreviewFrameDelayCs(frame, fps));
    if (progress && !progress(frame + 1, result.frames)) {
      result.error = ECANCELED;
      return result;
    }
  }
  result.gif = gif.Finish();
  if (result.gif.empty()) {
    result.error = ENOMEM;
  }
  return result;
}

int ExportPreview(const Scenario& scenario, const PreviewOptions& options, const std::string& path,
                  const PreviewProgress& progress, PreviewResult* result) {
  PreviewResult rendered = RenderPreview(scenario, options, progress);
  int error = rendered.error;
  if (error == 0) {
    error = ReplaceFileContents(path, rendered.gif);
  }
  if (result != nullptr) {
    *result = std::move(rendered);
  }
  return error;
}
