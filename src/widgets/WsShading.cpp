#include "widgets/WsShading.h"

#include <algorithm>
#include <cstdlib>

#include "graphics/Bitmap.h"
#include "widgets/WsCanvasArea_p.h"
#include "widgets/WsShadeBands_p.h"

namespace {

// The part of a shading that is visible on the canvas: the shading is Width x Height and the
// off-screen bitmap holds the part starting at (OffsetX, OffsetY). Only that part is built, so
// an absurdly large rectangle costs no more than the screen it lands on.
struct TShadeArea {
    long long Width = 0;
    long long Height = 0;
    long long OffsetX = 0;
    long long OffsetY = 0;
};

TColor Interpolate(TColor from, TColor to, double t) {
    auto channel = [t](unsigned a, unsigned b) {
        return static_cast<unsigned>(static_cast<double>(a) + (static_cast<double>(b) - a) * t +
                                     0.5);
    };
    return RGB(channel(GetRValue(from), GetRValue(to)), channel(GetGValue(from), GetGValue(to)),
               channel(GetBValue(from), GetBValue(to)));
}

// Fills every bitmap pixel with the ramp colour at the fraction that position(x, y) gives,
// (x, y) being the position in the whole shading.
template <typename Position>
void ShadeByPosition(TBitmap& bitmap, const TShadeArea& area, TColor from, TColor to,
                     Position position) {
    TPixelBuffer& buffer = bitmap.Buffer();
    for (int by = 0; by < buffer.Height(); ++by) {
        TPixel* row = buffer.Row(by);
        const long long y = area.OffsetY + by;
        for (int bx = 0; bx < buffer.Width(); ++bx) {
            const double t = std::clamp(position(area.OffsetX + bx, y), 0.0, 1.0);
            row[bx] = PixelFromRGB(Interpolate(from, to, t));
        }
    }
}

// Diagonal lines of equal colour, start in one corner and stop in the opposite one.
void ShadeDiagonal(TBitmap& bitmap, const TShadeArea& a, bool up, TColor from, TColor to) {
    const double span = static_cast<double>(std::max(a.Width + a.Height - 2, 1LL));
    ShadeByPosition(bitmap, a, from, to, [&](long long x, long long y) {
        return static_cast<double>(x + (up ? a.Height - 1 - y : y)) / span;
    });
}

// Nested rectangles, start colour on the outside and stop colour inside. The position is the
// distance from the nearest edge, so the four quarters mirror each other.
void ShadeBox(TBitmap& bitmap, const TShadeArea& a, TGradientDirection direction, TColor from,
              TColor to) {
    const double quarterW = static_cast<double>(std::max(a.Width / 4, 1LL));
    const double quarterH = static_cast<double>(std::max(a.Height / 4, 1LL));
    const double halfSide =
        static_cast<double>(std::max((std::min(a.Width, a.Height) - 1) / 2, 1LL));
    ShadeByPosition(bitmap, a, from, to, [&](long long x, long long y) {
        const double dx = static_cast<double>(std::min(x, a.Width - 1 - x));
        const double dy = static_cast<double>(std::min(y, a.Height - 1 - y));
        switch (direction) {
            case gdHorizontalBox:
                return dx / quarterW;
            case gdVerticalBox:
                return dy / quarterH;
            case gdSquareBox:
                return std::min(dx, dy) / halfSide;
            default:
                return std::min(dx / quarterW, dy / quarterH);
        }
    });
}

}  // namespace

void ShadeRect(TCanvas& canvas, const TRect& rect, TGradientDirection direction, TColor start,
               TColor stop, std::uint8_t steps) {
    const TColor from = ColorToRGB(start) & 0xFFFFFF;
    const TColor to = ColorToRGB(stop) & 0xFFFFFF;
    const long long left = rect.Left;
    const long long top = rect.Top;
    const long long width = std::llabs(static_cast<long long>(rect.Right) - rect.Left);
    const long long height = std::llabs(static_cast<long long>(rect.Bottom) - rect.Top);
    if (width == 0 || height == 0) return;

    const TRect visible = CanvasVisibleBounds(canvas);
    const long long vl = std::max<long long>(left, visible.Left);
    const long long vt = std::max<long long>(top, visible.Top);
    const long long vr = std::min<long long>(left + width, visible.Right);
    const long long vb = std::min<long long>(top + height, visible.Bottom);
    if (vl >= vr || vt >= vb) return;
    const TRect dest = Rect(static_cast<int>(vl), static_cast<int>(vt), static_cast<int>(vr),
                            static_cast<int>(vb));
    const TShadeArea area{width, height, vl - left, vt - top};

    TBitmap bitmap(dest.Width(), dest.Height(), NoFill);  // every direction paints it all
    TCanvas& bc = bitmap.Canvas();
    bc.Pen() = TPen{clBlack, 1, psClear, pmCopy};
    bc.Brush().Style = bsSolid;

    switch (direction) {
        case gdHorizontalEnd:
        case gdHorizontalCenter:
            ShadeBands(bc, {height, area.OffsetY, dest.Height(), dest.Width(), false},
                       direction == gdHorizontalCenter, from, to, steps);
            break;
        case gdVerticalEnd:
        case gdVerticalCenter:
            ShadeBands(bc, {width, area.OffsetX, dest.Width(), dest.Height(), true},
                       direction == gdVerticalCenter, from, to, steps);
            break;
        case gdDiagonalUp:
        case gdDiagonalDown:
            if (from == to)
                bc.FillPixels(Rect(0, 0, dest.Width(), dest.Height()), PixelFromRGB(from));
            else
                ShadeDiagonal(bitmap, area, direction == gdDiagonalUp, from, to);
            break;
        default:
            ShadeBox(bitmap, area, direction, from, to);
            break;
    }
    canvas.CopyRect(dest, bc, Rect(0, 0, dest.Width(), dest.Height()));
}

void ShadeFrameRing(const TDisplaySettings& display, TCanvas& canvas, const TRect& rect,
                    TGradientDirection direction, TColor start, TColor stop) {
    if (!display.FullColor) return;
    // The caller's own clipping comes back afterwards rather than being dropped.
    TCanvasStateSaver saver(canvas);
    canvas.ExcludeClipRect(rect.Inflate(-2, -2));
    ShadeRect(canvas, rect, direction, start, stop, 1);
}
