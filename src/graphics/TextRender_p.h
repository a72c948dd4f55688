#pragma once

#include <vector>

#include "graphics/Canvas.h"
#include "graphics/FontEngine.h"

// Places text laid out along a baseline onto the canvas for a quarter turn. (U, V) are text
// coordinates: U along the reading direction, V down across it, both from the anchor, which is
// the top-left corner of the unturned text.
class TTextFrame {
  public:
    TTextFrame(TPoint anchor, int quarterTurn) : anchor_(anchor), turn_(quarterTurn) {}
    TPoint Point(int u, int v) const;
    // The device pixels of the text-space pixel rectangle [u1, u2) x [v1, v2).
    TRect Box(int u1, int v1, int u2, int v2) const;

  private:
    TPoint anchor_;
    int turn_;
};

// Where the font's underline and strike-out bars lie, as rows below the cell top.
struct TTextBars {
    int Thickness = 1;
    int Underline = 0;
    int StrikeOut = 0;
};
TTextBars TextBars(const TFontMetrics& m);

// Tab stops every eight average characters from the start of the line.
int TabStopAfter(int pen, const TFontMetrics& m);

// Draws glyph masks from chars[first, last) with the pen starting at u on the baseline row
// baselineV; tabs jump to the next stop when expandTabs. Returns the pen after the last one.
int DrawGlyphs(TCanvas& canvas, const TTextFrame& frame, const std::vector<TShapedChar>& chars,
               std::size_t first, std::size_t last, int u, int baselineV, bool expandTabs,
               const TFontMetrics& m, TColor color);

// Fills a horizontal bar in text space (underlines, strike-outs, accelerator marks).
void DrawTextBar(TCanvas& canvas, const TTextFrame& frame, int u1, int u2, int v, int thickness,
                 TColor color);

// One reusable buffer for laid-out text, so drawing does not allocate.
std::vector<TShapedChar>& ShapeBuffer();
