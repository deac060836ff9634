#pragma once
// The program's icons, drawn from SVG (resources/icons/svg, and the
// application icon lumivane.svg) at whatever size a screen's scale asks
// for, so they stay sharp where fixed-size images would blur.
#include <wx/bmpbndl.h>
#include <wx/iconbndl.h>

// The icon `name` (the SVG file's name without ".svg") at `size` in
// logical pixels; an empty bundle for a name there is no file of.
wxBitmapBundle IconBundle(const char* name, const wxSize& size = wxSize(16, 16));

// The application's icon at the sizes window managers ask for.
wxIconBundle AppIcons();
