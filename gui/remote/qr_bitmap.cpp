#include "gui/remote/qr_bitmap.h"

#include <qrencode.h>

#include <wx/dcmemory.h>

namespace {

// Readers want four modules of white around the code.
constexpr int QUIET_MODULES = 4;

}  // namespace

wxBitmap QrBitmap(const std::string& text, int moduleSize) {
  if (text.empty() || moduleSize < 1) return wxBitmap();
  QRcode* code = QRcode_encodeString(text.c_str(), 0, QR_ECLEVEL_M, QR_MODE_8, 1);
  if (code == nullptr) return wxBitmap();
  const int modules = code->width + 2 * QUIET_MODULES;
  wxBitmap bitmap(modules * moduleSize, modules * moduleSize, 24);
  {
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxWHITE_BRUSH);
    dc.Clear();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(*wxBLACK_BRUSH);
    for (int y = 0; y < code->width; ++y) {
      for (int x = 0; x < code->width; ++x) {
        // Bit 0 of each module's byte: dark.
        if (code->data[y * code->width + x] & 1) {
          dc.DrawRectangle((x + QUIET_MODULES) * moduleSize, (y + QUIET_MODULES) * moduleSize, moduleSize,
                           moduleSize);
        }
      }
    }
  }
  QRcode_free(code);
  return bitmap;
}
