#include "widgets/WsEdges.h"

#include <algorithm>
#include <climits>

#include "widgets/WsCanvasArea_p.h"

namespace {

int MoveBy(int v, long long delta) {
    return static_cast<int>(std::clamp<long long>(v + delta, INT_MIN, INT_MAX));
}

void Line(TCanvas& canvas, int x0, int y0, int x1, int y1) {
    canvas.MoveTo(x0, y0);
    canvas.LineTo(x1, y1);
}

void UseLinePen(TCanvas& canvas, TColor color) {
    canvas.Pen() = TPen{color, 1, psSolid, pmCopy};
}

}  // namespace

TRect ShrinkSides(const TRect& rect, TSides sides, int by) {
    TRect r = rect;
    if (sides.Contains(sdLeft)) r.Left = MoveBy(r.Left, by);
    if (sides.Contains(sdTop)) r.Top = MoveBy(r.Top, by);
    if (sides.Contains(sdRight)) r.Right = MoveBy(r.Right, -static_cast<long long>(by));
    if (sides.Contains(sdBottom)) r.Bottom = MoveBy(r.Bottom, -static_cast<long long>(by));
    return r;
}

TRect DrawEdges(TCanvas& canvas, const TRect& rect, TColor upperLeft, TSides sides,
                TColor lowerRight) {
    // An inverted rectangle has no lines to draw; drawing them backwards would paint outside.
    const bool rows = rect.Right > rect.Left;
    const bool columns = rect.Bottom > rect.Top;
    TCanvasStateSaver saver(canvas);
    if (upperLeft != clNone) {
        UseLinePen(canvas, upperLeft);
        if (sides.Contains(sdLeft) && columns)
            Line(canvas, rect.Left, rect.Top, rect.Left, rect.Bottom);
        if (sides.Contains(sdTop) && rows) Line(canvas, rect.Left, rect.Top, rect.Right, rect.Top);
    }
    if (lowerRight != clNone) {
        UseLinePen(canvas, lowerRight);
        if (sides.Contains(sdRight) && columns)
            Line(canvas, rect.Right - 1, rect.Top, rect.Right - 1, rect.Bottom);
        if (sides.Contains(sdBottom) && rows)
            Line(canvas, rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom - 1);
    }
    return ShrinkSides(rect, sides, 1);
}

TRect DrawEdgeRings(TCanvas& canvas, const TRect& rect, TColor upperLeft, TSides sides, int count,
                    TColor lowerRight) {
    TRect r = rect;
    for (int i = 0; i < count; ++i) {
        // Past the point where nothing is left to draw in, the rest only moves the sides.
        if (r.IsEmpty()) return ShrinkSides(r, sides, count - i);
        r = DrawEdges(canvas, r, upperLeft, sides, lowerRight);
    }
    return r;
}

TRect DrawGroove(TCanvas& canvas, const TRect& rect, TColor upperLeft, TColor lowerRight,
                 TSides sides) {
    const auto [l, t, r, b] = rect;
    const bool left = sides.Contains(sdLeft);
    const bool top = sides.Contains(sdTop);
    const bool right = sides.Contains(sdRight);
    const bool bottom = sides.Contains(sdBottom);
    // Where a side is not drawn, the lines of its neighbours end square instead of mitred.
    if (right) canvas.SetPixels(r - 1, t, lowerRight);
    if (top && !right) canvas.SetPixels(r - 1, t, upperLeft);
    if (bottom) canvas.SetPixels(l, b - 1, lowerRight);
    if (left && !bottom) canvas.SetPixels(l, b - 1, upperLeft);
    if (top && !left) canvas.SetPixels(l, t + 1, lowerRight);
    if (left && !top) canvas.SetPixels(l + 1, t, lowerRight);
    if (bottom && !right) canvas.SetPixels(r - 1, b - 2, upperLeft);
    if (right && !bottom) canvas.SetPixels(r - 2, b - 1, upperLeft);
    DrawEdges(canvas, Rect(l + 1, t + 1, r, b), lowerRight, sides, lowerRight);
    DrawEdges(canvas, Rect(l, t, r - 1, b - 1), upperLeft, sides, upperLeft);
    return ShrinkSides(rect, sides, 2);
}

