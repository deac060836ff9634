#pragma once
// The Description column takes the width a grid has left over, so that a
// larger window shows longer descriptions. The scene keeps its own width,
// the least the column shows; the stretch is the view's alone.
#include <functional>

class wxGrid;

// Widens the Description column to fill the grid, or gives it `keptWidth`
// when that is wider.
void StretchDescription(wxGrid* grid, int keptWidth);

// Stretches again whenever the grid or one of its columns changes size;
// `keptWidth` tells the scene's own width at that moment.
void KeepDescriptionStretched(wxGrid* grid, std::function<int()> keptWidth);
