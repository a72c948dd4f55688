#include <algorithm>

#include "graphics/TextRender_p.h"

TPoint TTextFrame::Point(int u, int v) const {
    if (turn_ == 900) return {anchor_.X + v, anchor_.Y - u};
    if (turn_ == 2700) return {anchor_.X - v, anchor_.Y + u};
    return {anchor_.X + u, anchor_.Y + v};
}

TRect TTextFrame::Box(int u1, int v1, int u2, int v2) const {
    const TPoint a = anchor_;
    if (turn_ == 900) return {a.X + v1, a.Y - u2, a.X + v2, a.Y - u1};
    if (turn_ == 2700) return {a.X - v2, a.Y + u1, a.X - v1, a.Y + u2};
    return {a.X + u1, a.Y + v1, a.X + u2, a.Y + v2};
}

TTextBars TextBars(const TFontMetrics& m) {
    TTextBars bars;
    bars.Thickness = std::max(1, (m.EmPixels + 8) / 16);
    bars.Underline = m.Ascent + std::max(1, (m.Descent - bars.Thickness) / 2);
    bars.Underline = std::min(bars.Underline, std::max(m.Ascent, m.Height - bars.Thickness));
    // Through the middle of the lower-case letters.
    bars.StrikeOut = m.Ascent - std::max(1, (m.EmPixels * 27 + 50) / 100);
    return bars;
}

int TabStopAfter(int pen, const TFontMetrics& m) {
    const int step = 8 * std::max(1, m.AveCharWidth);
    return (std::max(pen, 0) / step + 1) * step;
}

int DrawGlyphs(TCanvas& canvas, const TTextFrame& frame, const std::vector<TShapedChar>& chars,
               std::size_t first, std::size_t last, int u, int baselineV, bool expandTabs,
               const TFontMetrics& m, TColor color) {
    const int lineStart = u;
    const bool ink = color != clNone;
    for (std::size_t i = first; i < last; ++i) {
        const TShapedChar& c = chars[i];
        if (c.Mask && ink) {
            const TPoint pen = frame.Point(u, baselineV);
            const TGlyphMask& g = *c.Mask;
            canvas.BlendMask(pen.X + g.Left, pen.Y + g.Top, g.Width, g.Height, g.Bits, g.Pitch,
                             color);
        }
        if (expandTabs && c.CodePoint == '\t')
            u = lineStart + TabStopAfter(u - lineStart, m);
        else
            u += c.Advance;
    }
    return u;
}

void DrawTextBar(TCanvas& canvas, const TTextFrame& frame, int u1, int u2, int v, int thickness,
                 TColor color) {
    if (u2 <= u1 || color == clNone) return;
    canvas.FillPixels(frame.Box(u1, v, u2, v + thickness), PixelFromRGB(color));
}

std::vector<TShapedChar>& ShapeBuffer() {
    thread_local std::vector<TShapedChar> buffer;
    return buffer;
}
