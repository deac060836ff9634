#pragma once
// The SVG icons' texts, compiled into the program (generated from
// resources/icons/svg/*.svg and resources/icons/lumivane.svg by
// cmake/EmbedSvg.cmake).

// The text of the SVG file `name` ("lumivane" for the application icon),
// or null when there is none.
const char* SvgIconText(const char* name);
