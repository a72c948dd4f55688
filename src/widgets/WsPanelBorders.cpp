#include "widgets/WsPanelBorders.h"

#include <algorithm>

#include "widgets/WsColorMath.h"
#include "widgets/WsEdges.h"
#include "widgets/WsFrames.h"

namespace {

TRect DrawBevel(TCanvas& canvas, const TRect& rect, TFrameStyle bevel,
                const TPanelBorderStyle& style) {
    const TColor flat = ShiftLightness(style.FlatColor, style.FlatColorAdjustment);
    switch (bevel) {
        case fsFlat:
            return DrawEdgeRings(canvas, rect, flat, style.Sides, 1, flat);
        case fsFlatBold:
            return DrawEdgeRings(canvas, rect, flat, style.Sides, 2, flat);
        case fsStatus:
            return DrawEdgeRings(canvas, rect, style.Shadow, style.Sides, style.BevelWidth,
                                 style.Highlight);
        case fsPopup:
            return DrawEdgeRings(canvas, rect, style.Highlight, style.Sides, style.BevelWidth,
                                 style.Shadow);
        case fsFlatRounded:
            return DrawRoundedRing(canvas, rect, flat, style.Sides,
                                   style.Transparent ? clNone : style.ParentColor);
        default:
            return DrawStyledEdges(canvas, rect, bevel, style.Sides);
    }
}

// How far a bevel moves each chosen side in: the same for every style DrawBevel draws.
int BevelDepth(TFrameStyle bevel, const TPanelBorderStyle& style) {
    switch (bevel) {
        case fsNone:
            return 0;
        case fsFlat:
        case fsFlatRounded:
            return 1;
        case fsStatus:
        case fsPopup:
            return style.BevelWidth;
        default:
            return 2;
    }
}

}  // namespace

TRect PanelBordersInside(const TRect& rect, const TPanelBorderStyle& style) {
    const int depth = BevelDepth(style.Outer, style) + std::max(0, style.BorderWidth) +
                      BevelDepth(style.Inner, style);
    return ShrinkSides(rect, style.Sides, depth);
}

TRect DrawPanelBorders(TCanvas& canvas, const TRect& rect, const TPanelBorderStyle& style) {
    TRect r = DrawBevel(canvas, rect, style.Outer, style);
    if (style.BorderWidth > 0)
        r = DrawEdgeRings(canvas, r, style.BorderColor, style.Sides, style.BorderWidth,
                          style.BorderColor);
    return DrawBevel(canvas, r, style.Inner, style);
}

TRect DrawControlFrame(TCanvas& canvas, int width, int height, TSides sides, TColor frameColor,
                       TColor innerColor, TFrameStyle style) {
    const TRect whole = Rect(0, 0, width, height);
    DrawEdgeRings(canvas, whole, innerColor, AllSides, 2, innerColor);
    switch (style) {
        case fsFlat:
            return DrawEdges(canvas, whole, frameColor, sides, frameColor);
        case fsFlatBold:
            return DrawEdgeRings(canvas, whole, frameColor, sides, 2, frameColor);
        default:
            // A window-coloured control gets the system look; others a border in its own tint.
            if (innerColor == clWindow) return DrawStyledEdges(canvas, whole, style, sides);
            return DrawTintedEdges(canvas, whole, innerColor, sides, style);
    }
}
