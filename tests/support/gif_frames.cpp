#include "support/gif_frames.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>

namespace {

struct Reader {
  const std::string* bytes;
  size_t at = 0;
};

int ReadBytes(GifFileType* gif, GifByteType* into, int length) {
  Reader* reader = static_cast<Reader*>(gif->UserData);
  const size_t count = std::min(static_cast<size_t>(length), reader->bytes->size() - reader->at);
  std::memcpy(into, reader->bytes->data() + reader->at, count);
  reader->at += count;
  return static_cast<int>(count);
}

}  // namespace

const ShownGifFrame& ShownGif::At(long long ms) const {
  size_t shown = 0;
  for (size_t i = 0; i < frames.size(); ++i) {
    if (frames[i].startMs <= ms) shown = i;
  }
  return frames[shown];
}

Rgb ShownGif::Pixel(long long ms, int x, int y) const {
  return At(ms).pixels[static_cast<size_t>(y) * width + x];
}

long long ShownGif::LengthMs() const {
  return frames.empty() ? 0 : frames.back().startMs + frames.back().delayCs * 10LL;
}

ShownGif ReadShownGif(const std::string& bytes) {
  ShownGif shown;
  Reader reader{&bytes};
  int error = 0;
  GifFileType* gif = DGifOpen(&reader, ReadBytes, &error);
  if (gif == nullptr) return shown;
  if (DGifSlurp(gif) != GIF_OK) {
    DGifCloseFile(gif, &error);
    return shown;
  }
  shown.width = gif->SWidth;
  shown.height = gif->SHeight;
  std::vector<Rgb> canvas(static_cast<size_t>(shown.width) * shown.height, Rgb{0, 0, 0});
  long long startMs = 0;
  for (int i = 0; i < gif->ImageCount; ++i) {
    const SavedImage& image = gif->SavedImages[i];
    for (int e = 0; e < image.ExtensionBlockCount; ++e) {
      const ExtensionBlock& block = image.ExtensionBlocks[e];
      if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
          std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0) {
        shown.loops = true;
      }
    }
    GraphicsControlBlock control{};
    control.TransparentColor = NO_TRANSPARENT_COLOR;
    DGifSavedExtensionToGCB(gif, i, &control);
    const ColorMapObject* table = image.ImageDesc.ColorMap ? image.ImageDesc.ColorMap : gif->SColorMap;
    shown.ownTables += image.ImageDesc.ColorMap ? 1 : 0;
    const GifImageDesc& area = image.ImageDesc;
    for (int y = 0; y < area.Height; ++y) {
      for (int x = 0; x < area.Width; ++x) {
        const int index = image.RasterBits[y * area.Width + x];
        if (index == control.TransparentColor) continue;
        const GifColorType colour = table->Colors[index];
        canvas[static_cast<size_t>(area.Top + y) * shown.width + area.Left + x] =
            Rgb{colour.Red, colour.Green, colour.Blue};
      }
    }
    shown.frames.push_back(ShownGifFrame{startMs, control.DelayTime, canvas});
    startMs += control.DelayTime * 10LL;
  }
  shown.ok = !shown.frames.empty();
  DGifCloseFile(gif, &error);
  return shown;
}

std::string ColourText(const Rgb& colour) {
  return std::to_string(colour.red) + "," + std::to_string(colour.green) + "," + std::to_string(colour.blue);
}
