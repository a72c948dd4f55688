#pragma once

#include "graphics/PixelBuffer.h"

// The program's 32 x 32 icon in the sixteen classic colours: a monitor whose screen shows a
// clock. Transparent around the drawing.
TPixelBuffer ProgramIcon();
