#include "core/preview/gif_animation.h"

#include <gif_lib.h>

#include <algorithm>
#include <climits>
#include <unordered_map>

namespace {

constexpr int GLOBAL_TABLE_SIZE = 256;
constexpr int GLOBAL_TRANSPARENT = GLOBAL_TABLE_SIZE - 1;
constexpr int COLOUR_RESOLUTION = 8;
// The application block that makes viewers loop the animation for ever.
const char LOOP_APPLICATION[] = "NETSCAPE2.0";
constexpr unsigned char LOOP_FOREVER[3] = {1, 0, 0};

unsigned Key(const Rgb& colour) {
  return (static_cast<unsigned>(colour.red) << 16) | (static_cast<unsigned>(colour.green) << 8) | colour.blue;
}

bool Same(const Rgb& a, const Rgb& b) { return a.red == b.red && a.green == b.green && a.blue == b.blue; }

int AppendBytes(GifFileType* gif, const GifByteType* data, int length) {
  static_cast<std::string*>(gif->UserData)->append(reinterpret_cast<const char*>(data), length);
  return length;
}

// The smallest table size a GIF allows that holds `colours` entries.
int TableSize(size_t colours) {
  int size = 2;
  while (static_cast<size_t>(size) < colours) {
    size *= 2;
  }
  return size;
}

ColorMapObject* MakeTable(const std::vector<Rgb>& colours, int size) {
  ColorMapObject* table = GifMakeMapObject(size, nullptr);
  if (table != nullptr) {
    for (int i = 0; i < size; ++i) {
      const Rgb colour = static_cast<size_t>(i) < colours.size() ? colours[i] : Rgb{0, 0, 0};
      table->Colors[i] = GifColorType{colour.red, colour.green, colour.blue};
    }
  }
  return table;
}

int Nearest(const std::vector<Rgb>& palette, const Rgb& colour) {
  int best = 0;
  long bestDistance = LONG_MAX;
  for (size_t i = 0; i < palette.size(); ++i) {
    const long red = palette[i].red - colour.red;
    const long green = palette[i].green - colour.green;
    const long blue = palette[i].blue - colour.blue;
    const long distance = red * red + green * green + blue * blue;
    if (distance < bestDistance) {
      bestDistance = distance;
      best = static_cast<int>(i);
    }
  }
  return best;
}

}  // namespace

GifAnimation::GifAnimation(int width, int height, const std::vector<Rgb>& palette)
    : m_width(width), m_height(height), m_palette(palette) {
  m_palette.resize(std::min(m_palette.size(), MAX_PALETTE));
  int error = 0;
  m_gif = EGifOpen(&m_bytes, AppendBytes, &error);
  if (m_gif == nullptr) {
    m_failed = true;
    return;
  }
  EGifSetGifVersion(m_gif, true);
  ColorMapObject* table = MakeTable(m_palette, GLOBAL_TABLE_SIZE);
  m_failed = table == nullptr ||
             EGifPutScreenDesc(m_gif, width, height, COLOUR_RESOLUTION, 0, table) != GIF_OK ||
             EGifPutExtensionLeader(m_gif, APPLICATION_EXT_FUNC_CODE) != GIF_OK ||
             EGifPutExtensionBlock(m_gif, sizeof LOOP_APPLICATION - 1, LOOP_APPLICATION) != GIF_OK ||
             EGifPutExtensionBlock(m_gif, sizeof LOOP_FOREVER, LOOP_FOREVER) != GIF_OK ||
             EGifPutExtensionTrailer(m_gif) != GIF_OK;
  GifFreeMapObject(table);
}

GifAnimation::~GifAnimation() {
  if (m_gif != nullptr) {
    int error = 0;
    DropImageTable();
    EGifCloseFile(m_gif, &error);
  }
}

void GifAnimation::AddFrame(const std::vector<Rgb>& pixels, int delayCs) {
  if (m_hasPending && std::equal(pixels.begin(), pixels.end(), m_pending.begin(), m_pending.end(), Same)) {
    m_pendingDelay += delayCs;
    return;
  }
  WritePending();
  m_pending = pixels;
  m_pending.resize(static_cast<size_t>(m_width) * m_height, Rgb{0, 0, 0});
  m_pendingDelay = delayCs;
  m_hasPending = true;
  ++m_frames;
}

const std::string& GifAnimation::Finish() {
  WritePending();
  if (m_gif != nullptr) {
    int error = 0;
    DropImageTable();
    m_failed = EGifCloseFile(m_gif, &error) != GIF_OK || m_failed;
    m_gif = nullptr;
  }
  if (m_failed) {
    m_bytes.clear();
  }
  return m_bytes;
}