TRect DrawRoundedRing(TCanvas& canvas, const TRect& rect, TColor color, TSides sides,
                      TColor cornerColor) {
    const TRect inner = ShrinkSides(rect, sides, 1);
    if (rect.IsEmpty()) return inner;
    const auto [l, t, r, b] = rect;
    const bool left = sides.Contains(sdLeft);
    const bool top = sides.Contains(sdTop);
    const bool right = sides.Contains(sdRight);
    const bool bottom = sides.Contains(sdBottom);
    {
        TCanvasStateSaver saver(canvas);
        UseLinePen(canvas, color);
        // Each line stops short of a corner that it shares with another drawn side.
        if (left) Line(canvas, l, t + (top ? 1 : 0), l, b - (bottom ? 1 : 0));
        if (top) Line(canvas, l + (left ? 1 : 0), t, r - (right ? 1 : 0), t);
        if (right) Line(canvas, r - 1, t + (top ? 1 : 0), r - 1, b - (bottom ? 1 : 0));
        if (bottom) Line(canvas, l + (left ? 1 : 0), b - 1, r - (right ? 1 : 0), b - 1);
    }
    struct TCorner {
        bool Drawn;
        int X, Y, InX, InY;
    };
    const TCorner corners[] = {
        {left && top, l, t, l + 1, t + 1},
        {top && right, r - 1, t, r - 2, t + 1},
        {right && bottom, r - 1, b - 1, r - 2, b - 2},
        {bottom && left, l, b - 1, l + 1, b - 2},
    };
    for (const TCorner& c : corners) {
        if (!c.Drawn) continue;
        if (cornerColor != clNone) canvas.SetPixels(c.X, c.Y, cornerColor);
        canvas.SetPixels(c.InX, c.InY, color);
    }
    return inner;
}

TRect DrawCornerlessOutline(TCanvas& canvas, const TRect& rect, TColor color) {
    const TRect inner = rect.Inflate(-1, -1);
    if (rect.IsEmpty() || color == clNone) return inner;
    const auto [l, t, r, b] = rect;
    TCanvasStateSaver saver(canvas);
    UseLinePen(canvas, color);
    Line(canvas, l, t + 1, l, b - 1);
    Line(canvas, l + 1, t, r - 1, t);
    Line(canvas, r - 1, t + 1, r - 1, b - 1);
    Line(canvas, l + 1, b - 1, r - 1, b - 1);
    return inner;
}

TRect DrawOutline(TCanvas& canvas, const TRect& rect, TColor color) {
    return DrawEdges(canvas, rect, color, AllSides, color);
}

TRect DrawDottedOutline(TCanvas& canvas, const TRect& rect) {
    const TRect area = CanvasVisibleBounds(canvas);
    // Start on the dot grid of the whole edge, then walk only the part that can show.
    auto first = [](int from, int visibleFrom) {
        if (visibleFrom <= from) return static_cast<long long>(from);
        const long long skip = static_cast<long long>(visibleFrom) - from;
        return from + skip + (skip & 1);
    };
    const long long yEnd = std::min(rect.Bottom, area.Bottom);
    for (long long y = first(rect.Top + 1, area.Top); y < yEnd; y += 2) {
        canvas.SetPixels(rect.Left, static_cast<int>(y), clBlack);
        canvas.SetPixels(rect.Right - 1, static_cast<int>(y), clBlack);
    }
    const long long xEnd = std::min(rect.Right, area.Right);
    for (long long x = first(rect.Left + 1, area.Left); x < xEnd; x += 2) {
        canvas.SetPixels(static_cast<int>(x), rect.Top, clBlack);
        canvas.SetPixels(static_cast<int>(x), rect.Bottom - 1, clBlack);
    }
    return ShrinkSides(rect, AllSides, 1);
}
