#include "resources/icon_bundles.h"

#include <wx/bitmap.h>
#include <wx/icon.h>

#include "resources/svg_icons.h"

namespace {

// The sizes of the hicolor theme's application icons.
constexpr int APP_ICON_SIZES[] = {16, 24, 32, 48, 64, 128, 256};

}  // namespace

wxBitmapBundle IconBundle(const char* name, const wxSize& size) {
  const char* text = SvgIconText(name);
  return text == nullptr ? wxBitmapBundle() : wxBitmapBundle::FromSVG(text, size);
}

wxIconBundle AppIcons() {
  wxIconBundle icons;
  const wxBitmapBundle drawing = IconBundle("lumivane", wxSize(32, 32));
  for (int size : APP_ICON_SIZES) {
    wxIcon icon;
    icon.CopyFromBitmap(drawing.GetBitmap(wxSize(size, size)));
    icons.AddIcon(icon);
  }
  return icons;
}
