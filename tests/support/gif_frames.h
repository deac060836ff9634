#pragma once
// An animated GIF read back with giflib's reader, as a viewer shows it:
// each frame drawn over the one before (transparent pixels keep what was
// there), with the time it appears.
#include <string>
#include <vector>

#include "core/model/colour_numbers.h"

struct ShownGifFrame {
  long long startMs = 0;  // the delays of the frames before it, added up
  int delayCs = 0;
  std::vector<Rgb> pixels;  // the whole canvas, row by row
};

struct ShownGif {
  bool ok = false;
  int width = 0;
  int height = 0;
  bool loops = false;  // the application block that loops it for ever
  int ownTables = 0;   // frames with a colour table of their own
  std::vector<ShownGifFrame> frames;

  // The frame on screen at `ms` (after the last frame's end, the last).
  const ShownGifFrame& At(long long ms) const;
  // The pixel at x, y of the frame on screen at `ms`.
  Rgb Pixel(long long ms, int x, int y) const;
  long long LengthMs() const;
};

ShownGif ReadShownGif(const std::string& bytes);

// "R,G,B": a colour as a failed comparison shows it.
std::string ColourText(const Rgb& colour);
