#pragma once
// A QR code of a text (libqrencode), drawn black on white with the quiet
// zone around it that readers need, so that a phone can open an address.
#include <string>

#include <wx/bitmap.h>

// Each module `moduleSize` pixels square; an invalid bitmap when the text
// cannot be encoded.
wxBitmap QrBitmap(const std::string& text, int moduleSize);
