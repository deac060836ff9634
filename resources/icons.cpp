// Compiles the XPM images once. icons.h, included first, gives the arrays
// external linkage; everything else uses that header.
#include "resources/icons.h"

#include "resources/icons/about48.xpm"
#include "resources/icons/auto16.xpm"
#include "resources/icons/lumivane32.xpm"
#include "resources/icons/new16.xpm"
#include "resources/icons/open16.xpm"
#include "resources/icons/redo16.xpm"
#include "resources/icons/save16.xpm"
#include "resources/icons/stop16.xpm"
#include "resources/icons/transfer16.xpm"
#include "resources/icons/undo16.xpm"
