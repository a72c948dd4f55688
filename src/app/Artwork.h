#pragma once

#include "graphics/PixelBuffer.h"

// The program's pictures, drawn by code so that they are easy to change: shapes are drawn at
// four times the size and averaged down, which smooths their edges.

// The program icon, 32 x 32: a power symbol on a blue tile. The 16-colour form uses only the
// sixteen standard colours and no partial transparency.
TPixelBuffer ProgramIcon(bool sixteenColours = false);
// The program icon drawn for a size of its own (the desktop's 16 to 256 pixels), not scaled
// from another size.
TPixelBuffer ProgramIconAt(int size);
// The tool bar's glyphs, 32 x 32, by ImageList1 index: 0 refresh (green circling arrows),
// 1 help (blue question mark), 2 about (blue "i"), 3 update (a globe), 4 home page (a globe
// with a green arrow), 5 exit (a door with an exit sign).
TPixelBuffer ToolbarGlyph(int index);
inline constexpr int kToolbarGlyphCount = 6;
// The chart page's header picture, 32 x 32: bars of a chart.
TPixelBuffer ChartIcon();
