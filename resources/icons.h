#pragma once
// The program's XPM images, drawn by scripts/make_icons.py.
extern const char* const lumivane32_xpm[];
extern const char* const about48_xpm[];
extern const char* const new16_xpm[];
extern const char* const open16_xpm[];
extern const char* const save16_xpm[];
extern const char* const undo16_xpm[];
extern const char* const redo16_xpm[];
extern const char* const transfer16_xpm[];
extern const char* const stop16_xpm[];
extern const char* const auto16_xpm[];
