#pragma once

#include "graphics/Canvas.h"

// Draws a rectangle's edges, topLeft on the left and top, bottomRight on the right and
// bottom, width pixels deep, and shrinks rect by them.
void Frame3D(TCanvas& canvas, TRect& rect, TColor topLeft, TColor bottomRight, int width);
