#pragma once
// Colour numbers for the toolkit's colours.
#include <wx/colour.h>

#include "core/model/colour_numbers.h"

inline int ColourToIndex(const wxColour& colour) {
  return ColourToIndex(colour.Red(), colour.Green(), colour.Blue());
}

inline wxColour IndexToWxColour(int index) {
  const Rgb rgb = IndexToColour(index);
  return wxColour(rgb.red, rgb.green, rgb.blue);
}

// Any colour moved onto the nearest-below cube colour.
inline wxColour SnapToCube(const wxColour& colour) {
  return IndexToWxColour(ColourToIndex(colour));
}
