#pragma once
// A looping animated GIF built in memory from whole RGB frames. Only what
// a frame changes goes into the file: the rectangle around the changed
// pixels, the unchanged ones in it transparent, and a frame equal to the
// one before only lengthens that one's delay. Colours come from a fixed
// palette, or from a small table of the frame's own where a frame has
// colours outside it (fades), so every colour is kept exactly.
#include <cstddef>
#include <string>
#include <vector>

#include "core/model/colour_numbers.h"

struct GifFileType;

class GifAnimation {
 public:
  // The largest side a GIF can have.
  static constexpr int MAX_SIDE = 65535;
  // Colours the fixed palette may hold; one more index is transparency.
  static constexpr size_t MAX_PALETTE = 255;

  // `palette` holds the colours most frames use (at most MAX_PALETTE).
  GifAnimation(int width, int height, const std::vector<Rgb>& palette);
  ~GifAnimation();
  GifAnimation(const GifAnimation&) = delete;
  GifAnimation& operator=(const GifAnimation&) = delete;

  // The next frame, width x height pixels row by row, shown for `delayCs`
  // hundredths of a second.
  void AddFrame(const std::vector<Rgb>& pixels, int delayCs);
  // The complete file; no frame may follow.
  const std::string& Finish();

  // Frames written or waiting, after equal ones were joined.
  long FrameCount() const { return m_frames; }

 private:
  // The encoder keeps a copy of the last image's own colour table and, in
  // the giflib Debian ships, drops it unfreed when the next image comes or
  // the file closes: it is freed here first.
  void DropImageTable();
  struct Area {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
  };
  Area ChangedArea(const std::vector<Rgb>& pixels) const;
  void WritePending();
  bool Encode(const Area& area, const std::vector<Rgb>& pixels, bool transparentKept);

  int m_width;
  int m_height;
  std::vector<Rgb> m_palette;
  std::string m_bytes;
  GifFileType* m_gif = nullptr;
  bool m_failed = false;
  std::vector<Rgb> m_shown;    // the canvas after the frames written
  std::vector<Rgb> m_pending;  // the frame waiting for its delay to be known
  bool m_hasPending = false;
  int m_pendingDelay = 0;
  long m_frames = 0;
};