GifAnimation::Area GifAnimation::ChangedArea(const std::vector<Rgb>& pixels) const {
  if (m_shown.empty()) {
    return Area{0, 0, m_width, m_height};
  }
  int left = m_width, right = -1, top = m_height, bottom = -1;
  for (int y = 0; y < m_height; ++y) {
    const size_t row = static_cast<size_t>(y) * m_width;
    for (int x = 0; x < m_width; ++x) {
      if (!Same(pixels[row + x], m_shown[row + x])) {
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = y;
      }
    }
  }
  if (right < 0) {
    return Area{};
  }
  return Area{left, top, right - left + 1, bottom - top + 1};
}

void GifAnimation::WritePending() {
  if (!m_hasPending || m_failed) {
    m_hasPending = false;
    return;
  }
  m_hasPending = false;
  Area area = ChangedArea(m_pending);
  const bool first = m_shown.empty();
  if (area.width == 0) {
    area = Area{0, 0, 1, 1};  // a frame must hold a pixel; this one is kept as it was
  }
  m_failed = !Encode(area, m_pending, !first);
  m_shown.swap(m_pending);
}

bool GifAnimation::Encode(const Area& area, const std::vector<Rgb>& pixels, bool transparentKept) {
  // The colours the changed pixels need; a pixel as shown before is
  // transparent, which keeps runs long and the file small.
  std::unordered_map<unsigned, int> global;
  for (size_t i = 0; i < m_palette.size(); ++i) {
    global.emplace(Key(m_palette[i]), static_cast<int>(i));
  }
  auto changed = [&](size_t at) { return !transparentKept || !Same(pixels[at], m_shown[at]); };
  std::unordered_map<unsigned, int> own;
  std::vector<Rgb> ownColours;
  bool outside = false;
  for (int y = area.top; y < area.top + area.height; ++y) {
    for (int x = area.left; x < area.left + area.width; ++x) {
      const size_t at = static_cast<size_t>(y) * m_width + x;
      if (!changed(at)) continue;
      const unsigned key = Key(pixels[at]);
      outside = outside || global.count(key) == 0;
      if (own.size() <= MAX_PALETTE && own.emplace(key, static_cast<int>(ownColours.size())).second) {
        ownColours.push_back(pixels[at]);
      }
    }
  }
  // A frame of more colours than a table holds keeps the fixed palette,
  // its blends drawn in the nearest colour of it.
  const bool ownTable = outside && ownColours.size() <= MAX_PALETTE;
  const std::unordered_map<unsigned, int>& index = ownTable ? own : global;
  const int transparent = ownTable ? static_cast<int>(ownColours.size()) : GLOBAL_TRANSPARENT;

  GraphicsControlBlock control{};
  control.DisposalMode = DISPOSE_DO_NOT;
  control.UserInputFlag = false;
  control.DelayTime = std::min(m_pendingDelay, 0xFFFF);
  control.TransparentColor = transparentKept ? transparent : NO_TRANSPARENT_COLOR;
  GifByteType extension[4];
  const size_t length = EGifGCBToExtension(&control, extension);
  if (EGifPutExtension(m_gif, GRAPHICS_EXT_FUNC_CODE, static_cast<int>(length), extension) != GIF_OK) {
    return false;
  }
  ColorMapObject* table = ownTable ? MakeTable(ownColours, TableSize(ownColours.size() + 1)) : nullptr;
  DropImageTable();
  const bool described = (!ownTable || table != nullptr) &&
                         EGifPutImageDesc(m_gif, area.left, area.top, area.width, area.height, false, table) == GIF_OK;
  GifFreeMapObject(table);
  if (!described) {
    return false;
  }
  std::vector<GifPixelType> line(static_cast<size_t>(area.width));
  for (int y = area.top; y < area.top + area.height; ++y) {
    for (int x = 0; x < area.width; ++x) {
      const size_t at = static_cast<size_t>(y) * m_width + area.left + x;
      if (!changed(at)) {
        line[x] = static_cast<GifPixelType>(transparent);
        continue;
      }
      const auto found = index.find(Key(pixels[at]));
      line[x] = static_cast<GifPixelType>(found != index.end() ? found->second : Nearest(m_palette, pixels[at]));
    }
    if (EGifPutLine(m_gif, line.data(), area.width) != GIF_OK) {
      return false;
    }
  }
  return true;
}

void GifAnimation::DropImageTable() {
  if (m_gif != nullptr && m_gif->Image.ColorMap != nullptr) {
    GifFreeMapObject(m_gif->Image.ColorMap);
    m_gif->Image.ColorMap = nullptr;
  }
}
